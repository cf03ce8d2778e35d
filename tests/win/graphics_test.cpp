// Canvases, bitmaps, pictures, image lists and the image control, checked by the pixels they leave
// in DIB sections.
#include "framework/graphics/graphics.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/graphics/bitmaps.h"
#include "framework/core/form_reader.h"
#include "framework/graphics/gdi.h"
#include "framework/graphics/image_list.h"
#include "framework/controls/images.h"
#include "framework/controls/panels.h"
#include "framework/graphics/pictures.h"

namespace {

constexpr TColor kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kMagenta = 0xFF00FF;

// TColor (0x00BBGGRR) as TOffscreen reports pixels (0x00RRGGBB).
uint32_t Px(TColor colour) {
  uint32_t value = static_cast<uint32_t>(ColorToRGB(colour));
  return (value & 0xFF) << 16 | (value & 0xFF00) | (value >> 16 & 0xFF);
}

void Fill(TOffscreen& buffer, TColor colour) {
  TCanvas canvas(buffer.DC());
  canvas.Brush()->SetColor(colour);
  canvas.FillRect(RECT{0, 0, buffer.Width(), buffer.Height()});
}

// A bitmap whose rows are given as colours, top row first.
std::unique_ptr<TBitmap> MakeBitmap(const std::vector<std::vector<TColor>>& rows,
                                    TPixelFormat format = TPixelFormat::pf24bit) {
  auto bitmap = std::make_unique<TBitmap>(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()),
                                          TPixelFormat::pf32bit);
  for (size_t y = 0; y < rows.size(); ++y) {
    auto* line = reinterpret_cast<uint32_t*>(bitmap->ScanLine(static_cast<int>(y)));
    for (size_t x = 0; x < rows[y].size(); ++x) line[x] = Px(rows[y][x]);
  }
  bitmap->SetPixelFormat(format);
  return bitmap;
}

TEST(Canvas, DrawsWithItsObjectsAndGivesTheDCsBack) {
  TOffscreen buffer(20, 20);
  HGDIOBJ pen = GetCurrentObject(buffer.DC(), OBJ_PEN), brush = GetCurrentObject(buffer.DC(), OBJ_BRUSH),
          font = GetCurrentObject(buffer.DC(), OBJ_FONT);
  {
    TCanvas canvas(buffer.DC());
    canvas.Brush()->SetColor(kBlue);
    canvas.FillRect(RECT{0, 0, 20, 20});
    canvas.Brush()->SetColor(kGreen);  // changed while selected: the old brush is put back first
    canvas.Pen()->SetColor(kRed);
    canvas.Rectangle(2, 2, 8, 8);
    canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    canvas.Rectangle(10, 10, 16, 16);
    canvas.MoveTo(0, 19);
    canvas.LineTo(20, 19);
    canvas.SetPixel(19, 0, kMagenta);
    EXPECT_EQ(canvas.Pixel(19, 0), kMagenta);
    EXPECT_GT(canvas.TextWidth(L"WW"), canvas.TextWidth(L"W"));
    EXPECT_GT(canvas.TextHeight(L"W"), 0);
    canvas.Font()->SetHeight(-30);
    EXPECT_GT(canvas.TextHeight(L"W"), 25);
  }
  EXPECT_EQ(GetCurrentObject(buffer.DC(), OBJ_PEN), pen);
  EXPECT_EQ(GetCurrentObject(buffer.DC(), OBJ_BRUSH), brush);
  EXPECT_EQ(GetCurrentObject(buffer.DC(), OBJ_FONT), font);
  EXPECT_EQ(buffer.Pixel(2, 2), Px(kRed));     // pen
  EXPECT_EQ(buffer.Pixel(5, 5), Px(kGreen));   // brush
  EXPECT_EQ(buffer.Pixel(10, 12), Px(kRed));
  EXPECT_EQ(buffer.Pixel(13, 13), Px(kBlue));  // hollow: the blue fill shows
  EXPECT_EQ(buffer.Pixel(0, 19), Px(kRed));
  EXPECT_EQ(buffer.Pixel(19, 0), Px(kMagenta));

  // CopyRect stretches one canvas's pixels onto another.
  TOffscreen target(8, 8);
  TCanvas from(buffer.DC()), to(target.DC());
  to.CopyRect(RECT{0, 0, 8, 8}, from, RECT{4, 4, 8, 8});
  EXPECT_EQ(target.Pixel(0, 0), Px(kGreen));
  EXPECT_EQ(target.Pixel(7, 7), Px(kRed));  // the rectangle's right and bottom edges, doubled
}

