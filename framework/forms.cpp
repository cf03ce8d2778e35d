#include "framework/forms.h"

#include <algorithm>

#include "framework/dialogs.h"
#include "framework/controls/messages.h"

namespace {

TApplication* gApplication = nullptr;
TApplication::TMessageBoxFunction gMessageBox = [](HWND owner, const wchar_t* text, const wchar_t* caption,
                                                   UINT type) { return MessageBoxW(owner, text, caption, type); };

void ApplicationExceptionHandler(const std::exception& error) {
  if (gApplication) gApplication->ShowException(error);
}

LRESULT CALLBACK ApplicationWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

// Keys that move between controls or press default buttons, unless the focused window wants them.
bool IsDialogKeyMessage(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
  switch (message.wParam) {
    case VK_TAB: case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_RETURN: case VK_ESCAPE:
    case VK_EXECUTE: case VK_CANCEL: break;
    default: return false;
  }
  LRESULT code = SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message));
  if (code & DLGC_WANTALLKEYS) return false;
  if (message.wParam == VK_TAB && (code & DLGC_WANTTAB)) return false;
  bool arrow = message.wParam >= VK_LEFT && message.wParam <= VK_DOWN;
  if (arrow && (code & DLGC_WANTARROWS)) return false;
  return true;
}

// The top-level framework control above a window, or null.
TWinControl* TopLevelControl(HWND window) {
  TWinControl* found = nullptr;
  for (HWND walk = window; walk; walk = GetParent(walk)) {
    if (auto* control = dynamic_cast<TWinControl*>(FindControl(walk))) found = control;
    if (!(GetWindowLongPtrW(walk, GWL_STYLE) & WS_CHILD)) break;
  }
  while (found && found->Parent()) found = found->Parent();
  return found;
}

}  // namespace

TScreen& Screen() {
  static TScreen screen;
  return screen;
}

TApplication* Application() { return gApplication; }

// ---- TForm ----------------------------------------------------------------------------------------

const TClassInfo& TForm::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TForm>("TForm", &TWinControl::StaticClassInfo())
          .Enumeration("BorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"},
                       &TForm::BorderStyle, &TForm::SetBorderStyle)
          .Set("BorderIcons", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}, &TForm::BorderIcons,
               &TForm::SetBorderIcons)
          .Enumeration("Position", {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                                    "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"},
                       &TForm::Position, &TForm::SetPosition)
          .Enumeration("WindowState", {"wsNormal", "wsMinimized", "wsMaximized"}, &TForm::WindowState,
                       &TForm::SetWindowState)
          .Integer("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth)
          .Integer("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight)
          .Integer("PixelsPerInch", &TForm::PixelsPerInch, &TForm::SetPixelsPerInch)
          .Integer("ModalResult", &TForm::ModalResult, &TForm::SetModalResult)
          .Boolean("AutoScroll", &TForm::AutoScroll, &TForm::SetAutoScroll)
          .Event("OnShow", &TForm::OnShow)
          .Event("OnClose", &TForm::OnClose)
          .Build();
  return info;
}

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  SetVisible(false);  // forms appear when shown
  Screen().FForms.push_back(this);
}

TForm::~TForm() {
  auto& forms = Screen().FForms;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  DestroyHandle();
}

void TForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  DWORD style = WS_CLIPCHILDREN;
  DWORD exStyle = 0;
  switch (FBorderStyle) {
    case TFormBorderStyle::bsNone: style |= WS_POPUP; break;
    case TFormBorderStyle::bsSingle: style |= WS_CAPTION | WS_BORDER; break;
    case TFormBorderStyle::bsSizeable: style |= WS_CAPTION | WS_THICKFRAME; break;
    case TFormBorderStyle::bsDialog:
      style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME;
      exStyle |= WS_EX_DLGMODALFRAME;
      break;
    case TFormBorderStyle::bsToolWindow:
      style |= WS_CAPTION;
      exStyle |= WS_EX_TOOLWINDOW;
      break;
    case TFormBorderStyle::bsSizeToolWin:
      style |= WS_CAPTION | WS_THICKFRAME;
      exStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (FBorderStyle != TFormBorderStyle::bsNone) {
    if (FBorderIcons & biSystemMenu) style |= WS_SYSMENU;
    bool dialog = FBorderStyle == TFormBorderStyle::bsDialog;
    if ((FBorderIcons & biMinimize) && !dialog) style |= WS_MINIMIZEBOX;
    if ((FBorderIcons & biMaximize) && !dialog) style |= WS_MAXIMIZEBOX;
    if ((FBorderIcons & biHelp) && (dialog || !(FBorderIcons & (biMinimize | biMaximize)))) exStyle |= WS_EX_CONTEXTHELP;
  }
  params.Style = style;
  params.ExStyle = exStyle;
}

