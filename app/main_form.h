// TMainDFM, the viewer's main window: four buttons over the invoice view, the advertising view and
// the maker's logo on the right, a credit line below. Built from its stored definition.
#pragma once

#include <string>

#include "framework/forms.h"

class TBitBtn;
class TCppWebBrowser;
class TImage;
class TOpenDialog;
class TPanel;
class TSkinData;
class TStatusBar;
class TTimer;

class TMainDFM : public TForm {
  CORVALE_DECLARE_CLASS()

public:
  // Built from the stored definition, or from the definition text given.
  explicit TMainDFM(TComponent* owner, const std::string& definition = std::string());

  // The components of the definition.
  TStatusBar* StatusBar1 = nullptr;
  TPanel* Panel1 = nullptr;
  TBitBtn* BitBtn1 = nullptr;
  TBitBtn* BitBtn2 = nullptr;
  TBitBtn* BitBtn3 = nullptr;
  TBitBtn* BitBtn4 = nullptr;
  TCppWebBrowser* CppWebBrowser1 = nullptr;
  TPanel* Panel2 = nullptr;
  TCppWebBrowser* CppWebBrowser2 = nullptr;
  TImage* Image2 = nullptr;
  TSkinData* SkinData1 = nullptr;
  TOpenDialog* OpenDialog1 = nullptr;
  TTimer* Timer1 = nullptr;

  void FormShow(TPersistent* sender);
  void FormClose(TPersistent* sender, TCloseAction& action);
  void BitBtn1Click(TPersistent* sender);
  void BitBtn2Click(TPersistent* sender);
  void BitBtn3Click(TPersistent* sender);
  void BitBtn4Click(TPersistent* sender);
  void Timer1Timer(TPersistent* sender);
  void Image2Click(TPersistent* sender);

  const std::wstring& AppDirectory() const { return AppDir; }
  const std::wstring& TemporaryFileName() const { return TempFileName; }
  int32_t NextPage() const { return PageCounter; }

private:
  std::wstring AppDir;        // the program's folder, no trailing separator
  std::wstring TempFileName;  // AppDir + "\Corvale.tmp"
  int32_t PageCounter = 0;    // the advertising page the timer shows next, 1 to 10
};

extern TMainDFM* MainDFM;