TEST(Bitmap, ScanLineCountsFromTheTopAndMeetsTheCanvas) {
  TBitmap bitmap;
  EXPECT_TRUE(bitmap.Empty());
  bitmap.SetSize(4, 3);
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pfDevice);
  auto* top = reinterpret_cast<uint32_t*>(bitmap.ScanLine(0));
  top[0] = 0xFF0000;  // red, in blue-green-red-x byte order
  bitmap.Canvas()->SetPixel(3, 2, kGreen);
  EXPECT_EQ(reinterpret_cast<uint32_t*>(bitmap.ScanLine(2))[3] & 0xFFFFFF, 0x00FF00u);
  EXPECT_EQ(bitmap.ScanLine(3), nullptr);

  TOffscreen buffer(4, 3);
  TCanvas canvas(buffer.DC());
  canvas.Draw(0, 0, bitmap);
  EXPECT_EQ(buffer.Pixel(0, 0), Px(kRed));
  EXPECT_EQ(buffer.Pixel(0, 2), 0u);
  EXPECT_EQ(buffer.Pixel(3, 2), Px(kGreen));

  // Growing keeps the shared corner; the handle can be taken over by the caller.
  bitmap.SetSize(6, 5);
  EXPECT_EQ(bitmap.Pixel(0, 0), kRed);
  EXPECT_EQ(bitmap.Pixel(3, 2), kGreen);
  EXPECT_EQ(bitmap.Pixel(5, 4), clBlack);
  // Handing out the HBITMAP takes it out of the canvas's DC; the DC's stretch mode survives that.
  SetStretchBltMode(bitmap.Canvas()->Handle(), COLORONCOLOR);
  TMemoryDCHandle other(CreateCompatibleDC(nullptr));
  {
    TSelectGuard selected(other.Get(), bitmap.Handle());
    EXPECT_EQ(GetPixel(other.Get(), 0, 0), static_cast<COLORREF>(kRed));
  }
  EXPECT_EQ(GetStretchBltMode(bitmap.Canvas()->Handle()), COLORONCOLOR);
  TBitmapHandle owned(bitmap.ReleaseHandle());
  BITMAP info = {};
  ASSERT_EQ(GetObjectW(owned.Get(), sizeof info, &info), static_cast<int>(sizeof info));
  EXPECT_EQ(info.bmWidth, 6);
  EXPECT_TRUE(bitmap.Empty());
}

TEST(Bitmap, FilesRoundTripInEveryPixelFormat) {
  const std::vector<std::vector<TColor>> colours = {{clBlack, clWhite, kRed}, {kGreen, kBlue, kMagenta}};
  struct TCase {
    TPixelFormat Format;
    int Bits;
    std::vector<std::vector<TColor>> Expected;
  };
  const std::vector<TCase> cases = {
      {TPixelFormat::pf1bit, 1, {{clBlack, clWhite, clBlack}, {clBlack, clBlack, clWhite}}},
      {TPixelFormat::pf4bit, 4, colours},
      {TPixelFormat::pf8bit, 8, colours},
      {TPixelFormat::pf24bit, 24, colours},
      {TPixelFormat::pf32bit, 32, colours},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Bits);
    std::unique_ptr<TBitmap> bitmap = MakeBitmap(colours, test.Format);
    TMemoryStream file;
    bitmap->SaveToStream(file);
    file.SetPosition(0);
    TBitmap back;
    back.LoadFromStream(file);
    EXPECT_EQ(back.PixelFormat(), test.Format);
    EXPECT_EQ(back.BitsPerPixel(), test.Bits);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 3; ++x) EXPECT_EQ(back.Pixel(x, y), test.Expected[y][x]) << x << "," << y;
    }
    // Drawn through GDI, the palette gives the same colours.
    TOffscreen buffer(3, 2);
    TCanvas canvas(buffer.DC());
    canvas.Draw(0, 0, back);
    EXPECT_EQ(buffer.Pixel(2, 1), Px(test.Expected[1][2]));
    EXPECT_EQ(buffer.Pixel(1, 0), Px(test.Expected[0][1]));
  }

  TMemoryStream garbage(std::vector<uint8_t>{'B', 'M', 1, 2, 3});
  TBitmap bad;
  EXPECT_THROW(bad.LoadFromStream(garbage), EInvalidGraphic);
  EXPECT_THROW(bad.ReadData("Data", {200, 0, 0, 0, 'B', 'M'}), EInvalidGraphic);  // length beyond the bytes
}

