#include "framework/string_list.h"

#include "framework/text.h"

const TClassInfo& TStrings::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TStrings>("TStrings", &TPersistent::StaticClassInfo()).Build();
  return info;
}

int TStrings::IndexOf(const std::string& line) const {
  std::string wanted = LowerCase(line);
  for (size_t i = 0; i < FLines.size(); ++i) {
    if (LowerCase(FLines[i]) == wanted) return static_cast<int>(i);
  }
  return -1;
}

std::string TStrings::Text() const {
  std::string text;
  for (const std::string& line : FLines) text += line + "\r\n";
  return text;
}

void TStrings::SetText(const std::string& text) {
  FLines.clear();
  size_t i = 0;
  while (i < text.size()) {
    size_t start = i;
    while (i < text.size() && text[i] != '\r' && text[i] != '\n') ++i;
    FLines.emplace_back(text, start, i - start);
    if (i < text.size() && text[i] == '\r') ++i;
    if (i < text.size() && text[i] == '\n') ++i;
  }
}

bool TStrings::ReadList(const std::string& name, const std::vector<std::string>& items) {
  if (LowerCase(name) != "strings") return false;
  FLines = items;
  return true;
}
