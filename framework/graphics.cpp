#include "framework/graphics.h"

TColor ColorToRGB(TColor color) {
  uint32_t value = static_cast<uint32_t>(color);
  if (value & 0x80000000u) return static_cast<TColor>(GetSysColor(static_cast<int>(value & 0xFF)));
  return color;
}
