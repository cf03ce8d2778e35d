// TStrings: an ordered list of text lines, stored in definitions as its "Strings" list.
#pragma once

#include <string>
#include <vector>

#include "framework/classes.h"

class TStrings : public TPersistent {
  CORVALE_DECLARE_CLASS()

public:
  TStrings() = default;
  explicit TStrings(std::vector<std::string> lines) : FLines(std::move(lines)) {}

  int Count() const { return static_cast<int>(FLines.size()); }
  const std::string& operator[](int index) const { return FLines[static_cast<size_t>(index)]; }
  const std::vector<std::string>& Lines() const { return FLines; }
  void Add(std::string line) { FLines.push_back(std::move(line)); }
  void Clear() { FLines.clear(); }
  void Assign(const TStrings& other) { FLines = other.FLines; }
  void SetLines(std::vector<std::string> lines) { FLines = std::move(lines); }
  int IndexOf(const std::string& line) const;  // case-insensitive, -1 when absent

  // The lines joined with CR LF after each; setting splits at CR LF, CR or LF.
  std::string Text() const;
  void SetText(const std::string& text);

  bool ReadList(const std::string& name, const std::vector<std::string>& items) override;

private:
  std::vector<std::string> FLines;
};
