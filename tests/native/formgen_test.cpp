// Window definitions written by the build: binary properties set on the named components, in the
// stored forms the framework reads, and clear errors for what cannot be done.
#include "tools/formgen/formgen.h"

#include <gtest/gtest.h>

namespace {

const char* const kTemplate =
    "object MainDFM: TMainDFM\n"
    "  Caption = 'x'\n"
    "  object Panel1: TPanel\n"
    "    object BitBtn1: TBitBtn\n"
    "      Caption = 'APRI'\n"
    "      Glyph.Data = {00}\n"
    "    end\n"
    "  end\n"
    "end\n";

TEST(Formgen, StoredForms) {
  EXPECT_EQ(SizedData({7, 8, 9}), (std::vector<uint8_t>{3, 0, 0, 0, 7, 8, 9}));
  std::vector<uint8_t> picture = PictureData("TPNGObject", {0x89, 'P'});
  ASSERT_EQ(picture.size(), 1u + 10 + 2);
  EXPECT_EQ(picture[0], 10);
  EXPECT_EQ(std::string(picture.begin() + 1, picture.begin() + 11), "TPNGObject");
  EXPECT_EQ(picture[11], 0x89);
  EXPECT_THROW(PictureData("", {}), EFormgenError);
}

TEST(Formgen, AssignmentsReplaceOrAddOnNestedComponents) {
  TFormObject root = ParseFormText(kTemplate);
  ApplyAssignments(root, {{"bitbtn1.Glyph.Data", {1, 2}}, {"Panel1.Picture.Data", {3}}, {"MainDFM.SkinStream", {4}}});
  TFormObject reread = ParseFormText(WriteFormText(root));
  const TFormObject& panel = reread.Children[0];
  const TFormObject& button = panel.Children[0];
  ASSERT_EQ(button.Properties.size(), 2u);  // replaced in place, not added
  EXPECT_EQ(button.FindProperty("Glyph.Data")->Value.Bytes, (std::vector<uint8_t>{1, 2}));
  EXPECT_EQ(panel.FindProperty("Picture.Data")->Value.Bytes, (std::vector<uint8_t>{3}));
  EXPECT_EQ(reread.Properties.back().Name, "SkinStream");
}

TEST(Formgen, ErrorsNameWhatIsWrong) {
  TFormObject root = ParseFormText(kTemplate);
  struct TCase {
    const char* Text;
    const char* Message;
  };
  for (TCase c : {TCase{"Nobody.Glyph.Data=sized:/dev/null", "no component Nobody"},
                  TCase{"BitBtn1=sized:/dev/null", "not Component.Property"},
                  TCase{"BitBtn1.Glyph.Data=bytes:/dev/null", "Unknown data kind"},
                  TCase{"BitBtn1.Glyph.Data=picture:/dev/null", "not picture:CLASS:FILE"},
                  TCase{"BitBtn1.Glyph.Data=sized:/no/such/file", "Cannot read /no/such/file"}}) {
    try {
      ApplyAssignments(root, {ParseAssignment(c.Text)});
      ADD_FAILURE() << c.Text << " was accepted";
    } catch (const EFormgenError& error) {
      EXPECT_NE(std::string(error.what()).find(c.Message), std::string::npos) << c.Text << ": " << error.what();
    }
  }
}

}  // namespace
