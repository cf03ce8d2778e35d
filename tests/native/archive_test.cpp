#include "skin/data/archive.h"

#include <gtest/gtest.h>

#include "skin/data/lzh.h"
#include "tests/native/test_files.h"

namespace {

std::vector<uint8_t> PackBytes(const std::vector<uint8_t>& archive) {
  TMemoryStream source(archive), packed;
  TLZH::Compress(source, packed);
  return packed.TakeBytes();
}

bool LoadPackage(TSkinReader& reader, const std::vector<uint8_t>& archive) {
  TMemoryStream packed(PackBytes(archive));
  return reader.Loadfromstream(packed);
}

std::string ReadText(const TSkinReader& reader, const std::string& name) {
  TMemoryStream stream;
  reader.readfile(name, stream);
  return std::string(stream.Bytes().begin(), stream.Bytes().end());
}

void PutInt32(std::vector<uint8_t>& bytes, size_t offset, int32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
}

const std::vector<TSkinArchiveEntry> kFiles = {
    {"Skin.INI", Bytes("[Form]\r\nCaption=1\r\n")},
    {"Close.bmp", Bytes("BMclose")},
    {"empty.bmp", {}},
    {"Title.BMP", Bytes("BMtitle-bytes")},
};

// Every format code the reader knows, each with its own format block length to skip.
class ArchiveFormats : public testing::TestWithParam<std::pair<int32_t, int>> {};

TEST_P(ArchiveFormats, ReadsEveryFileOfEachFormat) {
  auto [code, blockLength] = GetParam();
  std::vector<uint8_t> archive = BuildSkinArchive(kFiles, code);
  // Name list right after the header and the format block.
  ASSERT_EQ(archive[16 + blockLength], 'S');
  TSkinReader reader;
  ASSERT_TRUE(LoadPackage(reader, archive));
  EXPECT_EQ(reader.FormatCode(), code);
  EXPECT_EQ(reader.Count(), 4);
  EXPECT_EQ(reader.Names(), (std::vector<std::string>{"skin.ini", "close.bmp", "empty.bmp", "title.bmp"}));
  EXPECT_EQ(ReadText(reader, "close.bmp"), "BMclose");
  EXPECT_EQ(ReadText(reader, "TITLE.bmp"), "BMtitle-bytes");
  EXPECT_EQ(ReadText(reader, "Empty.bmp"), "");
  EXPECT_EQ(ReadText(reader, "missing.bmp"), "");
}

INSTANTIATE_TEST_SUITE_P(AllCodes, ArchiveFormats,
                         testing::Values(std::make_pair(20000, 0), std::make_pair(30000, 256),
                                         std::make_pair(40000, 80), std::make_pair(50000, 48),
                                         std::make_pair(60000, 117), std::make_pair(70000, 69)));

TEST(SkinReader, ReadIniTakesFirstNameContainingTheText) {
  TSkinReader reader;
  ASSERT_TRUE(LoadPackage(reader, BuildSkinArchive({{"a.ini.bmp", Bytes("bitmap")}, {"skin.ini", Bytes("ini")}})));
  TMemoryStream stream;
  std::string name = "unchanged";
  reader.readIni(".ini", stream, name);
  EXPECT_EQ(name, "a.ini.bmp");
  EXPECT_EQ(stream.Size(), 6u);
  EXPECT_EQ(stream.Position(), 0u);

  // Case-sensitive and not lower-cased: an upper-case search finds nothing and keeps name.
  reader.readIni(".INI", stream, name);
  EXPECT_EQ(stream.Size(), 0u);
  EXPECT_EQ(name, "a.ini.bmp");
}

TEST(SkinReader, NameListSeparatorsAndEmptyList) {
  std::vector<uint8_t> archive = BuildSkinArchive({{"a", Bytes("1")}, {"b", Bytes("22")}, {"c", Bytes("333")}});
  // Replace the CR LF separators (offset 16 + 69: "a\r\nb\r\nc") with a bare CR and a bare LF.
  archive.erase(archive.begin() + 16 + 69 + 2);
  archive.erase(archive.begin() + 16 + 69 + 3);
  PutInt32(archive, 4, 5);
  TSkinReader reader;
  ASSERT_TRUE(LoadPackage(reader, archive));
  EXPECT_EQ(reader.Count(), 3);
  EXPECT_EQ(ReadText(reader, "c"), "333");

  TSkinReader empty;
  ASSERT_TRUE(LoadPackage(empty, BuildSkinArchive({})));
  EXPECT_EQ(empty.Count(), 0);
  EXPECT_EQ(ReadText(empty, "a"), "");
}

TEST(SkinReader, UnknownFormatShowsTheMessageOnceAndKeepsTheDirectory) {
  std::vector<std::string> shown;
  auto previous = TSkinReader::SetMessageHandler([&](const std::string& message) { shown.push_back(message); });
  TSkinReader reader;
  ASSERT_TRUE(LoadPackage(reader, BuildSkinArchive(kFiles)));
  std::vector<uint8_t> older = BuildSkinArchive(kFiles);
  PutInt32(older, 0, 10000);
  EXPECT_FALSE(LoadPackage(reader, older));
  TSkinReader::SetMessageHandler(previous);

  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "This is Older Skin File\rPlease update to new version !");
  EXPECT_EQ(reader.FormatCode(), 70000);
  EXPECT_EQ(ReadText(reader, "close.bmp"), "BMclose");
}

