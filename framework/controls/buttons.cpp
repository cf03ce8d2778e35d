#include "framework/controls/buttons.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/graphics/bitmaps.h"
#include "framework/forms.h"
#include "framework/graphics/gdi.h"
#include "framework/controls/messages.h"

// ---- TButton --------------------------------------------------------------------------------------

const TClassInfo& TButton::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TButton>("TButton", &TWinControl::StaticClassInfo())
                                     .Integer("ModalResult", &TButton::ModalResult, &TButton::SetModalResult)
                                     .Boolean("Default", &TButton::Default, &TButton::SetDefault)
                                     .Boolean("Cancel", &TButton::Cancel, &TButton::SetCancel)
                                     .Creatable()
                                     .Build();
  return info;
}

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClass = L"BUTTON";
  params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool value) {
  if (value == FDefault) return;
  FDefault = value;
  RecreateWnd();
}

void TButton::Click() {
  if (FModalResult != 0) {
    TWinControl* top = Parent();
    while (top && top->Parent()) top = top->Parent();
    if (auto* form = dynamic_cast<TForm*>(top)) form->SetModalResult(FModalResult);
  }
  TWinControl::Click();
}

void TButton::WndProc(TMessage& message) {
  switch (message.Msg) {
    // A quick second click is a click, not a double click.
    case WM_LBUTTONDBLCLK: message.Msg = WM_LBUTTONDOWN; break;
    case CN_COMMAND: CNCommand(message); return;
    case CM_DIALOGKEY: CMDialogKey(message); return;
    case CM_DIALOGCHAR: CMDialogChar(message); return;
    default: break;
  }
  TWinControl::WndProc(message);
}

void TButton::CNCommand(TMessage& message) {
  if (HIWORD(message.WParam) == BN_CLICKED) Click();
  message.Result = 0;
}

void TButton::CMDialogKey(TMessage& message) {
  bool mine = (message.WParam == VK_RETURN && FDefault) || (message.WParam == VK_ESCAPE && FCancel);
  if (mine && CanFocus()) {
    Click();
    message.Result = 1;
    return;
  }
  TWinControl::WndProc(message);
}

// The caption's accelerator: the character after a single '&'.
void TButton::CMDialogChar(TMessage& message) {
  std::wstring caption = Caption();
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] == L'&') {
      ++i;
      continue;
    }
    wchar_t key = static_cast<wchar_t>(message.WParam);
    if (CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(caption[i + 1]))) ==
            CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(key))) &&
        CanFocus()) {
      Click();
      message.Result = 1;
      return;
    }
    break;
  }
  message.Result = 0;
}

// ---- Layout ---------------------------------------------------------------------------------------

TButtonLayoutResult CalcButtonLayout(const RECT& client, SIZE glyph, SIZE text, TButtonLayout layout, int margin,
                                     int spacing) {
  bool horizontal = layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphRight;
  int width = client.right - client.left, height = client.bottom - client.top;
  int extent = horizontal ? width : height;
  int cross = horizontal ? height : width;
  int g = horizontal ? glyph.cx : glyph.cy, gCross = horizontal ? glyph.cy : glyph.cx;
  int t = horizontal ? text.cx : text.cy, tCross = horizontal ? text.cy : text.cx;
  if (g == 0 || t == 0) spacing = 0;
  if (margin == -1) {
    if (spacing == -1) {
      margin = spacing = (extent - g - t) / 3;
    } else {
      margin = (extent - (g + spacing + t)) / 2;
    }
  } else if (spacing == -1) {
    spacing = (extent - margin - g - t) / 2;
  }
  int glyphAt = margin, textAt = margin + g + spacing;
  if (layout == TButtonLayout::blGlyphRight || layout == TButtonLayout::blGlyphBottom) {
    glyphAt = extent - margin - g;
    textAt = glyphAt - spacing - t;
  }
  int glyphCross = (cross - gCross) / 2, textCross = (cross - tCross) / 2;
  TButtonLayoutResult result;
  if (horizontal) {
    result.Glyph = RECT{glyphAt, glyphCross, glyphAt + g, glyphCross + gCross};
    result.Text = RECT{textAt, textCross, textAt + t, textCross + tCross};
  } else {
    result.Glyph = RECT{glyphCross, glyphAt, glyphCross + gCross, glyphAt + g};
    result.Text = RECT{textCross, textAt, textCross + tCross, textAt + t};
  }
  OffsetRect(&result.Glyph, client.left, client.top);
  OffsetRect(&result.Text, client.left, client.top);
  return result;
}

// ---- TBitBtn --------------------------------------------------------------------------------------

