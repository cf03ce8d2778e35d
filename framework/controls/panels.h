// TPanel: a window that groups controls, with an outer and an inner bevel and a centred caption.
#pragma once

#include "framework/controls/controls.h"

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TPanel : public TWinControl {
  CORVALE_DECLARE_CLASS()

public:
  explicit TPanel(TComponent* owner);

  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut value);
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut value);
  int32_t BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int32_t value);

protected:
  void Paint(HDC dc, const RECT& client) override;
  void TextChanged() override;
  // Aligned children stay inside the bevels.
  void AdjustClientRect(RECT& rect) override;

private:
  TBevelCut FBevelOuter = TBevelCut::bvRaised;
  TBevelCut FBevelInner = TBevelCut::bvNone;
  int32_t FBevelWidth = 1;
};
