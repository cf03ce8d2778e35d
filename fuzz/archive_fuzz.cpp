// The archive reader on arbitrary unpacked archives: every file it lists must be readable by name,
// inside the archive's bounds.
#include <cstdint>
#include <cstdlib>

#include "skin/data/archive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TSkinReader reader;
  if (!reader.LoadArchive(data, size)) return 0;
  uint64_t total = 0;
  TMemoryStream stream;
  for (int i = 0; i < reader.Count(); ++i) {
    reader.readfile(reader.Names()[i], stream);
    if (stream.Size() > size) std::abort();
    reader.ReadEntry(i, stream);
    if (stream.Size() != static_cast<uint64_t>(reader.FileSize(i))) std::abort();
    total += stream.Size();
  }
  if (total > size) std::abort();
  std::string name;
  reader.readIni(".ini", stream, name);
  return 0;
}
