// The program's icon, drawn from geometry (nothing copied from elsewhere), and the ICO file that
// holds it at several sizes. Pure code: the same bytes on every machine.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A square RGBA image, rows top first, 4 bytes per pixel (red, green, blue, alpha).
struct TRgbaImage {
  int Size = 0;
  std::vector<uint8_t> Pixels;
};

// The Corvale mark: a blue rounded square with a white "C" and a folded page corner.
TRgbaImage RenderCorvaleIcon(int size);
// An ICO file of 32-bit images (with their AND masks), in the order given.
std::string EncodeIco(const std::vector<TRgbaImage>& images);
// The icon the viewer ships: 16, 24, 32 and 48 pixels.
std::string CorvaleIconFile();
