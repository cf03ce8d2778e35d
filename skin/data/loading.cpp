#include "skin/data/loading.h"

#include <algorithm>
#include <cctype>

#include "framework/graphics/bitmaps.h"
#include "framework/graphics/gdi.h"
#include "framework/core/text.h"
#include "skin/data/archive.h"
#include "skin/data/quick_ini.h"
#include "skin/data/skin_data.h"
#include "skin/draw/image_utils.h"
#include "skin/draw/sliced.h"

namespace {

std::string UpperCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// A copy of part of a bitmap, as a 24-bit bitmap of the part's size.
std::unique_ptr<TBitmap> CopyPart(TBitmap& source, int left, int top, int width, int height) {
  auto part = std::make_unique<TBitmap>(std::max(width, 0), std::max(height, 0), TPixelFormat::pf24bit);
  if (width > 0 && height > 0 && !source.Empty()) {
    BitBlt(part->Canvas()->Handle(), 0, 0, width, height, source.Canvas()->Handle(), left, top, SRCCOPY);
  }
  return part;
}

void Empty(TBitmap& bitmap) { bitmap.SetSize(0, 0); }

}  // namespace

std::string TSkinLoader::String(const std::string& section, const std::string& key, const std::string& fallback) const {
  return FIni.ReadString(section, key, fallback);
}

int32_t TSkinLoader::Integer(const std::string& section, const std::string& key, int32_t fallback) const {
  return FIni.ReadInteger(section, key, fallback);
}

void TSkinLoader::Readbmp(TBitmap& bitmap, const std::string& value) const {
  size_t separator = value.find_last_of("\\/:");
  std::string name = separator == std::string::npos ? value : value.substr(separator + 1);
  size_t dot = name.find_last_of('.');
  if (name.empty() || dot == std::string::npos || name.substr(dot) != ".bmp") {
    Empty(bitmap);
    return;
  }
  TMemoryStream stream;
  FReader.readfile(name, stream);
  if (stream.Size() == 0) {
    Empty(bitmap);
    return;
  }
  stream.SetPosition(0);
  // A damaged image leaves its element without a picture, like a missing one.
  try {
    bitmap.LoadFromStream(stream);
  } catch (const std::exception&) {
    Empty(bitmap);
  }
}

// ---- The generic readers ---------------------------------------------------------------------------

void TSkinLoader::ReadCommon(TDataSkinObject& element, const std::string& section, bool withFrame) const {
  element.Style = Integer(section, "Style");
  element.Margins = RECT{Integer(section, "LeftWidth"), Integer(section, "TopHeight"), Integer(section, "RightWidth"),
                         Integer(section, "BottomHeight")};
  if (withFrame) element.Frame = Integer(section, "Frame");
  element.Trans = Integer(section, "Trans");
  element.Tile = Integer(section, "Tile");
  element.NormalColour = Integer(section, "NormalColour", -1);
  element.MouseOverColour = Integer(section, "MouseOverColour", -1);
  element.PressedColour = Integer(section, "PressedColour", -1);
  TSkinColor text = FData.FColors[csButtonText];
  element.NormalColour2 = GetColor(String(section, "NormalColour2"), text);
  element.MouseOverColour2 = GetColor(String(section, "MouseOverColour2"), text);
  element.PressedColour2 = GetColor(String(section, "PressedColour2"), text);
}

void TSkinLoader::ReadObject(std::unique_ptr<TDataSkinObject>& slot, const std::string& section) {
  slot.reset();
  std::string image = String(section, "Image");
  if (image.empty()) return;
  auto element = std::make_unique<TDataSkinObject>(section);
  Readbmp(*element->Map, image);
  ReadCommon(*element, section, true);
  if (element->Tile > 1) element->Tile = 0;
  slot = std::move(element);
}

