#include "tools/skinpack/skinpack.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "skin/data/archive.h"
#include "skin/data/lzh.h"
#include "tests/native/test_files.h"

namespace {

namespace fs = std::filesystem;

struct TRun {
  int status;
  std::string out;
  std::string err;
};

TRun Skinpack(std::vector<std::string> args) {
  std::ostringstream out, err;
  int status = RunSkinpack(args, out, err);
  return {status, out.str(), err.str()};
}

// A bad-input run: status 2, one line on stderr, and the output path left absent.
void ExpectRefused(const TRun& run, const std::string& output, const std::string& mention) {
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  EXPECT_NE(run.err.find(mention), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(output)) << output;
  EXPECT_FALSE(fs::exists(output + ".partial")) << output;
}

TEST(Skinpack, PackListUnpackRoundTrip) {
  TScratchDir dir;
  fs::create_directory(dir.Path("src"));
  WriteBytes(dir.Path("src/skin.ini"), Bytes("[Form]\r\nBitmap=Title.bmp\r\n"));
  WriteBytes(dir.Path("src/Title.bmp"), Bytes("BM-title"));
  WriteBytes(dir.Path("src/close.BMP"), Bytes("BM-close"));
  WriteBytes(dir.Path("src/readme.txt"), Bytes("not packed"));

  ASSERT_EQ(Skinpack({"pack", dir.Path("src"), dir.Path("a.skn")}).status, 0);
  ASSERT_EQ(Skinpack({"pack", dir.Path("src"), dir.Path("b.skn")}).status, 0);
  EXPECT_EQ(ReadBytes(dir.Path("a.skn")), ReadBytes(dir.Path("b.skn")));  // reproducible

  // Sorted names, format 70000, 69-byte zero block, reserved words 0.
  TMemoryStream packed(ReadBytes(dir.Path("a.skn"))), archive;
  TLZH::Decompress(packed, archive);
  const uint8_t* a = archive.Memory();
  EXPECT_EQ(a[0] | a[1] << 8 | a[2] << 16, 70000);
  EXPECT_EQ(std::vector<uint8_t>(a + 8, a + 16 + 69), std::vector<uint8_t>(8 + 69, 0));
  EXPECT_EQ(std::string(a + 85, a + 85 + 30), "Title.bmp\r\nclose.BMP\r\nskin.ini");

  TRun list = Skinpack({"list", dir.Path("a.skn")});
  EXPECT_EQ(list.status, 0);
  EXPECT_EQ(list.out, "format 70000, 3 files\n8\ttitle.bmp\n8\tclose.bmp\n26\tskin.ini\n");

  ASSERT_EQ(Skinpack({"unpack", dir.Path("a.skn"), dir.Path("out")}).status, 0);
  EXPECT_EQ(ReadBytes(dir.Path("out/close.bmp")), Bytes("BM-close"));
  EXPECT_EQ(ReadBytes(dir.Path("out/skin.ini")), Bytes("[Form]\r\nBitmap=Title.bmp\r\n"));
}

// A package that lacks most of what the loader reads is reported, line by line, and fails.
TEST(Skinpack, CheckReportsWhatTheLoaderWouldMiss) {
  TScratchDir dir;
  fs::create_directory(dir.Path("src"));
  WriteBytes(dir.Path("src/skin.ini"),
             Bytes("[Personality]\r\nLeft=left.bmp\r\nRight=Right.BMP\r\nTop=nowhere.bmp\r\n"
                   "[Button0]\r\nAction=0\r\n"));
  WriteBytes(dir.Path("src/left.bmp"), Bytes("BMnot really"));
  ASSERT_EQ(Skinpack({"pack", dir.Path("src"), dir.Path("a.skn")}).status, 0);
  TRun check = Skinpack({"check", dir.Path("a.skn")});
  EXPECT_EQ(check.status, 1);
  for (const char* line : {"format 70000", "[Colours]: missing", "[Personality] Bottom: missing",
                           "Right.BMP: not a lower-case .bmp name", "nowhere.bmp: not in the package",
                           "[Personality] Left = left.bmp: ", "1 title-bar button sections", "problems"}) {
    EXPECT_NE(check.out.find(line), std::string::npos) << line << "\n" << check.out;
  }
  EXPECT_EQ(check.out.find("[Personality]: missing"), std::string::npos);
  ExpectRefused(Skinpack({"check", dir.Path("missing.skn")}), dir.Path("none"), "missing.skn");
}

TEST(Skinpack, RawCodecCommands) {
  TScratchDir dir;
  ASSERT_EQ(Skinpack({"lzh-pack", TestDataPath("lzh/text4k.in"), dir.Path("t.lzh")}).status, 0);
  EXPECT_EQ(ReadBytes(dir.Path("t.lzh")), ReadBytes(TestDataPath("lzh/text4k.lzh")));
  ASSERT_EQ(Skinpack({"lzh-unpack", TestDataPath("lzh/text4k.lzh"), dir.Path("t.out")}).status, 0);
  EXPECT_EQ(ReadBytes(dir.Path("t.out")), ReadBytes(TestDataPath("lzh/text4k.in")));
}

TEST(Skinpack, BadInputIsOneLineStatusTwoAndNoOutput) {
  TScratchDir dir;
  std::vector<uint8_t> text4k = ReadBytes(TestDataPath("lzh/text4k.lzh"));
  WriteBytes(dir.Path("truncated.lzh"), std::vector<uint8_t>(text4k.begin(), text4k.end() - 40));

  std::vector<uint8_t> older = BuildSkinArchive({{"skin.ini", Bytes("[A]")}});
  older[0] = 0x10, older[1] = 0x27, older[2] = 0;  // 10000
  TMemoryStream olderPlain(older), olderPacked;
  TLZH::Compress(olderPlain, olderPacked);
  olderPacked.SaveToFile(dir.Path("older.skn"));

  std::vector<uint8_t> outOfRange = BuildSkinArchive({{"a.bmp", Bytes("abc")}});
  outOfRange[16 + 69 + 5] = 200;  // the size of a.bmp
  TMemoryStream rangePlain(outOfRange), rangePacked;
  TLZH::Compress(rangePlain, rangePacked);
  rangePacked.SaveToFile(dir.Path("range.skn"));

  std::vector<uint8_t> unsafe = BuildSkinArchive({{"..", Bytes("x")}});
  TMemoryStream unsafePlain(unsafe), unsafePacked;
  TLZH::Compress(unsafePlain, unsafePacked);
  unsafePacked.SaveToFile(dir.Path("unsafe.skn"));

  fs::create_directory(dir.Path("many"));
  for (int i = 0; i < 1002; ++i) WriteBytes(dir.Path("many/f" + std::to_string(i) + ".bmp"), Bytes("x"));

  ExpectRefused(Skinpack({"lzh-unpack", dir.Path("truncated.lzh"), dir.Path("o1")}), dir.Path("o1"), "truncated");
  ExpectRefused(Skinpack({"unpack", dir.Path("truncated.lzh"), dir.Path("o2")}), dir.Path("o2"), "truncated");
  ExpectRefused(Skinpack({"unpack", dir.Path("older.skn"), dir.Path("o3")}), dir.Path("o3"), "format 10000");
  ExpectRefused(Skinpack({"list", dir.Path("range.skn")}), dir.Path("none"), "does not fit");
  ExpectRefused(Skinpack({"unpack", dir.Path("range.skn"), dir.Path("o4")}), dir.Path("o4"), "does not fit");
  ExpectRefused(Skinpack({"unpack", dir.Path("unsafe.skn"), dir.Path("o5")}), dir.Path("o5"), "unsafe");
  ExpectRefused(Skinpack({"pack", dir.Path("many"), dir.Path("o6")}), dir.Path("o6"), "1002");
  ExpectRefused(Skinpack({"pack", dir.Path("nowhere"), dir.Path("o7")}), dir.Path("o7"), "no such directory");
  ExpectRefused(Skinpack({"lzh-pack", dir.Path("missing.in"), dir.Path("o8")}), dir.Path("o8"), "no such file");
  ExpectRefused(Skinpack({"frobnicate"}), dir.Path("o9"), "usage");
  ExpectRefused(Skinpack({"pack", dir.Path("many")}), dir.Path("o9"), "usage");
}

}  // namespace
