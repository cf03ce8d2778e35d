// PNG decoding throughput: the picture decoder against libpng on the same bytes, for a logo-sized
// RGBA image (450 x 180) and a large one (2048 x 2048). Both images are made here with libpng's
// writer and its own filter choice, as image editors write them.
#include <png.h>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "picture/png_decoder.h"

namespace {

// A logo-like picture: soft gradients, flat areas, anti-aliased round shapes on a clear background,
// with a little noise so it does not compress away.
std::vector<uint8_t> MakeRgba(uint32_t width, uint32_t height) {
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
  uint32_t noise = 12345;
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
      double cx = x - width * 0.3, cy = y - height * 0.5;
      double distance = std::sqrt(cx * cx + cy * cy) - height * 0.35;
      double cover = distance < -1 ? 1 : distance > 1 ? 0 : (1 - distance) / 2;
      noise = noise * 1103515245 + 12345;
      uint8_t grain = static_cast<uint8_t>((noise >> 16) & 3);
      bool band = (x / 40 + y / 30) % 3 == 0;
      p[0] = static_cast<uint8_t>(x * 255 / width + grain);
      p[1] = static_cast<uint8_t>(band ? 200 : y * 255 / height);
      p[2] = static_cast<uint8_t>(120 + grain);
      p[3] = static_cast<uint8_t>(band ? 255 : cover * 255);
    }
  }
  return pixels;
}

void AppendBytes(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}

void NoFlush(png_structp) {}

std::vector<uint8_t> EncodeRgba(uint32_t width, uint32_t height) {
  std::vector<uint8_t> pixels = MakeRgba(width, height), file;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) throw std::runtime_error("libpng could not write");
  png_set_write_fn(png, &file, AppendBytes, NoFlush);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (uint32_t y = 0; y < height; ++y) png_write_row(png, &pixels[static_cast<size_t>(y) * width * 4]);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return file;
}

const std::vector<uint8_t>& File(int which) {
  static const std::vector<uint8_t> logo = EncodeRgba(450, 180), large = EncodeRgba(2048, 2048);
  return which == 0 ? logo : large;
}

struct TSource {
  const std::vector<uint8_t>* File;
  size_t Position;
};

void ReadBytes(png_structp png, png_bytep data, png_size_t size) {
  auto* source = static_cast<TSource*>(png_get_io_ptr(png));
  if (source->Position + size > source->File->size()) png_error(png, "short file");
  std::memcpy(data, source->File->data() + source->Position, size);
  source->Position += size;
}

// libpng's decoding of the whole image into rows, as an application asks for it.
void DecodeWithLibpng(const std::vector<uint8_t>& file, std::vector<uint8_t>& pixels) {
  TSource source{&file, 0};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) throw std::runtime_error("libpng could not read");
  png_set_read_fn(png, &source, ReadBytes);
  png_read_info(png, info);
  uint32_t height = png_get_image_height(png, info);
  size_t rowBytes = png_get_rowbytes(png, info);
  pixels.resize(rowBytes * height);
  std::vector<png_bytep> rows(height);
  for (uint32_t y = 0; y < height; ++y) rows[y] = pixels.data() + y * rowBytes;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
}

void BM_PngDecode(benchmark::State& state) {
  const std::vector<uint8_t>& file = File(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    TPngImage image;
    image.LoadFromMemory(file.data(), file.size());
    benchmark::DoNotOptimize(image.Header()->ImageData().data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(file.size()));
}

void BM_LibpngDecode(benchmark::State& state) {
  const std::vector<uint8_t>& file = File(static_cast<int>(state.range(0)));
  std::vector<uint8_t> pixels;
  for (auto _ : state) {
    DecodeWithLibpng(file, pixels);
    benchmark::DoNotOptimize(pixels.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(file.size()));
}

// Argument 0: the 450 x 180 logo; 1: the 2048 x 2048 image.
BENCHMARK(BM_PngDecode)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LibpngDecode)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