void TSkinLoader::ReadObject2(std::unique_ptr<TDataSkinBorder>& slot, const std::string& section,
                              const std::string& secondKey) {
  slot.reset();
  std::string image = String(section, "Image");
  if (image.empty()) return;
  auto element = std::make_unique<TDataSkinBorder>(section);
  Readbmp(*element->Map, image);
  ReadCommon(*element, section, false);
  std::string second = secondKey.empty() ? std::string() : String(section, secondKey);
  if (!second.empty()) Readbmp(*element->Map2, second);
  if (element->Tile > 1) element->Tile = 0;
  slot = std::move(element);
}

void TSkinLoader::ReadProgress(std::unique_ptr<TDataSkinBorder>& slot, const std::string& section) {
  slot.reset();
  std::string image = String(section, "Bitmap");
  if (image.empty()) return;
  auto element = std::make_unique<TDataSkinBorder>(section);
  Readbmp(*element->Map, image);
  element->Style = Integer(section, "Style");
  element->Margins = RECT{Integer(section, "LeftWidth"), Integer(section, "TopHeight"), Integer(section, "RightWidth"),
                          Integer(section, "BottomHeight")};
  element->Trans = Integer(section, "Trans");
  element->Tile = Integer(section, "Tile");
  if (element->Tile > 1) element->Tile = 1;
  slot = std::move(element);
}

void TSkinLoader::ReadBoxLabel(std::unique_ptr<TDataSkinBoxLabel>& slot, const std::string& section) {
  slot.reset();
  std::string image = String(section, "Image");
  if (image.empty()) return;
  auto element = std::make_unique<TDataSkinBoxLabel>(section);
  Readbmp(*element->Map, image);
  ReadCommon(*element, section, false);
  element->BackgroundAlignment = Integer(section, "BackgroundAlignment");
  element->BackgroundLeftShift = Integer(section, "BackgroundLeftShift");
  element->BackgroundRightShift = Integer(section, "BackgroundRightShift");
  if (element->Tile > 1) element->Tile = 0;
  slot = std::move(element);
}

// ---- The whole description ---------------------------------------------------------------------------

void TSkinLoader::LoadFromIni() {
  TSkinData& d = FData;
  d.FSkinName = String("TitlebarSkin", "SkinName");
  ReadFramePieces();
  ReadColours();
  ReadSysButton();
  ReadButtons();
  ReadTitle();
  ReadProgress(d.FProgress, "Progress");
  ReadObject(d.FProgressChunk, "Progress.Chunk");
  ReadMenuBar();
  ReadObject(d.FGroupBoxEdge, "GroupBoxEdge");
  ReadBoxLabel(d.FGroupBox, "GroupBox");
  ReadObject2(d.FTabs, "Tabs", "Border");
  ReadObject(d.FStatusBarEdges, "StatusBarEdges");
  ReadObject(d.FTabPane, "Tab.Pane");
  if (d.FTabPane) {
    RECT& m = d.FTabPane->Margins;
    for (LONG* side : {&m.left, &m.top, &m.right, &m.bottom}) *side = std::min<LONG>(*side, 4);
  }
  ReadObject(d.FToolBars, "ToolBars");
  // No description has this key: the mirrored copy below fills the second image.
  ReadObject2(d.FComboButton, "ComboButton", "****");
  ReadObject(d.FSunkEdge, "SunkEdge");
  if (d.FComboButton && !d.FComboButton->Map->Empty()) {
    d.FComboButton->Map2->Assign(*d.FComboButton->Map);
    d.FComboButton->Map2->SetPixelFormat(TPixelFormat::pf24bit);
    SpiegelnHorizontal(*d.FComboButton->Map2);
  }
  for (auto [slot, section] : {std::pair{&d.FExtraImages, "ExtraImages"}, std::pair{&d.FHeaderbar, "Headerbar"},
                               std::pair{&d.FMenuItem, "MenuItem"}, std::pair{&d.FMenuBackground, "MenuBackground"},
                               std::pair{&d.FScrollbar, "Scrollbar"}, std::pair{&d.FHorzScroll, "HorzScroll"},
                               std::pair{&d.FVertScroll, "VertScroll"}, std::pair{&d.FHorzScrollThumb, "HorzScrollThumb"},
                               std::pair{&d.FVertScrollThumb, "VertScrollThumb"},
                               std::pair{&d.FThumbHorz, "Trackbar.ThumbHorz"}, std::pair{&d.FThumbVert, "Trackbar.ThumbVert"},
                               std::pair{&d.FThumbLeft, "Trackbar.ThumbLeft"}, std::pair{&d.FThumbRight, "Trackbar.ThumbRight"},
                               std::pair{&d.FThumbUp, "Trackbar.ThumbUp"}, std::pair{&d.FThumbDown, "Trackbar.ThumbDown"}}) {
    ReadObject(*slot, section);
  }
  ReadObject2(d.FUpDownHorz, "UpDown.Horz", "GlyphImage");
  ReadObject2(d.FUpDownVert, "UpDown.Vert", "GlyphImage");
  ReadTrack(d.FTrack, "Track");
  ReadTrack(d.FTrackVert, "TRACKVERT");
  SetFrame();
  ReBuildCombobox();
  ReBuildComboxArrow();
  RebuildToolbar();
  d.FColors[csCaption] = d.GetCaptionColor();
  d.FButtonFaceBrush.Reset(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(d.FColors[csButtonFace]))));
  d.FNoSkin = false;
}