TEST(Bitmap, TransparentDrawingLeavesTheTargetUnderTheTransparentColour) {
  std::unique_ptr<TBitmap> bitmap = MakeBitmap({{kMagenta, kRed}, {kGreen, kMagenta}});
  bitmap->SetTransparent(true);
  bitmap->SetTransparentColor(clFuchsia);
  EXPECT_EQ(bitmap->TransparentMode(), TTransparentMode::tmFixed);
  TOffscreen buffer(6, 6);
  Fill(buffer, kBlue);
  TCanvas canvas(buffer.DC());
  canvas.Draw(0, 0, *bitmap);
  canvas.StretchDraw(RECT{2, 2, 6, 6}, *bitmap);
  const struct {
    int X, Y;
    TColor Colour;
  } expected[] = {{0, 0, kBlue}, {1, 0, kRed}, {0, 1, kGreen}, {1, 1, kBlue},
                  {2, 2, kBlue}, {3, 3, kBlue}, {4, 3, kRed}, {5, 2, kRed}, {3, 4, kGreen}, {5, 5, kBlue}};
  for (const auto& pixel : expected) EXPECT_EQ(buffer.Pixel(pixel.X, pixel.Y), Px(pixel.Colour)) << pixel.X << "," << pixel.Y;

  // tmAuto takes the bottom-left pixel, whatever the colour.
  std::unique_ptr<TBitmap> automatic = MakeBitmap({{kRed, kGreen}, {kGreen, kRed}}, TPixelFormat::pf8bit);
  automatic->SetTransparent(true);
  EXPECT_EQ(automatic->TransparentColor(), kGreen);
  Fill(buffer, kBlue);
  canvas.Draw(0, 0, *automatic);
  EXPECT_EQ(buffer.Pixel(0, 0), Px(kRed));
  EXPECT_EQ(buffer.Pixel(1, 0), Px(kBlue));
  EXPECT_EQ(buffer.Pixel(0, 1), Px(kBlue));

  // The mask is white exactly where the colour is.
  std::unique_ptr<TBitmap> mask = bitmap->Mask(clFuchsia);
  EXPECT_TRUE(mask->Monochrome());
  EXPECT_EQ(mask->Pixel(0, 0), clWhite);
  EXPECT_EQ(mask->Pixel(1, 0), clBlack);
  EXPECT_EQ(mask->Pixel(1, 1), clWhite);
}

TEST(Bitmap, DataPropertyIsALengthThenTheFile) {
  std::unique_ptr<TBitmap> bitmap = MakeBitmap({{kRed, kGreen, kBlue}}, TPixelFormat::pf8bit);
  std::vector<std::pair<std::string, std::vector<uint8_t>>> properties;
  bitmap->WriteData(properties);
  ASSERT_EQ(properties.size(), 1u);
  EXPECT_EQ(properties[0].first, "Data");
  const std::vector<uint8_t>& bytes = properties[0].second;
  ASSERT_GT(bytes.size(), 6u);
  uint32_t length = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
  EXPECT_EQ(length, bytes.size() - 4);
  EXPECT_EQ(bytes[4], 'B');
  EXPECT_EQ(bytes[5], 'M');
  TBitmap copy;
  ASSERT_TRUE(copy.ReadData("Data", bytes));
  EXPECT_EQ(copy.Width(), 3);
  EXPECT_EQ(copy.Pixel(2, 0), kBlue);
  EXPECT_FALSE(copy.ReadData("Other", bytes));

  // Assign is deep: changing the copy leaves the original.
  TBitmap assigned;
  assigned.Assign(copy);
  assigned.Canvas()->SetPixel(0, 0, kMagenta);
  EXPECT_EQ(assigned.Pixel(0, 0), kMagenta);
  EXPECT_EQ(copy.Pixel(0, 0), kRed);
}

