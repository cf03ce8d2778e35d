#include "skin/data/kinds.h"

#include <gtest/gtest.h>

#include <map>

namespace {

std::map<std::string, int> CountByKind(const TSkin3rdLines& lines) {
  std::map<std::string, int> counts;
  for (const std::string& line : lines) {
    std::string kind = line.substr(line.find('=') + 1);
    for (char& ch : kind) ch = static_cast<char>(tolower(static_cast<unsigned char>(ch)));
    ++counts[kind];
  }
  return counts;
}

TEST(Skin3rd, BuiltInAndViewerLists) {
  TSkin3rdLines builtIn;
  InitControlList(builtIn);
  ASSERT_EQ(builtIn.size(), 118u);
  EXPECT_EQ(builtIn.front(), "TCategoryButtons=scrollbar");
  EXPECT_EQ(builtIn.back(), "TOVCDBNUMERICFIELD=Edit");
  std::map<std::string, int> expected = {{"scrollbar", 10}, {"pngspeedbutton", 1}, {"pngbitbtn", 1}, {"panel", 15},
                                         {"combobox", 39},  {"speedbutton", 3},    {"button", 1},    {"bitbtn", 3},
                                         {"menubtn", 1},    {"checkgroup", 3},     {"radiogroup", 7}, {"edit", 26},
                                         {"radiobutton", 2}, {"groupbox", 2},      {"checkbox", 4}};
  EXPECT_EQ(CountByKind(builtIn), expected);

  const TSkin3rdLines& viewer = ViewerSkin3rdLines();
  ASSERT_EQ(viewer.size(), 124u);
  EXPECT_EQ(viewer[1], "TPngBitBtn=pngbitbtn");
  EXPECT_EQ(viewer[116], "TOVCDBNUMERICFIELD=Edit");
  EXPECT_EQ(viewer.back(), "trmtoolbaraddintools=panel");
}

TEST(Skin3rd, Lookup) {
  const TSkin3rdLines& builtIn = BuiltInSkin3rdLines();
  struct TCase {
    const TSkin3rdLines* lines;
    const char* className;
    const char* kind;  // nullptr: no mapped kind
  } cases[] = {
      {&builtIn, "TCXBUTTON", "bitbtn"},
      {&builtIn, "TLMDEdit", "edit"},
      {&builtIn, "TLMDEDITDBLookup", "edit"},
      {&builtIn, "TLMDGROUPBOX", "groupbox"},  // the earlier line wins; the Panel line is inert
      {&builtIn, "TRzRadioGroup", "radiogroup"},
      {&builtIn, "TPngSpeedbutton", "pngspeedbutton"},
      {&ViewerSkin3rdLines(), "TPngSpeedbutton", nullptr},
      {&ViewerSkin3rdLines(), "TRMToolbarSize", "panel"},
      {&builtIn, "TLMD", nullptr},
      {&builtIn, "TButton", nullptr},
  };
  for (const TCase& c : cases) {
    std::optional<std::string> kind = FindSkin3rdKind(*c.lines, c.className);
    if (c.kind) {
      EXPECT_EQ(kind.value_or("<none>"), c.kind) << c.className;
    } else {
      EXPECT_FALSE(kind.has_value()) << c.className;
    }
  }
}

TEST(Skin3rd, LineSyntaxEdges) {
  TSkin3rdLines lines = {"TNoEquals", "TLong=" + std::string(60, 'K'), "TEmpty=", "TOdd=Whatever"};
  EXPECT_FALSE(FindSkin3rdKind(lines, "TNoEquals").has_value());
  EXPECT_EQ(FindSkin3rdKind(lines, "tlong").value(), std::string(50, 'k'));
  EXPECT_EQ(FindSkin3rdKind(lines, "TEmpty").value(), "");
  EXPECT_EQ(FindSkin3rdKind(lines, "TOdd").value(), "whatever");
  EXPECT_FALSE(IsKnownSkin3rdKind("whatever"));
  EXPECT_TRUE(IsKnownSkin3rdKind("Nil"));
  EXPECT_TRUE(IsKnownSkin3rdKind("advpagecontrol"));
}

}  // namespace
