#include "framework/timer.h"

#include "framework/controls/controls.h"

namespace {

constexpr wchar_t kTimerWindowClass[] = L"TTimerWindow";

}  // namespace

const TClassInfo& TTimer::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TTimer>("TTimer", &TComponent::StaticClassInfo())
                                     .Boolean("Enabled", &TTimer::Enabled, &TTimer::SetEnabled)
                                     .Integer("Interval", &TTimer::Interval, &TTimer::SetInterval)
                                     .Event("OnTimer", &TTimer::OnTimer)
                                     .Creatable()
                                     .Build();
  return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kTimerWindowClass;
  RegisterClassW(&windowClass);  // fails harmlessly once registered
  FWindow = CreateWindowExW(0, kTimerWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  if (FWindow) SetWindowLongPtrW(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TTimer::~TTimer() {
  if (FWindow) {
    if (FRunning) KillTimer(FWindow, 1);
    DestroyWindow(FWindow);
  }
}

void TTimer::SetEnabled(bool value) {
  FEnabled = value;
  UpdateTimer();
}

void TTimer::SetInterval(int32_t value) {
  FInterval = value;
  UpdateTimer();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (!FWindow) return;
  if (FRunning) KillTimer(FWindow, 1);
  FRunning = false;
  if (FEnabled && FInterval > 0 && OnTimer.Assigned() && !Loading()) {
    FRunning = SetTimer(FWindow, 1, static_cast<UINT>(FInterval), nullptr) != 0;
  }
}

LRESULT CALLBACK TTimer::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) {
    auto* timer = reinterpret_cast<TTimer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (timer) {
      // Like every handler, a failing OnTimer reaches the exception display, not the system.
      GuardedCall([&] { timer->OnTimer(timer); });
    }
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
