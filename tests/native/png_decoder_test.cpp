// The PNG decoder on files put together chunk by chunk: the errors each broken file raises, the
// chunks kept, skipped and refused, gamma tables, transparency modes and colours.
#include "picture/png_decoder.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <functional>
#include <typeindex>
#include <typeinfo>

#include "picture/png_writer.h"

namespace {

// A 3 x 2 RGB image: red, green, blue over grey, white, black.
TPngWriteSpec RgbSpec() {
  TPngWriteSpec spec;
  spec.Width = 3;
  spec.Height = 2;
  spec.Rows = {255, 0, 0, 0, 255, 0, 0, 0, 255, 128, 128, 128, 255, 255, 255, 0, 0, 0};
  return spec;
}

std::vector<uint8_t> Be32(uint32_t value) {
  return {static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8),
          static_cast<uint8_t>(value)};
}

TPngChunkSpec Header(uint32_t width, uint32_t height, uint8_t depth = 8, uint8_t type = 2, uint8_t interlace = 0) {
  return {"IHDR", PngHeaderData(width, height, depth, type, interlace)};
}

// The chunks of RgbSpec's file with its one IDAT, to rearrange.
std::vector<TPngChunkSpec> RgbChunks() {
  return {Header(3, 2), {"IDAT", PngImageStream(RgbSpec())}, {"IEND", {}}};
}

std::vector<uint8_t> Corrupt(std::vector<uint8_t> file, size_t at) {
  file[at] ^= 0x40;
  return file;
}

const char* const kQuoted = "\"Portable Network Graphics\"";

struct TBrokenFile {
  const char* What;
  std::function<std::vector<uint8_t>()> Make;
  std::type_index Error;
  std::string Message;
};

std::string Msg(const std::string& before, const std::string& after) { return before + kQuoted + after; }

const std::string kInvalidHeader =
    Msg("The file being readed is not a valid ", " image because it contains an invalid header. This file may be "
                                                 "corruped, try obtaining it again.");
const std::string kUnexpectedEnd =
    Msg("This ", " image is invalid because the decoder found an unexpected end of the file.");
const std::string kNotFirst = Msg("This ", " image is not supported or it might be invalid.\r\n(IHDR chunk is not the first)");
const std::string kCritical = Msg("This ", " image contains an unknown critical part which could not be decoded.");
const std::string kCrc = Msg("This ", " image is not valid because it contains invalid pieces of data (crc error)");
const std::string kIhdr =
    Msg("The ", " image could not be loaded because one of its main piece of data (ihdr) might be corrupted");
const std::string kSize = Msg("This ", " image is not supported because either it's width or height exceeds the "
                                       "maximum size, which is 65535 pixels length.");
const std::string kCompression =
    Msg("This ", " image is encoded with an unknown compression scheme which could not be decoded.");
const std::string kInterlace = Msg("This ", " image uses an unknown interlace scheme which could not be decoded.");
const std::string kPalette = Msg("The ", " image contains an invalid palette.");
const std::string kMissing = Msg("This ", " image is invalid because it has missing image parts.");
const std::string kNoData = Msg("This ", " image contains no data.");
const std::string kZlib = "Could not decompress the image because it contains invalid compressed data.\r\n Description: ";

std::vector<uint8_t> FileOf(std::vector<TPngChunkSpec> chunks) { return PngFile(chunks); }

// Chunks of a file with the IDAT data split in two around a chunk named between.
std::vector<uint8_t> SplitAround(const char* between) {
  std::vector<uint8_t> stream = PngImageStream(RgbSpec());
  size_t half = stream.size() / 2;
  return FileOf({Header(3, 2), {"IDAT", {stream.begin(), stream.begin() + half}}, {between, {1, 2}},
                 {"IDAT", {stream.begin() + half, stream.end()}}, {"IEND", {}}});
}

