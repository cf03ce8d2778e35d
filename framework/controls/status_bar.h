// TStatusBar: the system status bar as a superclass, aligned to the bottom, with a simple text.
#pragma once

#include "framework/controls/controls.h"

class TStatusBar : public TWinControl {
  CORVALE_DECLARE_CLASS()

public:
  explicit TStatusBar(TComponent* owner);

  std::wstring SimpleText() const { return FSimpleText; }
  void SetSimpleText(const std::wstring& value);
  bool SimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool value);

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;

private:
  void UpdateText();

  std::wstring FSimpleText;
  bool FSimplePanel = true;  // this bar has no panels: the simple text is all it shows
};