const TClassInfo& TBitBtn::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TBitBtn>("TBitBtn", &TButton::StaticClassInfo())
          .Object("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph)
          .Integer("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs)
          .Enumeration("Layout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}, &TBitBtn::Layout,
                       &TBitBtn::SetLayout)
          .Integer("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin)
          .Integer("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing)
          .Creatable()
          .Build();
  return info;
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner), FGlyph(std::make_unique<TBitmap>()) {}

TBitBtn::~TBitBtn() = default;

void TBitBtn::CreateParams(TCreateParams& params) {
  TButton::CreateParams(params);
  params.Style = (params.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TBitBtn::SetGlyph(TBitmap* value) {
  if (value) {
    FGlyph->Assign(*value);
  } else {
    FGlyph = std::make_unique<TBitmap>();
  }
  Invalidate();
}

void TBitBtn::SetNumGlyphs(int32_t value) {
  FNumGlyphs = std::clamp(value, 1, 4);
  Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout value) {
  FLayout = value;
  Invalidate();
}

void TBitBtn::SetMargin(int32_t value) {
  FMargin = value < -1 ? -1 : value;
  Invalidate();
}

void TBitBtn::SetSpacing(int32_t value) {
  FSpacing = value < -1 ? -1 : value;
  Invalidate();
}

void TBitBtn::WndProc(TMessage& message) {
  if (message.Msg == CN_DRAWITEM) {
    CNDrawItem(message);
    return;
  }
  // The face is drawn whole on every paint: nothing to erase first.
  if (message.Msg == WM_ERASEBKGND) {
    message.Result = 1;
    return;
  }
  TButton::WndProc(message);
}

void TBitBtn::CNDrawItem(TMessage& message) {
  auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
  RECT rect = item->rcItem;
  TOffscreen buffer(rect.right - rect.left, rect.bottom - rect.top);
  if (buffer.Valid()) {
    PaintFace(buffer.DC(), RECT{0, 0, buffer.Width(), buffer.Height()}, item->itemState);
    buffer.CopyTo(item->hDC, rect.left, rect.top);
  }
  message.Result = TRUE;
}

void TBitBtn::PaintFace(HDC dc, const RECT& rect, UINT state) {
  bool pressed = state & ODS_SELECTED;
  RECT face = rect;
  DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  RECT content = rect;
  InflateRect(&content, -2, -2);
  if (pressed) OffsetRect(&content, 1, 1);

  SIZE glyph{0, 0};
  if (!FGlyph->Empty()) glyph = SIZE{FGlyph->Width() / FNumGlyphs, FGlyph->Height()};
  SIZE text{0, 0};
  std::wstring caption = Caption();
  if (!caption.empty()) {
    TSelectGuard font(dc, Font()->Handle());
    RECT measure{0, 0, content.right - content.left, 0};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &measure, DT_CALCRECT | DT_SINGLELINE);
    text = SIZE{measure.right - measure.left, measure.bottom - measure.top};
  }
  TButtonLayoutResult layout = CalcButtonLayout(content, glyph, text, FLayout, FMargin, FSpacing);
  if (glyph.cx > 0) DrawGlyph(dc, layout.Glyph, state);
  if (text.cx > 0) {
    TControl::DrawCaption(dc, layout.Text, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOCLIP);
  }
  if (state & ODS_FOCUS) {
    RECT focus = rect;
    InflateRect(&focus, -4, -4);
    DrawFocusRect(dc, &focus);
  }
}

// The image for the state, with its transparent colour showing the face. A disabled button with no
// disabled image shows the glyph's shape embossed in the system's disabled colours.
void TBitBtn::DrawGlyph(HDC dc, const RECT& where, UINT state) {
  bool disabled = state & ODS_DISABLED;
  int index = 0;
  if (disabled && FNumGlyphs > 1) {
    index = 1;
  } else if ((state & ODS_SELECTED) && FNumGlyphs > 2) {
    index = 2;
  }
  int width = where.right - where.left, height = where.bottom - where.top;
  HDC source = FGlyph->Canvas()->Handle();
  COLORREF transparent = static_cast<COLORREF>(ColorToRGB(FGlyph->TransparentColor())) & 0xFFFFFF;
  if (!disabled || FNumGlyphs > 1) {
    TransparentBlt(dc, where.left, where.top, width, height, source, index * width, 0, width, height, transparent);
    return;
  }
  // The shape as a mask: 1 where the glyph is transparent, 0 where it draws.
  TMemoryDCHandle maskDC(CreateCompatibleDC(dc));
  TBitmapHandle mask(CreateBitmap(width, height, 1, 1, nullptr));
  if (!maskDC || !mask) return;
  TSelectGuard selectMask(maskDC.Get(), mask.Get());
  COLORREF oldBack = SetBkColor(source, transparent);
  BitBlt(maskDC.Get(), 0, 0, width, height, source, 0, 0, SRCCOPY);
  SetBkColor(source, oldBack);
  TSaveDCGuard saved(dc);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  constexpr DWORD kPaintWhereMaskIsBlack = 0x00B8074A;  // ((D ^ P) & S) ^ P
  for (auto [offset, colour] : {std::pair{1, COLOR_BTNHIGHLIGHT}, std::pair{0, COLOR_BTNSHADOW}}) {
    TBrushHandle brush(CreateSolidBrush(GetSysColor(colour)));
    TSelectGuard selectBrush(dc, brush.Get());
    BitBlt(dc, where.left + offset, where.top + offset, width, height, maskDC.Get(), 0, 0, kPaintWhereMaskIsBlack);
  }
}
