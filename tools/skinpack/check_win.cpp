#include "tools/skinpack/check_win.h"

#include <ostream>

#include "skin/data/skin_data.h"

namespace {

// One element line; true when it is usable as the drawing will use it.
bool Report(const char* slot, const TDataSkinObject* element, std::ostream& out, bool optional = false) {
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
  out << map.Width() << " x " << map.Height() << ", " << frames << " frames";
  bool ok = true;
  if (frames < 1 || map.Width() % frames != 0) {
    out << ", width does not divide by the frame count";
    ok = false;
  }
  int frameWidth = frames > 0 ? map.Width() / frames : map.Width();
  const RECT& m = element->Margins;
  if (m.left + m.right > frameWidth || m.top + m.bottom > map.Height()) {
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
  auto check = [&](const char* slot, const TDataSkinObject* element, bool optional = false) {
    if (!Report(slot, element, out, optional)) ++problems;
  };
  check("FFrameLeft", data.FFrameLeft.get());
  check("FFrameRight", data.FFrameRight.get());
  check("FFrameTop", data.FFrameTop.get());
  check("FFrameBottom", data.FFrameBottom.get());
  check("FTitle", data.FTitle.get());
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
