// Skin elements: one per skinned part of the interface (frame pieces, title, title-bar buttons,
// push buttons, tabs, scroll bars, menus...), each an image strip with slice margins and a few
// numbers read from one section of the skin description; and the twenty colours of the scheme.
#pragma once

#include "framework/win32.h"

#include <memory>
#include <string>

#include "framework/graphics/bitmaps.h"
#include "skin/data/colour_syntax.h"

// The colour scheme's members, in their stored order.
enum TShemeColor {
  csText, csTitleTextActive, csTitleTextNoActive, csButtonFace, csButtonText, csButtonHilight, csButtonlight,
  csButtonShadow, csButtonDkshadow, csSelectText, csSelectBg, csHilightText, csHilight, csMenuBar, csMenuBarText,
  csMenuText, csMenubg, csCaption, csScrollbar, csTextDisable
};
constexpr int kShemeColorCount = 20;
using TShemeColors = TSkinColor[kShemeColorCount];

constexpr TSkinColor kColorNone = 0x1FFFFFFF;      // the framework's "no colour"

class TDataSkinObject {
public:
  explicit TDataSkinObject(const std::string& name);
  virtual ~TDataSkinObject() = default;
  TDataSkinObject(const TDataSkinObject&) = delete;
  TDataSkinObject& operator=(const TDataSkinObject&) = delete;

  // Slice widths, not coordinates: Left = LeftWidth, Top = TopHeight, Right = RightWidth,
  // Bottom = BottomHeight.
  RECT Margins{0, 0, 0, 0};
  std::unique_ptr<TBitmap> Map;  // a strip of Frame equal frames; never null
  int32_t Trans = 0;             // not 0: magenta pixels are transparent
  int32_t Tile = 0;              // 1: middle slices tiled, 0: stretched
  std::string Name;
  int32_t Frame = 0;
  int32_t Style = 0;             // 2 marks a rebuilt combo-box image
  int32_t NormalColour = -1, MouseOverColour = -1, PressedColour = -1;
  TSkinColor NormalColour2 = 0, MouseOverColour2 = 0, PressedColour2 = 0;
};

// Elements with a second image (tabs' border, up-down glyphs, the mirrored combo button, frame
// pieces).
class TDataSkinBorder : public TDataSkinObject {
public:
  explicit TDataSkinBorder(const std::string& name);
  std::unique_ptr<TBitmap> Map2;  // never null
};

// The push-button element, with the check-box and radio-button images.
class TDataSkinButton : public TDataSkinObject {
public:
  explicit TDataSkinButton(const std::string& name);
  std::unique_ptr<TBitmap> CheckMap;  // never null
  std::unique_ptr<TBitmap> RadioMap;  // never null
  int32_t RadioButtonFrame = 0, CheckButtonFrame = 0;
  bool HasNormalColour2 = false, HasMouseOverColour2 = false, HasPressedColour2 = false;
};

// The title: Map is the title text's backdrop; Margins hold the text offsets (TextShift,
// TextShiftVert, TextRightClip).
class TDataSkinTitle : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  int32_t TextAlignment = 0, Textbackground = 0, FontHeight = 0, TXTBackleft = 0, TXTBackRight = 0;
  TSkinColor ActiveText = kColorNone, InActiveText = kColorNone;
};

// One title-bar button.
class TDataSkinSysButton : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  int32_t Action = 0, Align = 0, Xcoord = 0, Ycoord = 0, CombineOp = 0, Visibility = 0, Visibility1 = 0;
};

// The group box's caption element.
class TDataSkinBoxLabel : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  int32_t BackgroundLeftShift = 0, BackgroundRightShift = 0, BackgroundAlignment = 0;
};
