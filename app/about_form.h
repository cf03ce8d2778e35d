// TAboutDFM, the About window: the maker's logo, links to the maker's site and mail address, and
// a button that closes it. Built from its stored definition; shown modally by the main window.
#pragma once

#include <string>

#include "framework/forms.h"

class TBitBtn;
class TImage;
class TLabel;
class TTabControl;

class TAboutDFM : public TForm {
  CORVALE_DECLARE_CLASS()

public:
  // Built from the stored definition, or from the definition text given.
  explicit TAboutDFM(TComponent* owner, const std::string& definition = std::string());

  TTabControl* TabControl1 = nullptr;
  TImage* Image1 = nullptr;
  TLabel* Label6 = nullptr;
  TLabel* Label7 = nullptr;
  TLabel* Label8 = nullptr;
  TLabel* Label9 = nullptr;
  TBitBtn* BitBtn1 = nullptr;

  void Label6Click(TPersistent* sender);
  void Label7Click(TPersistent* sender);
  void BitBtn1Click(TPersistent* sender);
};

extern TAboutDFM* AboutDFM;
