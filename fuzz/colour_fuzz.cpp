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
  // Inside the value separators do not matter: commas read as spaces do. (At the ends they do:
  // blanks are trimmed first, so a trailing number may count only after a comma.)
  size_t first = text.find_first_not_of(" \t\r\n"), last = text.find_last_not_of(" \t\r\n");
  std::string inner = first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
  TSkinColor trimmed = strcolor(inner);
  if (trimmed != colour) std::abort();
  for (char& c : inner) {
    if (c == ' ') c = ',';
  }
  if (strcolor(inner) != colour) std::abort();
  return 0;
}
