#include "tools/picturegen/pictures.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Glyphs are designed on a 24-unit grid and scaled to their size.
struct TGrid {
  double Scale;
  TPoint operator()(double x, double y) const { return TPoint{x * Scale, y * Scale}; }
  double operator()(double length) const { return length * Scale; }
};

}  // namespace

TCanvasRgba OpenFolderGlyph(int size) {
  TGrid g{size / 24.0};
  TCanvasRgba canvas(size, size);
  TRgba outline = Rgb(0x8A5A00);
  // The back of the folder with its tab.
  canvas.Fill(Polygon({g(2, 6), g(8, 6), g(10, 8), g(19, 8), g(19, 20), g(2, 20)}), outline);
  canvas.Fill(Polygon({g(3, 7), g(7.6, 7), g(9.6, 9), g(18, 9), g(18, 19), g(3, 19)}), Rgb(0xE0A82E));
  // The open front, leaning forward.
  canvas.Fill(Polygon({g(2, 20), g(5, 11), g(22, 11), g(19, 20)}), outline);
  canvas.Fill(Polygon({g(3.3, 19.2), g(5.8, 12), g(20.6, 12), g(18.2, 19.2)}), Rgb(0xF7CD5A));
  // The green arrow, rising out of the folder.
  TRgba green = Rgb(0x1E8C3A);
  canvas.Fill(Stroke(g(11, 14), g(17.5, 5.5), g(3)), green);
  canvas.Fill(Polygon({g(20.5, 1.5), g(20.8, 9.5), g(13, 4.5)}), green);
  canvas.Fill(Stroke(g(11.6, 13.2), g(17, 6.2), g(1)), Rgb(0x5CCB73));
  return canvas;
}

TCanvasRgba PrinterGlyph(int size) {
  TGrid g{size / 24.0};
  TCanvasRgba canvas(size, size);
  TRgba dark = Rgb(0x3C4654);
  // Paper waiting at the back.
  canvas.Fill(RoundedRect(g(6), g(2), g(18), g(10), g(0.5)), dark);
  canvas.Fill(RoundedRect(g(7), g(3), g(17), g(10), 0), Rgb(0xFFFFFF));
  // The body.
  canvas.Fill(RoundedRect(g(1.5), g(8.5), g(22.5), g(18.5), g(2)), dark);
  canvas.Fill(RoundedRect(g(2.5), g(9.5), g(21.5), g(17.5), g(1.5)), Rgb(0x8C99AB));
  canvas.Fill(RoundedRect(g(2.5), g(9.5), g(21.5), g(12), g(1.2)), Rgb(0xB7C2D0));
  canvas.Fill(Circle(g(18.5, 12), g(1)), Rgb(0x2FB552));  // the ready light
  // The printed sheet coming out at the front.
  canvas.Fill(Polygon({g(6, 14), g(18, 14), g(18, 22.5), g(6, 22.5)}), dark);
  canvas.Fill(Polygon({g(7, 15), g(17, 15), g(17, 21.5), g(7, 21.5)}), Rgb(0xFFFFFF));
  for (double y : {17.0, 19.2}) canvas.Fill(Stroke(g(8.5, y), g(15.5, y), g(0.9)), Rgb(0x9AA5B4));
  return canvas;
}

TCanvasRgba InformationGlyph(int size) {
  TGrid g{size / 24.0};
  TCanvasRgba canvas(size, size);
  canvas.Fill(Polygon({g(12, 0.5), g(23.5, 12), g(12, 23.5), g(0.5, 12)}), Rgb(0x0F4C9E));
  canvas.Fill(Polygon({g(12, 2), g(22, 12), g(12, 22), g(2, 12)}), Rgb(0x2A7DE1));
  canvas.Fill(Polygon({g(12, 2), g(22, 12), g(2, 12)}), Rgb(0x4A95EC));
  TRgba white = Rgb(0xFFFFFF);
  canvas.Fill(Circle(g(12, 7.2), g(1.7)), white);
  canvas.Fill(RoundedRect(g(10.4), g(10), g(13.6), g(18), g(0.8)), white);
  return canvas;
}

TCanvasRgba OpenDoorGlyph(int size) {
  TGrid g{size / 24.0};
  TCanvasRgba canvas(size, size);
  TRgba frame = Rgb(0x5A3A1E);
  // The door frame and the bright opening.
  canvas.Fill(RoundedRect(g(4), g(1.5), g(20), g(22.5), 0), frame);
  canvas.Fill(RoundedRect(g(5.5), g(3), g(18.5), g(22.5), 0), Rgb(0xFFE9A8));
  // The door, swung open towards the viewer.
  canvas.Fill(Polygon({g(5.5, 3), g(12.5, 0.5), g(12.5, 23.8), g(5.5, 22.5)}), frame);
  canvas.Fill(Polygon({g(6.6, 4), g(11.4, 2.2), g(11.4, 22.4), g(6.6, 21.6)}), Rgb(0xB8742F));
  canvas.Fill(Circle(g(10.2, 12.5), g(1.1)), Rgb(0xF2C24B));  // the knob
  // The threshold.
  canvas.Fill(Stroke(g(3, 23), g(21, 23), g(1.2)), Rgb(0x7A7F87));
  return canvas;
}

