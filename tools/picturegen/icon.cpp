#include "tools/picturegen/icon.h"

#include "framework/core/little_endian.h"
#include "tools/picturegen/pictures.h"

TRgbaImage RenderCorvaleIcon(int size) {
  TCanvasRgba canvas(size, size);
  DrawCorvaleMark(canvas, 0, 0, size);
  return TRgbaImage{size, canvas.Rgba()};
}

std::string EncodeIco(const std::vector<TRgbaImage>& images) {
  std::vector<std::string> bodies;
  for (const TRgbaImage& image : images) {
    int size = image.Size;
    std::string body;
    PutLE32(body, 40);            // BITMAPINFOHEADER
    PutLE32(body, static_cast<uint32_t>(size));
    PutLE32(body, static_cast<uint32_t>(size * 2));  // colour rows and mask rows
    PutLE16(body, 1);
    PutLE16(body, 32);
    PutLE32(body, 0);             // BI_RGB
    int maskStride = ((size + 31) / 32) * 4;
    PutLE32(body, static_cast<uint32_t>(size * size * 4 + maskStride * size));
    PutLE32(body, 0);
    PutLE32(body, 0);
    PutLE32(body, 0);
    PutLE32(body, 0);
    for (int y = size - 1; y >= 0; --y) {  // bottom-up
      for (int x = 0; x < size; ++x) {
        const uint8_t* p = &image.Pixels[(static_cast<size_t>(y) * size + x) * 4];
        body += static_cast<char>(p[2]);
        body += static_cast<char>(p[1]);
        body += static_cast<char>(p[0]);
        body += static_cast<char>(p[3]);
      }
    }
    for (int y = size - 1; y >= 0; --y) {
      std::string row(static_cast<size_t>(maskStride), '\0');
      for (int x = 0; x < size; ++x) {
        if (image.Pixels[(static_cast<size_t>(y) * size + x) * 4 + 3] == 0) {
          row[static_cast<size_t>(x / 8)] = static_cast<char>(row[static_cast<size_t>(x / 8)] | (0x80 >> (x % 8)));
        }
      }
      body += row;
    }
    bodies.push_back(std::move(body));
  }
  std::string file;
  PutLE16(file, 0);
  PutLE16(file, 1);  // icon
  PutLE16(file, static_cast<uint32_t>(images.size()));
  uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    int size = images[i].Size;
    file += static_cast<char>(size >= 256 ? 0 : size);
    file += static_cast<char>(size >= 256 ? 0 : size);
    file += '\0';  // no palette
    file += '\0';
    PutLE16(file, 1);
    PutLE16(file, 32);
    PutLE32(file, static_cast<uint32_t>(bodies[i].size()));
    PutLE32(file, offset);
    offset += static_cast<uint32_t>(bodies[i].size());
  }
  for (const std::string& body : bodies) file += body;
  return file;
}

std::string CorvaleIconFile() {
  std::vector<TRgbaImage> images;
  for (int size : {16, 24, 32, 48}) images.push_back(RenderCorvaleIcon(size));
  return EncodeIco(images);
}
