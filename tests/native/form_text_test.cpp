#include "framework/core/form_text.h"

#include <gtest/gtest.h>

#include "tests/native/test_files.h"

namespace {

// The canonical form: what the writer produces for this tree, byte for byte.
const char* const kCanonical =
    "object MainDFM: TMainDFM\r\n"
    "  Caption = 'Corvale - it''s'#13#10'second'\r\n"
    "  Left = -12\r\n"
    "  Empty = ''\r\n"
    "  Greek = 'caf\xC3\xA9'\r\n"
    "  Visible = True\r\n"
    "  BorderIcons = [biSystemMenu, biMinimize]\r\n"
    "  Options = []\r\n"
    "  Skin3rd.Strings = (\r\n"
    "    'TcxButton=bitbtn'\r\n"
    "    'TLMDEDIT=Edit')\r\n"
    "  Nested = (\r\n"
    "    1\r\n"
    "    (\r\n"
    "      two))\r\n"
    "  SkinStream = {\r\n"
    "    000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F\r\n"
    "    FF}\r\n"
    "  NoBytes = {}\r\n"
    "  Skins = <\r\n"
    "    item\r\n"
    "      Name = 'Good'\r\n"
    "    end\r\n"
    "    item\r\n"
    "    end>\r\n"
    "  object Panel1: TPanel\r\n"
    "    Height = 74\r\n"
    "    object BitBtn1: TBitBtn\r\n"
    "    end\r\n"
    "  end\r\n"
    "  object Timer1: TTimer\r\n"
    "  end\r\n"
    "end\r\n";

TEST(FormText, ParsesEveryKindOfValue) {
  TFormObject form = ParseFormText(kCanonical);
  EXPECT_EQ(form.Name, "MainDFM");
  EXPECT_EQ(form.ClassName, "TMainDFM");
  ASSERT_NE(form.FindProperty("caption"), nullptr);
  EXPECT_EQ(form.FindProperty("Caption")->Value, TFormValue::FromString("Corvale - it's\r\nsecond"));
  EXPECT_EQ(form.FindProperty("Left")->Value, TFormValue::FromInteger(-12));
  EXPECT_EQ(form.FindProperty("Greek")->Value.Text, "caf\xC3\xA9");
  EXPECT_EQ(form.FindProperty("Visible")->Value, TFormValue::FromIdentifier("True"));
  EXPECT_EQ(form.FindProperty("BorderIcons")->Value, TFormValue::FromSet({"biSystemMenu", "biMinimize"}));
  EXPECT_EQ(form.FindProperty("Skin3rd.Strings")->Value.Items.size(), 2u);
  EXPECT_EQ(form.FindProperty("SkinStream")->Value.Bytes.size(), 33u);
  EXPECT_EQ(form.FindProperty("SkinStream")->Value.Bytes.back(), 0xFF);
  const TFormValue& skins = form.FindProperty("Skins")->Value;
  ASSERT_EQ(skins.Members.size(), 2u);
  EXPECT_EQ(skins.Members[0][0].Name, "Name");
  EXPECT_TRUE(skins.Members[1].empty());
  ASSERT_EQ(form.Children.size(), 2u);
  EXPECT_EQ(form.Children[0].Children[0].Name, "BitBtn1");
  EXPECT_EQ(form.Children[0].Line, 26);
  EXPECT_EQ(form.FindProperty("Missing"), nullptr);
}

TEST(FormText, WritesBackIdentically) {
  EXPECT_EQ(WriteFormText(ParseFormText(kCanonical)), kCanonical);
  // Free layout, comments, hexadecimal and character codes read into the same tree.
  const char* loose =
      "object MainDFM : TMainDFM // the main window\n"
      "Tag=$10 Caption='a'#39'b'\n"
      "Data = { 0a 0B\n ff }\n"
      "end\n";
  TFormObject form = ParseFormText(loose);
  EXPECT_EQ(form.FindProperty("Tag")->Value.Integer, 16);
  EXPECT_EQ(form.FindProperty("Caption")->Value.Text, "a'b");
  EXPECT_EQ(form.FindProperty("Data")->Value.Bytes, (std::vector<uint8_t>{0x0A, 0x0B, 0xFF}));
  EXPECT_EQ(ParseFormText(WriteFormText(form)), form);
}

TEST(FormText, ErrorsNameTheLine) {
  struct TCase {
    const char* text;
    const char* message;
  } cases[] = {
      {"", "line 1: expected \"object\""},
      {"object A: TA\n  Left = \nend", "line 3: expected a value"},
      {"object A: TA\n  Caption = 'open\nend", "line 2: string not closed"},
      {"object A: TA\n  Left = 99999999999999999999\nend", "line 2: integer out of range"},
      {"object A: TA\n  Data = {ABC}\nend", "line 2: binary data with an odd number"},
      {"object A: TA\n  Data = {AZ}\nend", "line 2: expected hexadecimal digits"},
      {"object A: TA\n  S = [a,]\nend", "line 2: expected a set member"},
      {"object A: TA\n  object B: TB\n", "line 3: \"end\" of B is missing"},
      {"object A: TA\nend\nobject B: TB\nend", "line 3: unexpected text after"},
      {"object A TA\nend", "line 1: expected \":\""},
      {"object A: TA\n  Left = 12px\nend", "line 2: unexpected character after a number"},
      {"object A: TA\n  Caption = #\nend", "line 2: expected a character code"},
      {"object A: TA\n  Items = <item\n  object = 1 end>\nend", "line 3: \"object\" cannot stand inside"},
  };
  for (const TCase& c : cases) {
    try {
      ParseFormText(c.text);
      ADD_FAILURE() << "no error for: " << c.text;
    } catch (const EFormTextError& error) {
      EXPECT_NE(error.Message().find(c.message), std::string::npos) << error.Message();
    }
  }
}

TEST(FormText, LimitsAndUnwritableTrees) {
  std::string deep = "object A: TA\n  L = ";
  for (int i = 0; i < 100; ++i) deep += "(";
  for (int i = 0; i < 100; ++i) deep += ")";
  deep += "\nend\n";
  EXPECT_THROW(ParseFormText(deep), EFormTextError);
  TFormTextLimits small;
  small.MaxBytes = 10;
  EXPECT_THROW(ParseFormText(kCanonical, small), EFormTextError);

  TFormObject bad;
  bad.Name = "Main Form";
  bad.ClassName = "TForm";
  EXPECT_THROW(WriteFormText(bad), EFormTextError);
  bad.Name = "Main";
  bad.Properties.push_back({"end", TFormValue::FromInteger(1), 0});
  EXPECT_THROW(WriteFormText(bad), EFormTextError);
}

}  // namespace
