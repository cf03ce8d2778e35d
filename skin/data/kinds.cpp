#include "skin/data/kinds.h"

#include <algorithm>

#include "framework/core/text.h"

const TSkin3rdLines& BuiltInSkin3rdLines() {
  static const TSkin3rdLines lines = {
    "TCategoryButtons=scrollbar", "TPngSpeedbutton=pngspeedbutton", "TPngBitBtn=pngbitbtn",
    "TVirtualStringTree=scrollbar", "TVirtualDrawTree=scrollbar", "TTBXDockablePanel=Panel",
    "TAdvPanelGroup=scrollbar", "TComboboxex=combobox", "TRxSpeedButton=speedbutton", "THTMLViewer=scrollbar",
    "TDBCtrlGrid=scrollbar", "TfrSpeedButton=speedbutton", "TfrTBButton=speedbutton", "TControlBar=Panel",
    "TTBDock=Panel", "TTBToolbar=Panel", "TImageEnMView=scrollbar", "TImageEnView=scrollbar",
    "TAdvMemo=scrollbar", "TDBAdvMemo=scrollbar", "TcxDBLookupComboBox=combobox", "TcxDBComboBox=combobox",
    "TcxDBDateEdit=combobox", "TcxDBImageComboBox=combobox", "TcxDBCalcEdit=combobox",
    "TcxDBBlobEdit=combobox", "TcxDBPopupEdit=combobox", "TcxDBFontNameComboBox=combobox",
    "TcxDBShellComboBox=combobox", "TRxLookupEdit=combobox", "TRxDBLookupCombo=combobox", "TRzGroup=panel",
    "TRzButton=button", "TRzBitbtn=bitbtn", "TRzMenuButton=menubtn", "TRzCheckGroup=CheckGroup",
    "TRzRadioGroup=Radiogroup", "TRzButtonEdit=Edit", "TRzDBRadioGroup=Radiogroup",
    "TRzDBRadioButton=Radiobutton", "TRzDateTimeEdit=combobox", "TRzColorEdit=combobox",
    "TRzDateTimePicker=combobox", "TRzDBDateTimeEdit=combobox", "TRzDbColorEdit=combobox",
    "TRzDBDateTimePicker=combobox", "TLMDButton=bitbtn", "TLMDGroupBox=Groupbox", "TDBCheckboxEh=Checkbox",
    "TDBCheckboxEh=Checkbox", "TLMDCHECKBOX=Checkbox", "TLMDDBCHECKBOX=Checkbox",
    "TLMDRadiobutton=Radiobutton", "TLMDCalculator=panel", "TLMDGROUPBOX=Panel", "TLMDSIMPLEPANEL=Panel",
    "TLMDDBCalendar=Panel", "TLMDButtonPanel=Panel", "TLMDLMDCalculator=Panel", "TLMDHeaderPanel=Panel",
    "TLMDTechnicalLine=Panel", "TLMDLMDClock=Panel", "TLMDTrackbar=panel", "TLMDListCombobox=combobox",
    "TLMDCheckListCombobox=combobox", "TLMDHeaderListCombobox=combobox", "TLMDImageCombobox=combobox",
    "TLMDColorCombobox=combobox", "TLMDFontCombobox=combobox", "TLMDFontSizeCombobox=combobox",
    "TLMDFontSizeCombobox=combobox", "TLMDPrinterCombobox=combobox", "TLMDDriveCombobox=combobox",
    "TLMDCalculatorComboBox=combobox", "TLMDTrackBarComboBox=combobox", "TLMDCalendarComboBox=combobox",
    "TLMDTreeComboBox=combobox", "TLMDRADIOGROUP=radiogroup", "TLMDCheckGroup=CheckGroup",
    "TLMDDBRADIOGROUP=radiogroup", "TLMDDBCheckGroup=CheckGroup", "TLMDCalculatorEdit=edit", "TLMDEDIT=Edit",
    "TLMDMASKEDIT=Edit", "TLMDBROWSEEDIT=Edit", "TLMDEXTSPINEDIT=Edit", "TLMDCALENDAREDIT=Edit",
    "TLMDFILEOPENEDIT=Edit", "TLMDFILESAVEEDIT=Edit", "TLMDCOLOREDIT=Edit", "TLMDDBEDIT=Edit",
    "TLMDDBMASKEDIT=Edit", "TLMDDBEXTSPINEDIT=Edit", "TLMDDBSPINEDIT=Edit", "TLMDDBEDITDBLookup=Edit",
    "TLMDEDITDBLookup=Edit", "TDBLookupCombobox=Combobox", "TWWDBCombobox=Combobox",
    "TWWDBLookupCombo=Combobox", "TWWDBCombobox=Combobox", "TWWKeyCombo=Combobox", "TWWTempKeyCombo=combobox",
    "TWWDBDateTimePicker=Combobox", "TWWRADIOGROUP=radiogroup", "TWWDBEDIT=Edit", "TcxButton=bitbtn",
    "TcxDBRadioGroup=radiogroup", "TcxRadioGroup=radiogroup", "TcxGroupbox=groupbox", "TOVCPICTUREFIELD=Edit",
    "TOVCDBPICTUREFIELD=Edit", "TOVCSLIDEREDIT=Edit", "TOVCDBSLIDEREDIT=Edit", "TOVCSIMPLEFIELD=Edit",
    "TOVCDBSIMPLEFIELD=Edit", "TO32DBFLEXEDIT=Edit", "TOVCNUMERICFIELD=Edit", "TOVCDBNUMERICFIELD=Edit",
  };
  return lines;
}

const TSkin3rdLines& ViewerSkin3rdLines() {
  static const TSkin3rdLines lines = [] {
    TSkin3rdLines result;
    for (const std::string& line : BuiltInSkin3rdLines()) {
      if (line != "TPngSpeedbutton=pngspeedbutton") result.push_back(line);
    }
    for (const char* line : {"trmtoolbarsize=Panel", "trmtoolbar=panel", "trmtoolbaredit=panel", "trmtoolbarborder=panel", "trmtoolbaralign=panel", "trmtoolbarstandard=panel", "trmtoolbaraddintools=panel"}) {
      result.push_back(line);
    }
    return result;
  }();
  return lines;
}

void InitControlList(TSkin3rdLines& lines) {
  const TSkin3rdLines& builtIn = BuiltInSkin3rdLines();
  lines.insert(lines.end(), builtIn.begin(), builtIn.end());
}

std::optional<std::string> FindSkin3rdKind(const TSkin3rdLines& lines, const std::string& className) {
  std::string wanted = LowerCase(className) + "=";
  for (const std::string& line : lines) {
    if (line.size() >= wanted.size() && LowerCase(line.substr(0, wanted.size())) == wanted) {
      return LowerCase(line.substr(wanted.size(), 50));
    }
  }
  return std::nullopt;
}

bool IsKnownSkin3rdKind(const std::string& kind) {
  static const char* const kKinds[] = {
      "nil", "combobox", "comboboxex", "edit", "radiobutton", "panel", "trackbar", "button",
      "datetimepicker", "mediaplayer", "bitbtn", "pngbitbtn", "pngspeedbutton", "menubtn", "speedbutton",
      "tab", "progress", "scrollbar", "singlescrollbar", "embedscrollbar", "container", "groupbox",
      "advpagecontrol", "radiogroup", "checkgroup", "checkbox"};
  std::string lower = LowerCase(kind);
  return std::any_of(std::begin(kKinds), std::end(kKinds), [&](const char* k) { return lower == k; });
}
