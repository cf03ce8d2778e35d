// TImage: a picture shown on the parent, at its own size (optionally centred) or stretched.
#pragma once

#include "framework/controls/controls.h"
#include "framework/graphics/pictures.h"

class TImage : public TGraphicControl {
  CORVALE_DECLARE_CLASS()

public:
  explicit TImage(TComponent* owner);
  ~TImage() override;

  TPicture* Picture() const { return const_cast<TPicture*>(&FPicture); }
  void SetPicture(TPicture* value);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool value);
  bool Center() const { return FCenter; }
  void SetCenter(bool value);
  // A picture larger than the control shrinks to fit, keeping its proportions (smaller ones keep
  // their size unless Stretch is set too).
  bool Proportional() const { return FProportional; }
  void SetProportional(bool value);
  // Passed on to the graphic: for a bitmap, its transparent colour shows the parent through.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  // The control takes the picture's size whenever the picture changes.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);

  // Where the picture goes, in the control's coordinates.
  RECT DestRect() const;
  void Paint(HDC dc) override;

private:
  void PictureChanged();

  TPicture FPicture;
  bool FStretch = false;
  bool FCenter = false;
  bool FProportional = false;
  bool FTransparent = false;
  bool FAutoSize = false;
};
