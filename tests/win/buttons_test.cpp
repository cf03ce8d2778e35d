// Push buttons: clicks through the reflected notification, modal results, default and cancel keys;
// bitmap buttons' faces with their glyph placed by layout, its transparent colour showing the face,
// and the state images.
#include "framework/controls/buttons.h"

#include <gtest/gtest.h>

#include "framework/graphics/bitmaps.h"
#include "framework/forms.h"
#include "framework/core/form_reader.h"
#include "framework/core/form_text.h"
#include "framework/graphics/gdi.h"

namespace {

uint32_t Rgb(COLORREF colour) { return GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour); }

constexpr TColor kGreen = 0x00C000;   // BGR values as TColor
constexpr TColor kBlue = 0xC00000;
constexpr TColor kRed = 0x0000C0;
constexpr TColor kMagenta = 0xFF00FF;

// A strip of count 10 x 10 images in the given colours, each with a magenta left half; the
// bottom-left pixel is magenta, so it is the transparent colour.
std::unique_ptr<TBitmap> Strip(std::initializer_list<TColor> colours) {
  auto bitmap = std::make_unique<TBitmap>(10 * static_cast<int>(colours.size()), 10, TPixelFormat::pf24bit);
  int x = 0;
  for (TColor colour : colours) {
    for (int row = 0; row < 10; ++row) {
      for (int column = 0; column < 10; ++column) {
        bitmap->Canvas()->SetPixel(x + column, row, column < 5 ? kMagenta : colour);
      }
    }
    x += 10;
  }
  return bitmap;
}

struct TFace {
  explicit TFace(TBitBtn& button, UINT state = 0, int width = 60, int height = 30) : Buffer(width, height) {
    button.PaintFace(Buffer.DC(), RECT{0, 0, width, height}, state);
  }
  TOffscreen Buffer;
};

