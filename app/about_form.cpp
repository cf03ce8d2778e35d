#include "app/about_form.h"

#include "app/defined_component.h"
#include "app/maker.h"
#include "app/shell.h"
#include "framework/controls/buttons.h"
#include "framework/form_resources.h"
#include "framework/controls/images.h"
#include "framework/controls/labels.h"
#include "framework/controls/tab_control.h"

TAboutDFM* AboutDFM = nullptr;

const TClassInfo& TAboutDFM::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TAboutDFM>("TAboutDFM", &TForm::StaticClassInfo())
                                     .Method<&TAboutDFM::Label6Click>("Label6Click")
                                     .Method<&TAboutDFM::Label7Click>("Label7Click")
                                     .Method<&TAboutDFM::BitBtn1Click>("BitBtn1Click")
                                     .Build();
  return info;
}

TAboutDFM::TAboutDFM(TComponent* owner, const std::string& definition) : TForm(owner) {
  ReadFormText(*this, definition.empty() ? LoadFormResourceText(L"TABOUTDFM") : definition);
  TabControl1 = DefinedComponent<TTabControl>(*this, "TabControl1");
  Image1 = DefinedComponent<TImage>(*this, "Image1");
  Label6 = DefinedComponent<TLabel>(*this, "Label6");
  Label7 = DefinedComponent<TLabel>(*this, "Label7");
  Label8 = DefinedComponent<TLabel>(*this, "Label8");
  Label9 = DefinedComponent<TLabel>(*this, "Label9");
  BitBtn1 = DefinedComponent<TBitBtn>(*this, "BitBtn1");
}

void TAboutDFM::Label6Click(TPersistent*) { ShellOpen(kMakerSite); }

void TAboutDFM::Label7Click(TPersistent*) { ShellOpen(std::string("mailto:") + kMakerMail); }

void TAboutDFM::BitBtn1Click(TPersistent*) { Close(); }
