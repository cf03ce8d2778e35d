// Small text helpers shared by the readers of skin data. Pure code.
#pragma once

#include <string>

// ASCII letters A-Z to lower case; every other byte unchanged, as the skin formats compare names.
inline char LowerCaseChar(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

inline std::string LowerCase(std::string text) {
  for (char& ch : text) ch = LowerCaseChar(ch);
  return text;
}
