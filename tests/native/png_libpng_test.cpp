// The decoder against libpng over every colour type and bit depth the standard allows, with and
// without interlacing, tRNS and gAMA, and with each filter type: the storage must hold exactly
// libpng's samples (through the gamma table where the storage applies it), laid out as a bottom-up
// DIB. The images are made here with libpng's writer from seeded random samples.
#include <png.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "picture/png_decoder.h"

namespace {

struct TFormat {
  uint8_t ColorType;
  uint8_t Depth;
};

const TFormat kFormats[] = {{0, 1}, {0, 2}, {0, 4}, {0, 8}, {0, 16}, {2, 8}, {2, 16}, {3, 1},
                            {3, 2}, {3, 4}, {3, 8}, {4, 8}, {4, 16}, {6, 8}, {6, 16}};

int Channels(uint8_t type) { return type == 2 ? 3 : type == 4 ? 2 : type == 6 ? 4 : 1; }

struct TSource {
  uint32_t Width, Height;
  TFormat Format;
  bool Interlace;
  bool Trns;
  uint32_t Gamma;   // 0: no gAMA chunk
  int Filters;      // PNG_FILTER_* flags
  std::vector<uint8_t> Rows;
  std::vector<png_color> Palette;
  std::vector<uint8_t> TrnsAlpha;
  png_color_16 TrnsColour{};
};

size_t RowBytes(const TSource& s) { return (s.Width * Channels(s.Format.ColorType) * s.Format.Depth + 7) / 8; }

TSource MakeSource(uint32_t width, uint32_t height, TFormat format, bool interlace, bool trns, uint32_t gamma,
                   int filters, uint32_t seed) {
  TSource s{width, height, format, interlace, trns, gamma, filters, {}, {}, {}, {}};
  std::mt19937 random(seed);
  s.Rows.resize(RowBytes(s) * height);
  // Smooth runs as well as noise, so every filter meets both.
  for (size_t i = 0; i < s.Rows.size(); ++i) {
    s.Rows[i] = static_cast<uint8_t>(i % 7 < 3 ? random() : (i * 13) & 0xFF);
  }
  if (format.ColorType == 3) {
    int count = 1 << format.Depth;
    if (count > 3) count -= 1;  // a palette shorter than the index range keeps halftone colours
    for (int k = 0; k < count; ++k) {
      s.Palette.push_back(png_color{static_cast<png_byte>(random()), static_cast<png_byte>(random()),
                                    static_cast<png_byte>(random())});
    }
    // Indices beyond the palette are invalid for libpng's writer check: fold them back.
    if (format.Depth == 8) {
      for (uint8_t& b : s.Rows) b = static_cast<uint8_t>(b % count);
    } else if (count < (1 << format.Depth)) {
      uint8_t top = static_cast<uint8_t>((1 << format.Depth) - 1);
      for (uint8_t& b : s.Rows) {
        for (int shift = 0; shift < 8; shift += format.Depth) {
          if (((b >> shift) & top) == top) b = static_cast<uint8_t>(b & ~(top << shift));
        }
      }
    }
    if (trns) {
      s.TrnsAlpha = {255, 0, 128, 255, 7};
      s.TrnsAlpha.resize(std::min<size_t>(s.TrnsAlpha.size(), s.Palette.size()));
    }
  }
  uint16_t top = static_cast<uint16_t>((1u << format.Depth) - 1);
  s.TrnsColour.gray = static_cast<png_uint_16>(3 & top);
  s.TrnsColour.red = static_cast<png_uint_16>(0x1234 & top);
  s.TrnsColour.green = static_cast<png_uint_16>(0x0056 & top);
  s.TrnsColour.blue = static_cast<png_uint_16>(0xABCD & top);
  return s;
}

void WriteToVector(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}

void Flush(png_structp) {}

std::vector<uint8_t> Encode(const TSource& s) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    ADD_FAILURE() << "libpng could not write the image";
    return {};
  }
  png_set_write_fn(png, &out, WriteToVector, Flush);
  png_set_IHDR(png, info, s.Width, s.Height, s.Format.Depth, s.Format.ColorType,
               s.Interlace ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, s.Filters);
  if (s.Gamma) png_set_gAMA_fixed(png, info, static_cast<png_fixed_point>(s.Gamma));
  if (!s.Palette.empty()) png_set_PLTE(png, info, s.Palette.data(), static_cast<int>(s.Palette.size()));
  if (s.Trns) {
    if (s.Format.ColorType == 3) {
      png_set_tRNS(png, info, s.TrnsAlpha.data(), static_cast<int>(s.TrnsAlpha.size()), nullptr);
    } else {
      png_set_tRNS(png, info, nullptr, 0, &s.TrnsColour);
    }
  }
  png_write_info(png, info);
  std::vector<png_bytep> rows(s.Height);
  for (uint32_t y = 0; y < s.Height; ++y) rows[y] = const_cast<png_bytep>(s.Rows.data() + y * RowBytes(s));
  png_write_image(png, rows.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

struct TReadState {
  const std::vector<uint8_t>* File;
  size_t Position;
};

void ReadFromVector(png_structp png, png_bytep data, png_size_t size) {
  auto* state = static_cast<TReadState*>(png_get_io_ptr(png));
  if (state->Position + size > state->File->size()) png_error(png, "read past the end");
  std::memcpy(data, state->File->data() + state->Position, size);
  state->Position += size;
}

// libpng's samples of the file, without any transformation: packed rows, top row first.
struct TDecoded {
  std::vector<uint8_t> Rows;
  std::vector<png_color> Palette;
};

TDecoded DecodeWithLibpng(const std::vector<uint8_t>& file, const TSource& s) {
  TDecoded result;
  TReadState state{&file, 0};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    ADD_FAILURE() << "libpng could not read the image";
    return {};
  }
  png_set_read_fn(png, &state, ReadFromVector);
  png_read_info(png, info);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  size_t rowBytes = png_get_rowbytes(png, info);
  EXPECT_EQ(rowBytes, RowBytes(s));
  result.Rows.resize(rowBytes * s.Height);
  std::vector<png_bytep> rows(s.Height);
  for (uint32_t y = 0; y < s.Height; ++y) rows[y] = result.Rows.data() + y * rowBytes;
  png_read_image(png, rows.data());
  png_colorp palette = nullptr;
  int count = 0;
  if (png_get_PLTE(png, info, &palette, &count) == PNG_INFO_PLTE) result.Palette.assign(palette, palette + count);
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return result;
}

