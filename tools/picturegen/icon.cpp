#include "tools/picturegen/icon.h"

#include "framework/little_endian.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSamples = 4;  // per axis: 16 samples per pixel smooth the edges

// Coverage tests in unit coordinates: (0, 0) top-left, (1, 1) bottom-right of the icon.
bool InRoundedSquare(double x, double y) {
  const double inset = 0.04, radius = 0.2;
  double left = inset, top = inset, right = 1 - inset, bottom = 1 - inset;
  if (x < left || x > right || y < top || y > bottom) return false;
  double cx = std::clamp(x, left + radius, right - radius);
  double cy = std::clamp(y, top + radius, bottom - radius);
  return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
}

// A ring open to the right: the letter C.
bool InLetterC(double x, double y) {
  double dx = x - 0.5, dy = y - 0.53;
  double distance = std::sqrt(dx * dx + dy * dy);
  if (distance < 0.19 || distance > 0.31) return false;
  double angle = std::atan2(-dy, dx);  // 0 to the right, counter-clockwise
  return std::fabs(angle) > 0.75;
}

// The page's folded corner at the top right of the square.
bool InFold(double x, double y) { return x > 0.66 && y < 0.34 && (x - 0.66) + (0.34 - y) < 0.3 && x - y > 0.32; }

struct TColour {
  double R, G, B, A;
};

TColour Sample(double x, double y) {
  if (!InRoundedSquare(x, y)) return {0, 0, 0, 0};
  if (InFold(x, y)) return {0.86, 0.91, 0.97, 1};
  if (InLetterC(x, y)) return {1, 1, 1, 1};
  // A gentle vertical gradient from a light to a deep blue.
  double t = y;
  return {0.16 - 0.08 * t, 0.47 - 0.17 * t, 0.82 - 0.2 * t, 1};
}

uint8_t ToByte(double value) { return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255)); }

}  // namespace

TRgbaImage RenderCorvaleIcon(int size) {
  TRgbaImage image;
  image.Size = size;
  image.Pixels.resize(static_cast<size_t>(size) * size * 4);
  for (int py = 0; py < size; ++py) {
    for (int px = 0; px < size; ++px) {
      double r = 0, g = 0, b = 0, a = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          TColour c = Sample((px + (sx + 0.5) / kSamples) / size, (py + (sy + 0.5) / kSamples) / size);
          // Premultiplied sums, so transparent samples do not darken the edge.
          r += c.R * c.A;
          g += c.G * c.A;
          b += c.B * c.A;
          a += c.A;
        }
      }
      uint8_t* pixel = &image.Pixels[(static_cast<size_t>(py) * size + px) * 4];
      pixel[0] = a > 0 ? ToByte(r / a) : 0;
      pixel[1] = a > 0 ? ToByte(g / a) : 0;
      pixel[2] = a > 0 ? ToByte(b / a) : 0;
      pixel[3] = ToByte(a / (kSamples * kSamples));
    }
  }
  return image;
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
