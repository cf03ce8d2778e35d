// TImageList: equally sized images with masks in a comctl32 image list that it owns.
#pragma once

#include "framework/win32.h"

#include "framework/core/classes.h"
#include "framework/graphics/bitmaps.h"
#include "framework/handles.h"

class TImageList : public TComponent {
  CORVALE_DECLARE_CLASS()

public:
  explicit TImageList(TComponent* owner);
  ~TImageList() override;

  // Changing a size empties the list.
  int32_t Width() const { return FWidth; }
  void SetWidth(int32_t value);
  int32_t Height() const { return FHeight; }
  void SetHeight(int32_t value);
  int Count() const;

  // Adds the Width-wide images of a strip, with a mask strip (white = transparent) or none.
  // Returns the index of the first image, or -1.
  int Add(TBitmap& image, TBitmap* mask);
  // The same, the mask being every pixel of maskColour.
  int AddMasked(TBitmap& image, TColor maskColour);
  // A disabled image is drawn as an embossed silhouette in the system's 3-D colours.
  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);
  void Clear();
  // The list, made when first needed; it stays owned by this object.
  HIMAGELIST Handle();

private:
  void Recreate();

  int32_t FWidth = 16;
  int32_t FHeight = 16;
  TImageListHandle FList;
};
