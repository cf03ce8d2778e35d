// The shipped skins as the loader will see them: every section and key it reads, images that exist
// and split into the frames it cuts, a shaped window frame, a package of the current format, and
// the same bytes on every run. The expected lists are written from what the loader reads, not
// from the generator.
#include "tools/skingen/skingen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

#include "framework/core/bmp_format.h"
#include "skin/data/archive.h"
#include "skin/data/quick_ini.h"
#include "tests/native/test_files.h"
#include "tools/skinpack/skinpack.h"

namespace {

constexpr uint32_t kMagenta = 0xFF00FF;

using TKeys = std::vector<std::string>;

// The keys of the element readers.
const TKeys kObjectKeys = {"Image", "Style", "LeftWidth", "RightWidth", "TopHeight", "BottomHeight", "Frame",
                           "Trans", "Tile", "NormalColour", "MouseOverColour", "PressedColour",
                           "NormalColour2", "MouseOverColour2", "PressedColour2"};
const TKeys kTwoImageKeys = {"Image", "Style", "LeftWidth", "RightWidth", "TopHeight", "BottomHeight", "Trans",
                             "Tile", "NormalColour", "MouseOverColour", "PressedColour",
                             "NormalColour2", "MouseOverColour2", "PressedColour2"};
const TKeys kTitleButtonKeys = {"Action", "Align", "Xcoord", "Ycoord", "Visibility", "Visibility1", "CombineOp"};

TKeys With(TKeys keys, const TKeys& more) {
  keys.insert(keys.end(), more.begin(), more.end());
  return keys;
}

TKeys FramePieceKeys() {
  TKeys keys;
  for (const char* piece : {"Left", "Right", "Top", "Bottom"}) {
    for (const char* suffix : {"", "TopHeight", "BotHeight", "Frame", "Stretch", "Trans"}) {
      keys.push_back(std::string(piece) + suffix);
    }
  }
  return keys;
}

const std::vector<std::pair<std::string, TKeys>>& ExpectedSections() {
  static const std::vector<std::pair<std::string, TKeys>> sections = {
      {"TitlebarSkin", {"SkinName"}},
      {"Personality", With(FramePieceKeys(), {"TextBack", "TextShift", "TextShiftVert", "TextRightClip", "TextAlignment",
                                              "Textbackground", "TXTBackleft", "TXTBackRight", "ActiveTextR",
                                              "ActiveTextG", "ActiveTextB", "InActiveTextR", "InActiveTextG",
                                              "InActiveTextB", "menuBar", "TileMenu", "TileLeftMenu", "TileRightMenu"})},
      {"Fonts", {"FontHeight"}},
      {"Colours", {"WindowText", "TitleTextActive", "TitleTextNoActive", "ButtonFace", "ButtonText", "ButtonHilight",
                   "Buttonlight", "ButtonShadow", "ButtonDkShadow", "HilightText", "Hilight", "Menubar", "MenuBarText",
                   "MenuText", "Menu", "Scrollbar"}},
      {"Customcolors", {"Color0", "Color1", "Color2", "Color3", "Color4", "Color5", "Color6", "Color7", "Color8", "Color9"}},
      {"Button0", With(kTitleButtonKeys, {"ButtonImage"})},
      {"Button1", With(kTitleButtonKeys, {"ButtonImage", "frame"})},
      {"Button2", With(kTitleButtonKeys, {"ButtonImage", "frame"})},
      {"Button3", With(kTitleButtonKeys, {"ButtonImage", "frame"})},
      {"Button4", kTitleButtonKeys},
      {"ButtonHelp", With(kTitleButtonKeys, {"ButtonImage", "frame"})},
      {"MDICONTROLS", {"Image"}},
      {"Buttons", {"Bitmap", "LeftWidth", "RightWidth", "TopHeight", "BottomHeight", "Trans", "Tile", "CheckButton",
                   "RadioButton", "NormalColour", "MouseOverColour", "PressedColour", "RadioButtonFrame",
                   "CheckButtonFrame", "NormalColour2", "MouseOverColour2", "PressedColour2"}},
      {"Progress", {"Bitmap", "Style", "LeftWidth", "RightWidth", "TopHeight", "BottomHeight", "Trans", "Tile"}},
      {"Progress.Chunk", kTwoImageKeys},
      {"GroupBoxEdge", kObjectKeys},
      {"GroupBox", With(kTwoImageKeys, {"BackgroundAlignment", "BackgroundLeftShift", "BackgroundRightShift"})},
      {"Tabs", With(kTwoImageKeys, {"Border"})},
      {"StatusBarEdges", kObjectKeys},
      {"Tab.Pane", kObjectKeys},
      {"ToolBars", kObjectKeys},
      {"ComboButton", kTwoImageKeys},
      {"SunkEdge", kObjectKeys},
      {"ExtraImages", kObjectKeys},
      {"Headerbar", kObjectKeys},
      {"MenuItem", kObjectKeys},
      {"MenuBackground", kObjectKeys},
      {"Scrollbar", kObjectKeys},
      {"HorzScroll", kObjectKeys},
      {"VertScroll", kObjectKeys},
      {"HorzScrollThumb", With(kObjectKeys, {"FrameCount"})},
      {"VertScrollThumb", With(kObjectKeys, {"FrameCount"})},
      {"Trackbar.ThumbHorz", kObjectKeys},
      {"Trackbar.ThumbVert", kObjectKeys},
      {"Trackbar.ThumbLeft", kObjectKeys},
      {"Trackbar.ThumbRight", kObjectKeys},
      {"Trackbar.ThumbUp", kObjectKeys},
      {"Trackbar.ThumbDown", kObjectKeys},
      {"UpDown.Horz", With(kTwoImageKeys, {"GlyphImage"})},
      {"UpDown.Vert", With(kTwoImageKeys, {"GlyphImage"})},
      {"Track", kObjectKeys},
      {"TRACKVERT", kObjectKeys},
  };
  return sections;
}

// Every image key with the number of frames the loader cuts it into; stacked strips hold their
// frames one above another. Title-bar buttons are checked on their own (their count depends on
// the picture's shape).
struct TImageKey {
  const char* Section;
  const char* Key;
  int Frames;
  bool Stacked;
};

const TImageKey kImageKeys[] = {
    {"Personality", "Left", 2, false},       {"Personality", "Right", 2, false},
    {"Personality", "Top", 2, true},         {"Personality", "Bottom", 2, true},
    {"Personality", "TextBack", 2, true},    {"Personality", "menuBar", 2, true},
    {"MDICONTROLS", "Image", 12, false},     {"Buttons", "Bitmap", 5, false},
    {"Buttons", "CheckButton", 12, false},   {"Buttons", "RadioButton", 8, false},
    {"Progress", "Bitmap", 2, false},        {"Progress.Chunk", "Image", 1, false},
    {"GroupBoxEdge", "Image", 2, false},     {"GroupBox", "Image", 1, false},
    {"Tabs", "Image", 5, false},             {"Tabs", "Border", 1, false},
    {"StatusBarEdges", "Image", 3, false},   {"Tab.Pane", "Image", 1, false},
    {"ToolBars", "Image", 5, false},         {"ComboButton", "Image", 4, false},
    {"SunkEdge", "Image", 4, false},         {"ExtraImages", "Image", 5, false},
    {"Headerbar", "Image", 5, false},        {"MenuItem", "Image", 5, false},
    {"MenuBackground", "Image", 1, false},   {"Scrollbar", "Image", 23, false},
    {"HorzScroll", "Image", 4, false},       {"VertScroll", "Image", 4, false},
    {"HorzScrollThumb", "Image", 3, false},  {"VertScrollThumb", "Image", 3, false},
    {"Trackbar.ThumbHorz", "Image", 5, false}, {"Trackbar.ThumbVert", "Image", 5, false},
    {"Trackbar.ThumbLeft", "Image", 5, false}, {"Trackbar.ThumbRight", "Image", 5, false},
    {"Trackbar.ThumbUp", "Image", 5, false}, {"Trackbar.ThumbDown", "Image", 5, false},
    {"UpDown.Horz", "Image", 8, false},      {"UpDown.Horz", "GlyphImage", 8, false},
    {"UpDown.Vert", "Image", 8, false},      {"UpDown.Vert", "GlyphImage", 8, false},
    {"Track", "Image", 1, false},            {"TRACKVERT", "Image", 1, false},
};

const char* const kTitleButtonSections[] = {"Button0", "Button1", "Button2", "Button3", "ButtonHelp"};

// One skin, generated, packed by the packer's own command and read back as the engine reads it.
struct TSkin {
  std::vector<TSkinFile> Files;
  TQuickIni Ini;
  std::vector<uint8_t> Package;
  TSkinReader Reader;