void TSkinLoader::ReadFramePieces() {
  const std::pair<const char*, TDataSkinBorder*> pieces[] = {{"Left", FData.FFrameLeft.get()},
                                                             {"Right", FData.FFrameRight.get()},
                                                             {"Top", FData.FFrameTop.get()},
                                                             {"Bottom", FData.FFrameBottom.get()}};
  for (auto [name, piece] : pieces) {
    std::string p = name;
    int32_t first = Integer("Personality", p + "TopHeight"), last = Integer("Personality", p + "BotHeight");
    bool sides = p == "Left" || p == "Right";
    piece->Margins = sides ? RECT{0, first, 0, last} : RECT{first, 0, last, 0};
    piece->Frame = Integer("Personality", p + "Frame", 1);
    piece->Tile = Integer("Personality", p + "Stretch", 1);
    piece->Trans = Integer("Personality", p + "Trans", 1);
    Readbmp(*piece->Map, String("Personality", p));
    if (piece->Tile > 1) piece->Tile = 1;
  }
}

void TSkinLoader::ReadColor2(TShemeColor member, const std::string& key, TSkinColor fallback) {
  std::string value = String("Colours", key);
  FData.FColorSet[member] = !value.empty();
  FData.FColors[member] = value.empty() ? fallback : strcolor(value);
}

void TSkinLoader::ReadRGB(const std::string& section, const std::string& prefix, TSkinColor& colour) const {
  int32_t r = Integer(section, prefix + "R", -1), g = Integer(section, prefix + "G", -1), b = Integer(section, prefix + "B", -1);
  if (r >= 0 && g >= 0 && b >= 0) colour = RGBToColor(r, g, b);
}

