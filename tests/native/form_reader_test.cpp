#include "framework/core/form_reader.h"

#include <gtest/gtest.h>

#include "framework/core/collection.h"
#include "framework/core/string_list.h"

namespace {

// A font-like nested object, reached through "Font.Height".
class TTestFont : public TPersistent {
  CORVALE_DECLARE_CLASS()

public:
  int32_t Height() const { return FHeight; }
  void SetHeight(int32_t value) { FHeight = value; }
  std::string Name() const { return FName; }
  void SetName(const std::string& value) { FName = value; }

private:
  int32_t FHeight = 0;
  std::string FName;
};

const TClassInfo& TTestFont::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TTestFont>("TTestFont", &TPersistent::StaticClassInfo())
                                     .Integer("Height", &TTestFont::Height, &TTestFont::SetHeight)
                                     .String("Name", &TTestFont::Name, &TTestFont::SetName)
                                     .Build();
  return info;
}

class TTestSkinItem : public TCollectionItem {
  CORVALE_DECLARE_CLASS()

public:
  using TCollectionItem::TCollectionItem;
  std::string Name() const { return FName; }
  void SetName(const std::string& value) { FName = value; }
  bool ReadData(const std::string& name, const std::vector<uint8_t>& bytes) override {
    if (name != "DataStream") return false;
    FData = bytes;
    return true;
  }
  void WriteData(std::vector<std::pair<std::string, std::vector<uint8_t>>>& data) const override {
    data.emplace_back("DataStream", FData);
  }
  const std::vector<uint8_t>& Data() const { return FData; }

private:
  std::string FName;
  std::vector<uint8_t> FData;
};

const TClassInfo& TTestSkinItem::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TTestSkinItem>("TTestSkinItem", &TCollectionItem::StaticClassInfo())
                                     .String("Name", &TTestSkinItem::Name, &TTestSkinItem::SetName)
                                     .Build();
  return info;
}

class TTestControl : public TComponent {
  CORVALE_DECLARE_CLASS()

public:
  explicit TTestControl(TComponent* owner) : TComponent(owner) {}

  TTestFont* Font() const { return const_cast<TTestFont*>(&FFont); }
  TStrings* Items() const { return const_cast<TStrings*>(&FItems); }
  int32_t Left() const { return FLeft; }
  void SetLeft(int32_t value) { FLeft = value; }
  int32_t Width() const { return FWidth; }
  void SetWidth(int32_t value) { FWidth = value; }
  int32_t PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int32_t value) { FPixelsPerInch = value; }
  TCollection* Skins() const { return const_cast<TCollection*>(&FSkins); }
  int32_t Color() const { return FColor; }
  void SetColor(int32_t value) { FColor = value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool value) { FVisible = value; }
  uint64_t Anchors() const { return FAnchors; }
  void SetAnchors(uint64_t value) { FAnchors = value; }
  std::wstring Caption() const { return FCaption; }
  void SetCaption(const std::wstring& value) { FCaption = value; }
  TTestControl* Buddy() const { return FBuddy; }
  void SetBuddy(TTestControl* value) { FBuddy = value; }

  void SetParentComponent(TComponent* parent) override { Parent = parent; }
  bool ReadData(const std::string& name, const std::vector<uint8_t>& bytes) override {
    if (name != "Picture.Data") return false;
    Picture = bytes;
    return true;
  }
  bool ReadList(const std::string& name, const std::vector<std::string>& items) override {
    if (name != "Lines.Strings") return false;
    Lines = items;
    return true;
  }
  void Loaded() override {
    TComponent::Loaded();
    // Everything, references included, is in place when Loaded runs.
    LoadedWithBuddy = FBuddy ? FBuddy->Name() : "-";
    ++LoadedCount;
  }

  TNotifyEvent OnClick;
  TComponent* Parent = nullptr;
  std::vector<uint8_t> Picture;
  std::vector<std::string> Lines;
  std::string LoadedWithBuddy;
  int LoadedCount = 0;

private:
  TTestFont FFont;
  TStrings FItems;
  int32_t FLeft = 0, FWidth = 0, FPixelsPerInch = 96;
  TCollection FSkins{[](TCollection* owner) { return std::make_unique<TTestSkinItem>(owner); }};
  int32_t FColor = 0;
  bool FVisible = true;
  uint64_t FAnchors = 0;
  std::wstring FCaption;
  TTestControl* FBuddy = nullptr;
};

