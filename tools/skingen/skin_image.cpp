#include "tools/skingen/skin_image.h"

#include <algorithm>
#include <cmath>

#include "framework/core/bmp_format.h"

namespace {

// Less covered than this, a pixel is left to what lies under the picture.
constexpr double kOpaqueFrom = 1.0 / 3;

double Channel(uint32_t colour, int shift) { return ((colour >> shift) & 0xFF) / 255.0; }

uint8_t ToByte(double value) { return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255)); }

uint32_t FromChannels(double r, double g, double b) {
  return static_cast<uint32_t>(ToByte(r)) << 16 | static_cast<uint32_t>(ToByte(g)) << 8 | ToByte(b);
}

}  // namespace

uint32_t Mix(uint32_t from, uint32_t to, double amount) {
  auto mix = [&](int shift) { return Channel(from, shift) * (1 - amount) + Channel(to, shift) * amount; };
  return FromChannels(mix(16), mix(8), mix(0));
}

double Luminance(uint32_t colour) {
  return 0.2126 * Channel(colour, 16) + 0.7152 * Channel(colour, 8) + 0.0722 * Channel(colour, 0);
}

std::string RgbText(uint32_t colour) {
  return std::to_string((colour >> 16) & 0xFF) + " " + std::to_string((colour >> 8) & 0xFF) + " " +
         std::to_string(colour & 0xFF);
}

TColourAt Solid(uint32_t colour) {
  return [colour](int, int) { return colour; };
}

TColourAt VerticalGradient(uint32_t top, uint32_t bottom, double fromRow, double toRow) {
  return [=](int, int y) {
    double t = toRow > fromRow ? std::clamp((y - fromRow) / (toRow - fromRow), 0.0, 1.0) : 0;
    return Mix(top, bottom, t);
  };
}

void TLayer::Fill(const TShape& shape, uint32_t colour, double opacity) { Fill(shape, Solid(colour), opacity); }

void TLayer::Fill(const TShape& shape, const TColourAt& colour, double opacity) {
  TCanvasRgba::Fill(
      shape,
      [&colour](int x, int y) {
        uint32_t c = colour(x, y);
        return TRgba{Channel(c, 16), Channel(c, 8), Channel(c, 0), 1};
      },
      opacity);
}

uint32_t TLayer::Colour(int x, int y) const {
  TRgba c = Pixel(x, y);
  return c.A > 0 ? FromChannels(c.R, c.G, c.B) : 0;
}

TSkinImage::TSkinImage(int width, int height, uint32_t fill)
    : FWidth(width), FHeight(height), FPixels(static_cast<size_t>(width) * height, fill) {}

void TSkinImage::Place(const TLayer& layer, int x, int y, const TColourAt& under) {
  for (int ly = 0; ly < layer.Height(); ++ly) {
    for (int lx = 0; lx < layer.Width(); ++lx) {
      double a = layer.Alpha(lx, ly);
      if (a < kOpaqueFrom) continue;
      uint32_t colour = layer.Colour(lx, ly);
      if (under && a < 1) colour = Mix(under(lx, ly), colour, a);
      // Never the transparent colour by accident.
      if (colour == kMagenta) colour = 0xFF01FF;
      SetPixel(x + lx, y + ly, colour);
    }
  }
}

void TSkinImage::Copy(const TSkinImage& from, int left, int top, int width, int height, int x, int y) {
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) SetPixel(x + column, y + row, from.Pixel(left + column, top + row));
  }
}

std::string TSkinImage::Bmp() const {
  TBmpImage image;
  image.Width = FWidth;
  image.Height = FHeight;
  image.BitsPerPixel = 24;
  image.Pixels.assign(image.Stride() * static_cast<size_t>(FHeight), 0);
  for (int y = 0; y < FHeight; ++y) {
    uint8_t* row = image.Row(y);
    for (int x = 0; x < FWidth; ++x) {
      uint32_t colour = Pixel(x, y);
      row[x * 3] = static_cast<uint8_t>(colour & 0xFF);
      row[x * 3 + 1] = static_cast<uint8_t>((colour >> 8) & 0xFF);
      row[x * 3 + 2] = static_cast<uint8_t>((colour >> 16) & 0xFF);
    }
  }
  std::vector<uint8_t> bytes = WriteBmp(image);
  return std::string(bytes.begin(), bytes.end());
}

TSkinImage Strip(int frameWidth, int frameHeight, int frames, const std::function<void(TLayer&, int frame)>& draw,
                 const std::function<TColourAt(int frame)>& under, bool stacked) {
  TSkinImage strip(stacked ? frameWidth : frameWidth * frames, stacked ? frameHeight * frames : frameHeight);
  for (int frame = 1; frame <= frames; ++frame) {
    TLayer layer(frameWidth, frameHeight);
    draw(layer, frame);
    int x = stacked ? 0 : (frame - 1) * frameWidth, y = stacked ? (frame - 1) * frameHeight : 0;
    strip.Place(layer, x, y, under ? under(frame) : nullptr);
  }
  return strip;
}