void TForm::CreateWnd() {
  TWinControl::CreateWnd();
  ApplyClientSize();
  if (FPosition == TPosition::poScreenCenter || FPosition == TPosition::poDesktopCenter) {
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetBounds(work.left + (work.right - work.left - Width()) / 2, work.top + (work.bottom - work.top - Height()) / 2,
              Width(), Height());
  }
}

// The stored client size wins over the stored outer size once the frame's size is known.
void TForm::ApplyClientSize() {
  if (!HandleAllocated() || FClientWidth <= 0 || FClientHeight <= 0) return;
  RECT rect{0, 0, FClientWidth, FClientHeight};
  AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)));
  SetBounds(Left(), Top(), rect.right - rect.left, rect.bottom - rect.top);
}

void TForm::SetClientWidth(int32_t value) {
  FClientWidth = value;
  ApplyClientSize();
}

void TForm::SetClientHeight(int32_t value) {
  FClientHeight = value;
  ApplyClientSize();
}

void TForm::SetWindowState(TWindowState value) {
  FWindowState = value;
  if (HandleAllocated() && Visible()) {
    ShowWindow(Handle(), value == TWindowState::wsMaximized ? SW_SHOWMAXIMIZED
                         : value == TWindowState::wsMinimized ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);
  }
}

void TForm::Show() {
  HWND window = Handle();
  SetVisible(true);
  ShowWindow(window, FWindowState == TWindowState::wsMaximized ? SW_SHOWMAXIMIZED
                     : FWindowState == TWindowState::wsMinimized ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);
  SetForegroundWindow(window);
}

namespace {

BOOL CALLBACK DisableOtherWindows(HWND window, LPARAM lParam) {
  auto* disabled = reinterpret_cast<std::pair<HWND, std::vector<HWND>>*>(lParam);
  if (window != disabled->first && IsWindowVisible(window) && IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    disabled->second.push_back(window);
  }
  return TRUE;
}

}  // namespace

TModalResult TForm::ShowModal() {
  if (FModal || Visible()) throw Exception("Cannot make a visible window modal");
  HWND window = Handle();
  std::pair<HWND, std::vector<HWND>> disabled{window, {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableOtherWindows, reinterpret_cast<LPARAM>(&disabled));
  FModal = true;
  FModalResult = 0;
  Show();
  MSG message;
  while (FModalResult == 0 && HandleAllocated() && Visible()) {
    BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));  // leave WM_QUIT for the main loop
      if (FModalResult == 0) FModalResult = IDCANCEL;
      break;
    }
    TApplication::HandleMessage(message);
  }
  // Others first, so that activation returns to the window that was active before.
  for (HWND other : disabled.second) EnableWindow(other, TRUE);
  FModal = false;
  if (HandleAllocated()) SetVisible(false);
  return FModalResult;
}

void TForm::Close() {
  if (FModal) {
    FModalResult = IDCANCEL;
    return;
  }
  TCloseAction action = Application() && Application()->MainForm() == this ? TCloseAction::caFree : TCloseAction::caHide;
  OnClose(this, action);
  switch (action) {
    case TCloseAction::caNone: break;
    case TCloseAction::caHide: Hide(); break;
    case TCloseAction::caMinimize: SetWindowState(TWindowState::wsMinimized); break;
    case TCloseAction::caFree:
      Hide();
      if (Application() && Application()->MainForm() == this) Application()->Terminate();
      break;
  }
}

void TForm::Release() {
  if (HandleAllocated()) PostMessageW(Handle(), CM_RELEASE, 0, 0);
}

void TForm::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_CLOSE: WMClose(message); return;
    case WM_SHOWWINDOW: WMShowWindow(message); return;
    case CM_FOCUSCHANGED: CMFocusChanged(message); return;
    case CM_DIALOGKEY: CMDialogKey(message); return;
    case CM_RELEASE: delete this; return;
    default: TWinControl::WndProc(message);
  }
}