const TBrokenFile kBrokenFiles[] = {
    {"empty file", [] { return std::vector<uint8_t>(); }, typeid(EPNGInvalidFileHeader), kInvalidHeader},
    {"wrong signature", [] { return Corrupt(WritePng(RgbSpec()), 1); }, typeid(EPNGInvalidFileHeader), kInvalidHeader},
    {"signature only", [] { return FileOf({}); }, typeid(EPngUnexpectedEnd), kUnexpectedEnd},
    {"chunk header cut", [] { auto f = FileOf({}); f.insert(f.end(), {0, 0, 0}); return f; }, typeid(EPngUnexpectedEnd),
     kUnexpectedEnd},
    {"no IEND", [] { auto f = WritePng(RgbSpec()); f.resize(f.size() - 12); return f; }, typeid(EPngUnexpectedEnd),
     kUnexpectedEnd},
    {"CRC cut", [] { auto f = WritePng(RgbSpec()); f.resize(f.size() - 2); return f; }, typeid(EPngUnexpectedEnd),
     kUnexpectedEnd},
    {"length beyond the file",
     [] {
       auto f = FileOf({Header(3, 2)});
       auto tail = Be32(0x7FFFFFFF);
       f.insert(f.end(), tail.begin(), tail.end());
       f.insert(f.end(), {'t', 'E', 'X', 't', 1, 2, 3});
       return f;
     },
     typeid(EPngUnexpectedEnd), kUnexpectedEnd},
    {"IHDR after another chunk",
     [] { return FileOf({{"tEXt", {'a', 0, 'b'}}, Header(3, 2), {"IDAT", PngImageStream(RgbSpec())}, {"IEND", {}}}); },
     typeid(EPNGIHDRNotFirst), kNotFirst},
    {"IHDR of 12 bytes",
     [] {
       auto c = RgbChunks();
       c[0].Data.resize(12);
       return FileOf(c);
     },
     typeid(EPngInvalidIHDR), kIhdr},
    {"width 65536", [] { auto c = RgbChunks(); c[0] = Header(65536, 2); return FileOf(c); }, typeid(EPNGSizeExceeds), kSize},
    {"height 65536", [] { auto c = RgbChunks(); c[0] = Header(3, 65536); return FileOf(c); }, typeid(EPNGSizeExceeds), kSize},
    {"65535 x 65535 over the pixel limit", [] { auto c = RgbChunks(); c[0] = Header(65535, 65535); return FileOf(c); },
     typeid(EPNGSizeExceeds), kSize},
    {"compression 1", [] { auto c = RgbChunks(); c[0].Data[10] = 1; return FileOf(c); }, typeid(EPNGUnknownCompression),
     kCompression},
    {"interlace 2", [] { auto c = RgbChunks(); c[0].Data[12] = 2; return FileOf(c); }, typeid(EPNGUnknownInterlace),
     kInterlace},
    {"RGB of depth 4", [] { auto c = RgbChunks(); c[0] = Header(3, 2, 4, 2); return FileOf(c); }, typeid(EPngInvalidIHDR),
     kIhdr},
    {"colour type 5", [] { auto c = RgbChunks(); c[0] = Header(3, 2, 8, 5); return FileOf(c); }, typeid(EPngInvalidIHDR),
     kIhdr},
    {"width 0", [] { auto c = RgbChunks(); c[0] = Header(0, 2); return FileOf(c); }, typeid(EPngInvalidIHDR), kIhdr},
    {"unknown critical chunk",
     [] { auto c = RgbChunks(); c.insert(c.begin() + 1, {"ABCD", {1}}); return FileOf(c); },
     typeid(EPNGUnknownCriticalChunk), kCritical},
    {"IHDR CRC", [] { return Corrupt(WritePng(RgbSpec()), 8 + 8 + 13); }, typeid(EPngInvalidCRC), kCrc},
    {"IDAT data", [] { return Corrupt(WritePng(RgbSpec()), 8 + 25 + 8 + 3); }, typeid(EPngInvalidCRC), kCrc},
    {"CRC of a following IDAT",
     [] {
       TPngWriteSpec spec = RgbSpec();
       spec.IdatSize = 4;
       auto f = WritePng(spec);
       return Corrupt(f, 8 + 25 + 16 + 8 + 1);  // data of the second IDAT
     },
     typeid(EPngInvalidCRC), kCrc},
    {"PLTE of 4 bytes", [] { auto c = RgbChunks(); c.insert(c.begin() + 1, {"PLTE", {1, 2, 3, 4}}); return FileOf(c); },
     typeid(EPNGInvalidPalette), kPalette},
    {"PLTE of 257 entries",
     [] { auto c = RgbChunks(); c.insert(c.begin() + 1, {"PLTE", std::vector<uint8_t>(771, 9)}); return FileOf(c); },
     typeid(EPNGInvalidPalette), kPalette},
    {"tRNS of 257 bytes",
     [] { auto c = RgbChunks(); c.insert(c.begin() + 1, {"tRNS", std::vector<uint8_t>(257, 9)}); return FileOf(c); },
     typeid(EPNGInvalidPalette), kPalette},
    {"another chunk between IDATs", [] { return SplitAround("tEXt"); }, typeid(EPNGMissingMultipleIDAT), kMissing},
    {"image data cut short",
     [] {
       auto c = RgbChunks();
       c[1].Data.resize(c[1].Data.size() / 2);
       return FileOf(c);
     },
     typeid(EPNGMissingMultipleIDAT), kMissing},
    {"not a zlib stream",
     [] {
       auto c = RgbChunks();
       c[1].Data[0] = 0x79;
       return FileOf(c);
     },
     typeid(EPNGZLIBError), kZlib + "incorrect header check"},
    {"bad deflate block",
     [] {
       auto c = RgbChunks();
       c[1].Data = {0x78, 0x9C, 0xFF, 0xFF, 0xFF, 0xFF};
       return FileOf(c);
     },
     typeid(EPNGZLIBError), kZlib + "invalid block type"},
    {"no image data", [] { return FileOf({Header(3, 2), {"IEND", {}}}); }, typeid(EPNGNoImageData), kNoData},
};

