#include "tools/skingen/skingen.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <stdexcept>
#include <system_error>

#include "framework/core/bmp_format.h"
#include "tools/skingen/skin_art.h"

namespace fs = std::filesystem;

namespace {

TSkinPalette CorvalePalette() {
  TSkinPalette p{};
  // A deep slate title over cool light greys, one calm blue for everything that is chosen.
  p.TitleTop = 0x35587D;
  p.TitleBottom = 0x2C4A6A;
  p.TitleInactiveTop = 0xD3DAE2;
  p.TitleInactiveBottom = 0xC8D0DA;
  p.FrameEdge = 0x1F3750;
  p.FrameEdgeInactive = 0x9FAAB7;
  p.TitleText = 0xFFFFFF;
  p.TitleTextInactive = 0x5D6977;
  p.TitleHover = 0.16;
  p.TitlePressed = -0.18;
  p.CloseHot = 0xC94C4C;
  p.ClosePressed = 0xA63C3C;
  p.Face = 0xEEF1F5;
  p.FaceLight = 0xFAFBFD;
  p.FaceDark = 0xDCE2E9;
  p.Field = 0xFFFFFF;
  p.Border = 0xA5B1BE;
  p.BorderHot = 0x4C84BD;
  p.BorderDisabled = 0xCBD2DA;
  p.Accent = 0x2F6FAE;
  p.AccentDark = 0x235789;
  p.AccentLight = 0xD8E6F5;
  p.Selection = 0x2F6FAE;
  p.Text = 0x1E2833;
  p.TextDisabled = 0x98A2AD;
  p.OnAccent = 0xFFFFFF;
  p.MenuBack = 0xFBFCFD;
  p.MenuBorder = 0xB2BDC9;
  p.MenuBar = 0xE9EDF2;
  p.Track = 0xE4E9EF;
  p.Thumb = 0xB8C3CF;
  p.ThumbHot = 0x9AA8B8;
  p.ThumbPressed = 0x6F8196;
  p.Glyph = 0x4D5B6A;
  p.Hilight3D = 0xFFFFFF;
  p.Shadow = 0x8A96A3;
  p.DarkShadow = 0x4A5561;
  p.Positive = 0x2E7D4F;
  p.Negative = 0xB23B3B;
  return p;
}

TSkinPalette CorvaleDarkPalette() {
  TSkinPalette p{};
  // Charcoal surfaces with a teal accent; text stays light grey, never pure white on black.
  p.TitleTop = 0x2A2F36;
  p.TitleBottom = 0x22262C;
  p.TitleInactiveTop = 0x33373D;
  p.TitleInactiveBottom = 0x2D3137;
  p.FrameEdge = 0x0D0F12;
  p.FrameEdgeInactive = 0x1B1E22;
  p.TitleText = 0xE9ECEF;
  p.TitleTextInactive = 0x838A93;
  p.TitleHover = 0.10;
  p.TitlePressed = -0.30;
  p.CloseHot = 0xC4473F;
  p.ClosePressed = 0x9B3830;
  p.Face = 0x2B3036;
  p.FaceLight = 0x373D44;
  p.FaceDark = 0x24282D;
  p.Field = 0x1D2024;
  p.Border = 0x4D5660;
  p.BorderHot = 0x3FA39B;
  p.BorderDisabled = 0x3A4047;
  p.Accent = 0x3FA39B;
  p.AccentDark = 0x2C8079;
  p.AccentLight = 0x2E4745;
  p.Selection = 0x2A7A73;
  p.Text = 0xE3E6EA;
  p.TextDisabled = 0x6D757F;
  p.OnAccent = 0xFFFFFF;
  p.MenuBack = 0x25292E;
  p.MenuBorder = 0x454D56;
  p.MenuBar = 0x272B31;
  p.Track = 0x24282D;
  p.Thumb = 0x4C545E;
  p.ThumbHot = 0x5D6671;
  p.ThumbPressed = 0x3FA39B;
  p.Glyph = 0xB7BEC6;
  p.Hilight3D = 0x454C55;
  p.Shadow = 0x5E6670;
  p.DarkShadow = 0x121417;
  p.Positive = 0x5CB87A;
  p.Negative = 0xE06C6C;
  return p;
}

struct TSkinDefinition {
  std::string Name, Title;
  TSkinPalette Palette;
};

const std::vector<TSkinDefinition>& Definitions() {
  static const std::vector<TSkinDefinition> definitions = {
      {"corvale", "Corvale", CorvalePalette()},
      {"corvale-dark", "Corvale Dark", CorvaleDarkPalette()},
  };
  return definitions;
}

// The description as it is written, with the images it names in the same order.
class TDescription {
public:
  explicit TDescription(const std::string& header) { FText = "; " + header + "\r\n"; }
  void Section(const std::string& name) { FText += "\r\n[" + name + "]\r\n"; }
  void Key(const std::string& key, const std::string& value) { FText += key + "=" + value + "\r\n"; }
  void Key(const std::string& key, int value) { Key(key, std::to_string(value)); }
  void Colour(const std::string& key, uint32_t colour) { Key(key, RgbText(colour)); }
  void Image(const std::string& key, const std::string& file, const TSkinImage& image) {
    Key(key, file);
    FImages.push_back({file, image.Bmp()});
  }
  const std::string& Text() const { return FText; }
  const std::vector<TSkinFile>& Images() const { return FImages; }

private:
  std::string FText;
  std::vector<TSkinFile> FImages;
};

struct TSlices {
  int Left, Top, Right, Bottom;
};

struct TTextColours {
  uint32_t Normal, MouseOver, Pressed;
};

constexpr int kNoFrameKey = 0;

// The keys every generic element reader takes: style, slices, frames (when the section has the
// key), transparency, tiling and the colours, the integer ones left at "not given".
void ElementKeys(TDescription& d, int style, TSlices slices, int frame, int trans, int tile, TTextColours text) {
  d.Key("Style", style);
  d.Key("LeftWidth", slices.Left);
  d.Key("RightWidth", slices.Right);
  d.Key("TopHeight", slices.Top);
  d.Key("BottomHeight", slices.Bottom);
  if (frame != kNoFrameKey) d.Key("Frame", frame);
  d.Key("Trans", trans);
  d.Key("Tile", tile);
  d.Key("NormalColour", -1);
  d.Key("MouseOverColour", -1);
  d.Key("PressedColour", -1);
  d.Colour("NormalColour2", text.Normal);
  d.Colour("MouseOverColour2", text.MouseOver);
  d.Colour("PressedColour2", text.Pressed);
}

void Element(TDescription& d, const std::string& section, const std::string& file, const TSkinImage& image, TSlices slices,
             int frame, int trans, TTextColours text, int tile = 0) {
  d.Section(section);
  d.Image("Image", file, image);
  ElementKeys(d, 0, slices, frame, trans, tile, text);
}

void FramePieceKeys(TDescription& d, const TSkinPalette& p, const std::string& piece, const std::string& file,
                    TFramePiece which, int first, int last, int trans) {
  d.Image(piece, file, FramePiece(p, which));
  d.Key(piece + "TopHeight", first);
  d.Key(piece + "BotHeight", last);
  d.Key(piece + "Frame", 2);
  d.Key(piece + "Stretch", 1);
  d.Key(piece + "Trans", trans);
}

void RgbKeys(TDescription& d, const std::string& prefix, uint32_t colour) {
  d.Key(prefix + "R", static_cast<int>((colour >> 16) & 0xFF));
  d.Key(prefix + "G", static_cast<int>((colour >> 8) & 0xFF));
  d.Key(prefix + "B", static_cast<int>(colour & 0xFF));
}

struct TTitleButtonKeys {
  const char* Section;
  int Action, Align, Xcoord, Visibility, Visibility1;
  const char* File;  // nullptr: the button shows the window icon
  TTitleGlyph Glyph;
  int Frames;        // 6 frames are counted by the reader from the image's shape; 4 need the key
};

// Right-aligned buttons are measured from the window's right edge: 4 pixels of frame, then the
// buttons 21 pixels wide with 2 pixels between them (4 before the close button).
const TTitleButtonKeys kTitleButtons[] = {
    {"Button0", 0, 1, 29, 0, 0, "close.bmp", TTitleGlyph::Close, 6},
    {"Button1", 1, 1, 52, 2, 6, "maximize.bmp", TTitleGlyph::Maximize, 4},
    {"Button2", 1, 1, 52, 1, 0, "restore.bmp", TTitleGlyph::Restore, 4},
    {"Button3", 2, 1, 75, 8, 0, "minimize.bmp", TTitleGlyph::Minimize, 4},
    {"Button4", 3, 0, 6, 0, 0, nullptr, TTitleGlyph::Close, 0},
    // Context help takes the maximise button's place, on windows that have help but no
    // minimise or maximise box.
    {"ButtonHelp", 4, 1, 52, 10, 0, "help.bmp", TTitleGlyph::Help, 4},
};

void TitleButtons(TDescription& d, const TSkinPalette& p) {
  for (const TTitleButtonKeys& button : kTitleButtons) {
    d.Section(button.Section);
    d.Key("Action", button.Action);
    d.Key("Align", button.Align);
    d.Key("Xcoord", button.Xcoord);
    // The icon is 16 pixels high, the buttons 21, in a 28-pixel title bar.
    d.Key("Ycoord", button.File ? kTitleButtonTop : (kTitleHeight - 16) / 2);
    d.Key("Visibility", button.Visibility);
    d.Key("Visibility1", button.Visibility1);
    d.Key("CombineOp", -1);
    if (!button.File) continue;
    if (button.Frames != 6) d.Key("frame", button.Frames);
    d.Image("ButtonImage", button.File, TitleButton(p, button.Glyph, button.Frames));
  }
  d.Section("MDICONTROLS");
  d.Image("Image", "mdicontrols.bmp", MdiControls(p));
}

void Colours(TDescription& d, const TSkinPalette& p) {
  d.Section("Colours");
  d.Colour("WindowText", p.Text);
  d.Colour("TitleTextActive", p.TitleText);
  d.Colour("TitleTextNoActive", p.TitleTextInactive);
  d.Colour("ButtonFace", p.Face);
  d.Colour("ButtonText", p.Text);
  d.Colour("ButtonHilight", p.Hilight3D);
  d.Colour("Buttonlight", p.FaceLight);
  d.Colour("ButtonShadow", p.Shadow);
  d.Colour("ButtonDkShadow", p.DarkShadow);
  d.Colour("HilightText", p.OnAccent);
  d.Colour("Hilight", p.Selection);
  d.Colour("Menubar", p.MenuBar);
  d.Colour("MenuBarText", p.Text);
  d.Colour("MenuText", p.Text);
  d.Colour("Menu", p.MenuBack);
  d.Colour("Scrollbar", p.Track);
  // The program's own figures: accent, its dark and light tones, text, disabled text, face,
  // field, border, and the colours of amounts in credit and in debit.
  d.Section("Customcolors");
  const uint32_t custom[] = {p.Accent, p.AccentDark, p.AccentLight, p.Text, p.TextDisabled,
                             p.Face,   p.Field,      p.Border,      p.Positive, p.Negative};
  for (int i = 0; i < 10; ++i) d.Colour("Color" + std::to_string(i), custom[i]);
}

std::vector<TSkinFile> Build(const TSkinDefinition& skin) {
  const TSkinPalette& p = skin.Palette;
  const TTextColours text{p.Text, p.Text, p.Text};
  TDescription d(skin.Title + " skin, written by tools/skingen: change the generator, not this file");

  d.Section("TitlebarSkin");
  d.Key("SkinName", skin.Title);

  d.Section("Personality");
  // The side pieces keep the title bar's height and the bottom corner unstretched.
  FramePieceKeys(d, p, "Left", "left.bmp", TFramePiece::Left, kTitleHeight + 2, 8, 1);
  FramePieceKeys(d, p, "Right", "right.bmp", TFramePiece::Right, kTitleHeight + 2, 8, 1);
  FramePieceKeys(d, p, "Top", "top.bmp", TFramePiece::Top, 12, 12, 1);
  // The bottom corners lie within the side pieces: the bottom piece is opaque.
  FramePieceKeys(d, p, "Bottom", "bottom.bmp", TFramePiece::Bottom, 8, 8, 0);
  d.Image("TextBack", "textback.bmp", TitleTextBack(p));
  d.Key("TextShift", 16);
  d.Key("TextShiftVert", 2);
  d.Key("TextRightClip", 75);
  d.Key("TextAlignment", 0);
  d.Key("Textbackground", 1);
  d.Key("TXTBackleft", 8);
  d.Key("TXTBackRight", 8);
  RgbKeys(d, "ActiveText", p.TitleText);
  RgbKeys(d, "InActiveText", p.TitleTextInactive);
  d.Image("menuBar", "menubar.bmp", MenuBar(p));
  d.Key("TileMenu", 1);
  d.Key("TileLeftMenu", 4);
  d.Key("TileRightMenu", 4);

  d.Section("Fonts");
  d.Key("FontHeight", 14);

  Colours(d, p);
  TitleButtons(d, p);

  d.Section("Buttons");
  d.Image("Bitmap", "button.bmp", PushButton(p));
  d.Key("LeftWidth", 5);
  d.Key("RightWidth", 5);
  d.Key("TopHeight", 5);
  d.Key("BottomHeight", 5);
  d.Key("Trans", 1);
  d.Key("Tile", 0);
  d.Image("CheckButton", "checkbox.bmp", CheckBox(p));
  d.Image("RadioButton", "radio.bmp", RadioButton(p));
  d.Key("CheckButtonFrame", 12);
  d.Key("RadioButtonFrame", 8);
  d.Key("NormalColour", -1);
  d.Key("MouseOverColour", -1);
  d.Key("PressedColour", -1);
  d.Colour("NormalColour2", p.Text);
  d.Colour("MouseOverColour2", p.Text);
  d.Colour("PressedColour2", p.Text);

  d.Section("Progress");
  d.Image("Bitmap", "progress.bmp", ProgressBar(p));
  d.Key("Style", 0);
  d.Key("LeftWidth", 4);
  d.Key("RightWidth", 4);
  d.Key("TopHeight", 4);
  d.Key("BottomHeight", 4);
  d.Key("Trans", 1);
  d.Key("Tile", 0);
  // The chunk is one picture: the section has no frame count.
  Element(d, "Progress.Chunk", "progresschunk.bmp", ProgressChunk(p), {0, 0, 0, 0}, kNoFrameKey, 1, text, 1);

  Element(d, "GroupBoxEdge", "groupboxedge.bmp", GroupBoxEdge(p), {5, 5, 5, 5}, 2, 1, text);
  d.Section("GroupBox");
  d.Image("Image", "groupbox.bmp", GroupBoxLabel(p));
  ElementKeys(d, 0, {6, 0, 6, 0}, kNoFrameKey, 1, 0, text);
  d.Key("BackgroundAlignment", 0);
  d.Key("BackgroundLeftShift", 4);
  d.Key("BackgroundRightShift", 4);

  d.Section("Tabs");
  d.Image("Image", "tabs.bmp", Tabs(p));
  d.Image("Border", "tabborder.bmp", TabPane(p));
  ElementKeys(d, 0, {5, 5, 5, 3}, kNoFrameKey, 1, 0, {Mix(p.Text, p.Face, 0.25), p.Text, p.Text});
  Element(d, "Tab.Pane", "tabpane.bmp", TabPane(p), {4, 4, 4, 4}, 1, 0, text);
  Element(d, "StatusBarEdges", "statusbar.bmp", StatusBarEdges(p), {2, 2, 2, 2}, 3, 0, text);
  Element(d, "ToolBars", "toolbars.bmp", ToolBarButtons(p), {4, 4, 4, 4}, 5, 1, text);

  d.Section("ComboButton");
  d.Image("Image", "combobutton.bmp", ComboButton(p));
  ElementKeys(d, 0, {2, 3, 3, 3}, kNoFrameKey, 1, 0, text);
  Element(d, "SunkEdge", "sunkedge.bmp", SunkenEdge(p), {3, 3, 3, 3}, 4, 1, text);
  Element(d, "ExtraImages", "extraimages.bmp", ExtraImages(p), {0, 0, 0, 0}, 5, 1, text);
  Element(d, "Headerbar", "header.bmp", HeaderBar(p), {2, 2, 2, 2}, 5, 0, text);
  Element(d, "MenuItem", "menuitem.bmp", MenuItem(p), {4, 4, 4, 4}, 5, 1, {p.Text, p.OnAccent, p.OnAccent});
  Element(d, "MenuBackground", "menubg.bmp", MenuBackground(p), {5, 5, 5, 5}, 1, 0, text);

  Element(d, "Scrollbar", "scrollbar.bmp", ScrollBarParts(p), {0, 0, 0, 0}, 23, 1, text);
  Element(d, "HorzScroll", "hscroll.bmp", ScrollTrack(p, false), {2, 0, 2, 0}, 4, 0, text);
  Element(d, "VertScroll", "vscroll.bmp", ScrollTrack(p, true), {0, 2, 0, 2}, 4, 0, text);
  Element(d, "HorzScrollThumb", "hthumb.bmp", ScrollThumb(p, false), {6, 0, 6, 0}, 3, 1, text);
  d.Key("FrameCount", 3);
  Element(d, "VertScrollThumb", "vthumb.bmp", ScrollThumb(p, true), {0, 6, 0, 6}, 3, 1, text);
  d.Key("FrameCount", 3);

  const struct {
    const char* Section;
    const char* File;
    TThumbShape Shape;
  } thumbs[] = {{"Trackbar.ThumbHorz", "thumbhorz.bmp", TThumbShape::Horz},
                {"Trackbar.ThumbVert", "thumbvert.bmp", TThumbShape::Vert},
                {"Trackbar.ThumbLeft", "thumbleft.bmp", TThumbShape::Left},
                {"Trackbar.ThumbRight", "thumbright.bmp", TThumbShape::Right},
                {"Trackbar.ThumbUp", "thumbup.bmp", TThumbShape::Up},
                {"Trackbar.ThumbDown", "thumbdown.bmp", TThumbShape::Down}};
  for (const auto& thumb : thumbs) Element(d, thumb.Section, thumb.File, TrackBarThumb(p, thumb.Shape), {0, 0, 0, 0}, 5, 1, text);
  Element(d, "Track", "track.bmp", TrackBarChannel(p, false), {3, 0, 3, 0}, 1, 0, text);
  Element(d, "TRACKVERT", "trackvert.bmp", TrackBarChannel(p, true), {0, 3, 0, 3}, 1, 0, text);

  for (bool horizontal : {true, false}) {
    std::string stem = horizontal ? "updownh" : "updownv";
    d.Section(horizontal ? "UpDown.Horz" : "UpDown.Vert");
    d.Image("Image", stem + ".bmp", UpDownButtons(p, horizontal));
    d.Image("GlyphImage", stem + "glyph.bmp", UpDownGlyphs(p, horizontal));
    ElementKeys(d, 0, {2, 2, 2, 2}, kNoFrameKey, 1, 0, text);
  }

  std::vector<TSkinFile> files{{skin.Name + ".ini", d.Text()}};
  files.insert(files.end(), d.Images().begin(), d.Images().end());
  return files;
}

const TSkinDefinition& Find(const std::string& name) {
  for (const TSkinDefinition& skin : Definitions()) {
    if (skin.Name == name) return skin;
  }
  throw std::invalid_argument("unknown skin \"" + name + "\"");
}

}  // namespace