void TForm::CMFocusChanged(TMessage& message) {
  auto* control = reinterpret_cast<TWinControl*>(message.LParam);
  if (control == this) return;
  if (FActiveControl) FActiveControl->RemoveFreeNotification(this);
  FActiveControl = control;
  if (control) control->FreeNotification(this);
}

void TForm::Notification(TComponent* component, bool removing) {
  TWinControl::Notification(component, removing);
  if (removing && component == FActiveControl) FActiveControl = nullptr;
}

// The controls see a dialog key first; Tab and Shift+Tab then move the focus.
void TForm::CMDialogKey(TMessage& message) {
  BroadcastToControls(message);
  if (message.Result || message.WParam != VK_TAB || GetKeyState(VK_CONTROL) < 0) return;
  SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0);
  message.Result = 1;
}

void TForm::WMClose(TMessage& message) {
  Close();
  message.Result = 0;
}

void TForm::WMShowWindow(TMessage& message) {
  DefaultHandler(message);
  if (message.WParam) OnShow(this);
}

// ---- TApplication ---------------------------------------------------------------------------------

const TClassInfo& TApplication::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TApplication>("TApplication", &TComponent::StaticClassInfo()).Build();
  return info;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
  gApplication = this;
  SetExceptionHandler(ApplicationExceptionHandler);
}

TApplication::~TApplication() {
  DestroyComponents();
  if (FHandle) DestroyWindow(FHandle);
  if (gApplication == this) {
    gApplication = nullptr;
    SetExceptionHandler(nullptr);
  }
}

void TApplication::Initialize() {
  if (FHandle) return;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = ApplicationWndProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"TApplication";
  RegisterClassW(&windowClass);  // fails harmlessly when already registered
  // The hidden application window: the skin engine recognises it by its class and leaves it alone.
  FHandle = CreateWindowExW(0, L"TApplication", Utf8ToWide(Title()).c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 0,
                            nullptr, nullptr, instance, nullptr);
  // The program's icon, asked for by WM_GETICON (the skin engine draws it in title bars).
  FIcon = LoadIconW(instance, L"MAINICON");
  if (FHandle && FIcon) {
    SendMessageW(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(FIcon));
    SendMessageW(FHandle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(FIcon));
  }
}

std::string TApplication::Title() const { return ApplicationTitle(); }

void TApplication::SetTitle(const std::string& title) {
  SetApplicationTitle(title);
  if (FHandle) SetWindowTextW(FHandle, Utf8ToWide(title).c_str());
}

void TApplication::Run() {
  if (FMainForm) FMainForm->Show();
  MSG message;
  while (!FTerminated) {
    BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) break;
    HandleMessage(message);
  }
}

void TApplication::HandleMessage(MSG& message) {
  if (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) {
    for (HWND walk = message.hwnd; walk; walk = GetParent(walk)) {
      if (auto* control = dynamic_cast<TWinControl*>(FindControl(walk)); control && control->PreProcessMessage(message)) {
        return;
      }
      if (!(GetWindowLongPtrW(walk, GWL_STYLE) & WS_CHILD)) break;
    }
  }
  if (IsDialogKeyMessage(message)) {
    if (TWinControl* top = TopLevelControl(message.hwnd)) {
      if (top->Perform(CM_DIALOGKEY, message.wParam, message.lParam)) return;
    }
  }
  // Alt+letter: a control whose caption has that accelerator, or the form (a menu bar), takes it.
  if (message.message == WM_SYSCHAR) {
    if (TWinControl* top = TopLevelControl(message.hwnd)) {
      if (top->Perform(CM_DIALOGCHAR, message.wParam, message.lParam)) return;
    }
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void TApplication::Terminate() {
  FTerminated = true;
  PostQuitMessage(0);
}

bool TApplication::ProcessMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      FTerminated = true;
      return false;
    }
    HandleMessage(message);
  }
  return true;
}

void TApplication::ShowException(const std::exception& error) {
  std::wstring text = Utf8ToWide(error.what());
  if (!text.empty() && text.back() != L'.') text += L'.';
  gMessageBox(GetActiveWindow(), text.c_str(), Utf8ToWide(Title()).c_str(), MB_OK | MB_ICONSTOP);
}

void TApplication::SetMessageBoxFunction(TMessageBoxFunction function) {
  gMessageBox = function ? function : [](HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
    return MessageBoxW(owner, text, caption, type);
  };
}
