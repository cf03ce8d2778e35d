// The viewer's glyphs and logos, drawn from geometry for the maker "Corvale".
#pragma once

#include <string>

#include "tools/picturegen/raster.h"

// Glyphs on magenta (the transparent colour) for the bitmap buttons.
TCanvasRgba OpenFolderGlyph(int size);  // an open folder with a green arrow
TCanvasRgba PrinterGlyph(int size);
TCanvasRgba InformationGlyph(int size);  // a blue diamond with a white letter i
TCanvasRgba OpenDoorGlyph(int size);

// The Corvale mark (the program icon's picture): a blue rounded square with a white C and a folded
// page corner, in the square of the given size at (left, top).
void DrawCorvaleMark(TCanvasRgba& canvas, double left, double top, double size);

// The maker's logo: the Corvale mark beside the word "Corvale", on a transparent background.
TCanvasRgba MakerLogo(int width, int height);