  std::string Value(const std::string& section, const std::string& key) const { return Ini.ReadString(section, key, ""); }
  int Integer(const std::string& section, const std::string& key) const { return Ini.ReadInteger(section, key, -12345); }
  TBmpImage Image(const std::string& name) const {
    TMemoryStream stream;
    Reader.readfile(name, stream);
    return ReadBmp(stream.Memory(), static_cast<size_t>(stream.Size()), 1u << 24);
  }
};

const TSkin& Skin(const std::string& name) {
  static std::map<std::string, TSkin> skins;
  auto found = skins.find(name);
  if (found != skins.end()) return found->second;
  TSkin& skin = skins[name];
  skin.Files = GenerateSkin(name);
  TMemoryStream ini(reinterpret_cast<const uint8_t*>(skin.Files[0].Data.data()), skin.Files[0].Data.size());
  skin.Ini.LoadFromStream(&ini);
  TScratchDir scratch;
  std::ostringstream out, err;
  EXPECT_EQ(RunSkingen({name, scratch.Path("skin")}, out, err), 0) << err.str();
  EXPECT_EQ(RunSkinpack({"pack", scratch.Path("skin"), scratch.Path("skin.skn")}, out, err), 0) << err.str();
  skin.Package = ReadBytes(scratch.Path("skin.skn"));
  TSkinReader::TMessageProc previous = TSkinReader::SetMessageHandler(nullptr);
  TMemoryStream packed(skin.Package.data(), skin.Package.size());
  EXPECT_TRUE(skin.Reader.Loadfromstream(packed)) << skin.Reader.LastError();
  TSkinReader::SetMessageHandler(std::move(previous));
  return skin;
}

bool IsLowerCaseBmpName(const std::string& name) {
  return name.size() > 4 && name.compare(name.size() - 4, 4, ".bmp") == 0 &&
         std::none_of(name.begin(), name.end(), [](char c) { return std::isupper(static_cast<unsigned char>(c)); });
}

class SkingenSkin : public ::testing::TestWithParam<std::string> {};

TEST_P(SkingenSkin, DescriptionHasEverySectionAndKeyTheLoaderReads) {
  const TSkin& skin = Skin(GetParam());
  for (const auto& [section, keys] : ExpectedSections()) {
    for (const std::string& key : keys) {
      EXPECT_NE(skin.Ini.ReadString(section, key, "\x01"), "\x01") << "[" << section << "] " << key;
    }
  }
  // The chunk is one picture: a Frame key would make the loader cut it.
  EXPECT_EQ(skin.Ini.ReadString("Progress.Chunk", "Frame", "\x01"), "\x01");
  EXPECT_FALSE(skin.Value("TitlebarSkin", "SkinName").empty());
}

TEST_P(SkingenSkin, TitleBarFollowsTheStoredSkinsLayout) {
  const TSkin& skin = Skin(GetParam());
  struct TButton {
    const char* Section;
    int Action, Visibility;
  };
  // Close, maximise, restore, minimise, the window icon, context help.
  for (const TButton& b : {TButton{"Button0", 0, 0}, TButton{"Button1", 1, 2}, TButton{"Button2", 1, 1},
                           TButton{"Button3", 2, 8}, TButton{"Button4", 3, 0}, TButton{"ButtonHelp", 4, 10}}) {
    EXPECT_EQ(skin.Integer(b.Section, "Action"), b.Action) << b.Section;
    EXPECT_EQ(skin.Integer(b.Section, "Visibility"), b.Visibility) << b.Section;
  }
  EXPECT_EQ(skin.Integer("Button1", "Visibility1"), 6);
  // Only sections of title-bar buttons begin with "Button" apart from [Buttons].
  std::vector<std::string> sections;
  skin.Ini.ReadSections(sections);
  int titleButtons = 0;
  for (std::string section : sections) {
    std::transform(section.begin(), section.end(), section.begin(), [](unsigned char c) { return std::toupper(c); });
    titleButtons += section.rfind("BUTTON", 0) == 0 && section != "BUTTONS";
  }
  EXPECT_EQ(titleButtons, 6);

  // The close button counts its six frames from its shape; the icon button has no picture.
  EXPECT_EQ(skin.Value("Button0", "frame"), "");
  TBmpImage close = skin.Image(skin.Value("Button0", "ButtonImage"));
  EXPECT_EQ(close.Width, 126);
  EXPECT_EQ(close.Height, 21);
  EXPECT_EQ(skin.Value("Button4", "ButtonImage"), "");
  EXPECT_EQ(skin.Value("Button4", "frame"), "");

  // A 28-pixel title bar from the top piece, 4-pixel sides, a 5-pixel bottom.
  EXPECT_EQ(skin.Image(skin.Value("Personality", "Top")).Height / skin.Integer("Personality", "TopFrame"), 28);
  EXPECT_EQ(skin.Image(skin.Value("Personality", "Left")).Width / skin.Integer("Personality", "LeftFrame"), 4);
  EXPECT_EQ(skin.Image(skin.Value("Personality", "Right")).Width / skin.Integer("Personality", "RightFrame"), 4);
  EXPECT_EQ(skin.Image(skin.Value("Personality", "Bottom")).Height / skin.Integer("Personality", "BottomFrame"), 5);
  EXPECT_EQ(skin.Integer("Personality", "TextShift"), 16);
  EXPECT_EQ(skin.Integer("Personality", "TextShiftVert"), 2);
  EXPECT_EQ(skin.Integer("Personality", "TextRightClip"), 75);
  for (const char* key : {"LeftTrans", "RightTrans", "TopTrans"}) EXPECT_EQ(skin.Integer("Personality", key), 1) << key;
}

TEST_P(SkingenSkin, EveryImageIsALowerCaseBmpOfThePackageThatSplitsIntoItsFrames) {
  const TSkin& skin = Skin(GetParam());
  EXPECT_EQ(skin.Reader.FormatCode(), 70000);
  std::set<std::string> named;
  auto check = [&](const std::string& section, const std::string& key, int frames, bool stacked) {
    std::string name = skin.Value(section, key);
    SCOPED_TRACE("[" + section + "] " + key + "=" + name);
    ASSERT_TRUE(IsLowerCaseBmpName(name));
    named.insert(name);
    TBmpImage image;
    ASSERT_NO_THROW(image = skin.Image(name));
    ASSERT_GT(image.Width, 0);
    EXPECT_EQ((stacked ? image.Height : image.Width) % frames, 0);
  };
  for (const TImageKey& k : kImageKeys) check(k.Section, k.Key, k.Frames, k.Stacked);
  // Title-bar buttons: the frame key when given, else 6 for a wide strip and 3 for a narrow one.
  for (const char* section : kTitleButtonSections) {
    std::string name = skin.Value(section, "ButtonImage");
    int frames = skin.Integer(section, "frame");
    if (frames == -12345) {
      TBmpImage image = skin.Image(name);
      frames = static_cast<double>(image.Width) / image.Height <= 3.8 ? 3 : 6;
    }
    check(section, "ButtonImage", frames, false);
  }
  // The frame counts the loader takes from the description itself.
  EXPECT_EQ(skin.Integer("Buttons", "CheckButtonFrame"), 12);
  EXPECT_EQ(skin.Integer("Buttons", "RadioButtonFrame"), 8);
  EXPECT_EQ(skin.Integer("HorzScrollThumb", "FrameCount"), 3);
  EXPECT_EQ(skin.Integer("VertScrollThumb", "FrameCount"), 3);
  EXPECT_EQ(skin.Integer("Headerbar", "Frame"), 5);
  EXPECT_EQ(skin.Integer("Track", "Frame"), 1);
  EXPECT_EQ(skin.Integer("TRACKVERT", "Frame"), 1);
  // Four-state title buttons say so: the count from the shape would be 3 or 6.
  for (const char* section : {"Button1", "Button2", "Button3", "ButtonHelp"}) EXPECT_EQ(skin.Integer(section, "frame"), 4);
  // Nothing in the package that the description does not name, and one description.
  int descriptions = 0;
  for (const std::string& name : skin.Reader.Names()) {
    if (name.find(".ini") != std::string::npos) {
      ++descriptions;
    } else {
      EXPECT_TRUE(named.count(name)) << name << " is packed but not named";
    }
  }
  EXPECT_EQ(descriptions, 1);
}

TEST_P(SkingenSkin, FramePiecesAreRoundedWithMagentaCornersInBothFrames) {
  const TSkin& skin = Skin(GetParam());
  TBmpImage left = skin.Image(skin.Value("Personality", "Left"));
  TBmpImage right = skin.Image(skin.Value("Personality", "Right"));
  TBmpImage top = skin.Image(skin.Value("Personality", "Top"));
  const int side = left.Width / 2, title = top.Height / 2;
  for (int frame = 0; frame < 2; ++frame) {
    SCOPED_TRACE(frame == 0 ? "active" : "inactive");
    int x0 = frame * side;
    // The outer corners are open; the rest of the outer edge and the title bar are not.
    EXPECT_EQ(left.PixelColor(x0, 0), kMagenta);
    EXPECT_EQ(left.PixelColor(x0, left.Height - 1), kMagenta);
    EXPECT_EQ(right.PixelColor(x0 + side - 1, 0), kMagenta);
    EXPECT_EQ(right.PixelColor(x0 + side - 1, right.Height - 1), kMagenta);
    EXPECT_EQ(top.PixelColor(0, frame * title), kMagenta);
    EXPECT_EQ(top.PixelColor(top.Width - 1, frame * title), kMagenta);
    EXPECT_NE(left.PixelColor(x0, left.Height / 2), kMagenta);
    EXPECT_NE(right.PixelColor(x0 + side - 1, right.Height / 2), kMagenta);
    EXPECT_NE(top.PixelColor(top.Width / 2, frame * title), kMagenta);
    EXPECT_NE(top.PixelColor(top.Width / 2, frame * title + title / 2), kMagenta);
  }
  // The bottom piece is not transparent: no magenta in it at all.
  EXPECT_EQ(skin.Integer("Personality", "BottomTrans"), 0);
  TBmpImage bottom = skin.Image(skin.Value("Personality", "Bottom"));
  for (int y = 0; y < bottom.Height; ++y) {
    for (int x = 0; x < bottom.Width; ++x) ASSERT_NE(bottom.PixelColor(x, y), kMagenta) << x << ", " << y;
  }
}

TEST_P(SkingenSkin, CaptionColourIsTakenFromTheTitleBarNotFromATransparentPixel) {
  const TSkin& skin = Skin(GetParam());
  TBmpImage top = skin.Image(skin.Value("Personality", "Top"));
  // Where the loader samples the caption colour for the toolbar gradient.
  EXPECT_NE(top.PixelColor(top.Width / 3, top.Height / 2 / 3), kMagenta);
}

TEST_P(SkingenSkin, GeneratingTwiceGivesTheSameBytes) {
  std::vector<TSkinFile> again = GenerateSkin(GetParam());
  const std::vector<TSkinFile>& first = Skin(GetParam()).Files;
  ASSERT_EQ(again.size(), first.size());
  for (size_t i = 0; i < again.size(); ++i) {
    EXPECT_EQ(again[i].Name, first[i].Name);
    EXPECT_TRUE(again[i].Data == first[i].Data) << again[i].Name;
  }
  TScratchDir scratch;
  std::ostringstream out, err;
  ASSERT_EQ(RunSkingen({GetParam(), scratch.Path("skin")}, out, err), 0) << err.str();
  ASSERT_EQ(RunSkinpack({"pack", scratch.Path("skin"), scratch.Path("skin.skn")}, out, err), 0) << err.str();
  EXPECT_TRUE(ReadBytes(scratch.Path("skin.skn")) == Skin(GetParam()).Package);
}

INSTANTIATE_TEST_SUITE_P(Shipped, SkingenSkin, ::testing::Values("corvale", "corvale-dark"),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                           return param.param == "corvale" ? std::string("Corvale") : std::string("CorvaleDark");
                         });

