// The document the viewer hands its browser: the stylesheet line goes where XML allows it and every
// byte of the invoice stays as it was.
#include "app/viewer_document.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "framework/core/form_text.h"

#include <string>
#include <vector>

namespace {

const std::string kLine = kStylesheetLine;

struct TCase {
  const char* Name;
  std::string File;
  std::string Expected;  // the temporary file's text
};

class ViewerDocument : public testing::TestWithParam<TCase> {};

TEST_P(ViewerDocument, StylesheetLinePlacedAndBytesKept) {
  TStrings lines;
  lines.SetText(GetParam().File);
  InsertStylesheetLine(lines);
  EXPECT_EQ(lines.Text(), GetParam().Expected);
}

const std::string kBom = "\xEF\xBB\xBF";
const std::string kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";

INSTANTIATE_TEST_SUITE_P(
    Files, ViewerDocument,
    testing::Values(
        TCase{"Empty", "", kLine + "\r\n"},
        TCase{"NoDeclaration", "<a/>\n", kLine + "\r\n<a/>\r\n"},
        TCase{"DeclarationLine", kDeclaration + "\n<a>\n</a>", kDeclaration + "\r\n" + kLine + "\r\n<a>\r\n</a>\r\n"},
        TCase{"ByteOrderMarkStaysFirst", kBom + kDeclaration + "\r\n<a/>",
              kBom + kDeclaration + "\r\n" + kLine + "\r\n<a/>\r\n"},
        TCase{"WholeFileOnOneLine", kDeclaration + "<p:F x=\"1\"><b/></p:F>",
              kDeclaration + "\r\n" + kLine + "\r\n<p:F x=\"1\"><b/></p:F>\r\n"},
        TCase{"DeclarationOverTwoLines", "<?xml version=\"1.0\"\n encoding=\"UTF-8\"?>\n<a/>",
              "<?xml version=\"1.0\"\r\n encoding=\"UTF-8\"?>\r\n" + kLine + "\r\n<a/>\r\n"},
        TCase{"UnterminatedDeclaration", "<?xml version=\"1.0\"\n<a/>",
              kLine + "\r\n<?xml version=\"1.0\"\r\n<a/>\r\n"},
        TCase{"OtherInstructionFirst", "<?xml-stylesheet href=\"x\"?>\n<a/>",
              kLine + "\r\n<?xml-stylesheet href=\"x\"?>\r\n<a/>\r\n"},
        TCase{"MixedLineEnds", kDeclaration + "\r<a>\rb\nc\r\n</a>",
              kDeclaration + "\r\n" + kLine + "\r\n<a>\r\nb\r\nc\r\n</a>\r\n"},
        TCase{"NulEndsTheText", std::string("<a/>\n<b/>\0<c/>", 14), kLine + "\r\n<a/>\r\n<b/>\r\n"},
        TCase{"EightBitBytesUnchanged", "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<d>\xE0 \x80</d>",
              "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n" + kLine + "\r\n<d>\xE0 \x80</d>\r\n"}),
    [](const testing::TestParamInfo<TCase>& param) { return std::string(param.param.Name); });

// The viewer's stored window definitions read and write back to the same text (the writer ends
// lines with CR LF).
TEST(ViewerDefinitions, WrittenBackIdentically) {
  for (const char* name : {"main_form.dfm.txt", "about_form.dfm.txt"}) {
    std::ifstream file(std::string(CORVALE_SOURCE_DIR "/app/forms/") + name, std::ios::binary);
    ASSERT_TRUE(file) << name;
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::string written = WriteFormText(ParseFormText(text));
    std::string unixWritten;
    for (char c : written) {
      if (c != '\r') unixWritten += c;
    }
    EXPECT_EQ(unixWritten, text) << name;
  }
}

}  // namespace
