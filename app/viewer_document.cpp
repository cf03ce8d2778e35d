#include "app/viewer_document.h"

#include <cstring>

const char* const kStylesheetLine = "<?xml-stylesheet type=\"text/xsl\" href=\"Corvale.xsl\"?>";

namespace {

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// "<?xml" followed by white space: the declaration, not an instruction whose name merely begins
// with "xml" (such as a stylesheet line already there).
bool StartsWithDeclaration(const std::string& line) {
  size_t at = line.compare(0, 3, kUtf8Bom) == 0 ? 3 : 0;
  if (line.compare(at, 5, "<?xml") != 0 || line.size() <= at + 5) return false;
  char next = line[at + 5];
  return next == ' ' || next == '\t' || next == '\r' || next == '\n';
}

}  // namespace

void InsertStylesheetLine(TStrings& lines) {
  if (lines.Count() == 0 || !StartsWithDeclaration(lines[0])) {
    lines.Insert(0, kStylesheetLine);
    return;
  }
  // The declaration may go on over several lines; it ends at the first "?>".
  for (int i = 0; i < lines.Count(); ++i) {
    size_t end = lines[i].find("?>");
    if (end == std::string::npos) continue;
    end += 2;
    std::vector<std::string> all = lines.Lines();
    std::string rest = all[static_cast<size_t>(i)].substr(end);
    all[static_cast<size_t>(i)].resize(end);
    auto after = all.begin() + i + 1;
    if (!rest.empty()) after = all.insert(after, rest);
    all.insert(after, kStylesheetLine);
    lines.SetLines(std::move(all));
    return;
  }
  // An unterminated declaration is not XML: the line goes first, as for any other text.
  lines.Insert(0, kStylesheetLine);
}