const std::vector<std::string>& SkinNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> result;
    for (const TSkinDefinition& skin : Definitions()) result.push_back(skin.Name);
    return result;
  }();
  return names;
}

std::vector<TSkinFile> GenerateSkin(const std::string& name) { return Build(Find(name)); }

namespace {

// ---- Contact sheet ----

constexpr int kSheetWidth = 1500;
constexpr int kGap = 16;

TSkinImage FromBmp(const std::string& data) {
  TBmpImage bmp = ReadBmp(reinterpret_cast<const uint8_t*>(data.data()), data.size(), 1u << 24);
  TSkinImage image(bmp.Width, bmp.Height);
  for (int y = 0; y < bmp.Height; ++y) {
    for (int x = 0; x < bmp.Width; ++x) image.SetPixel(x, y, bmp.PixelColor(x, y));
  }
  return image;
}

// Nearest-pixel stretch of a part of a picture, the way the engine stretches (transparent: magenta
// is not drawn).
void Stretch(TSkinImage& target, int x, int y, int w, int h, const TSkinImage& from, int sx, int sy, int sw, int sh,
             bool transparent) {
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
  for (int row = 0; row < h; ++row) {
    for (int column = 0; column < w; ++column) {
      int tx = x + column, ty = y + row;
      if (tx < 0 || ty < 0 || tx >= target.Width() || ty >= target.Height()) continue;
      uint32_t colour = from.Pixel(sx + column * sw / w, sy + row * sh / h);
      if (!transparent || colour != kMagenta) target.SetPixel(tx, ty, colour);
    }
  }
}

// One frame of a strip cut into nine slices and drawn over (x, y, w, h).
void Sliced(TSkinImage& target, const TSkinImage& map, int frame, int frames, bool stacked, TSlices m, int x, int y, int w,
            int h, bool transparent = true) {
  int fw = stacked ? map.Width() : map.Width() / frames, fh = stacked ? map.Height() / frames : map.Height();
  int sx = stacked ? 0 : (frame - 1) * fw, sy = stacked ? (frame - 1) * fh : 0;
  int l = m.Left, t = m.Top, r = m.Right, b = m.Bottom;
  if (l + r > w) l = r = 0;
  if (t + b > h) t = b = 0;
  const int xs[] = {0, l, w - r, w}, sxs[] = {0, l, fw - r, fw};
  const int ys[] = {0, t, h - b, h}, sys[] = {0, t, fh - b, fh};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      Stretch(target, x + xs[i], y + ys[j], xs[i + 1] - xs[i], ys[j + 1] - ys[j], map, sx + sxs[i], sy + sys[j],
              sxs[i + 1] - sxs[i], sys[j + 1] - sys[j], transparent);
    }
  }
}