TEST(BitBtn, GlyphCentredWithItsTransparentColourShowingTheFace) {
  TBitBtn button(nullptr);
  button.SetGlyph(Strip({kGreen}).get());
  TFace face(button);
  // No caption: the glyph is centred in the face inside the 2-pixel edge.
  int left = 2 + (56 - 10) / 2, top = 2 + (26 - 10) / 2;
  EXPECT_EQ(face.Buffer.Pixel(left + 7, top + 5), 0x00C000u);
  EXPECT_EQ(face.Buffer.Pixel(left + 2, top + 5), Rgb(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(face.Buffer.Pixel(left + 10, top + 5), Rgb(GetSysColor(COLOR_BTNFACE)));
}

TEST(BitBtn, StateImagesFromTheStrip) {
  // Images: up (green), disabled (blue), clicked (red), down (grey); a state without its image
  // shows the up image.
  struct TCase {
    int NumGlyphs;
    UINT State;
    uint32_t Expected;
  };
  for (TCase c : {TCase{1, ODS_SELECTED, 0x00C000u}, TCase{3, 0, 0x00C000u}, TCase{3, ODS_DISABLED, 0x0000C0u},
                  TCase{3, ODS_SELECTED, 0xC00000u}, TCase{2, ODS_SELECTED, 0x00C000u}, TCase{4, ODS_SELECTED, 0xC00000u}}) {
    std::unique_ptr<TBitmap> strip;
    switch (c.NumGlyphs) {
      case 1: strip = Strip({kGreen}); break;
      case 2: strip = Strip({kGreen, kBlue}); break;
      case 3: strip = Strip({kGreen, kBlue, kRed}); break;
      default: strip = Strip({kGreen, kBlue, kRed, 0x808080}); break;
    }
    TBitBtn button(nullptr);
    button.SetGlyph(strip.get());
    button.SetNumGlyphs(c.NumGlyphs);
    TFace face(button, c.State);
    int pressed = (c.State & ODS_SELECTED) ? 1 : 0;
    EXPECT_EQ(face.Buffer.Pixel(2 + 23 + 7 + pressed, 2 + 8 + 5 + pressed), c.Expected)
        << c.NumGlyphs << " glyphs, state " << c.State;
  }
}

TEST(BitBtn, DisabledSingleGlyphIsEmbossed) {
  TBitBtn button(nullptr);
  button.SetGlyph(Strip({kGreen}).get());
  TFace face(button, ODS_DISABLED);
  int left = 25, top = 10;
  EXPECT_EQ(face.Buffer.Pixel(left + 7, top + 5), Rgb(GetSysColor(COLOR_BTNSHADOW)));
  EXPECT_EQ(face.Buffer.Pixel(left + 10, top + 5), Rgb(GetSysColor(COLOR_BTNHIGHLIGHT)));  // the lit edge
  EXPECT_EQ(face.Buffer.Pixel(left + 2, top + 5), Rgb(GetSysColor(COLOR_BTNFACE)));
}

TEST(BitBtn, LayoutTable) {
  RECT client{0, 0, 100, 40};
  SIZE glyph{10, 10}, text{30, 12};
  struct TCase {
    TButtonLayout Layout;
    int Margin, Spacing;
    RECT Glyph, Text;
  };
  const TCase cases[] = {
      {TButtonLayout::blGlyphLeft, -1, 4, {28, 15, 38, 25}, {42, 14, 72, 26}},
      {TButtonLayout::blGlyphRight, -1, 4, {62, 15, 72, 25}, {28, 14, 58, 26}},
      {TButtonLayout::blGlyphLeft, 5, 4, {5, 15, 15, 25}, {19, 14, 49, 26}},
      {TButtonLayout::blGlyphLeft, 5, -1, {5, 15, 15, 25}, {42, 14, 72, 26}},
      {TButtonLayout::blGlyphLeft, -1, -1, {20, 15, 30, 25}, {50, 14, 80, 26}},
      {TButtonLayout::blGlyphTop, -1, 2, {45, 8, 55, 18}, {35, 20, 65, 32}},
      {TButtonLayout::blGlyphBottom, -1, 2, {45, 22, 55, 32}, {35, 8, 65, 20}},
  };
  for (const TCase& c : cases) {
    TButtonLayoutResult result = CalcButtonLayout(client, glyph, text, c.Layout, c.Margin, c.Spacing);
    EXPECT_TRUE(EqualRect(&result.Glyph, &c.Glyph))
        << static_cast<int>(c.Layout) << " " << c.Margin << " " << c.Spacing << ": glyph at " << result.Glyph.left
        << "," << result.Glyph.top;
    EXPECT_TRUE(EqualRect(&result.Text, &c.Text))
        << static_cast<int>(c.Layout) << " " << c.Margin << " " << c.Spacing << ": text at " << result.Text.left
        << "," << result.Text.top;
  }
}

class TClickCounter : public TComponent {
public:
  using TComponent::TComponent;
  void Clicked(TPersistent*) { ++Clicks; }
  int Clicks = 0;
};

class Buttons : public testing::Test {
protected:
  void SetUp() override {
    FApplication = new TApplication(nullptr);
    FApplication->Initialize();
    FForm = new TForm(FApplication);
    FForm->SetBounds(10, 10, 300, 200);
  }
  void TearDown() override { delete FApplication; }
  TApplication* FApplication = nullptr;
  TForm* FForm = nullptr;
  TClickCounter FCounter{nullptr};
};

TEST_F(Buttons, OwnerDrawnFaceReachesTheWindowThroughItsParent) {
  auto* button = new TBitBtn(FForm);
  button->SetParent(FForm);
  button->SetBounds(10, 10, 60, 30);
  button->SetGlyph(Strip({kGreen}).get());
  EXPECT_EQ(GetWindowLongPtrW(button->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  wchar_t className[32];
  GetClassNameW(button->Handle(), className, 32);
  EXPECT_STREQ(className, L"TBitBtn");
  TOffscreen buffer(60, 30);
  SendMessageW(button->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(buffer.DC()), PRF_CLIENT);
  EXPECT_EQ(buffer.Pixel(25 + 7, 10 + 5), 0x00C000u);
}

TEST_F(Buttons, ClickReachesOnClickAndEndsAModalForm) {
  auto* button = new TButton(FForm);
  button->SetParent(FForm);
  button->OnClick = TNotifyEvent::Bind<&TClickCounter::Clicked>(&FCounter);
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(FCounter.Clicks, 1);

  button->SetModalResult(IDOK);
  PostMessageW(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(FForm->ShowModal(), IDOK);
  EXPECT_EQ(FCounter.Clicks, 2);
}

TEST_F(Buttons, EnterPressesTheDefaultButtonAndEscapeTheCancelButton) {
  auto* ok = new TButton(FForm);
  ok->SetParent(FForm);
  ok->SetDefault(true);
  ok->SetModalResult(IDOK);
  auto* cancel = new TButton(FForm);
  cancel->SetParent(FForm);
  cancel->SetCancel(true);
  cancel->SetModalResult(IDCANCEL);
  cancel->SetLeft(100);
  EXPECT_EQ(GetWindowLongPtrW(ok->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  for (auto [key, expected] : {std::pair{VK_RETURN, IDOK}, std::pair{VK_ESCAPE, IDCANCEL}}) {
    FForm->Show();
    cancel->SetFocus();
    PostMessageW(cancel->Handle(), WM_KEYDOWN, key, 0);
    FForm->Hide();
    EXPECT_EQ(FForm->ShowModal(), expected);
  }
}

TEST_F(Buttons, GlyphReadFromADefinition) {
  RegisterComponentClass(TBitBtn::StaticClassInfo());
  std::vector<std::pair<std::string, std::vector<uint8_t>>> data;
  Strip({kGreen, kBlue})->WriteData(data);
  ASSERT_EQ(data.size(), 1u);
  std::string hex;
  for (uint8_t byte : data[0].second) {
    static const char kDigits[] = "0123456789ABCDEF";
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 15];
  }
  std::string text = "object Form: TForm\n  object Open: TBitBtn\n    Caption = 'APRI'\n    NumGlyphs = 2\n"
                     "    Layout = blGlyphTop\n    Glyph.Data = {" + hex + "}\n  end\nend\n";
  TForm form(nullptr);
  ReadComponent(form, ParseFormText(text));
  auto* button = dynamic_cast<TBitBtn*>(form.FindComponent("Open"));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->Glyph()->Width(), 20);
  EXPECT_EQ(button->Glyph()->Height(), 10);
  EXPECT_EQ(button->NumGlyphs(), 2);
  EXPECT_EQ(button->Layout(), TButtonLayout::blGlyphTop);
  EXPECT_EQ(GetEnumProp(button, "Layout"), "blGlyphTop");
}

// What the skinned button reads and writes by name reaches the button.
TEST_F(Buttons, PropertiesByName) {
  auto* button = new TBitBtn(FForm);
  button->SetParent(FForm);
  SetWideStrProp(button, "Caption", L"STAMPA");
  wchar_t text[32] = {};
  GetWindowTextW(button->Handle(), text, 32);
  EXPECT_STREQ(text, L"STAMPA");
  SetOrdProp(button, "NumGlyphs", 3);
  SetOrdProp(button, "Margin", 6);
  SetOrdProp(button, "Spacing", -1);
  SetEnumProp(button, "Layout", "blglyphright");
  SetOrdProp(button, "Enabled", 0);
  EXPECT_EQ(button->NumGlyphs(), 3);
  EXPECT_EQ(GetOrdProp(button, "Margin"), 6);
  EXPECT_EQ(GetOrdProp(button, "Spacing"), -1);
  EXPECT_EQ(GetEnumProp(button, "Layout"), "blGlyphRight");
  EXPECT_FALSE(IsWindowEnabled(button->Handle()));
  EXPECT_EQ(GetOrdProp(button, "Default"), 0);
  EXPECT_EQ(GetObjectProp(button, "Glyph"), button->Glyph());
  EXPECT_EQ(GetObjectProp(button, "Glyph", "TBitmap"), button->Glyph());
  EXPECT_EQ(GetObjectProp(button, "Font"), button->Font());
  EXPECT_EQ(GetOrdProp(FForm, "Color"), static_cast<int64_t>(clBtnFace));
  EXPECT_EQ(GetOrdProp(button, "Down"), -1);
  SetEnumProp(FForm, "AutoScroll", "False");
  EXPECT_FALSE(FForm->AutoScroll());  // not a property of this class: a neutral answer
}

}  // namespace
