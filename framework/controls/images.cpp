#include "framework/controls/images.h"

#include "framework/graphics/graphics.h"

const TClassInfo& TImage::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TImage>("TImage", &TGraphicControl::StaticClassInfo())
                                     .Object("Picture", &TImage::Picture, &TImage::SetPicture)
                                     .Boolean("Stretch", &TImage::Stretch, &TImage::SetStretch)
                                     .Boolean("Center", &TImage::Center, &TImage::SetCenter)
          .Boolean("Proportional", &TImage::Proportional, &TImage::SetProportional)
                                     .Boolean("Transparent", &TImage::Transparent, &TImage::SetTransparent)
                                     .Boolean("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize)
                                     .Creatable()
                                     .Build();
  return info;
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 105, 105);
  FPicture.OnChange = [this] { PictureChanged(); };
}

TImage::~TImage() { FPicture.OnChange = nullptr; }

void TImage::SetPicture(TPicture* value) {
  if (value) FPicture.Assign(*value);
}

void TImage::SetStretch(bool value) {
  FStretch = value;
  Invalidate();
}

void TImage::SetCenter(bool value) {
  FCenter = value;
  Invalidate();
}

void TImage::SetTransparent(bool value) {
  FTransparent = value;
  if (TGraphic* graphic = FPicture.Graphic()) graphic->SetTransparent(value);
  Invalidate();
}

void TImage::SetAutoSize(bool value) {
  FAutoSize = value;
  if (value) PictureChanged();
}

void TImage::PictureChanged() {
  TGraphic* graphic = FPicture.Graphic();
  // A graphic read later takes the control's setting.
  if (graphic && graphic->Transparent() != FTransparent) graphic->SetTransparent(FTransparent);
  if (FAutoSize && graphic && !graphic->Empty() &&
      (graphic->Width() != Width() || graphic->Height() != Height())) {
    SetBounds(Left(), Top(), graphic->Width(), graphic->Height());
  }
  Invalidate();
}

RECT TImage::DestRect() const {
  const TGraphic* graphic = FPicture.Graphic();
  if (!graphic || (FStretch && !FProportional)) return RECT{0, 0, Width(), Height()};
  int width = graphic->Width(), height = graphic->Height();
  bool shrink = width > Width() || height > Height();
  if (FProportional && width > 0 && height > 0 && (FStretch || shrink)) {
    // The larger of the two scales that fit: width and height both inside the control.
    if (static_cast<int64_t>(Width()) * height <= static_cast<int64_t>(Height()) * width) {
      height = static_cast<int>(static_cast<int64_t>(height) * Width() / width);
      width = Width();
    } else {
      width = static_cast<int>(static_cast<int64_t>(width) * Height() / height);
      height = Height();
    }
  }
  int left = FCenter ? (Width() - width) / 2 : 0;
  int top = FCenter ? (Height() - height) / 2 : 0;
  return RECT{left, top, left + width, top + height};
}

void TImage::SetProportional(bool value) {
  FProportional = value;
  Invalidate();
}

void TImage::Paint(HDC dc) {
  TGraphic* graphic = FPicture.Graphic();
  if (!graphic || graphic->Empty()) return;
  TCanvas canvas(dc);
  canvas.StretchDraw(DestRect(), *graphic);
}