void TSkinLoader::ReadColours() {
  auto system = [](int index) { return static_cast<TSkinColor>(0x80000000u | static_cast<uint32_t>(index)); };
  ReadColor2(csText, "WindowText", system(COLOR_WINDOWTEXT));
  ReadColor2(csButtonFace, "ButtonFace", system(COLOR_BTNFACE));
  ReadColor2(csScrollbar, "Scrollbar", system(COLOR_SCROLLBAR));
  ReadColor2(csHilightText, "HilightText", system(COLOR_HIGHLIGHTTEXT));
  ReadColor2(csHilight, "Hilight", system(COLOR_HIGHLIGHT));
  ReadColor2(csMenuBar, "Menubar", FData.FColors[csButtonFace]);
  ReadColor2(csMenubg, "Menu", system(COLOR_MENU));
  ReadColor2(csMenuText, "MenuText", system(COLOR_MENUTEXT));
  ReadColor2(csButtonText, "ButtonText", system(COLOR_BTNTEXT));
  ReadColor2(csButtonHilight, "ButtonHilight", system(COLOR_BTNHIGHLIGHT));
  ReadColor2(csButtonlight, "Buttonlight", system(COLOR_BTNHIGHLIGHT));
  ReadColor2(csButtonShadow, "ButtonShadow", system(COLOR_BTNSHADOW));
  ReadColor2(csButtonDkshadow, "ButtonDkShadow", system(COLOR_3DDKSHADOW));
  ReadColor2(csMenuBarText, "MenuBarText", system(COLOR_MENUTEXT));
  ReadColor2(csTitleTextActive, "TitleTextActive", system(COLOR_CAPTIONTEXT));
  ReadColor2(csTitleTextNoActive, "TitleTextNoActive", system(COLOR_INACTIVECAPTIONTEXT));

  std::vector<std::string> sections;
  FIni.ReadSections(sections);
  FData.FPreColors.clear();
  for (const std::string& section : sections) {
    std::string upper = UpperCase(section);
    if (upper.compare(0, 6, "COLOUR") != 0 || upper == "COLOURS") continue;
    FData.FPreColors.push_back(GetColor(String(section, "color"), system(COLOR_WINDOWTEXT)));
  }
  for (int i = 0; i < 10; ++i) FData.FCustomColors[i] = GetColor(String("Customcolors", "Color" + std::to_string(i)), 0xFFFFFF);
}

void TSkinLoader::ReadSysButton() {
  auto& buttons = FData.FSysButtons;
  buttons.clear();
  std::vector<std::string> all;
  FIni.ReadSections(all);
  std::vector<std::string> names;
  for (const std::string& section : all) {
    std::string upper = UpperCase(section);
    if (upper == "BUTTONS" || upper == "BUTTON.RADIO" || upper == "BUTTON.CHECKBOX" || upper == "BUTTON") continue;
    if (upper.compare(0, 6, "BUTTON") != 0) continue;
    if (Integer(section, "Action") == -1 && Integer(section, "Visibility", -1) != 0) continue;
    names.push_back(section);
  }
  bool remembered = false;
  POINT maximise{0, 0};
  std::string lastName;
  for (const std::string& section : names) {
    lastName = UpperCase(section);
    auto button = std::make_unique<TDataSkinSysButton>(lastName);
    button->Action = Integer(section, "Action");
    button->Align = Integer(section, "Align");
    button->Xcoord = Integer(section, "Xcoord");
    button->Ycoord = Integer(section, "Ycoord");
    button->Visibility = Integer(section, "Visibility");
    button->Visibility1 = Integer(section, "Visibility1", button->Action == -1 ? -1 : 0);
    if (button->Action == 1 && button->Visibility == 2) {
      maximise = POINT{button->Xcoord, button->Ycoord};
      remembered = true;
    }
    if (button->Action == 4) {
      button->Xcoord = remembered ? maximise.x : 0;
      button->Ycoord = remembered ? maximise.y : 0;
    }
    button->CombineOp = Integer(section, "CombineOp", -1);
    button->Frame = Integer(section, "frame");
    Readbmp(*button->Map, String(section, "ButtonImage"));
    if (button->Frame == 0) {
      button->Frame = 6;
      if (!button->Map->Empty() && button->Map->Height() > 0) {
        double ratio = static_cast<double>(button->Map->Width()) / button->Map->Height();
        button->Frame = ratio <= 3.8 ? 3 : 6;
      }
      if (button->Action < 0) button->Frame = 6;
      // The icon and help buttons draw something else than an image without frames.
      if (button->Action == 3 || button->Action == 11) Empty(*button->Map);
    }
    buttons.push_back(std::move(button));
  }
  size_t n = buttons.size();
  for (int k = 0; k < 3; ++k) {
    auto mdi = std::make_unique<TDataSkinSysButton>(lastName);
    mdi->Action = 7 + k;
    mdi->Align = 100;
    mdi->Visibility = 100;
    mdi->Visibility1 = 100;
    mdi->Frame = 4;
    buttons.push_back(std::move(mdi));
  }
  TBitmap strip;
  Readbmp(strip, String("MDICONTROLS", "Image"));
  if (strip.Empty()) return;
  int w = strip.Width() / 12, h = strip.Height();
  for (int k = 0; k < 3; ++k) {
    TDataSkinSysButton& mdi = *buttons[n + static_cast<size_t>(k)];
    mdi.Map = CopyPart(strip, 4 * w * k, 0, 4 * w, h);
    mdi.Xcoord = (w + 4) * (3 - k);
  }
}