// A window put together from the skin's pictures, roughly as the engine draws it, so the pieces
// can be judged together.
TSkinImage MockWindow(const std::string& name) {
  std::vector<TSkinFile> files = GenerateSkin(name);
  auto image = [&](const std::string& file) {
    for (const TSkinFile& f : files) {
      if (f.Name == file) return FromBmp(f.Data);
    }
    throw std::logic_error("no picture " + file);
  };
  const TSkinPalette& p = Find(name).Palette;
  const int w = 400, h = 300, menu = 19;
  TSkinImage window(w, h, p.Face);
  Sliced(window, image("left.bmp"), 1, 2, false, {0, kTitleHeight + 2, 0, 8}, 0, 0, kSideWidth, h);
  Sliced(window, image("right.bmp"), 1, 2, false, {0, kTitleHeight + 2, 0, 8}, w - kSideWidth, 0, kSideWidth, h);
  Sliced(window, image("bottom.bmp"), 1, 2, true, {8, 0, 8, 0}, kSideWidth, h - kBottomHeight, w - 2 * kSideWidth, kBottomHeight);
  Sliced(window, image("top.bmp"), 1, 2, true, {12, 0, 12, 0}, kSideWidth, 0, w - 2 * kSideWidth, kTitleHeight);
  Sliced(window, image("textback.bmp"), 1, 2, true, {8, 0, 8, 0}, kSideWidth + 16, 0, 140, kTitleHeight);
  TSkinImage icon(16, 16, p.Accent);
  Stretch(window, 6, 6, 16, 16, icon, 0, 0, 16, 16, false);
  Sliced(window, image("minimize.bmp"), 1, 4, false, {}, w - 75, kTitleButtonTop, 21, 21);
  Sliced(window, image("maximize.bmp"), 3, 4, false, {}, w - 52, kTitleButtonTop, 21, 21);
  Sliced(window, image("close.bmp"), 3, 6, false, {}, w - 29, kTitleButtonTop, 21, 21);
  Sliced(window, image("menubar.bmp"), 1, 2, true, {4, 0, 4, 0}, kSideWidth, kTitleHeight, w - 2 * kSideWidth, menu, false);
  int top = kTitleHeight + menu;
  // Push buttons: normal, hot, default; pressed, disabled.
  const int buttonFrames[] = {1, 4, 5, 2, 3};
  for (int i = 0; i < 5; ++i) Sliced(window, image("button.bmp"), buttonFrames[i], 5, false, {5, 5, 5, 5}, 14 + (i % 3) * 82, top + 12 + (i / 3) * 30, 75, 24);
  for (int i = 0; i < 6; ++i) Sliced(window, image("checkbox.bmp"), i < 3 ? 1 + 4 * i : 4 + 4 * (i - 3), 12, false, {}, 14 + i * 20, top + 76, 13, 13);
  for (int i = 0; i < 4; ++i) Sliced(window, image("radio.bmp"), (i % 2) * 4 + (i < 2 ? 1 : 4), 8, false, {}, 140 + i * 20, top + 76, 13, 13);
  Sliced(window, image("progress.bmp"), 1, 2, false, {4, 4, 4, 4}, 14, top + 100, 230, 16);
  Sliced(window, image("progress.bmp"), 2, 2, false, {4, 4, 4, 4}, 14, top + 100, 140, 16);
  Sliced(window, image("sunkedge.bmp"), 1, 4, false, {3, 3, 3, 3}, 14, top + 126, 150, 21);
  Sliced(window, image("combobutton.bmp"), 1, 4, false, {2, 3, 3, 3}, 14 + 150 - 19, top + 126, 19, 21);
  Sliced(window, image("extraimages.bmp"), 1, 5, false, {}, 14 + 150 - 16, top + 130, 12, 12);
  Sliced(window, image("sunkedge.bmp"), 4, 4, false, {3, 3, 3, 3}, 180, top + 126, 150, 21);
  Sliced(window, image("combobutton.bmp"), 4, 4, false, {2, 3, 3, 3}, 180 + 150 - 19, top + 126, 19, 21);
  Sliced(window, image("extraimages.bmp"), 4, 5, false, {}, 180 + 150 - 16, top + 130, 12, 12);
  Sliced(window, image("tabborder.bmp"), 1, 1, false, {4, 5, 4, 4}, 14, top + 180, 220, 40, false);
  for (int i = 0; i < 3; ++i) Sliced(window, image("tabs.bmp"), i == 1 ? 2 : 1, 5, false, {5, 5, 5, 3}, 16 + i * 62, top + 157 + (i == 1 ? 0 : 1), 62, 24);
  Sliced(window, image("header.bmp"), 2, 5, false, {2, 2, 2, 2}, 250, top + 160, 60, 22, false);
  Sliced(window, image("header.bmp"), 1, 5, false, {2, 2, 2, 2}, 310, top + 160, 55, 22, false);
  Sliced(window, image("track.bmp"), 1, 1, false, {3, 0, 3, 0}, 250, top + 104, 110, 5, false);
  Sliced(window, image("thumbdown.bmp"), 2, 5, false, {}, 290, top + 96, 11, 19);
  // A vertical scroll bar along the client's right edge.
  int bar = w - kSideWidth - 17, barTop = top, barBottom = h - kBottomHeight - 20;
  Sliced(window, image("vscroll.bmp"), 1, 4, false, {0, 2, 0, 2}, bar, barTop + 17, 17, barBottom - barTop - 34, false);
  Sliced(window, image("scrollbar.bmp"), 9, 23, false, {}, bar, barTop, 17, 17);
  Sliced(window, image("scrollbar.bmp"), 16, 23, false, {}, bar, barBottom - 17, 17, 17);
  Sliced(window, image("vthumb.bmp"), 1, 3, false, {0, 6, 0, 6}, bar, barTop + 40, 17, 60);
  Sliced(window, image("scrollbar.bmp"), 20, 23, false, {}, bar, barTop + 62, 17, 17);
  // The status bar with two panels and the size grip.
  Sliced(window, image("statusbar.bmp"), 3, 3, false, {2, 2, 2, 2}, kSideWidth, h - kBottomHeight - 20, w - 2 * kSideWidth, 20, false);
  Sliced(window, image("statusbar.bmp"), 1, 3, false, {2, 2, 2, 2}, kSideWidth + 2, h - kBottomHeight - 18, 200, 16, false);
  Sliced(window, image("extraimages.bmp"), 5, 5, false, {}, w - kSideWidth - 13, h - kBottomHeight - 13, 12, 12);
  // A popup menu with a selected item and a separator.
  int mx = 250, my = top + 10, mw = 130, mh = 80;
  Sliced(window, image("menubg.bmp"), 1, 1, false, {5, 5, 5, 5}, mx, my, mw, mh, false);
  Sliced(window, image("menuitem.bmp"), 4, 5, false, {4, 4, 4, 4}, mx + 3, my + 23, mw - 6, 20);
  // A separator shows the bottom rows of the second frame.
  TSkinImage item = image("menuitem.bmp");
  int fw = item.Width() / 5, sy = item.Height() - 8, sx = mx + 3, sw = mw - 6;
  Stretch(window, sx, my + 45, 4, 8, item, fw, sy, 4, 8, true);
  Stretch(window, sx + 4, my + 45, sw - 8, 8, item, fw + 4, sy, fw - 8, 8, true);
  Stretch(window, sx + sw - 4, my + 45, 4, 8, item, 2 * fw - 4, sy, 4, 8, true);
  return window;
}