// Damaged archives are refused with a reason; nothing is read out of bounds.
TEST(SkinReader, RefusesDamagedArchives) {
  std::vector<uint8_t> good = BuildSkinArchive(kFiles);
  const size_t sizesAt = 16 + 69 + 41;  // header, format block, "Skin.INI\r\nClose.bmp\r\nempty.bmp\r\nTitle.BMP"
  ASSERT_EQ(good[sizesAt - 1], 'P');

  struct TCase {
    const char* what;
    std::vector<uint8_t> archive;
  };
  std::vector<TCase> cases;
  cases.push_back({"shorter than the header", std::vector<uint8_t>(good.begin(), good.begin() + 10)});
  auto negative = good;
  PutInt32(negative, sizesAt + 4, -7);
  cases.push_back({"negative file size", negative});
  auto tooLong = good;
  PutInt32(tooLong, sizesAt + 12, 1000);
  cases.push_back({"size past the content", tooLong});
  auto hugeNames = good;
  PutInt32(hugeNames, 4, 0x7FFFFFF0);
  cases.push_back({"name list past the end", hugeNames});
  cases.push_back({"ends inside the size table", std::vector<uint8_t>(good.begin(), good.begin() + sizesAt + 6)});

  for (const TCase& c : cases) {
    TSkinReader reader;
    EXPECT_FALSE(LoadPackage(reader, c.archive)) << c.what;
    EXPECT_FALSE(reader.LastError().empty()) << c.what;
    EXPECT_EQ(reader.Count(), 0) << c.what;
  }
}

TEST(SkinReader, MoreThan1001NamesAreRefused) {
  std::vector<TSkinArchiveEntry> entries;
  for (int i = 0; i < 1001; ++i) entries.push_back({"f" + std::to_string(i) + ".bmp", Bytes("x")});
  TSkinReader reader;
  ASSERT_TRUE(LoadPackage(reader, BuildSkinArchive(entries)));
  EXPECT_EQ(reader.Count(), 1001);
  EXPECT_EQ(ReadText(reader, "f1000.bmp"), "x");

  entries.push_back({"one-too-many.bmp", Bytes("y")});
  EXPECT_THROW(BuildSkinArchive(entries), ESkinArchiveError);
  // A hand-made archive with 1002 names and sizes.
  std::vector<uint8_t> archive = BuildSkinArchive(std::vector<TSkinArchiveEntry>(entries.begin(), entries.end() - 1));
  std::string extra = "\r\nextra.bmp";
  size_t namesEnd = 16 + 69 + static_cast<uint32_t>(archive[4] | archive[5] << 8);
  archive.insert(archive.begin() + namesEnd, extra.begin(), extra.end());
  PutInt32(archive, 4, static_cast<int32_t>(namesEnd - 85 + extra.size()));
  archive.insert(archive.begin() + namesEnd + extra.size(), 4, 0);
  TSkinReader refusing;
  EXPECT_FALSE(LoadPackage(refusing, archive));
  EXPECT_NE(refusing.LastError().find("1002"), std::string::npos);
}

TEST(SkinReader, LoadFromFileMissingFileIsFalse) {
  TScratchDir dir;
  TSkinReader reader;
  EXPECT_FALSE(reader.loadfromfile(dir.Path("none.skn")));
  WriteBytes(dir.Path("skin.skn"), PackBytes(BuildSkinArchive(kFiles)));
  EXPECT_TRUE(reader.loadfromfile(dir.Path("skin.skn")));
  EXPECT_EQ(ReadText(reader, "title.bmp"), "BMtitle-bytes");
}

}  // namespace