void TSkinLoader::ReadButtons() {
  TDataSkinButton& b = *FData.FButtons;
  const std::string s = "Buttons";
  b.Margins = RECT{Integer(s, "LeftWidth"), Integer(s, "TopHeight"), Integer(s, "RightWidth"), Integer(s, "BottomHeight")};
  b.Trans = Integer(s, "Trans");
  Readbmp(*b.Map, String(s, "Bitmap"));
  b.Tile = Integer(s, "Tile");
  Readbmp(*b.CheckMap, String(s, "CheckButton"));
  Readbmp(*b.RadioMap, String(s, "RadioButton"));
  b.NormalColour = Integer(s, "NormalColour", -1);
  b.MouseOverColour = Integer(s, "MouseOverColour", -1);
  b.PressedColour = Integer(s, "PressedColour", -1);
  b.RadioButtonFrame = Integer(s, "RadioButtonFrame");
  b.CheckButtonFrame = Integer(s, "CheckButtonFrame");
  if (b.Tile > 1) b.Tile = 0;
  std::string normal = String(s, "NormalColour2"), over = String(s, "MouseOverColour2"), pressed = String(s, "PressedColour2");
  b.HasNormalColour2 = !normal.empty();
  b.HasMouseOverColour2 = !over.empty();
  b.HasPressedColour2 = !pressed.empty();
  TSkinColor text = FData.FColors[csButtonText];
  b.NormalColour2 = GetColor(normal, text);
  b.MouseOverColour2 = GetColor(over, text);
  b.PressedColour2 = GetColor(pressed, text);
}

void TSkinLoader::ReadTitle() {
  TDataSkinTitle& t = *FData.FTitle;
  const std::string p = "Personality";
  Readbmp(*t.Map, String(p, "TextBack"));
  t.Margins = RECT{Integer(p, "TextShift"), Integer(p, "TextShiftVert"), Integer(p, "TextRightClip"), 0};
  t.TextAlignment = Integer(p, "TextAlignment");
  t.Textbackground = Integer(p, "Textbackground");
  t.TXTBackleft = Integer(p, "TXTBackleft");
  t.TXTBackRight = Integer(p, "TXTBackRight");
  t.FontHeight = Integer("Fonts", "FontHeight", 14);
  t.ActiveText = kColorNone;
  t.InActiveText = kColorNone;
  ReadRGB(p, "ActiveText", t.ActiveText);
  ReadRGB(p, "InActiveText", t.InActiveText);
}

void TSkinLoader::ReadMenuBar() {
  FData.FMenuBar.reset();
  std::string image = String("Personality", "menuBar");
  if (image.empty()) return;
  auto bar = std::make_unique<TDataSkinObject>("Personality");
  Readbmp(*bar->Map, image);
  bar->Margins = RECT{Integer("Personality", "TileLeftMenu", 1), 0, Integer("Personality", "TileRightMenu", 1), 0};
  bar->Tile = Integer("Personality", "TileMenu", 1);
  if (bar->Tile > 1) bar->Tile = 1;
  FData.FMenuBar = std::move(bar);
}

// Without a track in the description, the program's own grey channel is used.
void TSkinLoader::ReadTrack(std::unique_ptr<TDataSkinObject>& slot, const std::string& section) {
  ReadObject(slot, section);
  if (slot) return;
  std::string name = UpperCase(section);
  auto track = std::make_unique<TDataSkinObject>(name);
  try {
    track->Map->LoadFromResourceName(GetModuleHandleW(nullptr), Utf8ToWide(name));
  } catch (const std::exception&) {
    Empty(*track->Map);
  }
  track->Margins = RECT{3, 3, 3, 3};
  track->Tile = 0;
  track->Frame = 1;
  slot = std::move(track);
}