const TClassInfo& TTestControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TTestControl>("TTestControl", &TComponent::StaticClassInfo())
          .Object("Font", &TTestControl::Font)
          .Object("Items", &TTestControl::Items)
          .Integer("Left", &TTestControl::Left, &TTestControl::SetLeft)
          .Integer("Width", &TTestControl::Width, &TTestControl::SetWidth)
          .Integer("PixelsPerInch", &TTestControl::PixelsPerInch, &TTestControl::SetPixelsPerInch)
          .Object("Skins", &TTestControl::Skins)
          .Colour("Color", &TTestControl::Color, &TTestControl::SetColor)
          .Boolean("Visible", &TTestControl::Visible, &TTestControl::SetVisible)
          .Set("Anchors", {"akLeft", "akTop", "akRight", "akBottom"}, &TTestControl::Anchors,
               &TTestControl::SetAnchors)
          .WideString("Caption", &TTestControl::Caption, &TTestControl::SetCaption)
          .Object("Buddy", &TTestControl::Buddy, &TTestControl::SetBuddy)
          .Event("OnClick", &TTestControl::OnClick)
          .Creatable()
          .Build();
  return info;
}

class TTestForm : public TTestControl {
  CORVALE_DECLARE_CLASS()

public:
  explicit TTestForm(TComponent* owner) : TTestControl(owner) {}
  void ButtonClick(TPersistent* sender) { Clicks.push_back(static_cast<TComponent*>(sender)->Name()); }
  std::vector<std::string> Clicks;
};

const TClassInfo& TTestForm::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TTestForm>("TTestForm", &TTestControl::StaticClassInfo())
                                     .Method<&TTestForm::ButtonClick>("ButtonClick")
                                     .Build();
  return info;
}

const char* const kDefinition =
    "object MainForm: TTestForm\n"
    "  Color = clBtnFace\n"
    "  Caption = 'Corvale - Visualizzatore'\n"
    "  Font.Name = 'MS Sans Serif'\n"
    "  Font.Height = -12\n"
    "  object Panel1: TTestControl\n"
    "    Anchors = [akLeft, akTop]\n"
    "    Buddy = Button2\n"  // a component read later
    "    object Button1: TTestControl\n"
    "      Visible = False\n"
    "      OnClick = ButtonClick\n"
    "      Lines.Strings = (\n"
    "        'one'\n"
    "        'two')\n"
    "      Picture.Data = {0102FF}\n"
    "    end\n"
    "  end\n"
    "  Items.Strings = (\n"
    "    'TcxButton=bitbtn')\n"
    "  Skins = <\n"
    "    item\n"
    "      Name = 'Good'\n"
    "      DataStream = {0A0B}\n"
    "    end\n"
    "    item\n"
    "      Name = 'Other'\n"
    "    end>\n"
    "  object Button2: TTestControl\n"
    "    Color = $00FF00\n"
    "    OnClick = ButtonClick\n"
    "  end\n"
    "end\n";

class FormReader : public testing::Test {
protected:
  void SetUp() override { RegisterComponentClass(TTestControl::StaticClassInfo()); }
};

