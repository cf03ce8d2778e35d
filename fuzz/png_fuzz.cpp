// The PNG decoder on arbitrary bytes: it either refuses with one of its own errors or yields
// storage whose sizes agree with its header, and every chunk accessor reads inside its data. Each
// input is also tried with its chunk CRCs made right, so that mutations reach the decoding behind
// the CRC check.
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "picture/png_decoder.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckImage(const TPngImage& image) {
  const TChunkIHDR* header = image.Header();
  Check(header != nullptr);
  size_t pixels = size_t{header->Width()} * header->Height();
  Check(pixels > 0 && pixels <= (1u << 20));
  Check(header->Stride() == (static_cast<size_t>(header->BitsPerPixel()) * header->Width() + 31) / 32 * 4);
  Check(header->ImageData().size() == header->Stride() * header->Height());
  Check(header->ExtraData().empty() || header->ExtraData().size() == header->ImageData().size());
  Check(header->AlphaData().empty() || header->AlphaData().size() == pixels);
  Check(header->BitsPerPixel() == 24 ? header->Palette().empty()
                                     : header->Palette().size() == size_t{1} << header->BitsPerPixel());
  uint32_t colour = 0;
  image.TransparentColor(colour);
  Check(image.TransparencyMode() != TPNGTransparencyMode::ptmBit || image.Transparency() != nullptr);
  for (const auto& chunk : image.Chunks()) {
    if (auto* text = dynamic_cast<const TChunktEXt*>(chunk.get())) {
      Check(text->Keyword().size() + text->Text().size() <= text->DataSize());
    } else if (auto* zipped = dynamic_cast<const TChunkzTXt*>(chunk.get())) {
      Check(zipped->Text(4096).size() <= 4096);
    } else if (auto* time = dynamic_cast<const TChunktIME*>(chunk.get())) {
      Check(time->Year() <= 65535 && time->Second() >= 0);
    } else if (auto* physical = dynamic_cast<const TChunkpHYs*>(chunk.get())) {
      Check(physical->DataSize() >= 9 || physical->PPUnitX() == 0);
    }
  }
}

void Decode(const uint8_t* data, size_t size) {
  TPngImage image;
  try {
    image.LoadFromMemory(data, size, 1 << 20);
  } catch (const EPNGError&) {
    Check(image.Empty());
    return;
  }
  CheckImage(image);
}

// A copy whose chunks, as far as their lengths stay inside the input, carry correct CRCs.
std::vector<uint8_t> WithCorrectCrcs(const uint8_t* data, size_t size) {
  std::vector<uint8_t> file(data, data + size);
  size_t at = 8;
  while (at + 12 <= file.size()) {
    uint32_t length = static_cast<uint32_t>(file[at]) << 24 | file[at + 1] << 16 | file[at + 2] << 8 | file[at + 3];
    if (length > file.size() - at - 12) break;
    uint32_t crc = static_cast<uint32_t>(crc32(0, file.data() + at + 4, length + 4));
    uint8_t* out = file.data() + at + 8 + length;
    out[0] = static_cast<uint8_t>(crc >> 24);
    out[1] = static_cast<uint8_t>(crc >> 16);
    out[2] = static_cast<uint8_t>(crc >> 8);
    out[3] = static_cast<uint8_t>(crc);
    at += 12 + length;
  }
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Decode(data, size);
  std::vector<uint8_t> fixed = WithCorrectCrcs(data, size);
  Decode(fixed.data(), fixed.size());
  return 0;
}
