// Little-endian integers in file formats (BMP, ICO, skin archives), read from and appended to byte
// buffers. Pure code.
#pragma once

#include <cstdint>

inline uint16_t GetLE16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
inline uint32_t GetLE32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

// Appends to any byte container (std::vector<uint8_t>, std::string).
template <class Bytes>
void PutLE16(Bytes& out, uint32_t value) {
  using Byte = typename Bytes::value_type;
  out.push_back(static_cast<Byte>(value & 0xFF));
  out.push_back(static_cast<Byte>((value >> 8) & 0xFF));
}
template <class Bytes>
void PutLE32(Bytes& out, uint32_t value) {
  PutLE16(out, value & 0xFFFF);
  PutLE16(out, value >> 16);
}
