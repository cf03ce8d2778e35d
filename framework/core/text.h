// Small text helpers: ASCII case for the skin formats' names, and the one UTF-8/UTF-16 conversion pair
// the program uses (strings are UTF-8 inside, UTF-16 at the Windows API). Pure code.
#pragma once

#include <cstdint>
#include <string>

// ASCII letters A-Z to lower case; every other byte unchanged, as the skin formats compare names.
inline char LowerCaseChar(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

inline std::string LowerCase(std::string text) {
  for (char& ch : text) ch = LowerCaseChar(ch);
  return text;
}

// Appends one code point (up to U+10FFFF) in UTF-8.
inline void AppendUtf8(std::string& out, uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | code >> 18);
    out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// UTF-8 to UTF-16 and back without the Windows API, so both trees convert alike. A malformed sequence
// or an unpaired surrogate becomes U+FFFD, as MultiByteToWideChar does.
std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);
