// A small anti-aliased rasteriser for the program's generated pictures: shapes are coverage tests in
// pixel coordinates, painted over each other in order and sampled 4 x 4 times per pixel. Pure code,
// the same bytes on every machine.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TPoint {
  double X, Y;
};

struct TRgba {
  double R, G, B, A;  // 0..1, not premultiplied
};

TRgba Rgb(uint32_t rgb, double alpha = 1);  // from 0xRRGGBB

// Whether a point lies inside a shape.
using TShape = std::function<bool(TPoint)>;

TShape Polygon(std::vector<TPoint> points);                  // even-odd rule
TShape Circle(TPoint centre, double radius);
TShape RoundedRect(double left, double top, double right, double bottom, double radius);
TShape Stroke(TPoint from, TPoint to, double width);          // round caps
// A stroked arc of the circle, from one angle to the other counter-clockwise (radians, 0 pointing
// right, y growing downwards as on screen), with round caps.
TShape Arc(TPoint centre, double radius, double from, double to, double width);
TShape Union(std::vector<TShape> shapes);
TShape Difference(TShape shape, TShape cut);

// The colour to paint at a pixel (a gradient, say).
using TPaint = std::function<TRgba(int x, int y)>;

class TCanvasRgba {
public:
  TCanvasRgba(int width, int height);
  void Fill(const TShape& shape, TRgba colour);
  // Paints where the shape covers each pixel, with the paint's colour there, times opacity.
  void Fill(const TShape& shape, const TPaint& paint, double opacity = 1);
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  TRgba Pixel(int x, int y) const;

  // RGBA bytes, rows top first.
  std::vector<uint8_t> Rgba() const;
  // A 24-bit BMP file: pixels less than half covered become the transparent magenta, the others
  // take their colour as if fully covered.
  std::string BmpOnMagenta() const;

private:
  int FWidth, FHeight;
  std::vector<double> FPremultiplied;  // 4 per pixel
};

// A PNG file of 8-bit RGBA.
std::string EncodePngRgba(int width, int height, const std::vector<uint8_t>& rgba);
