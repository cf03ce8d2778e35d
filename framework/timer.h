// TTimer: a non-visual component that fires OnTimer every Interval milliseconds while Enabled,
// through a message-only window of its own.
#pragma once

#include "framework/win32.h"

#include "framework/core/classes.h"

class TTimer : public TComponent {
  CORVALE_DECLARE_CLASS()

public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  int32_t Interval() const { return FInterval; }
  void SetInterval(int32_t value);
  void Loaded() override;

  // Read by the form reader before Loaded starts the timer; set in code, it takes effect with the
  // next change of Enabled or Interval.
  TNotifyEvent OnTimer;

private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // The timer runs only while enabled, with a positive interval, a handler, and not while loading.
  void UpdateTimer();

  HWND FWindow = nullptr;
  bool FEnabled = true;
  int32_t FInterval = 1000;
  bool FRunning = false;
};