TEST(PngErrors, EachBrokenFileRaisesItsClassAndMessage) {
  for (const TBrokenFile& broken : kBrokenFiles) {
    SCOPED_TRACE(broken.What);
    std::vector<uint8_t> file = broken.Make();
    TPngImage image;
    try {
      image.LoadFromMemory(file.data(), file.size(), 1 << 24);
      ADD_FAILURE() << "loaded";
    } catch (const EPNGError& error) {
      EXPECT_EQ(std::type_index(typeid(error)), broken.Error) << typeid(error).name();
      EXPECT_EQ(error.Message(), broken.Message);
    }
    EXPECT_TRUE(image.Empty());
    EXPECT_TRUE(image.Chunks().empty());
  }
}

TEST(PngErrors, EveryTruncationIsRefusedCleanly) {
  TPngWriteSpec spec = RgbSpec();
  spec.Interlace = 1;
  spec.IdatSize = 7;
  spec.BeforeData = {{"gAMA", Be32(45455)}, {"tEXt", {'k', 0, 'v'}}};
  std::vector<uint8_t> file = WritePng(spec);
  for (size_t size = 0; size < file.size(); ++size) {
    TPngImage image;
    EXPECT_THROW(image.LoadFromMemory(file.data(), size), EPNGError) << size;
    EXPECT_TRUE(image.Empty());
  }
}

std::vector<std::string> Names(const TPngImage& image) {
  std::vector<std::string> names;
  for (const auto& chunk : image.Chunks()) names.push_back(chunk->Name());
  return names;
}

TEST(PngChunks, UnknownAncillaryKeptCHRMSkippedUncheckedLaterIDATSkipped) {
  auto chunks = RgbChunks();
  TPngChunkSpec chrm{"cHRM", std::vector<uint8_t>(32, 1)};
  chunks.insert(chunks.begin() + 1, {"prVt", {7, 8, 9}});
  chunks.insert(chunks.begin() + 2, chrm);
  chunks.insert(chunks.end() - 1, {"IDAT", {1, 2, 3}});  // after the image: never read
  std::vector<uint8_t> file = PngFile(chunks);
  // Break the CRCs of cHRM and of the last IDAT: neither is checked.
  size_t chrmCrc = 8 + 25 + 15 + 8 + 32;
  file[chrmCrc] ^= 1;
  file[file.size() - 12 - 1] ^= 1;
  TPngImage image;
  image.LoadFromMemory(file.data(), file.size());
  EXPECT_EQ(Names(image), (std::vector<std::string>{"IHDR", "prVt", "IDAT", "IEND"}));
  EXPECT_EQ(image.FindChunk("prVt")->Data(), (std::vector<uint8_t>{7, 8, 9}));
  EXPECT_EQ(image.Header()->ScanLine(0)[2], 255);  // red, stored blue-green-red
}

