// The skin description's colour syntax on arbitrary text: the colour always has the three numbers'
// low bytes and nothing above them, and an empty text falls back.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "skin/data/colour_syntax.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  TSkinColor colour = strcolor(text);
  if (static_cast<uint32_t>(colour) > 0xFFFFFFu) std::abort();
  if (GetColor(text, -7) != (text.empty() ? -7 : colour)) std::abort();
  // Separators do not matter: commas read as spaces do.
  std::string commas = text;
  for (char& c : commas) {
    if (c == ' ') c = ',';
  }
  if (strcolor(commas) != colour) std::abort();
  return 0;
}
