#include "tools/skinpack/check_win.h"

#include <ostream>

#include "skin/data/skin_data.h"

namespace {

// One element line; true when it is usable as the drawing will use it. Vertical strips (the top and
// bottom frame pieces, the title backdrop) hold their frames one above another; margins are the
// slices the drawing cuts.
bool Report(const char* slot, const TDataSkinObject* element, std::ostream& out, bool optional = false,
            bool vertical = false, const RECT* slices = nullptr) {
  if (!element) {
    out << "  " << slot << ": not in the skin" << (optional ? "" : " (missing)") << '\n';
    return optional;
  }
  const TBitmap& map = *element->Map;
  out << "  " << slot << " \"" << element->Name << "\": ";
  if (map.Empty()) {
    out << "no image\n";
    return optional;
  }
  int frames = element->Frame;
  out << map.Width() << " x " << map.Height() << ", " << frames << (vertical ? " frames stacked" : " frames");
  bool ok = true;
  int length = vertical ? map.Height() : map.Width();
  if (frames < 1 || length % frames != 0) {
    out << (vertical ? ", height" : ", width") << " does not divide by the frame count";
    ok = false;
  }
  int frameWidth = !vertical && frames > 0 ? map.Width() / frames : map.Width();
  int frameHeight = vertical && frames > 0 ? map.Height() / frames : map.Height();
  const RECT& m = slices ? *slices : element->Margins;
  if (m.left + m.right > frameWidth || m.top + m.bottom > frameHeight) {
    out << ", margins (" << m.left << ", " << m.top << ", " << m.right << ", " << m.bottom << ") exceed a frame";
    ok = false;
  }
  out << (ok ? "\n" : " (problem)\n");
  return ok;
}

}  // namespace

int CheckPackageElements(TMemoryStream& package, std::ostream& out) {
  TSkinData data(nullptr);
  package.SetPosition(0);
  data.LoadFromStream(package);
  if (data.FNoSkin) {
    out << "elements: the skin component could not load the package\n";
    return 1;
  }
  out << "elements of \"" << data.FSkinName << "\"\n";
  int problems = 0;
  auto check = [&](const char* slot, const TDataSkinObject* element, bool optional = false, bool vertical = false,
                   const RECT* slices = nullptr) {
    if (!Report(slot, element, out, optional, vertical, slices)) ++problems;
  };
  check("FFrameLeft", data.FFrameLeft.get());
  check("FFrameRight", data.FFrameRight.get());
  check("FFrameTop", data.FFrameTop.get(), false, true);
  check("FFrameBottom", data.FFrameBottom.get(), false, true);
  // The title's margins are text offsets; its backdrop is cut at TXTBackleft and TXTBackRight.
  RECT backdrop{data.FTitle->TXTBackleft, 0, data.FTitle->TXTBackRight, 0};
  check("FTitle", data.FTitle.get(), false, true, &backdrop);
  check("FButtons", data.FButtons.get());
  for (const auto& [name, map, frames] :
       {std::tuple{"FButtons.CheckMap", data.FButtons->CheckMap.get(), data.FButtons->CheckButtonFrame},
        std::tuple{"FButtons.RadioMap", data.FButtons->RadioMap.get(), data.FButtons->RadioButtonFrame}}) {
    out << "  " << name << ": " << map->Width() << " x " << map->Height() << ", " << frames << " frames";
    bool ok = !map->Empty() && frames > 0 && map->Width() % frames == 0;
    out << (ok ? "\n" : " (problem)\n");
    if (!ok) ++problems;
  }
  for (size_t i = 0; i < data.FSysButtons.size(); ++i) {
    const TDataSkinSysButton& button = *data.FSysButtons[i];
    out << "  FSysButtons[" << i << "] Action " << button.Action << ":";
    // The icon and help buttons draw without an image.
    bool imageless = button.Action == 3 || button.Action == 11;
    if (imageless && button.Map->Empty()) {
      out << " no image (drawn otherwise)\n";
      continue;
    }
    check("", &button);
  }
  const std::pair<const char*, const TDataSkinObject*> slots[] = {
      {"FProgress", data.FProgress.get()},         {"FProgressChunk", data.FProgressChunk.get()},
      {"FMenuBar", data.FMenuBar.get()},           {"FGroupBoxEdge", data.FGroupBoxEdge.get()},
      {"FGroupBox", data.FGroupBox.get()},         {"FTabs", data.FTabs.get()},
      {"FStatusBarEdges", data.FStatusBarEdges.get()}, {"FTabPane", data.FTabPane.get()},
      {"FToolBars", data.FToolBars.get()},         {"FComboButton", data.FComboButton.get()},
      {"FSunkEdge", data.FSunkEdge.get()},         {"FExtraImages", data.FExtraImages.get()},
      {"FHeaderbar", data.FHeaderbar.get()},       {"FMenuItem", data.FMenuItem.get()},
      {"FMenuBackground", data.FMenuBackground.get()}, {"FScrollbar", data.FScrollbar.get()},
      {"FHorzScroll", data.FHorzScroll.get()},     {"FVertScroll", data.FVertScroll.get()},
      {"FHorzScrollThumb", data.FHorzScrollThumb.get()}, {"FVertScrollThumb", data.FVertScrollThumb.get()},
      {"FThumbHorz", data.FThumbHorz.get()},       {"FThumbVert", data.FThumbVert.get()},
      {"FThumbLeft", data.FThumbLeft.get()},       {"FThumbRight", data.FThumbRight.get()},
      {"FThumbUp", data.FThumbUp.get()},           {"FThumbDown", data.FThumbDown.get()},
      {"FUpDownHorz", data.FUpDownHorz.get()},     {"FUpDownVert", data.FUpDownVert.get()},
      {"FTrack", data.FTrack.get()},               {"FTrackVert", data.FTrackVert.get()},
      {"FComboxArrow", data.FComboxArrow.get()},   {"FToolbar", data.FToolbar.get()}};
  for (const auto& [name, element] : slots) check(name, element);
  for (const auto& [name, element] : {std::pair{"FTabs.Map2", static_cast<const TDataSkinBorder*>(data.FTabs.get())},
                                      std::pair{"FUpDownHorz.Map2", static_cast<const TDataSkinBorder*>(data.FUpDownHorz.get())},
                                      std::pair{"FUpDownVert.Map2", static_cast<const TDataSkinBorder*>(data.FUpDownVert.get())}}) {
    if (element && element->Map2->Empty()) {
      out << "  " << name << ": no second image (problem)\n";
      ++problems;
    }
  }
  return problems;
}
