#include "skin/data/quick_ini.h"

#include <gtest/gtest.h>

#include "tests/native/test_files.h"

using namespace std::string_literals;

namespace {

TQuickIni Parse(const std::string& text) {
  TMemoryStream stream(text.data(), text.size());
  TQuickIni ini;
  ini.LoadFromStream(&stream);
  return ini;
}

const char* const kSkin =
    "; a skin description\r\n"
    "orphan=before any section\r\n"
    "[FORM]\r\n"
    "  Rightwidth = 4 \r\n"
    "Trans = 1 \r\n"
    "Empty=\r\n"
    "Formula = a=b\r\n"
    "Note=text ; not a comment\r\n"
    "Hex=0x10\r\n"
    "Dollar=$10\r\n"
    "Px=12px\r\n"
    "Twice=\r\n"
    "Twice=second\r\n"
    "\r\n"
    "[Buttons]\n"
    "Count=3\r"
    "[form]\r\n"
    "Trans=9\r\n";

TEST(QuickIni, ReadsValuesAsTheDescriptionWritesThem) {
  TQuickIni ini = Parse(kSkin);
  struct TCase {
    const char* section;
    const char* key;
    const char* expected;
  } cases[] = {
      {"Form", "RightWidth", "4"},        // key and section in any case
      {"form", "rightwidth", "4"},
      {"Form", "Trans", "1"},             // the first [Form] wins over the later [form]
      {"Form", "Empty", "default"},       // nothing after "=" gives the default
      {"Form", "Formula", "a=b"},         // everything after the first "="
      {"Form", "Note", "text ; not a comment"},
      {"Form", "Twice", "default"},       // the first occurrence wins even when empty
      {"Form", "Count", "default"},       // keys of the next section are not reached
      {"Buttons", "Count", "3"},          // LF and bare CR end lines too
      {"Missing", "Count", "default"},
      {"Form", "orphan", "default"},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(ini.ReadString(c.section, c.key, "default"), c.expected) << c.section << "." << c.key;
  }
}

TEST(QuickIni, ReadIntegerForms) {
  TQuickIni ini = Parse("[N]\nHex=0x10\nDollar=$10\nPx=12px\nNeg=-42\nPlus=+7\nBig=2147483648\n"
                        "Min=-2147483648\nAllOnes=0xFFFFFFFF\nX=0x\nBare=$\nSpace=1 2\n");
  struct TCase {
    const char* key;
    int32_t expected;
  } cases[] = {{"Hex", 16}, {"Dollar", 16}, {"Px", -5}, {"Neg", -42}, {"Plus", 7}, {"Big", -5},
               {"Min", INT32_MIN}, {"AllOnes", -1}, {"X", -5}, {"Bare", -5}, {"Space", -5}, {"None", -5}};
  for (const TCase& c : cases) EXPECT_EQ(ini.ReadInteger("N", c.key, -5), c.expected) << c.key;
  EXPECT_TRUE(ini.ReadBool("N", "Hex", false));
  EXPECT_FALSE(ini.ReadBool("N", "Zero", false));
  EXPECT_TRUE(ini.ReadBool("N", "Px", true));
}

TEST(QuickIni, StoredLinesAndSectionLists) {
  TQuickIni ini = Parse("\xEF;c\r\n\n\r[ A ]\r\nk=v\r\nplain line\r\n[B]\nx = 1\0[C]\r\nhidden=1"s);
  TQuickIni::TStrings sections;
  ini.ReadSections(sections);
  EXPECT_EQ(sections, (TQuickIni::TStrings{"A", "B"}));  // NUL ends the text
  EXPECT_EQ(ini.ReadString(" A ", "k", ""), "v");        // headers keep their inner spaces
  TQuickIni::TStrings names, values;
  ini.ReadSection(" a ", names);
  EXPECT_EQ(names, (TQuickIni::TStrings{"k"}));
  ini.ReadSectionValues("b", values);
  EXPECT_EQ(values, (TQuickIni::TStrings{"x = 1"}));
  EXPECT_EQ(ini.Lines().front(), "\xEF;c");  // a comment must start the line
}

TEST(QuickIni, WritesKeepSectionIndexConsistent) {
  TQuickIni ini = Parse("[A]\r\na=1\r\n[B]\r\nb=2\r\n[C]\r\nc=3\r\n");
  ini.WriteString("A", "New", "x");   // inserted before [B]
  ini.WriteString("A", "a", "10");    // replaced in place
  ini.WriteInteger("C", "d", 4);      // appended at the end
  ini.WriteBool("D", "e", true);      // new section
  ini.WriteString("E", "", "");       // new section, no key
  ini.WriteString("A", "", "ignored");
  EXPECT_EQ(ini.Lines(), (TQuickIni::TStrings{"[A]", "a=10", "New=x", "[B]", "b=2", "[C]", "c=3", "d=4",
                                              "[D]", "e=1", "[E]"}));
  EXPECT_EQ(ini.ReadString("B", "b", ""), "2");
  EXPECT_EQ(ini.ReadString("C", "c", ""), "3");
  EXPECT_EQ(ini.ReadInteger("D", "E", 0), 1);

  ini.DeleteKey("A", "NEW");
  ini.EraseSection("B");
  EXPECT_EQ(ini.Lines(), (TQuickIni::TStrings{"[A]", "a=10", "", "[C]", "c=3", "d=4", "[D]", "e=1", "[E]"}));
  EXPECT_EQ(ini.ReadString("C", "d", ""), "4");
  EXPECT_EQ(ini.ReadString("D", "e", ""), "1");
  EXPECT_EQ(ini.ReadString("B", "b", "gone"), "gone");
  ini.EraseSection("A");  // the blank line belonged to A; the first section leaves none behind
  EXPECT_EQ(ini.Lines().front(), "[C]");
}

TEST(QuickIni, SetIniFileAndRebuildUseLinesAsStored) {
  TQuickIni ini;
  ini.SetIniFile({"[A]", "k=1", " [B]", "k=2", "[C]", "k=3"});
  TQuickIni::TStrings sections;
  ini.ReadSections(sections);
  EXPECT_EQ(sections, (TQuickIni::TStrings{"A", "C"}));  // " [B]" does not start with "["
  EXPECT_EQ(ini.ReadString("A", "k", ""), "1");          // but it still ends section A's scan
  EXPECT_EQ(ini.ReadString("B", "k", "none"), "none");
  ini.Clear();
  EXPECT_EQ(ini.ReadString("A", "k", "none"), "none");
  ini.LoadFromStream(nullptr);
}

TEST(QuickIni, PlainAndPackedFilesRoundTrip) {
  TScratchDir dir;
  TQuickIni ini = Parse(kSkin);
  ini.SaveToFile(dir.Path("skin.ini"));
  ini.SavetoZip(dir.Path("skin.ini.lzh"));
  TQuickIni plain, packed;
  plain.LoadFromFile(dir.Path("skin.ini"));
  packed.LoadFromZip(dir.Path("skin.ini.lzh"));
  EXPECT_EQ(plain.Lines(), ini.Lines());
  EXPECT_EQ(packed.Lines(), ini.Lines());
  EXPECT_EQ(packed.ReadString("Buttons", "Count", ""), "3");
  EXPECT_THROW(plain.LoadFromFile(dir.Path("missing.ini")), EStreamError);
}

}  // namespace