namespace {

// Draws "Corvale" from x on the baseline with letters of the given x-height (nothing when canvas is
// null) and returns where the word ends.
double DrawWord(TCanvasRgba* canvas, double x, double baseline, double xHeight, TRgba colour) {
  double cap = xHeight * 1.55, pen = xHeight * 0.27, gap = xHeight * 0.2;
  double r = xHeight / 2, midY = baseline - r;
  auto fill = [&](const TShape& shape) {
    if (canvas) canvas->Fill(shape, colour);
  };
  // C
  double capR = cap / 2;
  fill(Arc(TPoint{x + capR, baseline - capR}, capR - pen / 2, 0.8, 2 * kPi - 0.8, pen));
  x += 2 * capR + gap * 0.6;
  // o
  fill(Arc(TPoint{x + r, midY}, r - pen / 2, 0, 2 * kPi, pen));
  x += 2 * r + gap;
  // r: a stem and a shoulder
  fill(Stroke(TPoint{x + pen / 2, baseline - xHeight + pen / 2}, TPoint{x + pen / 2, baseline - pen / 2}, pen));
  fill(Arc(TPoint{x + pen / 2 + r * 0.9, midY + r * 0.15}, r * 0.9 - pen / 2, kPi * 0.25, kPi, pen));
  x += r * 1.7 + gap * 0.6;
  // v
  fill(Stroke(TPoint{x + pen / 2, baseline - xHeight + pen / 2}, TPoint{x + r, baseline - pen / 2}, pen));
  fill(Stroke(TPoint{x + r, baseline - pen / 2}, TPoint{x + 2 * r - pen / 2, baseline - xHeight + pen / 2}, pen));
  x += 2 * r + gap;
  // a, single-storey: a bowl and a stem
  fill(Arc(TPoint{x + r, midY}, r - pen / 2, 0, 2 * kPi, pen));
  fill(Stroke(TPoint{x + 2 * r - pen / 2, baseline - xHeight + pen / 2}, TPoint{x + 2 * r - pen / 2, baseline - pen / 2}, pen));
  x += 2 * r + gap;
  // l
  fill(Stroke(TPoint{x + pen / 2, baseline - cap - 0.08 * xHeight}, TPoint{x + pen / 2, baseline - pen / 2}, pen));
  x += pen + gap;
  // e: a bowl open at the lower right, and its bar
  fill(Arc(TPoint{x + r, midY}, r - pen / 2, 0, 2 * kPi - 0.7, pen));
  fill(Stroke(TPoint{x + pen / 2, midY}, TPoint{x + 2 * r - pen / 2, midY}, pen * 0.8));
  return x + 2 * r;
}

}  // namespace

void DrawCorvaleMark(TCanvasRgba& canvas, double left, double top, double size) {
  double inset = 0.04 * size;
  left += inset;
  top += inset;
  size -= 2 * inset;
  canvas.Fill(RoundedRect(left, top, left + size, top + size, 0.2 * size), Rgb(0x1F5FAF));
  canvas.Fill(Polygon({TPoint{left + 0.66 * size, top}, TPoint{left + size, top + 0.34 * size},
                       TPoint{left + 0.66 * size, top + 0.34 * size}}),
              Rgb(0xDCE8F8));
  canvas.Fill(Arc(TPoint{left + 0.5 * size, top + 0.53 * size}, 0.25 * size, 0.75, 2 * kPi - 0.75, 0.12 * size),
              Rgb(0xFFFFFF));
}

TCanvasRgba MakerLogo(int width, int height) {
  TCanvasRgba canvas(width, height);
  double h = height;
  double mark = 0.6 * h, left = 0.05 * h, top = (h - mark) / 2 - 0.04 * h;
  DrawCorvaleMark(canvas, left, top, mark);

  // The word fills what is left beside the mark, as large as fits.
  double start = left + mark + 0.1 * h, available = width - start - 0.05 * h;
  double xHeight = 0.26 * h;
  double natural = DrawWord(nullptr, 0, 0, xHeight, TRgba{});
  if (natural > available) xHeight *= available / natural;
  double baseline = top + mark * 0.5 + xHeight * 0.75;
  double end = DrawWord(&canvas, start, baseline, xHeight, Rgb(0x173F73));

  // An accent rule under the word, in the mark's lighter blue.
  double ruleY = baseline + 0.45 * xHeight;
  canvas.Fill(RoundedRect(start, ruleY, end, ruleY + 0.12 * xHeight, 0.06 * xHeight), Rgb(0x4A95EC));
  return canvas;
}
