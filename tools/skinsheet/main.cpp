// skinsheet: a contact sheet of skins as the engine draws them. Each package is loaded through the
// real skin component; every element's frames are drawn with the sliced-drawing primitives at three
// sizes (the frame's own, wider, and larger both ways) over a checkerboard, so transparency shows.
// One column per skin; the sheet is written as a BMP file (scripts/skin-sheet makes it a PNG).
//   skinsheet OUTPUT.bmp PACKAGE...
#include "framework/win32.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/bitmaps.h"
#include "framework/files.h"
#include "framework/handles.h"
#include "skin/data/skin_data.h"
#include "skin/draw/sliced.h"
#include "skin/manager/skin_manage.h"

namespace {

constexpr int kLabelWidth = 150;
constexpr int kColumnWidth = 1000;
constexpr int kGap = 8;

struct TEntry {
  std::string Label;
  TDataSkinObject* Element;
  TBitmap* Map;  // the element's image, or its second one
  int Frames;
  bool Sliced = true;     // the title's margins are text offsets, not slices
  bool Vertical = false;  // frames one above another
};

std::vector<TEntry> Entries(TSkinData& skin) {
  std::vector<TEntry> entries;
  auto add = [&](const std::string& label, TDataSkinObject* element) {
    if (element && !element->Map->Empty()) entries.push_back({label, element, element->Map.get(), std::max(element->Frame, 1)});
  };
  add("Frame left", skin.FFrameLeft.get());
  add("Frame right", skin.FFrameRight.get());
  add("Frame top", skin.FFrameTop.get());
  add("Frame bottom", skin.FFrameBottom.get());
  entries[entries.size() - 2].Vertical = entries[entries.size() - 1].Vertical = true;
  if (!skin.FTitle->Map->Empty()) {
    entries.push_back({"Title backdrop", skin.FTitle.get(), skin.FTitle->Map.get(), std::max(skin.FTitle->Frame, 1), false, true});
  }
  for (auto& button : skin.FSysButtons) add("Title button " + std::to_string(button->Action), button.get());
  add("Push button", skin.FButtons.get());
  if (!skin.FButtons->CheckMap->Empty()) {
    entries.push_back({"Check box", skin.FButtons.get(), skin.FButtons->CheckMap.get(), std::max(skin.FButtons->CheckButtonFrame, 1)});
  }
  if (!skin.FButtons->RadioMap->Empty()) {
    entries.push_back({"Radio button", skin.FButtons.get(), skin.FButtons->RadioMap.get(), std::max(skin.FButtons->RadioButtonFrame, 1)});
  }
  const std::pair<const char*, TDataSkinObject*> slots[] = {
      {"Menu bar", skin.FMenuBar.get()}, {"Menu item", skin.FMenuItem.get()}, {"Menu background", skin.FMenuBackground.get()},
      {"Group box edge", skin.FGroupBoxEdge.get()}, {"Group box label", skin.FGroupBox.get()}, {"Tabs", skin.FTabs.get()},
      {"Tab pane", skin.FTabPane.get()}, {"Status bar", skin.FStatusBarEdges.get()}, {"Toolbars", skin.FToolBars.get()},
      {"Toolbar gradient", skin.FToolbar.get()}, {"Header", skin.FHeaderbar.get()}, {"Sunken edge", skin.FSunkEdge.get()},
      {"Combo button", skin.FComboButton.get()}, {"Combo arrow", skin.FComboxArrow.get()},
      {"Extra images", skin.FExtraImages.get()}, {"Progress", skin.FProgress.get()},
      {"Progress chunk", skin.FProgressChunk.get()}, {"Scroll arrows", skin.FScrollbar.get()},
      {"Scroll track H", skin.FHorzScroll.get()}, {"Scroll track V", skin.FVertScroll.get()},
      {"Scroll thumb H", skin.FHorzScrollThumb.get()}, {"Scroll thumb V", skin.FVertScrollThumb.get()},
      {"Track", skin.FTrack.get()}, {"Track vertical", skin.FTrackVert.get()}, {"Thumb horz", skin.FThumbHorz.get()},
      {"Thumb vert", skin.FThumbVert.get()}, {"Thumb left", skin.FThumbLeft.get()}, {"Thumb right", skin.FThumbRight.get()},
      {"Thumb up", skin.FThumbUp.get()}, {"Thumb down", skin.FThumbDown.get()}, {"Up-down H", skin.FUpDownHorz.get()},
      {"Up-down V", skin.FUpDownVert.get()}};
  for (const auto& [label, element] : slots) add(label, element);
  return entries;
}

void Checkerboard(HDC dc, const RECT& area) {
  TBrushHandle light(CreateSolidBrush(RGB(0xF4, 0xF4, 0xF4))), dark(CreateSolidBrush(RGB(0xDC, 0xDC, 0xDC)));
  for (int y = area.top; y < area.bottom; y += 8) {
    for (int x = area.left; x < area.right; x += 8) {
      RECT cell{x, y, std::min<LONG>(x + 8, area.right), std::min<LONG>(y + 8, area.bottom)};
      FillRect(dc, &cell, ((x - area.left) / 8 + (y - area.top) / 8) % 2 ? dark.Get() : light.Get());
    }
  }
}

// Draws a column for one skin; returns the height used. The frames of the three sizes flow left to
// right and wrap, so a row stays as short as its largest frame.
int DrawSkin(HDC dc, int left, TSkinData& skin, bool measureOnly) {
  int y = kGap;
  if (!measureOnly) {
    std::wstring title = Utf8ToWide(skin.FSkinName);
    TextOutW(dc, left + kGap, y, title.c_str(), static_cast<int>(title.size()));
  }
  y += 24;
  const int areaLeft = left + kLabelWidth, areaRight = left + kColumnWidth - kGap;
  for (const TEntry& entry : Entries(skin)) {
    int fw = entry.Vertical ? entry.Map->Width() : entry.Map->Width() / entry.Frames;
    int fh = entry.Vertical ? entry.Map->Height() / entry.Frames : entry.Map->Height();
    // Three sizes: the frame's own, wider, and larger both ways (capped so the sheet stays readable).
    const SIZE sizes[] = {{fw, fh}, {std::min(fw * 2 + 24, 240), fh}, {std::min(fw * 3, 300), std::min(fh * 2, 96)}};
    // Lay the frames out first, then paint the checkerboard under them and draw.
    struct TPlace {
      RECT Dest;
      int Frame;
    };
    std::vector<TPlace> places;
    int x = areaLeft + 4, lineTop = y + 4, lineHeight = 0;
    for (const SIZE& size : sizes) {
      for (int f = 1; f <= entry.Frames; ++f) {
        if (x + size.cx > areaRight - 4 && x > areaLeft + 4) {
          x = areaLeft + 4;
          lineTop += lineHeight + 6;
          lineHeight = 0;
        }
        places.push_back({RECT{x, lineTop, x + size.cx, lineTop + size.cy}, f});
        x += size.cx + 6;
        lineHeight = std::max<int>(lineHeight, size.cy);
      }
      x += 12;  // a wider gap between the sizes
    }
    int bottom = lineTop + lineHeight + 4;
    if (!measureOnly) {
      std::wstring label = Utf8ToWide(entry.Label + " (" + std::to_string(entry.Frames) + ")");
      TextOutW(dc, left + kGap, y, label.c_str(), static_cast<int>(label.size()));
      Checkerboard(dc, RECT{areaLeft, y, areaRight, bottom});
      // Magenta is the skin's transparent colour wherever the engine draws.
      for (const TPlace& place : places) {
        RECT margins = entry.Sliced ? entry.Element->Margins : RECT{0, 0, 0, 0};
        DrawRect2(dc, place.Dest, *entry.Map, margins, place.Frame, entry.Frames, 1, entry.Element->Tile, entry.Vertical);
      }
    }
    y = std::max(bottom, y + 16) + kGap;
  }
  return y;
}

bool SaveBmp(TBitmap& bitmap, const std::string& path) {
  TMemoryStream stream;
  bitmap.SaveToStream(stream);
  try {
    WriteWholeFile(Utf8ToWide(path), std::string(reinterpret_cast<const char*>(stream.Memory()), stream.Bytes().size()));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "skinsheet: %s\n", error.what());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: skinsheet OUTPUT.bmp PACKAGE...\n");
    return 2;
  }
  std::vector<std::unique_ptr<TSkinData>> skins;
  for (int i = 2; i < argc; ++i) {
    auto skin = std::make_unique<TSkinData>(nullptr);
    std::string bytes = ReadWholeFile(Utf8ToWide(argv[i]));
    TMemoryStream stream(bytes.data(), bytes.size());
    skin->LoadFromStream(stream);
    if (skin->FNoSkin) {
      std::fprintf(stderr, "skinsheet: %s does not load\n", argv[i]);
      return 2;
    }
    skins.push_back(std::move(skin));
  }
  int height = 0;
  for (auto& skin : skins) height = std::max(height, DrawSkin(nullptr, 0, *skin, true));
  TBitmap sheet(kColumnWidth * static_cast<int>(skins.size()), height, TPixelFormat::pf24bit);
  HDC dc = sheet.Canvas()->Handle();
  RECT all{0, 0, sheet.Width(), sheet.Height()};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetBkMode(dc, TRANSPARENT);
  for (size_t i = 0; i < skins.size(); ++i) DrawSkin(dc, kColumnWidth * static_cast<int>(i), *skins[i], false);
  bool saved = SaveBmp(sheet, argv[1]);
  skins.clear();
  delete SkinManager;
  return saved ? 0 : 2;
}