TEST(Bitmap, LoadsBitmapResourcesLikeTheSystem) {
  HMODULE comctl = LoadLibraryW(L"comctl32.dll");
  ASSERT_NE(comctl, nullptr);
  // The standard toolbar strip every comctl32 carries.
  TBitmapHandle system(static_cast<HBITMAP>(LoadImageW(comctl, MAKEINTRESOURCEW(120), IMAGE_BITMAP, 0, 0,
                                                        LR_CREATEDIBSECTION)));
  ASSERT_TRUE(system);
  TBitmap bitmap;
  bitmap.LoadFromResourceName(comctl, L"#120");
  BITMAP info = {};
  GetObjectW(system.Get(), sizeof info, &info);
  EXPECT_EQ(bitmap.Width(), info.bmWidth);
  EXPECT_EQ(bitmap.Height(), info.bmHeight);
  TMemoryDCHandle dc(CreateCompatibleDC(nullptr));
  TSelectGuard selected(dc.Get(), system.Get());
  for (int x = 0; x < bitmap.Width(); x += 7) {
    int y = (x / 7) % bitmap.Height();
    EXPECT_EQ(bitmap.Pixel(x, y), static_cast<TColor>(GetPixel(dc.Get(), x, y))) << x << "," << y;
  }
  EXPECT_THROW(bitmap.LoadFromResourceName(comctl, L"NO_SUCH_BITMAP"), EInvalidGraphic);
}

// A picture class of the tests' own, registered like a later picture format would be.
class TTestGraphic : public TGraphic {
  CORVALE_DECLARE_CLASS()

public:
  int Width() const override { return 1; }
  int Height() const override { return 1; }
  bool Empty() const override { return Bytes.empty(); }
  void Draw(TCanvas&, const RECT&) override {}
  void LoadFromStream(TStream& stream) override {
    Bytes.resize(static_cast<size_t>(stream.Remaining()));
    stream.Read(Bytes.data(), Bytes.size());
  }
  void SaveToStream(TStream& stream) const override { stream.Write(Bytes.data(), Bytes.size()); }
  void Assign(const TGraphic& source) override { Bytes = dynamic_cast<const TTestGraphic&>(source).Bytes; }
  std::vector<uint8_t> Bytes;
};

const TClassInfo& TTestGraphic::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TTestGraphic>("TTestGraphic", &TGraphic::StaticClassInfo()).Build();
  return info;
}

