#include "framework/core/string_list.h"

#include <algorithm>
#include <string_view>

#include "framework/core/text.h"

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

void TStrings::Insert(int index, std::string line) {
  size_t position = index < 0 ? 0 : std::min(static_cast<size_t>(index), FLines.size());
  FLines.insert(FLines.begin() + static_cast<std::ptrdiff_t>(position), std::move(line));
  if (OnChange) OnChange();
}

void TStrings::SetLines(std::vector<std::string> lines) {
  FLines = std::move(lines);
  if (OnChange) OnChange();
}

void TStrings::SetText(const std::string& whole) {
  std::string_view text(whole.data(), std::min(whole.find('\0'), whole.size()));
  std::vector<std::string> lines;
  size_t i = 0;
  while (i < text.size()) {
    size_t start = i;
    while (i < text.size() && text[i] != '\r' && text[i] != '\n') ++i;
    lines.emplace_back(text.substr(start, i - start));
    if (i < text.size() && text[i] == '\r') ++i;
    if (i < text.size() && text[i] == '\n') ++i;
  }
  SetLines(std::move(lines));
}

bool TStrings::ReadList(const std::string& name, const std::vector<std::string>& items) {
  if (LowerCase(name) != "strings") return false;
  SetLines(items);
  return true;
}
