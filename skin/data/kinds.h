// The Skin3rd lists: control classes of other component libraries mapped onto the kinds the control
// discovery knows ("TcxButton=bitbtn"), and the lookup through them.
#pragma once

#include <optional>
#include <string>
#include <vector>

using TSkin3rdLines = std::vector<std::string>;

// The 118 lines a skin component starts with.
const TSkin3rdLines& BuiltInSkin3rdLines();
// The 124 lines stored in the viewer's main window: the built-in list without the PNG speed button
// line, followed by seven toolbar classes of a reporting library mapped to panels.
const TSkin3rdLines& ViewerSkin3rdLines();

// Appends the built-in lines (the component's constructor does this once).
void InitControlList(TSkin3rdLines& lines);

// The kind mapped to a control class: the text after the "=" of the first line that begins with the
// lower-cased class name and "=", lower-cased, at most 50 characters. Case is ignored throughout.
std::optional<std::string> FindSkin3rdKind(const TSkin3rdLines& lines, const std::string& className);

// Kinds the control discovery recognises; a mapped kind outside this list claims the control
// without skinning it.
bool IsKnownSkin3rdKind(const std::string& kind);

// Four lists of class names by kind, kept for the component's persistent interface. Nothing in the
// program creates one: class-name mapping goes through Skin3rd only.
class TSkinControlList {
public:
  const TSkin3rdLines& Edit() const { return FEdit; }
  const TSkin3rdLines& Checkbox() const { return FCheckbox; }
  const TSkin3rdLines& Combobox() const { return FCombobox; }
  const TSkin3rdLines& Radiobutton() const { return FRadiobutton; }
  void SetEdit(const TSkin3rdLines& lines) { FEdit = lines; }
  void SetCheckbox(const TSkin3rdLines& lines) { FCheckbox = lines; }
  void SetCombobox(const TSkin3rdLines& lines) { FCombobox = lines; }
  void SetRadiobutton(const TSkin3rdLines& lines) { FRadiobutton = lines; }

private:
  TSkin3rdLines FEdit, FCheckbox, FCombobox, FRadiobutton;
};
