#include "framework/controls/status_bar.h"

#include <commctrl.h>

const TClassInfo& TStatusBar::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TStatusBar>("TStatusBar", &TWinControl::StaticClassInfo())
                                     .WideString("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText)
                                     .Boolean("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel)
                                     .Creatable()
                                     .Build();
  return info;
}

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 185, 19);
  SetAlign(TAlign::alBottom);
}

void TStatusBar::CreateParams(TCreateParams& params) {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)registered;
  TWinControl::CreateParams(params);
  params.BaseClass = STATUSCLASSNAMEW;
  // The bar keeps the size the framework gives it.
  params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE;
}

void TStatusBar::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateText();
}

void TStatusBar::WndProc(TMessage& message) {
  // The bar's own procedure would fill its client with the face colour over our background.
  if (message.Msg == WM_ERASEBKGND) {
    DefaultHandler(message);
    return;
  }
  TWinControl::WndProc(message);
}

void TStatusBar::SetSimpleText(const std::wstring& value) {
  FSimpleText = value;
  UpdateText();
}

void TStatusBar::SetSimplePanel(bool value) {
  FSimplePanel = value;
  UpdateText();
}

void TStatusBar::UpdateText() {
  if (!HandleAllocated()) return;
  SendMessageW(Handle(), SB_SIMPLE, FSimplePanel ? TRUE : FALSE, 0);
  if (FSimplePanel) SendMessageW(Handle(), SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
}
