#include "tools/picturegen/raster.h"

#include <algorithm>
#include <cmath>

#include "framework/core/bmp_format.h"
#include "picture/png_writer.h"

namespace {

constexpr int kSamples = 4;
constexpr double kPi = 3.14159265358979323846;

double DistanceToSegment(TPoint p, TPoint a, TPoint b) {
  double dx = b.X - a.X, dy = b.Y - a.Y;
  double length = dx * dx + dy * dy;
  double t = length > 0 ? std::clamp(((p.X - a.X) * dx + (p.Y - a.Y) * dy) / length, 0.0, 1.0) : 0;
  double x = a.X + t * dx - p.X, y = a.Y + t * dy - p.Y;
  return std::sqrt(x * x + y * y);
}

uint8_t ToByte(double value) { return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255)); }

}  // namespace

TRgba Rgb(uint32_t rgb, double alpha) {
  return TRgba{((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

TShape Polygon(std::vector<TPoint> points) {
  return [points = std::move(points)](TPoint p) {
    bool inside = false;
    for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
      const TPoint& a = points[i];
      const TPoint& b = points[j];
      if ((a.Y > p.Y) != (b.Y > p.Y) && p.X < (b.X - a.X) * (p.Y - a.Y) / (b.Y - a.Y) + a.X) inside = !inside;
    }
    return inside;
  };
}

TShape Circle(TPoint centre, double radius) {
  return [=](TPoint p) { return (p.X - centre.X) * (p.X - centre.X) + (p.Y - centre.Y) * (p.Y - centre.Y) <= radius * radius; };
}

TShape RoundedRect(double left, double top, double right, double bottom, double radius) {
  return [=](TPoint p) {
    if (p.X < left || p.X > right || p.Y < top || p.Y > bottom) return false;
    double cx = std::clamp(p.X, left + radius, right - radius);
    double cy = std::clamp(p.Y, top + radius, bottom - radius);
    return (p.X - cx) * (p.X - cx) + (p.Y - cy) * (p.Y - cy) <= radius * radius;
  };
}

TShape Stroke(TPoint from, TPoint to, double width) {
  return [=](TPoint p) { return DistanceToSegment(p, from, to) <= width / 2; };
}

TShape Arc(TPoint centre, double radius, double from, double to, double width) {
  while (to < from) to += 2 * kPi;
  TPoint start{centre.X + radius * std::cos(from), centre.Y - radius * std::sin(from)};
  TPoint end{centre.X + radius * std::cos(to), centre.Y - radius * std::sin(to)};
  return [=](TPoint p) {
    double dx = p.X - centre.X, dy = centre.Y - p.Y;
    double distance = std::sqrt(dx * dx + dy * dy);
    double angle = std::atan2(dy, dx);
    while (angle < from) angle += 2 * kPi;
    if (angle <= to && std::fabs(distance - radius) <= width / 2) return true;
    auto near = [&](TPoint cap) { return (p.X - cap.X) * (p.X - cap.X) + (p.Y - cap.Y) * (p.Y - cap.Y) <= width * width / 4; };
    return near(start) || near(end);
  };
}

TShape Union(std::vector<TShape> shapes) {
  return [shapes = std::move(shapes)](TPoint p) {
    return std::any_of(shapes.begin(), shapes.end(), [&](const TShape& shape) { return shape(p); });
  };
}

TShape Difference(TShape shape, TShape cut) {
  return [shape = std::move(shape), cut = std::move(cut)](TPoint p) { return shape(p) && !cut(p); };
}

TCanvasRgba::TCanvasRgba(int width, int height)
    : FWidth(width), FHeight(height), FPremultiplied(static_cast<size_t>(width) * height * 4, 0.0) {}

void TCanvasRgba::Fill(const TShape& shape, TRgba colour) {
  Fill(shape, [colour](int, int) { return colour; });
}

void TCanvasRgba::Fill(const TShape& shape, const TPaint& paint, double opacity) {
  for (int y = 0; y < FHeight; ++y) {
    for (int x = 0; x < FWidth; ++x) {
      int hits = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          hits += shape(TPoint{x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples});
        }
      }
      if (hits == 0) continue;
      TRgba colour = paint(x, y);
      double a = colour.A * opacity * hits / (kSamples * kSamples);
      double* pixel = &FPremultiplied[(static_cast<size_t>(y) * FWidth + x) * 4];
      // Source over destination, premultiplied.
      pixel[0] = colour.R * a + pixel[0] * (1 - a);
      pixel[1] = colour.G * a + pixel[1] * (1 - a);
      pixel[2] = colour.B * a + pixel[2] * (1 - a);
      pixel[3] = a + pixel[3] * (1 - a);
    }
  }
}

TRgba TCanvasRgba::Pixel(int x, int y) const {
  const double* pixel = &FPremultiplied[(static_cast<size_t>(y) * FWidth + x) * 4];
  double a = pixel[3];
  if (a <= 0) return TRgba{0, 0, 0, 0};
  return TRgba{pixel[0] / a, pixel[1] / a, pixel[2] / a, a};
}

std::vector<uint8_t> TCanvasRgba::Rgba() const {
  std::vector<uint8_t> bytes;
  bytes.reserve(static_cast<size_t>(FWidth) * FHeight * 4);
  for (int y = 0; y < FHeight; ++y) {
    for (int x = 0; x < FWidth; ++x) {
      TRgba c = Pixel(x, y);
      bytes.push_back(ToByte(c.R));
      bytes.push_back(ToByte(c.G));
      bytes.push_back(ToByte(c.B));
      bytes.push_back(ToByte(c.A));
    }
  }
  return bytes;
}

std::string TCanvasRgba::BmpOnMagenta() const {
  TBmpImage image;
  image.Width = FWidth;
  image.Height = FHeight;
  image.BitsPerPixel = 24;
  image.Pixels.assign(image.Stride() * static_cast<size_t>(FHeight), 0);
  for (int y = 0; y < FHeight; ++y) {
    uint8_t* row = image.Row(y);
    for (int x = 0; x < FWidth; ++x) {
      TRgba c = Pixel(x, y);
      uint8_t r = 255, g = 0, b = 255;
      if (c.A >= 0.5) {
        r = ToByte(c.R);
        g = ToByte(c.G);
        b = ToByte(c.B);
        if (r == 255 && g == 0 && b == 255) g = 1;  // never the transparent colour by accident
      }
      row[x * 3] = b;
      row[x * 3 + 1] = g;
      row[x * 3 + 2] = r;
    }
  }
  std::vector<uint8_t> file = WriteBmp(image);
  return std::string(file.begin(), file.end());
}

std::string EncodePngRgba(int width, int height, const std::vector<uint8_t>& rgba) {
  TPngWriteSpec spec;
  spec.Width = static_cast<uint32_t>(width);
  spec.Height = static_cast<uint32_t>(height);
  spec.ColorType = 6;  // RGB with alpha
  spec.Filter = 4;     // Paeth: the logos' smooth edges pack well
  spec.Level = 9;
  spec.Rows = rgba;
  std::vector<uint8_t> file = WritePng(spec);
  return std::string(file.begin(), file.end());
}