TEST(Picture, RegistryAndStoredDataRoundTrip) {
  const TGraphicFormat* bmp = FindGraphicFormatByExtension(".bmp");
  ASSERT_NE(bmp, nullptr);
  EXPECT_EQ(bmp->ClassName, "TBitmap");
  EXPECT_EQ(FindGraphicFormatByClassName("tbitmap"), bmp);
  EXPECT_EQ(FindGraphicFormatByExtension("TST"), nullptr);
  RegisterFileFormat("tst", "Test pictures", [] { return std::unique_ptr<TGraphic>(new TTestGraphic()); },
                     "TTestGraphic");
  ASSERT_NE(FindGraphicFormatByExtension("TST"), nullptr);
  EXPECT_EQ(FindGraphicFormatByClassName("TTestGraphic")->Description, "Test pictures");

  // Class name with its length byte, then the graphic's own bytes.
  std::vector<uint8_t> data = {12, 'T', 'T', 'e', 's', 't', 'G', 'r', 'a', 'p', 'h', 'i', 'c', 7, 8, 9};
  TPicture picture;
  int changes = 0;
  picture.OnChange = [&changes] { ++changes; };
  ASSERT_TRUE(picture.ReadData("Data", data));
  EXPECT_EQ(changes, 1);
  ASSERT_NE(dynamic_cast<TTestGraphic*>(picture.Graphic()), nullptr);
  EXPECT_EQ(static_cast<TTestGraphic*>(picture.Graphic())->Bytes, (std::vector<uint8_t>{7, 8, 9}));
  std::vector<std::pair<std::string, std::vector<uint8_t>>> written;
  picture.WriteData(written);
  ASSERT_EQ(written.size(), 1u);
  EXPECT_EQ(written[0].second, data);

  TPicture copy;
  copy.Assign(picture);
  EXPECT_NE(copy.Graphic(), picture.Graphic());
  EXPECT_EQ(static_cast<TTestGraphic*>(copy.Graphic())->Bytes, (std::vector<uint8_t>{7, 8, 9}));
  // Asking for a bitmap replaces any other graphic.
  copy.Bitmap()->SetSize(3, 2);
  EXPECT_EQ(copy.Graphic()->ClassName(), "TBitmap");
  EXPECT_EQ(copy.Width(), 3);

  std::vector<uint8_t> unknown = {3, 'T', 'X', 'Y', 1};
  EXPECT_THROW(picture.ReadData("Data", unknown), EInvalidGraphic);
  EXPECT_THROW(picture.ReadData("Data", {20, 'T'}), EInvalidGraphic);
  EXPECT_THROW(picture.LoadFromFile("logo.xyz"), EInvalidGraphic);
}

TEST(Image, PaintsItsPictureStoredInTheDefinitionOnTheParent) {
  TPanel panel(nullptr);
  panel.SetBounds(0, 0, 40, 40);
  SetEnumProp(&panel, "BevelOuter", "bvNone");
  SetWindowLongPtrW(panel.Handle(), GWL_STYLE, WS_POPUP);  // no frame: client = bounds
  SetWindowPos(panel.Handle(), nullptr, 0, 0, 40, 40, SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
  SetOrdProp(&panel, "Color", kBlue);

  // The picture comes as a definition stores it: TBitmap, its length, its file.
  std::unique_ptr<TBitmap> source = MakeBitmap({{kRed, kGreen}, {clWhite, kMagenta}});
  TPicture stored;
  stored.SetGraphic(source.get());
  std::vector<std::pair<std::string, std::vector<uint8_t>>> data;
  stored.WriteData(data);
  std::string hex;
  for (uint8_t byte : data[0].second) {
    static const char kDigits[] = "0123456789ABCDEF";
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 15];
  }
  RegisterComponentClass(TPanel::StaticClassInfo());
  RegisterComponentClass(TImage::StaticClassInfo());
  ReadComponent(panel, ParseFormText("object P: TPanel\n  object Logo: TImage\n    Left = 10\n    Top = 10\n"
                                     "    Width = 20\n    Height = 20\n    Picture.Data = {" + hex + "}\n  end\nend\n"));
  auto* image = dynamic_cast<TImage*>(panel.FindComponent("Logo"));
  ASSERT_NE(image, nullptr);
  ASSERT_EQ(image->Picture()->Width(), 2);

  TOffscreen buffer(40, 40);
  auto paint = [&] { SendMessageW(panel.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(buffer.DC()), PRF_CLIENT); };
  paint();
  EXPECT_EQ(buffer.Pixel(10, 10), Px(kRed));
  EXPECT_EQ(buffer.Pixel(11, 10), Px(kGreen));
  EXPECT_EQ(buffer.Pixel(11, 11), Px(kMagenta));
  EXPECT_EQ(buffer.Pixel(12, 12), Px(kBlue));  // the parent shows around the picture

  SetEnumProp(image, "Stretch", "True");
  paint();
  EXPECT_EQ(buffer.Pixel(10, 10), Px(kRed));
  EXPECT_EQ(buffer.Pixel(29, 10), Px(kGreen));
  EXPECT_EQ(buffer.Pixel(10, 29), Px(clWhite));
  EXPECT_EQ(buffer.Pixel(29, 29), Px(kMagenta));
  EXPECT_EQ(buffer.Pixel(30, 30), Px(kBlue));

  SetEnumProp(image, "Stretch", "False");
  SetEnumProp(image, "Center", "True");
  SetEnumProp(image, "Transparent", "True");  // the bitmap's bottom-left white is transparent
  paint();
  EXPECT_EQ(buffer.Pixel(19, 19), Px(kRed));
  EXPECT_EQ(buffer.Pixel(19, 20), Px(kBlue));
  EXPECT_EQ(buffer.Pixel(20, 20), Px(kMagenta));

  SetEnumProp(image, "AutoSize", "True");
  EXPECT_EQ(image->Width(), 2);
  EXPECT_EQ(image->Height(), 2);
}

