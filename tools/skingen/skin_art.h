// The pictures of a skin, drawn from a palette: window frame pieces, title-bar buttons and the
// images of every skinned control, each laid out as the engine cuts it into frames.
#pragma once

#include <cstdint>

#include "tools/skingen/skin_image.h"

struct TSkinPalette {
  // Window frame and title bar; the inactive colours are the second frame of every piece.
  uint32_t TitleTop, TitleBottom, TitleInactiveTop, TitleInactiveBottom;
  uint32_t FrameEdge, FrameEdgeInactive;
  uint32_t TitleText, TitleTextInactive;
  double TitleHover, TitlePressed;  // white laid over the title under a hot or pressed button (< 0: black)
  uint32_t CloseHot, ClosePressed;
  // Controls.
  uint32_t Face, FaceLight, FaceDark, Field;
  uint32_t Border, BorderHot, BorderDisabled;
  uint32_t Accent, AccentDark, AccentLight, Selection;  // Selection: a selected menu item, under OnAccent text
  uint32_t Text, TextDisabled, OnAccent;
  uint32_t MenuBack, MenuBorder, MenuBar;
  uint32_t Track, Thumb, ThumbHot, ThumbPressed, Glyph;
  // Only in the colour scheme: the 3-D colours and the figures of the program's own drawings.
  uint32_t Hilight3D, Shadow, DarkShadow, Positive, Negative;
};

// Geometry of the window frame, shared by the pictures and the description.
constexpr int kTitleHeight = 28;
constexpr int kSideWidth = 4;
constexpr int kBottomHeight = 5;
constexpr int kFrameDesignWidth = 640;  // the frame is drawn for one window of this size and cut apart
constexpr int kFrameDesignHeight = 100;
constexpr int kTitleButtonSize = 21;
constexpr int kTitleButtonTop = 4;

enum class TFramePiece { Left, Right, Top, Bottom };
enum class TTitleGlyph { Close, Maximize, Restore, Minimize, Help };
enum class TThumbShape { Horz, Vert, Left, Right, Up, Down };

// Two frames each: active, inactive (side pieces side by side, top and bottom stacked).
TSkinImage FramePiece(const TSkinPalette& palette, TFramePiece piece);
TSkinImage TitleTextBack(const TSkinPalette& palette);            // 2 frames, stacked
TSkinImage TitleButton(const TSkinPalette& palette, TTitleGlyph glyph, int frames);
TSkinImage MdiControls(const TSkinPalette& palette);              // 12 frames
TSkinImage MenuBar(const TSkinPalette& palette);                  // 2 frames, stacked
TSkinImage PushButton(const TSkinPalette& palette);               // 5 frames
TSkinImage CheckBox(const TSkinPalette& palette);                 // 12 frames
TSkinImage RadioButton(const TSkinPalette& palette);              // 8 frames
TSkinImage ProgressBar(const TSkinPalette& palette);              // trough, bar
TSkinImage ProgressChunk(const TSkinPalette& palette);
TSkinImage GroupBoxEdge(const TSkinPalette& palette);             // 2 frames
TSkinImage GroupBoxLabel(const TSkinPalette& palette);
TSkinImage Tabs(const TSkinPalette& palette);                     // 5 frames
TSkinImage TabPane(const TSkinPalette& palette);
TSkinImage StatusBarEdges(const TSkinPalette& palette);           // 3 frames
TSkinImage ToolBarButtons(const TSkinPalette& palette);           // 5 frames
TSkinImage ComboButton(const TSkinPalette& palette);              // 4 frames
TSkinImage SunkenEdge(const TSkinPalette& palette);               // 4 frames
TSkinImage ExtraImages(const TSkinPalette& palette);              // 4 combo arrows, size grip
TSkinImage HeaderBar(const TSkinPalette& palette);                // 5 frames
TSkinImage MenuItem(const TSkinPalette& palette);                 // 5 frames
TSkinImage MenuBackground(const TSkinPalette& palette);
TSkinImage ScrollBarParts(const TSkinPalette& palette);           // 23 frames
TSkinImage ScrollTrack(const TSkinPalette& palette, bool vertical);  // 4 frames
TSkinImage ScrollThumb(const TSkinPalette& palette, bool vertical);  // 3 frames
TSkinImage TrackBarThumb(const TSkinPalette& palette, TThumbShape shape);  // 5 frames
TSkinImage TrackBarChannel(const TSkinPalette& palette, bool vertical);
TSkinImage UpDownButtons(const TSkinPalette& palette, bool horizontal);  // 8 frames
TSkinImage UpDownGlyphs(const TSkinPalette& palette, bool horizontal);   // 8 frames
