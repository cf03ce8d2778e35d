// The codec on arbitrary bytes: as a packed stream (must decode or raise ElzhException, within the
// output bound), and as plain data (must pack and unpack back to itself).
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "skin/data/lzh.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    TMemoryStream packed(data, size), plain;
    TLZH::Decompress(packed, plain, 1 << 22);
  } catch (const ElzhException&) {
  }
  if (size <= 1 << 16) {
    TMemoryStream source(data, size), packed, plain;
    TLZH::Compress(source, packed);
    TLZH::Decompress(packed, plain);
    if (plain.Size() != size || (size && std::memcmp(plain.Memory(), data, size) != 0)) std::abort();
  }
  return 0;
}
