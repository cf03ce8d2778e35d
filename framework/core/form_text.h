// Form definitions as text: one object per component, nested by ownership, "Name = value" property
// lines. Values are integers, quoted strings, identifiers (enumeration values, booleans, event
// handler and component names), sets "[a, b]", lists "( ... )", binary data "{ hex }" and
// collections "< item ... end >". Pure code: the framework's reader builds components from the
// parsed tree, and native tools write definitions that embed skin packages and pictures.
//
//   object MainDFM: TMainDFM
//     Caption = 'Corvale'#13#10'second line'
//     BorderIcons = [biSystemMenu, biMinimize]
//     OnShow = FormShow
//     object Panel1: TPanel
//       Height = 74
//     end
//   end
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/exceptions.h"

// A definition that cannot be parsed; the message names the line.
class EFormTextError : public Exception {
public:
  using Exception::Exception;
};

struct TFormProperty;

struct TFormValue {
  enum class TKind { Integer, String, Identifier, Set, List, Binary, Collection };
  TKind Kind = TKind::Integer;
  int64_t Integer = 0;
  std::string Text;                                  // String (UTF-8) and Identifier
  std::vector<std::string> Names;                    // Set
  std::vector<TFormValue> Items;                     // List
  std::vector<uint8_t> Bytes;                        // Binary
  std::vector<std::vector<TFormProperty>> Members;   // Collection: the properties of each item

  static TFormValue FromInteger(int64_t value);
  static TFormValue FromString(std::string text);
  static TFormValue FromIdentifier(std::string name);
  static TFormValue FromSet(std::vector<std::string> names);
  static TFormValue FromList(std::vector<TFormValue> items);
  static TFormValue FromBytes(std::vector<uint8_t> bytes);
  bool operator==(const TFormValue& other) const;
  bool operator!=(const TFormValue& other) const { return !(*this == other); }
};

struct TFormProperty {
  std::string Name;  // may be dotted: "Font.Height"
  TFormValue Value;
  int Line = 0;      // where it was read; 0 for properties made in code
  bool operator==(const TFormProperty& other) const { return Name == other.Name && Value == other.Value; }
};

struct TFormObject {
  std::string Name;
  std::string ClassName;
  std::vector<TFormProperty> Properties;
  std::vector<TFormObject> Children;
  int Line = 0;

  const TFormProperty* FindProperty(const std::string& name) const;  // case-insensitive
  bool operator==(const TFormObject& other) const;
};

struct TFormTextLimits {
  size_t MaxDepth = 64;                // nesting of objects, lists and collections
  size_t MaxBytes = 64 * 1024 * 1024;  // the text itself
};

// Parses one top-level object; trailing text other than blanks and comments ("//" to the end of
// a line) is an error.
TFormObject ParseFormText(const std::string& text, const TFormTextLimits& limits = {});
// Writes the canonical text: two-space indents, CR LF line ends, binary data in lines of 64 hex
// digits. Parsing the result gives an equal tree, and writing that gives the same text.
std::string WriteFormText(const TFormObject& object);
