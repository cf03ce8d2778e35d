#include "app/main_form.h"

#include <memory>

#include "app/about_form.h"
#include "app/defined_component.h"
#include "app/maker.h"
#include "app/shell.h"
#include "app/viewer_document.h"
#include "framework/controls/buttons.h"
#include "framework/files.h"
#include "framework/form_resources.h"
#include "framework/controls/images.h"
#include "framework/open_dialog.h"
#include "framework/controls/panels.h"
#include "framework/controls/status_bar.h"
#include "framework/timer.h"
#include "framework/controls/web_browser.h"
#include "skin/data/skin_data.h"

TMainDFM* MainDFM = nullptr;

namespace {

// An optional argument left out: VT_ERROR holding DISP_E_PARAMNOTFOUND.
VARIANT MissingParameter() {
  VARIANT missing;
  VariantInit(&missing);
  missing.vt = VT_ERROR;
  missing.scode = DISP_E_PARAMNOTFOUND;
  return missing;
}

}  // namespace

const TClassInfo& TMainDFM::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TMainDFM>("TMainDFM", &TForm::StaticClassInfo())
                                     .Method<&TMainDFM::FormShow>("FormShow")
                                     .Method<&TMainDFM::FormClose>("FormClose")
                                     .Method<&TMainDFM::BitBtn1Click>("BitBtn1Click")
                                     .Method<&TMainDFM::BitBtn2Click>("BitBtn2Click")
                                     .Method<&TMainDFM::BitBtn3Click>("BitBtn3Click")
                                     .Method<&TMainDFM::BitBtn4Click>("BitBtn4Click")
                                     .Method<&TMainDFM::Timer1Timer>("Timer1Timer")
                                     .Method<&TMainDFM::Image2Click>("Image2Click")
                                     .Build();
  return info;
}

TMainDFM::TMainDFM(TComponent* owner, const std::string& definition) : TForm(owner) {
  ReadFormText(*this, definition.empty() ? LoadFormResourceText(L"TMAINDFM") : definition);
  StatusBar1 = DefinedComponent<TStatusBar>(*this, "StatusBar1");
  Panel1 = DefinedComponent<TPanel>(*this, "Panel1");
  BitBtn1 = DefinedComponent<TBitBtn>(*this, "BitBtn1");
  BitBtn2 = DefinedComponent<TBitBtn>(*this, "BitBtn2");
  BitBtn3 = DefinedComponent<TBitBtn>(*this, "BitBtn3");
  BitBtn4 = DefinedComponent<TBitBtn>(*this, "BitBtn4");
  CppWebBrowser1 = DefinedComponent<TCppWebBrowser>(*this, "CppWebBrowser1");
  Panel2 = DefinedComponent<TPanel>(*this, "Panel2");
  CppWebBrowser2 = DefinedComponent<TCppWebBrowser>(*this, "CppWebBrowser2");
  Image2 = DefinedComponent<TImage>(*this, "Image2");
  SkinData1 = DefinedComponent<TSkinData>(*this, "SkinData1");
  OpenDialog1 = DefinedComponent<TOpenDialog>(*this, "OpenDialog1");
  Timer1 = DefinedComponent<TTimer>(*this, "Timer1");
}

void TMainDFM::FormShow(TPersistent*) {
  VARIANT missing = MissingParameter();
  CppWebBrowser1->Navigate(L"about:blank", &missing, &missing, &missing, &missing);
  std::wstring program = ModuleFileName();
  size_t separator = program.find_last_of(L"\\/");
  AppDir = separator == std::wstring::npos ? std::wstring() : program.substr(0, separator);
  TempFileName = AppDir + L"\\Corvale.tmp";
  PageCounter = 2;
  std::wstring url = AnsiToWide(AdvertisingUrl(1));
  CppWebBrowser2->Navigate(url.c_str(), nullptr, nullptr, nullptr, nullptr);
}

// The invoice is read before the old temporary file goes, so a file that cannot be read leaves the
// view and its file as they were. The path stays wide from start to end: any length, any folder.
void TMainDFM::BitBtn1Click(TPersistent*) {
  if (!OpenDialog1->Execute()) return;
  TStrings lines;
  lines.SetText(ReadWholeFile(OpenDialog1->FileName()));
  if (FileExists(TempFileName)) DeleteFileQuietly(TempFileName);
  InsertStylesheetLine(lines);
  WriteWholeFile(TempFileName, lines.Text());
  if (FileExists(TempFileName)) CppWebBrowser1->Navigate(TempFileName.c_str(), nullptr, nullptr, nullptr, nullptr);
}

void TMainDFM::BitBtn4Click(TPersistent*) {
  VARIANT input = MissingParameter(), output = MissingParameter();
  CppWebBrowser1->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER, &input, &output);
}

void TMainDFM::BitBtn3Click(TPersistent*) {
  std::unique_ptr<TAboutDFM> about(new TAboutDFM(Application()));
  AboutDFM = about.get();
  struct TForget {
    ~TForget() { AboutDFM = nullptr; }
  } forget;
  about->ShowModal();
}

void TMainDFM::BitBtn2Click(TPersistent*) { Close(); }

void TMainDFM::Timer1Timer(TPersistent*) {
  if (PageCounter > kAdvertisingPages) PageCounter = 1;
  std::wstring url = AnsiToWide(AdvertisingUrl(PageCounter));
  CppWebBrowser2->Navigate(url.c_str(), nullptr, nullptr, nullptr, nullptr);
  ++PageCounter;
}

void TMainDFM::Image2Click(TPersistent*) { ShellOpen(kMakerSite); }

void TMainDFM::FormClose(TPersistent*, TCloseAction&) {
  if (!TempFileName.empty() && FileExists(TempFileName)) DeleteFileQuietly(TempFileName);
}
