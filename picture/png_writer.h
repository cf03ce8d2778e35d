// A small PNG writer for tests, seeds and benchmarks: it lays out chunks with their CRCs and
// deflates rows that it filters with one chosen filter type. Pure code over zlib.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One chunk: the 4-byte name and the data; the length and CRC are added when it is written.
struct TPngChunkSpec {
  std::string Name;
  std::vector<uint8_t> Data;
};

struct TPngWriteSpec {
  uint32_t Width = 1;
  uint32_t Height = 1;
  uint8_t BitDepth = 8;
  uint8_t ColorType = 2;
  uint8_t Interlace = 0;       // 0 or 1 (Adam7)
  uint8_t Filter = 0;          // the filter type of every row, 0 to 4
  // The samples as PNG packs them, Height rows of (Width x bits per pixel + 7) / 8 bytes, top row
  // first; 16-bit samples big-endian.
  std::vector<uint8_t> Rows;
  std::vector<TPngChunkSpec> BeforeData;  // between IHDR and IDAT (PLTE, tRNS, gAMA...)
  std::vector<TPngChunkSpec> AfterData;   // between the last IDAT and IEND
  size_t IdatSize = 0;         // split the compressed data into chunks of this size (0: one chunk)
  int Level = 6;               // zlib compression level
};

// The signature, then the chunks as given.
std::vector<uint8_t> PngFile(const std::vector<TPngChunkSpec>& chunks);
// Appends one chunk with its length and CRC.
void AppendPngChunk(std::vector<uint8_t>& file, const TPngChunkSpec& chunk);
// The 13 bytes of an IHDR chunk's data.
std::vector<uint8_t> PngHeaderData(uint32_t width, uint32_t height, uint8_t depth, uint8_t colorType,
                                   uint8_t interlace);
// The filtered (and, with Adam7, interlaced) rows of spec, deflated: the zlib stream of its IDATs.
std::vector<uint8_t> PngImageStream(const TPngWriteSpec& spec);
// A whole file.
std::vector<uint8_t> WritePng(const TPngWriteSpec& spec);
