// A plain C-style LZHUF, written the way the published algorithm reads: global-style tables of the
// listed types, one byte per call through function-pointer callbacks. The benchmarks measure TLZH
// against it and the tests use it as an independent second implementation.
#pragma once

#include <cstdint>
#include <vector>

// The codec's callbacks as the published interface has them: a read procedure asked for a count
// of bytes that reports how many it delivered, and a write procedure; the codec always asks for one.
struct PlainIo {
  void (*read)(void* context, uint8_t* buffer, uint16_t requested, uint16_t* obtained);
  void (*write)(void* context, const uint8_t* buffer, uint16_t count, uint16_t* written);
  void* context;
};

// Returns the number of source bytes read; writes no size field.
long PlainLzhEncode(const PlainIo& io);
void PlainLzhDecode(long size, const PlainIo& io);

// Memory conveniences with the 4-byte size field, as the streams carry it.
std::vector<uint8_t> PlainLzhPack(const std::vector<uint8_t>& input);
std::vector<uint8_t> PlainLzhUnpack(const std::vector<uint8_t>& packed);
