// TLabel: a caption painted on its parent.
#pragma once

#include "framework/controls/controls.h"

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TLabel : public TGraphicControl {
  CORVALE_DECLARE_CLASS()

public:
  explicit TLabel(TComponent* owner);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  void Paint(HDC dc) override;

protected:
  void TextChanged() override { Invalidate(); }

private:
  TAlignment FAlignment = TAlignment::taLeftJustify;
  bool FTransparent = false;
};