TEST(PngChunks, ImageDataOverManyChunksIsOneStream) {
  TPngImage whole, split;
  std::vector<uint8_t> file = WritePng(RgbSpec());
  whole.LoadFromMemory(file.data(), file.size());
  for (size_t piece : {1, 2, 5}) {
    TPngWriteSpec spec = RgbSpec();
    spec.IdatSize = piece;
    file = WritePng(spec);
    split.LoadFromMemory(file.data(), file.size());
    EXPECT_EQ(split.Header()->ImageData(), whole.Header()->ImageData()) << piece;
    EXPECT_EQ(Names(split), (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
  }
}

TEST(PngChunks, EmptyChunkBetweenIDATsStillNeedsTheName) {
  // An empty IDAT between two halves is part of the stream.
  std::vector<uint8_t> stream = PngImageStream(RgbSpec());
  size_t half = stream.size() / 2;
  std::vector<uint8_t> file = PngFile({Header(3, 2), {"IDAT", {stream.begin(), stream.begin() + half}}, {"IDAT", {}},
                                       {"IDAT", {stream.begin() + half, stream.end()}}, {"IEND", {}}});
  TPngImage image;
  EXPECT_NO_THROW(image.LoadFromMemory(file.data(), file.size()));
}

TEST(PngChunks, StreamIsLeftAfterIEND) {
  std::vector<uint8_t> file = WritePng(RgbSpec());
  size_t size = file.size();
  file.insert(file.end(), {'t', 'a', 'i', 'l'});
  TMemoryStream stream(file);
  TPngImage image;
  image.LoadFromStream(stream);
  EXPECT_EQ(stream.Position(), size);
}

TEST(PngChunks, ARepeatedHeaderIsKeptButTheFirstDescribesTheImage) {
  auto chunks = RgbChunks();
  chunks.insert(chunks.begin() + 1, Header(9, 9));
  std::vector<uint8_t> file = PngFile(chunks);
  TPngImage image;
  image.LoadFromMemory(file.data(), file.size());
  EXPECT_EQ(image.Width(), 3u);
  EXPECT_EQ(image.Chunks()[1]->Name(), "IHDR");
}

TEST(PngChunks, StreamEndingBeforeTheLastRowLeavesTheRestClear) {
  TPngWriteSpec spec = RgbSpec();
  TPngWriteSpec oneRow = spec;
  oneRow.Height = 1;
  std::vector<uint8_t> file = PngFile({Header(3, 2), {"IDAT", PngImageStream(oneRow)}, {"IEND", {}}});
  TPngImage image;
  image.LoadFromMemory(file.data(), file.size());
  EXPECT_EQ(image.Header()->ScanLine(0)[2], 255);
  EXPECT_EQ(image.Header()->ScanLine(1)[0], 0);  // grey row never came
}

TEST(PngChunks, TextTimeAndResolution) {
  std::vector<uint8_t> compressed(64);
  uLongf size = compressed.size();
  compress(compressed.data(), &size, reinterpret_cast<const Bytef*>("zipped words"), 12);
  std::vector<uint8_t> ztxt = {'C', 'o', 'm', 'm', 'e', 'n', 't', 0, 0};
  ztxt.insert(ztxt.end(), compressed.begin(), compressed.begin() + size);
  TPngWriteSpec spec = RgbSpec();
  spec.BeforeData = {{"tEXt", {'T', 'i', 't', 'l', 'e', 0, 'L', 'o', 'g', 'o'}},
                     {"zTXt", ztxt},
                     {"tIME", {0x07, 0xE8, 2, 29, 23, 59, 58}},
                     {"pHYs", {0, 0, 0x0B, 0x13, 0, 0, 0x0B, 0x12, 1}}};
  std::vector<uint8_t> file = WritePng(spec);
  TPngImage image;
  image.LoadFromMemory(file.data(), file.size());
  auto* text = dynamic_cast<TChunktEXt*>(image.FindChunk("tEXt"));
  auto* zipped = dynamic_cast<TChunkzTXt*>(image.FindChunk("zTXt"));
  auto* time = dynamic_cast<TChunktIME*>(image.FindChunk("tIME"));
  auto* physical = dynamic_cast<TChunkpHYs*>(image.FindChunk("pHYs"));
  ASSERT_TRUE(text && zipped && time && physical);
  EXPECT_EQ(text->Keyword(), "Title");
  EXPECT_EQ(text->Text(), "Logo");
  EXPECT_EQ(zipped->Keyword(), "Comment");
  EXPECT_EQ(zipped->Text(), "zipped words");
  EXPECT_EQ(zipped->Text(6), "zipped");
  EXPECT_EQ(time->Year() * 10000 + time->Month() * 100 + time->Day(), 20240229);
  EXPECT_EQ(time->Hour() * 10000 + time->Minute() * 100 + time->Second(), 235958);
  EXPECT_EQ(physical->PPUnitX(), 2835u);
  EXPECT_EQ(physical->PPUnitY(), 2834u);
  EXPECT_EQ(physical->UnitType(), 1);
}

TEST(PngFilters, UnknownFilterTypeLeavesTheLineAsItIs) {
  // Raw rows: filter 7 with bytes 10 20 30, then Up (2) adding 1 2 3 to them.
  std::vector<uint8_t> raw = {7, 10, 20, 30, 2, 1, 2, 3};
  std::vector<uint8_t> stream(64);
  uLongf size = stream.size();
  compress(stream.data(), &size, raw.data(), raw.size());
  stream.resize(size);
  std::vector<uint8_t> file = PngFile({Header(1, 2), {"IDAT", stream}, {"IEND", {}}});
  TPngImage image;
  image.LoadFromMemory(file.data(), file.size());
  const uint8_t* top = image.Header()->ScanLine(0);
  const uint8_t* bottom = image.Header()->ScanLine(1);
  EXPECT_EQ((std::vector<int>{top[0], top[1], top[2]}), (std::vector<int>{30, 20, 10}));
  EXPECT_EQ((std::vector<int>{bottom[0], bottom[1], bottom[2]}), (std::vector<int>{33, 22, 11}));
}

// ---- Gamma ----------------------------------------------------------------------------------------

TPngWriteSpec PaletteSpec(std::vector<TPngChunkSpec> before) {
  TPngWriteSpec spec;
  spec.Width = 2;
  spec.Height = 1;
  spec.ColorType = 3;
  spec.BitDepth = 8;
  spec.Rows = {0, 1};
  spec.BeforeData = std::move(before);
  return spec;
}

TEST(PngGamma, TableFollowsTheChunkAndOnlyLaterChunksUseIt) {
  const TPngChunkSpec plte{"PLTE", {64, 128, 192, 255, 0, 10}};
  struct TCase {
    const char* What;
    std::vector<TPngChunkSpec> Before;
    uint32_t FirstEntry;  // palette entry 0 as stored
    bool Identity;
  };
  const TCase cases[] = {
      {"no gAMA", {plte}, 0x4080C0, true},
      {"gAMA 0", {{"gAMA", Be32(0)}, plte}, 0x4080C0, true},
      {"gAMA before PLTE", {{"gAMA", Be32(100000)}, plte}, 0x88BAE0, false},
      {"gAMA after PLTE", {plte, {"gAMA", Be32(100000)}}, 0x4080C0, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    std::vector<uint8_t> file = WritePng(PaletteSpec(c.Before));
    TPngImage image;
    image.LoadFromMemory(file.data(), file.size());
    EXPECT_EQ(image.Header()->Palette()[0], c.FirstEntry);
    bool identity = true;
    for (int i = 0; i < 256; ++i) identity = identity && image.Gamma()[i] == i && image.InverseGamma()[i] == i;
    EXPECT_EQ(identity, c.Identity);
  }
}

TEST(PngGamma, TableValuesAndInverse) {
  std::vector<uint8_t> file = WritePng(PaletteSpec({{"gAMA", Be32(100000)}}));
  TPngImage image;
  image.LoadFromMemory(file.data(), file.size());
  // 255 x (i / 255) ^ (1 / 2.2), rounded.
  EXPECT_EQ(image.Gamma()[0], 0);
  EXPECT_EQ(image.Gamma()[1], 21);
  EXPECT_EQ(image.Gamma()[64], 136);
  EXPECT_EQ(image.Gamma()[128], 186);
  EXPECT_EQ(image.Gamma()[255], 255);
  EXPECT_EQ(image.InverseGamma()[186], 128);
  EXPECT_EQ(image.InverseGamma()[255], 255);
  // Reading another file starts from the identity again.
  file = WritePng(PaletteSpec({}));
  image.LoadFromMemory(file.data(), file.size());
  EXPECT_EQ(image.Gamma()[1], 1);
}

// ---- Transparency ---------------------------------------------------------------------------------

struct TTransparencyCase {
  const char* What;
  uint8_t Type;
  uint8_t Depth;
  std::vector<uint8_t> Trns;  // empty: no tRNS chunk
  std::vector<uint8_t> Gamma; // gAMA data, empty for none
  TPNGTransparencyMode Mode;
  bool HasColour;
  uint32_t Colour;
};

const TTransparencyCase kTransparency[] = {
    {"grey", 0, 8, {}, {}, TPNGTransparencyMode::ptmNone, false, 0},
    {"grey tRNS", 0, 8, {0, 77}, {}, TPNGTransparencyMode::ptmBit, true, 0x4D4D4D},
    {"grey 4 tRNS", 0, 4, {0, 3}, {}, TPNGTransparencyMode::ptmBit, true, 0x333333},
    {"grey 2 tRNS: the level the sample is stored as", 0, 2, {0, 1}, {}, TPNGTransparencyMode::ptmBit, true, 0x555555},
    {"grey 16 tRNS: the low byte", 0, 16, {0x12, 0x34}, {}, TPNGTransparencyMode::ptmBit, true, 0x343434},
    {"RGB", 2, 8, {}, {}, TPNGTransparencyMode::ptmNone, false, 0},
    {"RGB tRNS", 2, 8, {0, 10, 0, 20, 0, 30}, {}, TPNGTransparencyMode::ptmBit, true, 0x0A141E},
    {"RGB 16 tRNS: low bytes", 2, 16, {1, 10, 2, 20, 3, 30}, {}, TPNGTransparencyMode::ptmBit, true, 0x0A141E},
    {"RGB tRNS through gamma", 2, 8, {0, 64, 0, 128, 0, 255}, {0, 1, 0x86, 0xA0}, TPNGTransparencyMode::ptmBit, true,
     0x88BAFF},
    {"palette", 3, 8, {}, {}, TPNGTransparencyMode::ptmNone, false, 0},
    {"palette, one entry clear", 3, 8, {255, 0, 255}, {}, TPNGTransparencyMode::ptmBit, true, 0x00FF00},
    {"palette, one entry half", 3, 8, {255, 128}, {}, TPNGTransparencyMode::ptmBit, false, 0},
    {"palette, two entries", 3, 8, {0, 128}, {}, TPNGTransparencyMode::ptmPartial, true, 0xFF0000},
    {"palette, all opaque", 3, 8, {255, 255}, {}, TPNGTransparencyMode::ptmPartial, false, 0},
    {"grey with alpha", 4, 8, {}, {}, TPNGTransparencyMode::ptmPartial, false, 0},
    {"RGB with alpha", 6, 8, {}, {}, TPNGTransparencyMode::ptmPartial, false, 0},
};

TEST(PngTransparency, ModeAndColourByTypeAndChunk) {
  for (const TTransparencyCase& c : kTransparency) {
    SCOPED_TRACE(c.What);
    TPngWriteSpec spec;
    spec.Width = 2;
    spec.Height = 1;
    spec.ColorType = c.Type;
    spec.BitDepth = c.Depth;
    spec.Rows.assign(16, 0);
    if (!c.Gamma.empty()) spec.BeforeData.push_back({"gAMA", c.Gamma});
    if (c.Type == 3) spec.BeforeData.push_back({"PLTE", {255, 0, 0, 0, 255, 0, 0, 0, 255}});
    if (!c.Trns.empty()) spec.BeforeData.push_back({"tRNS", c.Trns});
    std::vector<uint8_t> file = WritePng(spec);
    TPngImage image;
    image.LoadFromMemory(file.data(), file.size());
    EXPECT_EQ(image.TransparencyMode(), c.Mode);
    uint32_t colour = 0xDEADBEEF;
    EXPECT_EQ(image.TransparentColor(colour), c.HasColour);
    if (c.HasColour) {
      EXPECT_EQ(colour, c.Colour);
    }
    if (c.Type == 3 && !c.Trns.empty()) {
      const auto& values = image.Transparency()->PaletteValues();
      EXPECT_EQ(values[0], c.Trns[0]);
      EXPECT_EQ(values[255], 255);
    }
  }
}

// ---- Halftone palette -----------------------------------------------------------------------------

TEST(PngHalftone, SystemColoursAroundTheColourSteps) {
  const auto& palette = HalftonePalette();
  EXPECT_EQ(palette[0], 0x000000u);
  EXPECT_EQ(palette[7], 0xC0C0C0u);
  EXPECT_EQ(palette[10], 0x402000u);
  EXPECT_EQ(palette[245], 0xA0C0C0u);
  EXPECT_EQ(palette[246], 0xFFFBF0u);
  EXPECT_EQ(palette[255], 0xFFFFFFu);
  // A palette image of depth 1 with no PLTE starts from the first two.
  TPngWriteSpec spec;
  spec.ColorType = 3;
  spec.BitDepth = 1;
  spec.Rows = {0x80};
  std::vector<uint8_t> file = WritePng(spec);
  TPngImage image;
  image.LoadFromMemory(file.data(), file.size());
  EXPECT_EQ(image.Header()->Palette(), (std::vector<uint32_t>{0x000000, 0x800000}));
}

}  // namespace