// The gamma table as the format's readers define it, written out independently of the decoder.
TPngGammaTable ExpectedGamma(uint32_t gamma) {
  TPngGammaTable table;
  for (int i = 0; i < 256; ++i) {
    table[i] = static_cast<uint8_t>(i);
    if (gamma) table[i] = static_cast<uint8_t>(std::nearbyint(255 * std::pow(i / 255.0, 100000.0 / (gamma * 2.2))));
  }
  return table;
}

unsigned PackedSample(const uint8_t* row, uint32_t x, int bits) {
  size_t bit = static_cast<size_t>(x) * bits;
  return (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
}

// One value per pixel from a plane laid out as the storage: the index, or 0xBBGGRR bytes.
std::vector<uint32_t> PlanePixels(const std::vector<uint8_t>& plane, uint32_t width, uint32_t height, int bits,
                                  size_t stride) {
  std::vector<uint32_t> pixels;
  for (uint32_t y = 0; y < height; ++y) {
    const uint8_t* row = plane.data() + (height - 1 - y) * stride;  // bottom-up
    for (uint32_t x = 0; x < width; ++x) {
      if (bits == 24) {
        pixels.push_back(static_cast<uint32_t>(row[3 * x]) << 16 | row[3 * x + 1] << 8 | row[3 * x + 2]);
      } else {
        pixels.push_back(PackedSample(row, x, bits));
      }
    }
  }
  return pixels;
}

struct TExpected {
  std::vector<uint32_t> Image, Extra;
  std::vector<uint8_t> Alpha;
  std::vector<uint32_t> Palette;  // the entries the file defines (palette) or grey levels
};

TExpected Expect(const TSource& s, const TDecoded& decoded) {
  TExpected e;
  const TPngGammaTable g = ExpectedGamma(s.Gamma);
  const int depth = s.Format.Depth, type = s.Format.ColorType, channels = Channels(type);
  const size_t rowBytes = RowBytes(s);
  for (uint32_t y = 0; y < s.Height; ++y) {
    const uint8_t* row = decoded.Rows.data() + y * rowBytes;
    for (uint32_t x = 0; x < s.Width; ++x) {
      if (depth < 8) {
        unsigned sample = PackedSample(row, x, depth);
        e.Image.push_back(depth == 2 && type == 0 ? sample * 5 : sample);
        continue;
      }
      const size_t bytes = depth / 8;
      const uint8_t* p = row + static_cast<size_t>(x) * channels * bytes;
      auto hi = [&](int c) { return p[c * bytes]; };
      auto lo = [&](int c) { return p[c * bytes + 1]; };
      if (type == 2 || type == 6) {
        e.Image.push_back(static_cast<uint32_t>(g[hi(2)]) << 16 | g[hi(1)] << 8 | g[hi(0)]);
        if (depth == 16) e.Extra.push_back(static_cast<uint32_t>(g[lo(2)]) << 16 | g[lo(1)] << 8 | g[lo(0)]);
        if (type == 6) e.Alpha.push_back(hi(3));
      } else {
        e.Image.push_back(hi(0));  // grey and palette samples are indices, never gamma-corrected
        if (depth == 16) e.Extra.push_back(lo(0));
        if (type == 4) e.Alpha.push_back(hi(1));
      }
    }
  }
  if (type == 3) {
    for (const png_color& c : decoded.Palette) {
      e.Palette.push_back(static_cast<uint32_t>(g[c.red]) << 16 | g[c.green] << 8 | g[c.blue]);
    }
  } else if (type == 0 || type == 4) {
    // Storage bits 1, 4 or 8: levels spread evenly from black to white.
    int levels = depth == 1 ? 2 : depth <= 4 ? 16 : 256;
    for (int k = 0; k < levels; ++k) e.Palette.push_back((k * 255 / (levels - 1)) * 0x010101u);
  }
  return e;
}

std::string Describe(const TSource& s) {
  return "type " + std::to_string(s.Format.ColorType) + " depth " + std::to_string(s.Format.Depth) + " size " +
         std::to_string(s.Width) + "x" + std::to_string(s.Height) + (s.Interlace ? " Adam7" : "") +
         (s.Trns ? " tRNS" : "") + " gAMA " + std::to_string(s.Gamma) + " filters " + std::to_string(s.Filters);
}

void CheckAgainstLibpng(const TSource& s) {
  SCOPED_TRACE(Describe(s));
  std::vector<uint8_t> file = Encode(s);
  ASSERT_FALSE(file.empty());
  TDecoded decoded = DecodeWithLibpng(file, s);
  TPngImage image;
  image.LoadFromMemory(file.data(), file.size());
  const TChunkIHDR* header = image.Header();
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(image.Gamma(), ExpectedGamma(s.Gamma));
  EXPECT_EQ(image.InterlaceMethod(), s.Interlace ? 1 : 0);

  TExpected e = Expect(s, decoded);
  int bits = header->BitsPerPixel();
  EXPECT_EQ(header->Stride(), (static_cast<size_t>(bits) * s.Width + 31) / 32 * 4);
  ASSERT_EQ(header->ImageData().size(), header->Stride() * s.Height);
  EXPECT_EQ(PlanePixels(header->ImageData(), s.Width, s.Height, bits, header->Stride()), e.Image);
  if (s.Format.Depth == 16) {
    ASSERT_EQ(header->ExtraData().size(), header->ImageData().size());
    EXPECT_EQ(PlanePixels(header->ExtraData(), s.Width, s.Height, bits, header->Stride()), e.Extra);
  } else {
    EXPECT_TRUE(header->ExtraData().empty());
  }
  EXPECT_EQ(header->AlphaData(), e.Alpha);
  if (bits <= 8) {
    ASSERT_EQ(header->Palette().size(), size_t{1} << bits);
    std::vector<uint32_t> defined(header->Palette().begin(), header->Palette().begin() + e.Palette.size());
    EXPECT_EQ(defined, e.Palette);
    for (size_t k = e.Palette.size(); k < header->Palette().size(); ++k) {
      EXPECT_EQ(header->Palette()[k], HalftonePalette()[k]) << "entry " << k;
    }
  } else {
    EXPECT_TRUE(header->Palette().empty());
  }
}

class PngMatchesLibpng : public testing::TestWithParam<TFormat> {};

TEST_P(PngMatchesLibpng, SamplesPaletteAndPlanes) {
  const TFormat format = GetParam();
  const bool trnsAllowed = format.ColorType == 0 || format.ColorType == 2 || format.ColorType == 3;
  const int filters[] = {PNG_FILTER_NONE, PNG_FILTER_SUB, PNG_FILTER_UP, PNG_FILTER_AVG, PNG_FILTER_PAETH,
                         PNG_ALL_FILTERS};
  const uint32_t sizes[][2] = {{1, 1}, {5, 3}, {37, 19}};
  uint32_t seed = 1;
  for (const auto& size : sizes) {
    for (bool interlace : {false, true}) {
      for (bool trns : {false, true}) {
        if (trns && !trnsAllowed) continue;
        for (uint32_t gamma : {0u, 45455u, 100000u}) {
          for (int filter : filters) {
            CheckAgainstLibpng(MakeSource(size[0], size[1], format, interlace, trns, gamma, filter, seed++));
            if (HasFatalFailure() || HasFailure()) return;  // one clear report per format
          }
        }
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllowedFormats, PngMatchesLibpng, testing::ValuesIn(kFormats),
                         [](const testing::TestParamInfo<TFormat>& param) {
                           return "Type" + std::to_string(param.param.ColorType) + "Depth" +
                                  std::to_string(param.param.Depth);
                         });

// A larger image with libpng's own filter choice, so that long runs of every filter are met.
TEST(PngMatchesLibpngLarge, RgbaPhotoSized) {
  CheckAgainstLibpng(MakeSource(301, 97, TFormat{6, 8}, false, false, 0, PNG_ALL_FILTERS, 77));
  CheckAgainstLibpng(MakeSource(301, 97, TFormat{6, 16}, true, false, 45455, PNG_ALL_FILTERS, 78));
}

}  // namespace
