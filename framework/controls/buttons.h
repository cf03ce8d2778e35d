// Push buttons: TButton (the system button as a framework control, clicked through its reflected
// notification) and TBitBtn (an owner-drawn button with a glyph beside its caption).
#pragma once

#include <memory>

#include "framework/controls/controls.h"

class TBitmap;

class TButton : public TWinControl {
  CORVALE_DECLARE_CLASS()

public:
  explicit TButton(TComponent* owner);

  // A form shown modally ends with this result when the button is clicked (0: it does not).
  int32_t ModalResult() const { return FModalResult; }
  void SetModalResult(int32_t value) { FModalResult = value; }
  // Enter presses the default button and Escape the cancel button of a form.
  bool Default() const { return FDefault; }
  void SetDefault(bool value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool value) { FCancel = value; }
  void Click() override;

protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;
  void CNCommand(TMessage& message);
  void CMDialogKey(TMessage& message);
  void CMDialogChar(TMessage& message);

private:
  int32_t FModalResult = 0;
  bool FDefault = false;
  bool FCancel = false;
};

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Where the glyph and the caption go on a button face of the given size. Margin is the distance of
// the glyph from its edge (-1: glyph and caption centred together); Spacing separates them (-1:
// the caption is centred in what remains).
struct TButtonLayoutResult {
  RECT Glyph;
  RECT Text;
};
TButtonLayoutResult CalcButtonLayout(const RECT& client, SIZE glyph, SIZE text, TButtonLayout layout, int margin,
                                     int spacing);

class TBitBtn : public TButton {
  CORVALE_DECLARE_CLASS()

public:
  explicit TBitBtn(TComponent* owner);
  ~TBitBtn() override;

  // A strip of NumGlyphs equal images: up, disabled, clicked, down. Its transparent colour shows
  // the face.
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* value);
  int32_t NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int32_t value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout value);
  int32_t Margin() const { return FMargin; }
  void SetMargin(int32_t value);
  int32_t Spacing() const { return FSpacing; }
  void SetSpacing(int32_t value);

  // Draws the face for the given owner-draw state (ODS_SELECTED, ODS_FOCUS, ODS_DISABLED) into dc.
  void PaintFace(HDC dc, const RECT& rect, UINT state);

protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;
  void CNDrawItem(TMessage& message);

private:
  void DrawGlyph(HDC dc, const RECT& where, UINT state);

  std::unique_ptr<TBitmap> FGlyph;
  int32_t FNumGlyphs = 1;
  TButtonLayout FLayout = TButtonLayout::blGlyphLeft;
  int32_t FMargin = -1;
  int32_t FSpacing = 4;
};