TEST_F(FormReader, BuildsTheComponentsOfADefinition) {
  TTestForm form(nullptr);
  ReadComponent(form, ParseFormText(kDefinition));

  EXPECT_EQ(form.Name(), "MainForm");
  EXPECT_EQ(static_cast<uint32_t>(form.Color()), 0x8000000Fu);
  EXPECT_EQ(form.Caption(), L"Corvale - Visualizzatore");
  EXPECT_EQ(form.Font()->Height(), -12);
  EXPECT_EQ(form.Font()->Name(), "MS Sans Serif");
  ASSERT_EQ(form.ComponentCount(), 3);  // everything is owned by the form, in reading order

  auto* panel = dynamic_cast<TTestControl*>(form.FindComponent("Panel1"));
  auto* button1 = dynamic_cast<TTestControl*>(form.FindComponent("Button1"));
  auto* button2 = dynamic_cast<TTestControl*>(form.FindComponent("Button2"));
  ASSERT_TRUE(panel && button1 && button2);
  EXPECT_EQ(form.Components(1), button1);
  EXPECT_EQ(panel->Parent, &form);
  EXPECT_EQ(button1->Parent, panel);  // nesting gives the parent
  EXPECT_EQ(panel->Anchors(), 0b11u);
  EXPECT_EQ(panel->Buddy(), button2);
  EXPECT_FALSE(button1->Visible());
  EXPECT_EQ(button1->Lines, (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(button1->Picture, (std::vector<uint8_t>{1, 2, 0xFF}));
  EXPECT_EQ(button2->Color(), 0x00FF00);

  // Loaded ran once on each, after the whole definition (the forward reference included).
  for (TTestControl* control : {static_cast<TTestControl*>(&form), panel, button1, button2}) {
    EXPECT_EQ(control->LoadedCount, 1);
    EXPECT_FALSE(control->Loading());
  }
  EXPECT_EQ(panel->LoadedWithBuddy, "Button2");

  EXPECT_EQ(form.Items()->Lines(), std::vector<std::string>{"TcxButton=bitbtn"});
  ASSERT_EQ(form.Skins()->Count(), 2);
  auto* good = static_cast<TTestSkinItem*>(form.Skins()->Items(0));
  EXPECT_EQ(good->Name(), "Good");
  EXPECT_EQ(good->Data(), (std::vector<uint8_t>{0x0A, 0x0B}));
  EXPECT_EQ(form.Skins()->Items(1)->Index(), 1);

  // A copy of the collection carries the published and the binary properties.
  TCollection copy([](TCollection* owner) { return std::make_unique<TTestSkinItem>(owner); });
  copy.Assign(*form.Skins());
  ASSERT_EQ(copy.Count(), 2);
  EXPECT_EQ(static_cast<TTestSkinItem*>(copy.Items(0))->Data(), good->Data());
  EXPECT_EQ(static_cast<TTestSkinItem*>(copy.Items(1))->Name(), "Other");

  button1->OnClick(button1);
  button2->OnClick(button2);
  EXPECT_EQ(form.Clicks, (std::vector<std::string>{"Button1", "Button2"}));
}

TEST_F(FormReader, ErrorsNameComponentAndProperty) {
  struct TCase {
    const char* body;
    const char* message;
  } cases[] = {
      {"  object B: TNoSuchClass\n  end\n", "Error reading B (line 2): class TNoSuchClass not found"},
      {"  Height = 3\n", "Error reading F.Height (line 2): no property Height in TTestForm"},
      {"  Visible = Maybe\n", "Error reading F.Visible (line 2): unknown value Maybe"},
      {"  Color = 'red'\n", "F.Color (line 2): expected a number, found a string"},
      {"  Color = clPink\n", "F.Color (line 2): unknown colour clPink"},
      {"  Anchors = [akLeft, akMiddle]\n", "F.Anchors (line 2): unknown member"},
      {"  OnClick = Missing\n", "F.OnClick (line 2): no method Missing in TTestForm"},
      {"  Buddy = Nobody\n", "F.Buddy (line 2): no component named Nobody"},
      {"  Font.Size.Height = 1\n", "F.Font.Size.Height (line 2): no object property Size"},
      {"  Caption = {00}\n", "F.Caption (line 2): no binary property Caption"},
      {"  Font.Data = {00}\n", "F.Font.Data (line 2): no binary property Data"},
      {"  Font = <>\n", "F.Font (line 2): Font is not a collection"},
      {"  Skins = <item\n  Size = 1 end>\n", "F.Skins[0].Size (line 3): no property Size in TTestSkinItem"},
      {"  Lines.Strings = (1)\n", "F.Lines.Strings (line 2): list items must be strings"},
      {"  object A: TTestControl\n  end\n  object a: TTestControl\n  end\n", "Error reading a (line 4): A component named a"},
  };
  for (const TCase& c : cases) {
    TTestForm form(nullptr);
    try {
      ReadComponent(form, ParseFormText(std::string("object F: TTestForm\n") + c.body + "end\n"));
      ADD_FAILURE() << "no error for " << c.body;
    } catch (const EFormReadError& error) {
      EXPECT_NE(error.Message().find(c.message), std::string::npos) << error.Message();
    }
  }
}

TEST_F(FormReader, LengthsAreScaledToTheScreenResolution) {
  const char* designed =
      "object F: TTestForm\n"
      "  PixelsPerInch = 106\n"
      "  Font.Height = -12\n"
      "  object P: TTestControl\n"
      "    Left = 9\n"
      "    Width = 161\n"
      "    Color = 106\n"  // not a length
      "  end\n"
      "end\n";
  TTestForm scaled(nullptr);
  ReadComponent(scaled, ParseFormText(designed), TFormReadOptions{96});
  auto* panel = dynamic_cast<TTestControl*>(scaled.FindComponent("P"));
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(scaled.Font()->Height(), -11);
  EXPECT_EQ(panel->Left(), 8);
  EXPECT_EQ(panel->Width(), 146);
  EXPECT_EQ(panel->Color(), 106);

  TTestForm same(nullptr);
  ReadComponent(same, ParseFormText(designed), TFormReadOptions{106});
  EXPECT_EQ(same.Font()->Height(), -12);
  TTestForm unscaled(nullptr);
  ReadComponent(unscaled, ParseFormText(designed));
  EXPECT_EQ(unscaled.Font()->Height(), -12);

  EXPECT_EQ(ScaleLength(938, 96, 106), 850);  // 849.5, rounded as MulDiv does
  EXPECT_EQ(ScaleLength(57, 144, 106), 77);
}

TEST(Colours, NamesOfDefinitions) {
  int64_t colour = 0;
  EXPECT_TRUE(IdentToColor("clbtnface", colour));
  EXPECT_EQ(static_cast<uint32_t>(colour), 0x8000000Fu);
  EXPECT_TRUE(IdentToColor("clRed", colour));
  EXPECT_EQ(colour, 0xFF);
  EXPECT_FALSE(IdentToColor("clPink", colour));
}

}  // namespace