void Place(TSkinImage& sheet, const TSkinImage& image, int x, int y, int scale, uint32_t background) {
  for (int row = 0; row < image.Height() * scale; ++row) {
    for (int column = 0; column < image.Width() * scale; ++column) {
      int tx = x + column, ty = y + row;
      if (tx >= sheet.Width() || ty >= sheet.Height()) continue;
      uint32_t colour = image.Pixel(column / scale, row / scale);
      if (colour == kMagenta) colour = ((tx / 4 + ty / 4) % 2) ? Mix(background, 0x808080, 0.25) : Mix(background, 0xFFFFFF, 0.35);
      sheet.SetPixel(tx, ty, colour);
    }
  }
}

struct TPlaced {
  TSkinImage Image;
  int X, Y;
};

}  // namespace

std::string ContactSheetPng(const std::vector<std::string>& names) {
  const int scale = 2;
  struct TBlock {
    uint32_t Background;
    int Top, Height;
    std::vector<TPlaced> Items;
  };
  std::vector<TBlock> blocks;
  int y = 0;
  for (const std::string& name : names) {
    TBlock block{Find(name).Palette.Face, y, 0, {}};
    TSkinImage mock = MockWindow(name);
    block.Items.push_back({mock, kGap, y + kGap});
    int x = kGap, rowTop = y + kGap * 2 + mock.Height() * scale, rowHeight = 0;
    for (const TSkinFile& file : GenerateSkin(name)) {
      if (file.Name.size() < 4 || file.Name.compare(file.Name.size() - 4, 4, ".bmp") != 0) continue;
      TSkinImage image = FromBmp(file.Data);
      int w = image.Width() * scale, h = image.Height() * scale;
      if (x + w > kSheetWidth - kGap && x > kGap) {
        x = kGap;
        rowTop += rowHeight + kGap;
        rowHeight = 0;
      }
      block.Items.push_back({image, x, rowTop});
      x += w + kGap;
      rowHeight = std::max(rowHeight, h);
    }
    block.Height = rowTop + rowHeight + kGap - y;
    y += block.Height + 8;
    blocks.push_back(std::move(block));
  }
  TSkinImage sheet(kSheetWidth, std::max(y, 1), 0x202020);
  for (const TBlock& block : blocks) {
    for (int row = block.Top; row < block.Top + block.Height; ++row) {
      for (int column = 0; column < kSheetWidth; ++column) sheet.SetPixel(column, row, block.Background);
    }
    for (const TPlaced& item : block.Items) Place(sheet, item.Image, item.X, item.Y, scale, block.Background);
  }
  std::vector<uint8_t> rgba;
  rgba.reserve(static_cast<size_t>(sheet.Width()) * sheet.Height() * 4);
  for (int row = 0; row < sheet.Height(); ++row) {
    for (int column = 0; column < sheet.Width(); ++column) {
      uint32_t colour = sheet.Pixel(column, row);
      rgba.insert(rgba.end(), {static_cast<uint8_t>(colour >> 16), static_cast<uint8_t>(colour >> 8),
                               static_cast<uint8_t>(colour), 255});
    }
  }
  return EncodePngRgba(sheet.Width(), sheet.Height(), rgba);
}

