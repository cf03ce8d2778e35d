// TFont: the typeface of a control, as definitions store it (Name, Height in pixels, negative for
// the character height, Style, Color), with the GDI font it makes, created when first needed.
#pragma once

#include "framework/win32.h"

#include <functional>
#include <string>

#include "framework/core/classes.h"
#include "framework/graphics/gdi.h"

enum TFontStyle : uint64_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

class TFont : public TPersistent {
  CORVALE_DECLARE_CLASS()

public:
  TFont() = default;
  TFont(const TFont& other) { Assign(other); }
  TFont& operator=(const TFont& other) {
    Assign(other);
    return *this;
  }

  std::string Name() const { return FName; }
  void SetName(const std::string& value);
  int32_t Height() const { return FHeight; }
  void SetHeight(int32_t value);
  uint64_t Style() const { return FStyle; }
  void SetStyle(uint64_t value);
  int32_t Color() const { return FColor; }
  void SetColor(int32_t value);
  void Assign(const TFont& other);

  // The GDI font, owned by this object; made anew after any change.
  HFONT Handle() const;
  // Called after every change (the owning control updates its window).
  std::function<void()> OnChange;

private:
  void Changed();

  std::string FName = "MS Sans Serif";
  int32_t FHeight = -11;
  uint64_t FStyle = 0;
  int32_t FColor = static_cast<int32_t>(0x80000000u | COLOR_WINDOWTEXT);
  mutable TFontHandle FHandle;
};
