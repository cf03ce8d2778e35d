// Colours as skin descriptions write them: three decimal numbers for red, green and blue, separated
// by anything that is not a digit ("227 238 253", "227,238,253"). Pure code.
#pragma once

#include <cstdint>
#include <string>

using TSkinColor = int32_t;  // a Windows COLORREF (red in the low byte), or a system colour (top bit)

TSkinColor RGBToColor(int32_t r, int32_t g, int32_t b);
// Runs of digits become red, green and blue in turn; a run still open at the end of the (trimmed)
// text counts only as blue, after exactly two numbers. Missing numbers are 0; each keeps its low 8 bits.
TSkinColor strcolor(const std::string& text);
// strcolor of the text, or the default when the text is empty.
TSkinColor GetColor(const std::string& text, TSkinColor defaultColor);
