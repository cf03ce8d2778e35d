#include "skin/data/lzh.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "bench/lzh_plain.h"
#include "tests/native/test_files.h"

namespace {

std::vector<uint8_t> Pack(const std::vector<uint8_t>& input) {
  TMemoryStream source(input), packed;
  TLZH::Compress(source, packed);
  return packed.TakeBytes();
}

std::vector<uint8_t> Unpack(const std::vector<uint8_t>& packed, int64_t limit = TLZH::kDefaultUnpackLimit) {
  TMemoryStream source(packed), plain;
  TLZH::Decompress(source, plain, limit);
  return plain.TakeBytes();
}

// The same operations through the byte-at-a-time callback interface.
std::vector<uint8_t> PackThroughCallbacks(const std::vector<uint8_t>& input) {
  std::vector<uint8_t> out(4);
  size_t position = 0;
  int32_t textSize = -1;
  TLZH codec;
  codec.LZHPack(
      textSize,
      [&](uint8_t* buffer, uint16_t requested, uint16_t& obtained) {
        obtained = 0;
        while (obtained < requested && position < input.size()) buffer[obtained++] = input[position++];
      },
      [&](const uint8_t* buffer, uint16_t count, uint16_t& written) {
        out.insert(out.end(), buffer, buffer + count);
        written = count;
      });
  EXPECT_EQ(textSize, static_cast<int32_t>(input.size()));
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(input.size() >> (8 * i));
  return out;
}

std::vector<uint8_t> UnpackThroughCallbacks(const std::vector<uint8_t>& packed) {
  int32_t size = static_cast<int32_t>(packed[0] | packed[1] << 8 | packed[2] << 16 | uint32_t(packed[3]) << 24);
  std::vector<uint8_t> out;
  size_t position = 4;
  TLZH codec;
  codec.LZHUnpack(
      size,
      [&](uint8_t* buffer, uint16_t requested, uint16_t& obtained) {
        obtained = 0;
        while (obtained < requested && position < packed.size()) buffer[obtained++] = packed[position++];
      },
      [&](const uint8_t* buffer, uint16_t count, uint16_t& written) {
        out.insert(out.end(), buffer, buffer + count);
        written = count;
      });
  return out;
}

class LzhVectors : public testing::TestWithParam<const char*> {};

TEST_P(LzhVectors, PackAndUnpackBitForBit) {
  std::vector<uint8_t> plain = ReadBytes(TestDataPath(std::string("lzh/") + GetParam() + ".in"));
  std::vector<uint8_t> packed = ReadBytes(TestDataPath(std::string("lzh/") + GetParam() + ".lzh"));
  EXPECT_EQ(Pack(plain), packed);
  EXPECT_EQ(Unpack(packed), plain);
  EXPECT_EQ(PackThroughCallbacks(plain), packed);
  EXPECT_EQ(UnpackThroughCallbacks(packed), plain);
}

// archive320k drives the Huffman tree through several rebuilds; run61 is one byte repeated past
// the longest match, coded as matches that overlap their own output.
INSTANTIATE_TEST_SUITE_P(SharedVectors, LzhVectors, testing::Values("hello", "run61", "text4k", "archive320k"));

// The codec's own block callbacks over two streams, as the INI reader and the skin stream use them.
TEST(Lzh, BlockCallbacksOverStreams) {
  std::vector<uint8_t> plain = ReadBytes(TestDataPath("lzh/text4k.in"));
  TMemoryStream source(plain), packed;
  TLZH codec;
  codec.SetStreams(&source, &packed);
  int32_t textSize = 0;
  using namespace std::placeholders;
  codec.LZHPack(textSize, std::bind(&TLZH::GetBlockStream, &codec, _1, _2, _3),
                std::bind(&TLZH::PutBlockStream, &codec, _1, _2, _3));
  EXPECT_EQ(textSize, 4096);
  std::vector<uint8_t> expected = ReadBytes(TestDataPath("lzh/text4k.lzh"));
  EXPECT_EQ(packed.Bytes(), std::vector<uint8_t>(expected.begin() + 4, expected.end()));

  TMemoryStream code(std::vector<uint8_t>(expected.begin() + 4, expected.end())), unpacked;
  TLZH decoder;
  decoder.SetStreams(&code, &unpacked);
  decoder.LZHUnpack(4096, std::bind(&TLZH::GetBlockStream, &decoder, _1, _2, _3),
                    std::bind(&TLZH::PutBlockStream, &decoder, _1, _2, _3));
  EXPECT_EQ(unpacked.Bytes(), plain);
}

TEST(Lzh, EmptyInputPacksToSizeZeroAndUnpacksToNothing) {
  std::vector<uint8_t> packed = Pack({});
  ASSERT_GT(packed.size(), 4u);
  EXPECT_EQ(std::vector<uint8_t>(packed.begin(), packed.begin() + 4), std::vector<uint8_t>(4, 0));
  EXPECT_TRUE(Unpack(packed).empty());
  EXPECT_EQ(packed, PlainLzhPack({}));
}

TEST(Lzh, NegativeSizeFieldUnpacksToNothing) {
  std::vector<uint8_t> packed = Pack(Bytes("some text"));
  packed[3] = 0x80;
  EXPECT_TRUE(Unpack(packed).empty());
}

// Inputs of very different statistics, each long enough for the root frequency to reach 0x8000
// several times, compared with the plain implementation of the same algorithm.
TEST(Lzh, AgreesWithPlainImplementationOnVariedInputs) {
  std::mt19937 random(12345);
  std::vector<std::vector<uint8_t>> inputs;
  for (int alphabet : {1, 2, 3, 17, 256}) {
    std::vector<uint8_t> input(90000);
    for (auto& byte : input) byte = static_cast<uint8_t>(random() % alphabet);
    inputs.push_back(std::move(input));
  }
  std::vector<uint8_t> skewed;
  for (int i = 0; i < 120000; ++i) skewed.push_back(static_cast<uint8_t>(std::min<int>(255, std::geometric_distribution<int>(0.3)(random))));
  inputs.push_back(skewed);
  std::vector<uint8_t> text;
  const char* words[] = {"[Button", "]\r\n", "LeftWidth=", "12", "Bitmap=close.bmp\r\n", " ", "Trans=1\r\n"};
  while (text.size() < 200000) {
    const char* word = words[random() % 7];
    text.insert(text.end(), word, word + strlen(word));
  }
  inputs.push_back(text);
  for (int length : {1, 2, 3, 59, 60, 61, 4095, 4096, 4097}) {
    std::vector<uint8_t> input(length);
    for (auto& byte : input) byte = static_cast<uint8_t>(random() % 4);
    inputs.push_back(input);
  }
  for (const auto& input : inputs) {
    std::vector<uint8_t> packed = Pack(input);
    ASSERT_EQ(packed, PlainLzhPack(input)) << "input of " << input.size() << " bytes";
    ASSERT_EQ(Unpack(packed), input);
  }
}

TEST(Lzh, TruncatedStreamRaisesInsteadOfInventingBytes) {
  std::vector<uint8_t> plain = ReadBytes(TestDataPath("lzh/text4k.in"));
  std::vector<uint8_t> packed = Pack(plain);
  for (size_t cut : {size_t{1}, size_t{20}, packed.size() / 2, packed.size() - 5}) {
    std::vector<uint8_t> truncated(packed.begin(), packed.end() - static_cast<std::ptrdiff_t>(cut));
    EXPECT_THROW(Unpack(truncated), ElzhException) << "cut " << cut;
  }
  EXPECT_THROW(Unpack({1, 0}), ElzhException);
}

TEST(Lzh, CorruptSizeFieldNeitherExhaustsMemoryNorLoops) {
  // Announces 2 GB over four code bytes: decoding must stop once the code bits are used up.
  std::vector<uint8_t> packed = {0xFF, 0xFF, 0xFF, 0x7F, 0x12, 0x34, 0x56, 0x78};
  EXPECT_THROW(Unpack(packed), ElzhException);
  std::vector<uint8_t> valid = Pack(Bytes("hello"));
  EXPECT_THROW(Unpack(valid, 4), ElzhException);
  EXPECT_EQ(Unpack(valid, 5), Bytes("hello"));
}

}  // namespace
