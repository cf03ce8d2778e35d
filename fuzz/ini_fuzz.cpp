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
    ini.WriteString(sections.front(), "Fuzz", "1");
    ini.DeleteKey(sections.front(), lines.empty() ? "x" : lines.front());
    ini.EraseSection(sections.back());
  }
  // Whatever came before, a key just written is read back from the same section.
  ini.WriteString("Fuzz Appended", "k", "v");
  if (ini.ReadString("fuzz appended", "K", "") != "v") std::abort();
  ini.EraseSection("Fuzz Appended");
  return 0;
}
