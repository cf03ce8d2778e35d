#include "framework/graphics/font.h"

#include "framework/core/text.h"

const TClassInfo& TFont::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TFont>("TFont", &TPersistent::StaticClassInfo())
                                     .String("Name", &TFont::Name, &TFont::SetName)
                                     .Integer("Height", &TFont::Height, &TFont::SetHeight)
                                     .Set("Style", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}, &TFont::Style,
                                          &TFont::SetStyle)
                                     .Colour("Color", &TFont::Color, &TFont::SetColor)
                                     .Build();
  return info;
}

void TFont::SetName(const std::string& value) {
  FName = value;
  Changed();
}

void TFont::SetHeight(int32_t value) {
  FHeight = value;
  Changed();
}

void TFont::SetStyle(uint64_t value) {
  FStyle = value;
  Changed();
}

void TFont::SetColor(int32_t value) {
  FColor = value;
  Changed();
}

void TFont::Assign(const TFont& other) {
  if (&other == this) return;
  FName = other.FName;
  FHeight = other.FHeight;
  FStyle = other.FStyle;
  FColor = other.FColor;
  Changed();
}

void TFont::Changed() {
  FHandle.Reset();
  if (OnChange) OnChange();
}

HFONT TFont::Handle() const {
  if (!FHandle) {
    LOGFONTW font = {};
    font.lfHeight = FHeight;
    font.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (FStyle & fsItalic) ? TRUE : FALSE;
    font.lfUnderline = (FStyle & fsUnderline) ? TRUE : FALSE;
    font.lfStrikeOut = (FStyle & fsStrikeOut) ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    std::wstring face = Utf8ToWide(FName);
    lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
    FHandle.Reset(CreateFontIndirectW(&font));
  }
  return FHandle ? FHandle.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}
