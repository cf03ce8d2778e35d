// TTabControl: the system tab control as a framework control. With no tabs it is a framed panel:
// aligned children share the page inside the frame.
#pragma once

#include "framework/controls/controls.h"
#include "framework/core/string_list.h"

class TTabControl : public TWinControl {
  CORVALE_DECLARE_CLASS()

public:
  explicit TTabControl(TComponent* owner);

  TStrings* Tabs() const { return const_cast<TStrings*>(&FTabs); }
  int32_t TabIndex() const;
  void SetTabIndex(int32_t value);
  // The page inside the frame and below the tabs, in client coordinates.
  RECT DisplayRect();

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;
  void AdjustClientRect(RECT& rect) override;

private:
  void UpdateTabs();

  TStrings FTabs;
  int32_t FTabIndex = -1;
};
