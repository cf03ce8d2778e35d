// A plain C-style LZHUF, written the way the published algorithm reads: global-style tables of the
// listed types, one byte per call through function-pointer callbacks. The benchmarks measure TLZH
// against it and the tests use it as an independent second implementation.
#pragma once

#include <cstdint>
#include <vector>

struct PlainIo {
  int (*getc)(void* context);             // next byte, or -1 at the end
  void (*putc)(void* context, int byte);
  void* context;
};

// Returns the number of source bytes read; writes no size field.
long PlainLzhEncode(const PlainIo& io);
void PlainLzhDecode(long size, const PlainIo& io);

// Memory conveniences with the 4-byte size field, as the streams carry it.
std::vector<uint8_t> PlainLzhPack(const std::vector<uint8_t>& input);
std::vector<uint8_t> PlainLzhUnpack(const std::vector<uint8_t>& packed);
