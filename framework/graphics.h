// Colours, and the drawing objects built on GDI: brushes, pens and canvases.
#pragma once

#include <windows.h>

#include <cstdint>

using TColor = int32_t;  // 0x00BBGGRR, or 0x80000000 | system colour index

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor clBtnFace = static_cast<TColor>(0x80000000u | COLOR_BTNFACE);
constexpr TColor clWindowText = static_cast<TColor>(0x80000000u | COLOR_WINDOWTEXT);

// An RGB value for a colour that may name a system colour.
TColor ColorToRGB(TColor color);
