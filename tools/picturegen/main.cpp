// picturegen: writes the program's generated pictures into a folder.
//   picturegen icon FOLDER       the program icon, Corvale.ico (committed under app/pictures)
//   picturegen viewer FOLDER     the buttons' glyphs (BMP on magenta) and the maker's logos (PNG)
//   picturegen engine FOLDER     the skin engine's built-in bitmaps (tracks, system menu glyphs)
#include <cstdio>
#include <fstream>
#include <string>

#include "tools/picturegen/engine_bitmaps.h"
#include "tools/picturegen/icon.h"
#include "tools/picturegen/pictures.h"

namespace {

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  if (out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) return true;
  std::fprintf(stderr, "picturegen: cannot write %s\n", path.c_str());
  return false;
}

std::string Png(const TCanvasRgba& canvas) { return EncodePngRgba(canvas.Width(), canvas.Height(), canvas.Rgba()); }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: picturegen icon|viewer|engine FOLDER\n");
    return 2;
  }
  std::string what = argv[1], folder = std::string(argv[2]) + "/";
  bool ok = true;
  if (what == "icon") {
    ok = WriteFile(folder + "Corvale.ico", CorvaleIconFile());
  } else if (what == "viewer") {
    ok = WriteFile(folder + "open24.bmp", OpenFolderGlyph(24).BmpOnMagenta()) &&
         WriteFile(folder + "print24.bmp", PrinterGlyph(24).BmpOnMagenta()) &&
         WriteFile(folder + "info24.bmp", InformationGlyph(24).BmpOnMagenta()) &&
         WriteFile(folder + "door24.bmp", OpenDoorGlyph(24).BmpOnMagenta()) &&
         WriteFile(folder + "door16.bmp", OpenDoorGlyph(16).BmpOnMagenta()) &&
         WriteFile(folder + "logo398x159.png", Png(MakerLogo(398, 159))) &&
         WriteFile(folder + "logo450x180.png", Png(MakerLogo(450, 180)));
  } else if (what == "engine") {
    ok = WriteFile(folder + "track.bmp", TrackBitmap()) && WriteFile(folder + "trackvert.bmp", TrackVertBitmap()) &&
         WriteFile(folder + "velumomenu.bmp", MenuGlyphsBitmap());
  } else {
    std::fprintf(stderr, "picturegen: unknown picture set %s\n", what.c_str());
    return 2;
  }
  return ok ? 0 : 2;
}
