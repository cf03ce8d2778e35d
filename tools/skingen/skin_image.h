// Pictures of skin elements: anti-aliased layers painted from the shapes of the picture generator,
// then flattened into 24-bit strips on the transparent magenta. Pure code, the same bytes on every
// machine.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/picturegen/raster.h"

constexpr uint32_t kMagenta = 0xFF00FF;

// 0xRRGGBB colours.
uint32_t Mix(uint32_t from, uint32_t to, double amount);  // amount 0 gives from, 1 gives to
double Luminance(uint32_t colour);                         // 0..1
std::string RgbText(uint32_t colour);                      // "R G B", the description's colour syntax

// The colour at a pixel: the picture's own colour, or what lies under a picture on screen.
using TColourAt = std::function<uint32_t(int x, int y)>;
TColourAt Solid(uint32_t colour);
// Top to bottom from one colour to the other across rows top .. bottom (clamped outside).
TColourAt VerticalGradient(uint32_t top, uint32_t bottom, double fromRow, double toRow);

// One picture being painted: shapes in pixel coordinates, later shapes over earlier ones.
class TLayer : public TCanvasRgba {
public:
  using TCanvasRgba::TCanvasRgba;
  void Fill(const TShape& shape, uint32_t colour, double opacity = 1);
  void Fill(const TShape& shape, const TColourAt& colour, double opacity = 1);
  double Alpha(int x, int y) const { return Pixel(x, y).A; }
  uint32_t Colour(int x, int y) const;  // as if fully covered
};

// A strip of frames, or any picture of a skin: magenta where it is transparent.
class TSkinImage {
public:
  TSkinImage() = default;
  TSkinImage(int width, int height, uint32_t fill = kMagenta);

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  uint32_t Pixel(int x, int y) const { return FPixels[static_cast<size_t>(y) * FWidth + x]; }
  void SetPixel(int x, int y, uint32_t colour) { FPixels[static_cast<size_t>(y) * FWidth + x] = colour; }

  // Puts a layer at (x, y). Pixels less than a third covered stay transparent; the others are
  // blended with what will lie under them on screen (under, in layer coordinates), so edges are
  // smooth where the skin expects them to be drawn; without under they take their own colour.
  void Place(const TLayer& layer, int x, int y, const TColourAt& under = nullptr);
  // Copies the part (left, top, width, height) of another picture to (x, y).
  void Copy(const TSkinImage& from, int left, int top, int width, int height, int x, int y);

  // A 24-bit Windows BMP file.
  std::string Bmp() const;

private:
  int FWidth = 0, FHeight = 0;
  std::vector<uint32_t> FPixels;
};

// Frames side by side (or stacked): each frame is drawn by the callback into a layer of one
// frame's size and placed over under(frame index from 1).
TSkinImage Strip(int frameWidth, int frameHeight, int frames, const std::function<void(TLayer&, int frame)>& draw,
                 const std::function<TColourAt(int frame)>& under = nullptr, bool stacked = false);
