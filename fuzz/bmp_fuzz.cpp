// The BMP reader on arbitrary bytes, as a file and as a packed DIB: it either refuses with its own
// error or yields an image that the writer stores and the reader gives back unchanged.
#include <cstdint>
#include <cstdlib>

#include "framework/core/bmp_format.h"

namespace {

void CheckRoundTrip(const TBmpImage& image) {
  std::vector<uint8_t> file = WriteBmp(image);
  TBmpImage back = ReadBmp(file.data(), file.size(), 1 << 20);
  if (back.Width != image.Width || back.Height != image.Height || back.BitsPerPixel != image.BitsPerPixel ||
      back.Palette != image.Palette || back.Pixels != image.Pixels) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    CheckRoundTrip(ReadBmp(data, size, 1 << 20));
  } catch (const EBmpError&) {
  }
  try {
    CheckRoundTrip(ReadPackedDib(data, size, 1 << 20));
  } catch (const EBmpError&) {
  }
  return 0;
}
