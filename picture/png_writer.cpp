#include "picture/png_writer.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace {

void PutBE32(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value >> 24));
  out.push_back(static_cast<uint8_t>(value >> 16));
  out.push_back(static_cast<uint8_t>(value >> 8));
  out.push_back(static_cast<uint8_t>(value));
}

int Channels(uint8_t colorType) {
  switch (colorType) {
    case 2: return 3;
    case 4: return 2;
    case 6: return 4;
    default: return 1;
  }
}

uint8_t PaethPredictor(int a, int b, int c) {
  int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
  if (pa <= pb && pa <= pc) return static_cast<uint8_t>(a);
  return static_cast<uint8_t>(pb <= pc ? b : c);
}

// Filter byte and filtered bytes of one row, given the unfiltered prior row (zeros for the first).
void AppendFiltered(std::vector<uint8_t>& out, const uint8_t* row, const uint8_t* prior, size_t length, size_t bpp,
                    uint8_t filter) {
  out.push_back(filter);
  for (size_t i = 0; i < length; ++i) {
    int a = i >= bpp ? row[i - bpp] : 0, b = prior[i], c = i >= bpp ? prior[i - bpp] : 0;
    int predicted = 0;
    switch (filter) {
      case 1: predicted = a; break;
      case 2: predicted = b; break;
      case 3: predicted = (a + b) / 2; break;
      case 4: predicted = PaethPredictor(a, b, c); break;
      default: break;
    }
    out.push_back(static_cast<uint8_t>(row[i] - predicted));
  }
}

}  // namespace

void AppendPngChunk(std::vector<uint8_t>& file, const TPngChunkSpec& chunk) {
  PutBE32(file, static_cast<uint32_t>(chunk.Data.size()));
  size_t start = file.size();
  file.insert(file.end(), chunk.Name.begin(), chunk.Name.begin() + 4);
  file.insert(file.end(), chunk.Data.begin(), chunk.Data.end());
  PutBE32(file, static_cast<uint32_t>(crc32(0, file.data() + start, static_cast<uInt>(file.size() - start))));
}

std::vector<uint8_t> PngFile(const std::vector<TPngChunkSpec>& chunks) {
  std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  for (const TPngChunkSpec& chunk : chunks) AppendPngChunk(file, chunk);
  return file;
}

std::vector<uint8_t> PngHeaderData(uint32_t width, uint32_t height, uint8_t depth, uint8_t colorType,
                                   uint8_t interlace) {
  std::vector<uint8_t> data;
  PutBE32(data, width);
  PutBE32(data, height);
  data.insert(data.end(), {depth, colorType, 0, 0, interlace});
  return data;
}

std::vector<uint8_t> PngImageStream(const TPngWriteSpec& spec) {
  const size_t bits = static_cast<size_t>(Channels(spec.ColorType)) * spec.BitDepth;
  const size_t bpp = std::max<size_t>(1, bits / 8);
  const size_t rowBytes = (spec.Width * bits + 7) / 8;
  if (spec.Rows.size() < rowBytes * spec.Height) throw std::invalid_argument("PNG rows too short");
  auto sample = [&](uint32_t x, uint32_t y) {  // the pixel's bits, as an unsigned value or bytes
    return spec.Rows.data() + y * rowBytes + x * bits / 8;
  };
  std::vector<uint8_t> raw;
  struct TPass {
    uint32_t X0, Y0, DX, DY;
  };
  static const TPass kFull[1] = {{0, 0, 1, 1}};
  static const TPass kAdam7[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                  {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
  const TPass* passes = spec.Interlace ? kAdam7 : kFull;
  for (int p = 0; p < (spec.Interlace ? 7 : 1); ++p) {
    const TPass& pass = passes[p];
    if (spec.Width <= pass.X0 || spec.Height <= pass.Y0) continue;
    uint32_t width = (spec.Width - pass.X0 + pass.DX - 1) / pass.DX;
    size_t length = (width * bits + 7) / 8;
    std::vector<uint8_t> prior(length, 0), row(length);
    for (uint32_t y = pass.Y0; y < spec.Height; y += pass.DY) {
      std::fill(row.begin(), row.end(), 0);
      for (uint32_t i = 0; i < width; ++i) {
        uint32_t x = pass.X0 + i * pass.DX;
        if (bits >= 8) {
          std::copy(sample(x, y), sample(x, y) + bits / 8, row.begin() + i * bits / 8);
        } else {
          size_t from = x * bits, to = i * bits;
          unsigned value = (spec.Rows[y * rowBytes + from / 8] >> (8 - bits - from % 8)) & ((1u << bits) - 1);
          row[to / 8] = static_cast<uint8_t>(row[to / 8] | value << (8 - bits - to % 8));
        }
      }
      AppendFiltered(raw, row.data(), prior.data(), length, bpp, spec.Filter);
      prior = row;
    }
  }
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> packed(size);
  if (compress2(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()), spec.Level) != Z_OK) {
    throw std::runtime_error("deflate failed");
  }
  packed.resize(size);
  return packed;
}

std::vector<uint8_t> WritePng(const TPngWriteSpec& spec) {
  std::vector<TPngChunkSpec> chunks;
  chunks.push_back({"IHDR", PngHeaderData(spec.Width, spec.Height, spec.BitDepth, spec.ColorType, spec.Interlace)});
  chunks.insert(chunks.end(), spec.BeforeData.begin(), spec.BeforeData.end());
  std::vector<uint8_t> stream = PngImageStream(spec);
  size_t piece = spec.IdatSize ? spec.IdatSize : std::max<size_t>(stream.size(), 1);
  for (size_t at = 0; at < stream.size() || at == 0; at += piece) {
    size_t end = std::min(stream.size(), at + piece);
    chunks.push_back({"IDAT", std::vector<uint8_t>(stream.begin() + at, stream.begin() + end)});
    if (end >= stream.size()) break;
  }
  chunks.insert(chunks.end(), spec.AfterData.begin(), spec.AfterData.end());
  chunks.push_back({"IEND", {}});
  return PngFile(chunks);
}
