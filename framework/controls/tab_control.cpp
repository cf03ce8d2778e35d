#include "framework/controls/tab_control.h"

#include <commctrl.h>

#include "framework/core/text.h"
#include "framework/controls/messages.h"

const TClassInfo& TTabControl::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TTabControl>("TTabControl", &TWinControl::StaticClassInfo())
                                     .Object("Tabs", &TTabControl::Tabs)
                                     .Integer("TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex)
                                     .Event("OnChange", &TTabControl::OnChange)
                                     .Creatable()
                                     .Build();
  return info;
}

TTabControl::TTabControl(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
  FTabs.OnChange = [this] { UpdateTabs(); };
}

void TTabControl::CreateParams(TCreateParams& params) {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)registered;
  TWinControl::CreateParams(params);
  params.BaseClass = WC_TABCONTROLW;
  params.Style |= WS_CLIPCHILDREN;
}

void TTabControl::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateTabs();
}

int32_t TTabControl::TabIndex() const {
  if (!HandleAllocated()) return FTabIndex;
  return static_cast<int32_t>(SendMessageW(const_cast<TTabControl*>(this)->Handle(), TCM_GETCURSEL, 0, 0));
}

void TTabControl::SetTabIndex(int32_t value) {
  FTabIndex = value;
  if (HandleAllocated()) SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(value), 0);
}

// The window's items follow the Tabs list.
void TTabControl::UpdateTabs() {
  if (!HandleAllocated()) return;
  HWND window = Handle();
  SendMessageW(window, TCM_DELETEALLITEMS, 0, 0);
  for (int i = 0; i < FTabs.Count(); ++i) {
    std::wstring text = Utf8ToWide(FTabs[i]);
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(window, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  if (FTabIndex >= 0 && FTabIndex < FTabs.Count()) SendMessageW(window, TCM_SETCURSEL, static_cast<WPARAM>(FTabIndex), 0);
  AlignControls();
  Invalidate();
}

RECT TTabControl::DisplayRect() {
  RECT rect = ClientRect();
  AdjustClientRect(rect);
  return rect;
}

void TTabControl::AdjustClientRect(RECT& rect) {
  if (HandleAllocated()) SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
}

void TTabControl::WndProc(TMessage& message) {
  if (message.Msg == CN_NOTIFY) {
    auto* header = reinterpret_cast<NMHDR*>(message.LParam);
    if (header->code == TCN_SELCHANGE) {
      FTabIndex = TabIndex();
      OnChange(this);
    }
    message.Result = 0;
    return;
  }
  TWinControl::WndProc(message);
}