TEST(ImageList, DrawsOneImageOfAStripThroughItsMask) {
  // Three 4x4 images: a red, a green and a blue square on magenta, each with a magenta corner.
  std::vector<std::vector<TColor>> rows(4, std::vector<TColor>(12, kMagenta));
  const TColor squares[] = {kRed, kGreen, kBlue};
  for (int image = 0; image < 3; ++image) {
    for (int y = 1; y < 4; ++y) {
      for (int x = 1; x < 4; ++x) rows[y][4 * image + x] = squares[image];
    }
  }
  std::unique_ptr<TBitmap> strip = MakeBitmap(rows);
  TImageList list(nullptr);
  list.SetWidth(4);
  list.SetHeight(4);
  EXPECT_EQ(list.AddMasked(*strip, clFuchsia), 0);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(strip->Pixel(0, 0), kMagenta);  // the caller's strip is untouched

  TOffscreen buffer(10, 10);
  Fill(buffer, clWhite);
  TCanvas canvas(buffer.DC());
  list.Draw(canvas, 2, 2, 1);
  EXPECT_EQ(buffer.Pixel(2, 2), Px(clWhite));  // masked corner
  EXPECT_EQ(buffer.Pixel(3, 3), Px(kGreen));
  EXPECT_EQ(buffer.Pixel(5, 5), Px(kGreen));
  EXPECT_EQ(buffer.Pixel(6, 6), Px(clWhite));

  // Disabled: the shape in the 3-D shadow colour, its highlight one pixel down and right.
  Fill(buffer, kBlue);
  list.Draw(canvas, 2, 2, 2, false);
  EXPECT_EQ(buffer.Pixel(3, 3), Px(clBtnShadow));
  EXPECT_EQ(buffer.Pixel(6, 6), Px(clBtnHighlight));
  EXPECT_EQ(buffer.Pixel(2, 2), Px(kBlue));

  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace

namespace {

// Where a picture goes in a 100 x 100 image: natural size, stretched, or shrunk and grown keeping
// its proportions, in the corner or centred.
TEST(Image, DestinationByStretchCenterAndProportional) {
  struct TCase {
    int PictureWidth, PictureHeight;
    bool Stretch, Center, Proportional;
    RECT Expected;
  };
  const TCase cases[] = {
      {200, 100, false, false, false, {0, 0, 200, 100}},
      {200, 100, true, false, false, {0, 0, 100, 100}},
      {200, 100, false, true, true, {0, 25, 100, 75}},
      {200, 100, false, false, true, {0, 0, 100, 50}},
      {100, 400, false, true, true, {37, 0, 62, 100}},
      {50, 20, false, true, true, {25, 40, 75, 60}},   // smaller: kept as it is
      {50, 20, true, false, true, {0, 0, 100, 40}},    // with Stretch: grown to fit
  };
  for (const TCase& c : cases) {
    TImage image(nullptr);
    image.SetBounds(0, 0, 100, 100);
    TBitmap picture(c.PictureWidth, c.PictureHeight, TPixelFormat::pf24bit);
    image.Picture()->SetGraphic(&picture);
    image.SetStretch(c.Stretch);
    image.SetCenter(c.Center);
    SetOrdProp(&image, "Proportional", c.Proportional);
    RECT got = image.DestRect();
    EXPECT_TRUE(EqualRect(&got, &c.Expected))
        << c.PictureWidth << "x" << c.PictureHeight << " stretch " << c.Stretch << " center " << c.Center
        << " proportional " << c.Proportional << ": " << got.left << "," << got.top << "," << got.right << ","
        << got.bottom;
  }
}

}  // namespace