namespace {

constexpr const char* kUsage = "usage: skingen SKIN FOLDER | sheet OUT.png [SKIN...] | list";

class EToolError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

void WriteFile(const fs::path& path, const std::string& data) {
  std::ofstream out(path, std::ios::binary);
  if (!out.write(data.data(), static_cast<std::streamsize>(data.size())) || !out.flush()) {
    throw EToolError(path.string() + ": cannot write");
  }
}

}  // namespace

int RunSkingen(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  try {
    const std::string command = args.empty() ? std::string() : args[0];
    if (command == "list" && args.size() == 1) {
      for (const std::string& name : SkinNames()) out << name << '\n';
      return 0;
    }
    if (command == "sheet" && args.size() >= 2) {
      std::vector<std::string> names(args.begin() + 2, args.end());
      if (names.empty()) names = SkinNames();
      for (const std::string& name : names) Find(name);
      WriteFile(args[1], ContactSheetPng(names));
      return 0;
    }
    if (args.size() == 2 && command != "sheet" && command != "list") {
      std::vector<TSkinFile> files = GenerateSkin(command);
      std::error_code error;
      fs::create_directories(args[1], error);
      if (!fs::is_directory(args[1], error)) throw EToolError(args[1] + ": cannot create the folder");
      for (const TSkinFile& file : files) WriteFile(fs::path(args[1]) / file.Name, file.Data);
      return 0;
    }
    err << kUsage << '\n';
    return 2;
  } catch (const std::exception& error) {
    err << "skingen: " << error.what() << '\n';
    return 2;
  }
}