// Reads a colour written in the description's syntax, requiring exactly three numbers of 0..255.
bool ParseRgb(const std::string& text, uint32_t& colour) {
  std::istringstream in(text);
  int r, g, b;
  std::string rest;
  if (!(in >> r >> g >> b) || (in >> rest)) return false;
  if (r < 0 || r > 255 || g < 0 || g > 255 || b < 0 || b > 255) return false;
  colour = static_cast<uint32_t>(r) << 16 | static_cast<uint32_t>(g) << 8 | static_cast<uint32_t>(b);
  return true;
}

double Luminance(uint32_t colour) {
  return (0.2126 * ((colour >> 16) & 0xFF) + 0.7152 * ((colour >> 8) & 0xFF) + 0.0722 * (colour & 0xFF)) / 255;
}

TEST(Skingen, ColoursAreThreeNumbersAndTheSecondSkinIsDark) {
  std::map<std::string, double> face;
  for (const std::string& name : SkinNames()) {
    const TSkin& skin = Skin(name);
    auto colours = std::find_if(ExpectedSections().begin(), ExpectedSections().end(),
                                [](const auto& section) { return section.first == "Colours"; });
    ASSERT_NE(colours, ExpectedSections().end());
    for (const std::string& key : colours->second) {
      uint32_t colour;
      EXPECT_TRUE(ParseRgb(skin.Value("Colours", key), colour)) << name << " " << key;
    }
    for (int i = 0; i < 10; ++i) {
      uint32_t colour;
      EXPECT_TRUE(ParseRgb(skin.Value("Customcolors", "Color" + std::to_string(i)), colour)) << name << " Color" << i;
    }
    uint32_t faceColour = 0, text = 0;
    ASSERT_TRUE(ParseRgb(skin.Value("Colours", "ButtonFace"), faceColour));
    ASSERT_TRUE(ParseRgb(skin.Value("Colours", "ButtonText"), text));
    // Text must stand out from the face it is written on.
    EXPECT_GT(std::abs(Luminance(faceColour) - Luminance(text)), 0.5) << name;
    face[name] = Luminance(faceColour);
  }
  EXPECT_GT(face["corvale"], 0.8);
  EXPECT_LT(face["corvale-dark"], 0.25);
}

TEST(Skingen, UnknownSkinsAndBadUsageAreRefused) {
  EXPECT_EQ(SkinNames(), (std::vector<std::string>{"corvale", "corvale-dark"}));
  EXPECT_THROW(GenerateSkin("Corvale"), std::invalid_argument);
  TScratchDir scratch;
  struct TCase {
    std::vector<std::string> Args;
  };
  for (const TCase& c : {TCase{{}}, TCase{{"no-such-skin", scratch.Path("out")}}, TCase{{"corvale"}},
                         TCase{{"sheet"}}, TCase{{"sheet", scratch.Path("x.png"), "no-such-skin"}}}) {
    std::ostringstream out, err;
    EXPECT_EQ(RunSkingen(c.Args, out, err), 2);
    std::string message = err.str();
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
  }
}

}  // namespace
