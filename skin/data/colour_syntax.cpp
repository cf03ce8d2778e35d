#include "skin/data/colour_syntax.h"

#include <cstddef>

TSkinColor RGBToColor(int32_t r, int32_t g, int32_t b) {
  return static_cast<TSkinColor>((static_cast<uint32_t>(r) & 0xFF) | (static_cast<uint32_t>(g) & 0xFF) << 8 |
                                 (static_cast<uint32_t>(b) & 0xFF) << 16);
}

TSkinColor strcolor(const std::string& whole) {
  size_t first = whole.find_first_not_of(" \t\r\n");
  size_t last = whole.find_last_not_of(" \t\r\n");
  std::string text = first == std::string::npos ? std::string() : whole.substr(first, last - first + 1);
  uint32_t numbers[3] = {0, 0, 0};
  int stored = 0;
  uint32_t run = 0;
  bool inRun = false;
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      // Only the low 8 bits count in the end, and those survive wrapping.
      run = run * 10 + static_cast<uint32_t>(c - '0');
      inRun = true;
      continue;
    }
    if (inRun && stored < 3) numbers[stored++] = run;
    run = 0;
    inRun = false;
  }
  if (inRun && stored == 2) numbers[stored++] = run;
  return RGBToColor(static_cast<int32_t>(numbers[0] & 0xFF), static_cast<int32_t>(numbers[1] & 0xFF),
                    static_cast<int32_t>(numbers[2] & 0xFF));
}

TSkinColor GetColor(const std::string& text, TSkinColor defaultColor) {
  return text.empty() ? defaultColor : strcolor(text);
}