void TSkinLoader::SetFrame() {
  TSkinData& d = FData;
  auto set = [](auto& slot, int32_t frames) {
    if (slot) slot->Frame = frames;
  };
  set(d.FButtons, 5);
  for (auto [frames, map] : {std::pair{&d.FButtons->RadioButtonFrame, d.FButtons->RadioMap.get()},
                             std::pair{&d.FButtons->CheckButtonFrame, d.FButtons->CheckMap.get()}}) {
    if (*frames != 0) continue;
    *frames = std::max(map->Width() / (map->Height() < 16 ? 13 : 16), 4);
  }
  set(d.FTitle, 2);
  if (d.FProgress) d.FProgress->Frame = d.FProgress->Style == 0 ? 2 : 1;
  set(d.FMenuBar, 2);
  set(d.FGroupBoxEdge, 2);
  set(d.FToolbar, 1);
  set(d.FTabPane, 1);
  set(d.FGroupBox, 1);
  set(d.FMenuBackground, 1);
  for (auto* slot : {&d.FToolBars, &d.FExtraImages, &d.FMenuItem, &d.FThumbHorz, &d.FThumbVert, &d.FThumbLeft,
                     &d.FThumbRight, &d.FThumbUp, &d.FThumbDown}) {
    set(*slot, 5);
  }
  set(d.FTabs, 5);
  if (d.FHeaderbar && d.FHeaderbar->Frame == 0) d.FHeaderbar->Frame = 5;
  set(d.FStatusBarEdges, 3);
  set(d.FComboButton, 4);
  set(d.FSunkEdge, 4);
  set(d.FHorzScroll, 4);
  set(d.FVertScroll, 4);
  set(d.FScrollbar, 23);
  set(d.FUpDownHorz, 8);
  set(d.FUpDownVert, 8);
  set(d.FHorzScrollThumb, Integer("HorzScrollThumb", "FrameCount", 3));
  set(d.FVertScrollThumb, Integer("VertScrollThumb", "FrameCount", 3));

  // No element has fewer than one frame: every drawing divides its image by the count.
  std::vector<TDataSkinObject*> all = {d.FFrameLeft.get(), d.FFrameRight.get(), d.FFrameTop.get(), d.FFrameBottom.get(),
                                       d.FTitle.get(), d.FButtons.get(), d.FProgress.get(), d.FTabs.get(),
                                       d.FComboButton.get(), d.FUpDownHorz.get(), d.FUpDownVert.get(), d.FGroupBox.get()};
  for (auto* slot : {&d.FProgressChunk, &d.FMenuBar, &d.FGroupBoxEdge, &d.FStatusBarEdges, &d.FTabPane, &d.FToolBars,
                     &d.FSunkEdge, &d.FExtraImages, &d.FHeaderbar, &d.FMenuItem, &d.FMenuBackground, &d.FScrollbar,
                     &d.FHorzScroll, &d.FVertScroll, &d.FHorzScrollThumb, &d.FVertScrollThumb, &d.FThumbHorz,
                     &d.FThumbVert, &d.FThumbLeft, &d.FThumbRight, &d.FThumbUp, &d.FThumbDown, &d.FTrack, &d.FTrackVert}) {
    all.push_back(slot->get());
  }
  for (auto& button : d.FSysButtons) all.push_back(button.get());
  for (TDataSkinObject* element : all) {
    if (element && element->Frame < 1) element->Frame = 1;
  }
}

