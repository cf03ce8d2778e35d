// TStrings: an ordered list of text lines, stored in definitions as its "Strings" list.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/core/classes.h"

class TStrings : public TPersistent {
  CORVALE_DECLARE_CLASS()

public:
  TStrings() = default;
  explicit TStrings(std::vector<std::string> lines) : FLines(std::move(lines)) {}

  int Count() const { return static_cast<int>(FLines.size()); }
  const std::string& operator[](int index) const { return FLines[static_cast<size_t>(index)]; }
  const std::vector<std::string>& Lines() const { return FLines; }
  void Add(std::string line) { Insert(Count(), std::move(line)); }
  void Insert(int index, std::string line);
  void Clear() { SetLines({}); }
  void Assign(const TStrings& other) { SetLines(other.FLines); }
  void SetLines(std::vector<std::string> lines);
  int IndexOf(const std::string& line) const;  // case-insensitive, -1 when absent

  // The lines joined with CR LF after each; setting splits at CR LF, CR or LF, and a NUL byte ends
  // the text. Line bytes are kept as they are.
  std::string Text() const;
  void SetText(const std::string& text);

  bool ReadList(const std::string& name, const std::vector<std::string>& items) override;

  // Called after every change (a control that shows the list updates its window).
  std::function<void()> OnChange;

private:
  std::vector<std::string> FLines;
};
