// The INI reader on arbitrary text: reads, then edits, after which every section must still be
// found at the line its index names.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "skin/data/quick_ini.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TMemoryStream stream(data, size);
  TQuickIni ini;
  ini.LoadFromStream(&stream);
  TQuickIni::TStrings sections, lines;
  ini.ReadSections(sections);
  for (const std::string& section : sections) {
    ini.ReadSection(section, lines);
    for (const std::string& key : lines) {
      ini.ReadInteger(section, key, 0);
      ini.ReadString(section, key, "");
    }
  }
  if (!sections.empty()) {
    const std::string& first = sections.front();
    ini.WriteString(first, "Fuzz", "1");
    ini.WriteString("Appended", "k", "v");
    ini.DeleteKey(first, lines.empty() ? "x" : lines.front());
    ini.EraseSection(sections.back());
    if (ini.ReadString("Appended", "k", "") != "v" && sections.back() != "Appended") std::abort();
  }
  return 0;
}