// The combo box's button and edge, joined into one strip per state so the edit and its button are
// drawn in one piece; the sunken edge gets the mirror image for right-to-left boxes.
void TSkinLoader::ReBuildCombobox() {
  TSkinData& d = FData;
  if (!d.FSunkEdge || !d.FComboButton) return;
  int b = GetSystemMetrics(SM_CXHSCROLL) + 2;
  int frames = d.FSunkEdge->Frame;
  TBitmap large(50 * frames, 21, TPixelFormat::pf24bit);
  RECT all{0, 0, large.Width(), large.Height()};
  large.Canvas()->Brush()->SetColor(clFuchsia);
  large.Canvas()->FillRect(all);
  TBitmap work(50, 21, TPixelFormat::pf24bit);
  work.Canvas()->Brush()->SetColor(clFuchsia);
  HDC dc = work.Canvas()->Handle();
  RECT whole{0, 0, 50, 21}, button{50 - b, 0, 50, 21}, inside{2, 2, 49 - b, 18};
  for (int f = 1; f <= frames; ++f) {
    DrawRect2(dc, whole, *d.FSunkEdge->Map, d.FSunkEdge->Margins, f, frames, d.FSunkEdge->Trans, 0, 0);
    DrawRect2(dc, button, *d.FComboButton->Map, d.FComboButton->Margins, f, d.FComboButton->Frame, 1, 0, 0);
    if (d.FExtraImages) DrawRect3(dc, button, *d.FExtraImages->Map, f, d.FExtraImages->Frame, 1);
    work.Canvas()->FillRect(inside);
    BitBlt(large.Canvas()->Handle(), 50 * (f - 1), 0, 50, 21, dc, 0, 0, SRCCOPY);
  }
  d.FComboButton->Style = 2;
  d.FComboButton->Margins = d.FSunkEdge->Margins;
  d.FComboButton->Margins.left = 2;
  d.FComboButton->Margins.right = b + 2;
  d.FComboButton->Map->Assign(large);
  SpiegelnHorizontal(large);
  d.FSunkEdge->Map->Assign(large);
  d.FSunkEdge->Margins.left = b + 2;
  d.FSunkEdge->Margins.right = 2;
}

void TSkinLoader::ReBuildComboxArrow() {
  TSkinData& d = FData;
  if (!d.FComboxArrow) d.FComboxArrow = std::make_unique<TDataSkinObject>("ComboxArrow");
  if (d.FSunkEdge && d.FComboButton && d.FComboButton->Style == 2) {
    int frames = d.FSunkEdge->Frame;
    int fw = d.FComboButton->Map->Width() / frames;
    auto strip = std::make_unique<TBitmap>(17 * frames, 17, TPixelFormat::pf24bit);
    for (int k = 1; k <= frames; ++k) {
      BitBlt(strip->Canvas()->Handle(), 17 * (k - 1), 0, 17, 17, d.FComboButton->Map->Canvas()->Handle(), k * fw - 19, 2,
             SRCCOPY);
    }
    d.FComboxArrow->Frame = frames;
    d.FComboxArrow->Map = std::move(strip);
  } else if (!d.FSunkEdge && d.FComboButton) {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(*d.FComboButton->Map);
    ChangeTrans(*copy, d.FColors[csButtonFace]);
    d.FComboxArrow->Map = std::move(copy);
    d.FComboxArrow->Frame = d.FComboButton->Frame;
  }
  if (d.FComboxArrow->Frame < 1) d.FComboxArrow->Frame = 1;
}

void TSkinLoader::RebuildToolbar() {
  TSkinData& d = FData;
  TSkinColor caption = d.GetCaptionColor();
  TSkinColor a = Blend(0x808080, caption, 150);
  TSkinColor b = Blend(d.FColors[csButtonFace], 0xFFFFFF, 150);
  int32_t v = GetHSV(caption);
  if (v > 110) a = Blend(caption, 0xFFFFFF, ((225 - v) * 25) / 140 + 50);
  auto bitmap = std::make_unique<TBitmap>(10, 40, TPixelFormat::pf24bit);
  GradFill(bitmap->Canvas()->Handle(), RECT{0, 0, 10, 40}, b, a, 1);
  if (!d.FToolbar) d.FToolbar = std::make_unique<TDataSkinObject>("Toolbar");
  d.FToolbar->Map = std::move(bitmap);
  d.FToolbar->Frame = 1;
}
