#include "framework/core/classes.h"

#include <gtest/gtest.h>

namespace {

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// A component with one published property of every kind, and two published methods.
class TSample : public TComponent {
  CORVALE_DECLARE_CLASS()

public:
  explicit TSample(TComponent* owner) : TComponent(owner) {}
  ~TSample() override {
    DestroyComponents();
    if (Log) Log->push_back("~" + Name());
  }

  int32_t Width() const { return FWidth; }
  void SetWidth(int32_t value) { FWidth = value; }
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign value) { FAlign = value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool value) { FVisible = value; }
  uint64_t Icons() const { return FIcons; }
  void SetIcons(uint64_t value) { FIcons = value; }
  std::string Caption() const { return FCaption; }
  void SetCaption(const std::string& value) { FCaption = value; }
  std::wstring Hint() const { return FHint; }
  void SetHint(const std::wstring& value) { FHint = value; }
  TSample* Partner() const { return FPartner; }
  void SetPartner(TSample* value) { FPartner = value; }
  int32_t Color() const { return FColor; }
  void SetColor(int32_t value) { FColor = value; }

  void FormShow(TPersistent* sender) { Calls.push_back("FormShow:" + (sender ? std::string("sender") : "")); }
  void ButtonClick(TPersistent*) { Calls.push_back("ButtonClick:" + Name()); }

  TNotifyEvent OnClick;
  std::vector<std::string> Calls;
  std::vector<std::string>* Log = nullptr;
  std::vector<std::string> Notified;

protected:
  void Notification(TComponent* component, bool removing) override {
    if (removing) Notified.push_back(component->Name());
  }

private:
  int32_t FWidth = 0;
  TAlign FAlign = TAlign::alNone;
  bool FVisible = true;
  uint64_t FIcons = 0;
  std::string FCaption;
  std::wstring FHint;
  TSample* FPartner = nullptr;
  int32_t FColor = 0;
};

const TClassInfo& TSample::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TSample>("TSample", &TComponent::StaticClassInfo())
          .Integer("Width", &TSample::Width, &TSample::SetWidth)
          .Enumeration("Align", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}, &TSample::Align,
                       &TSample::SetAlign)
          .Boolean("Visible", &TSample::Visible, &TSample::SetVisible)
          .Set("BorderIcons", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}, &TSample::Icons,
               &TSample::SetIcons)
          .String("Caption", &TSample::Caption, &TSample::SetCaption)
          .WideString("Hint", &TSample::Hint, &TSample::SetHint)
          .Object("Partner", &TSample::Partner, &TSample::SetPartner)
          .Colour("Color", &TSample::Color, &TSample::SetColor)
          .Event("OnClick", &TSample::OnClick)
          .Method<&TSample::FormShow>("FormShow")
          .Method<&TSample::ButtonClick>("ButtonClick")
          .Creatable()
          .Build();
  return info;
}

TEST(Components, OwnedComponentsGoWithTheOwnerLastCreatedFirst) {
  std::vector<std::string> log;
  auto* owner = new TSample(nullptr);
  owner->SetName("Owner");
  owner->Log = &log;
  for (const char* name : {"First", "Second", "Third"}) {
    auto* child = new TSample(owner);
    child->SetName(name);
    child->Log = &log;
  }
  EXPECT_EQ(owner->ComponentCount(), 3);
  EXPECT_EQ(owner->FindComponent("second"), owner->Components(1));

  delete owner->FindComponent("Second");  // leaves its owner's list at once
  EXPECT_EQ(owner->ComponentCount(), 2);
  EXPECT_EQ(owner->FindComponent("Second"), nullptr);
  EXPECT_EQ(owner->Notified, std::vector<std::string>{"Second"});

  delete owner;
  EXPECT_EQ(log, (std::vector<std::string>{"~Second", "~Third", "~First", "~Owner"}));
}

TEST(Components, NamesAndFreeNotification) {
  TSample owner(nullptr);
  auto* a = new TSample(&owner);
  auto* b = new TSample(&owner);
  a->SetName("Button1");
  EXPECT_THROW(b->SetName("BUTTON1"), EComponentError);
  EXPECT_THROW(b->SetName("1Button"), EComponentError);
  EXPECT_THROW(b->SetName("Button 2"), EComponentError);
  b->SetName("Button2");
  EXPECT_EQ(b->Name(), "Button2");

  TSample outsider(nullptr);
  outsider.FreeNotification(a);
  delete a;
  EXPECT_EQ(outsider.Notified, std::vector<std::string>{"Button1"});
}

TEST(Components, ClassInfoAndRegistry) {
  TSample sample(nullptr);
  EXPECT_EQ(sample.ClassName(), "TSample");
  EXPECT_TRUE(sample.InheritsFrom("tcomponent"));
  EXPECT_TRUE(sample.InheritsFrom("TPersistent"));
  EXPECT_FALSE(sample.InheritsFrom("TControl"));

  RegisterComponentClass(TSample::StaticClassInfo());
  const TClassInfo* info = FindComponentClass("tsample");
  ASSERT_NE(info, nullptr);
  TComponent* made = info->Create(&sample);
  EXPECT_EQ(made->Owner(), &sample);
  EXPECT_EQ(made->ClassName(), "TSample");
  EXPECT_EQ(FindComponentClass("TNothing"), nullptr);

  std::vector<std::string> names;
  for (const TPropertyInfo* property : info->AllProperties()) names.push_back(property->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Name", "Tag", "Width", "Align", "Visible", "BorderIcons", "Caption",
                                             "Hint", "Partner", "Color", "OnClick"}));
}

TEST(Properties, EveryKindByName) {
  TSample sample(nullptr);
  TSample partner(nullptr);
  partner.SetName("Partner1");

  SetOrdProp(&sample, "width", 161);
  EXPECT_EQ(sample.Width(), 161);
  EXPECT_EQ(GetOrdProp(&sample, "WIDTH"), 161);
  SetOrdProp(&sample, "Color", 0x80000000 | 15);
  EXPECT_EQ(static_cast<uint32_t>(GetOrdProp(&sample, "Color")), 0x8000000Fu);

  EXPECT_TRUE(SetEnumProp(&sample, "Align", "ALCLIENT"));
  EXPECT_EQ(sample.Align(), TAlign::alClient);
  EXPECT_EQ(GetEnumProp(&sample, "align"), "alClient");
  EXPECT_FALSE(SetEnumProp(&sample, "Align", "alSideways"));
  EXPECT_EQ(sample.Align(), TAlign::alClient);
  EXPECT_TRUE(SetEnumProp(&sample, "Visible", "false"));
  EXPECT_EQ(GetEnumProp(&sample, "Visible"), "False");

  EXPECT_TRUE(SetSetProp(&sample, "BorderIcons", "[biSystemMenu, biHelp]"));
  EXPECT_EQ(sample.Icons(), 0b1001u);
  EXPECT_EQ(GetSetProp(&sample, "BorderIcons"), "[biSystemMenu,biHelp]");
  EXPECT_TRUE(SetSetProp(&sample, "BorderIcons", "[]"));
  EXPECT_EQ(GetSetProp(&sample, "BorderIcons"), "[]");
  EXPECT_FALSE(SetSetProp(&sample, "BorderIcons", "[biNone]"));

  SetStrProp(&sample, "Caption", "APRI FILE XML");
  EXPECT_EQ(GetStrProp(&sample, "caption"), "APRI FILE XML");
  EXPECT_EQ(GetWideStrProp(&sample, "Caption"), L"APRI FILE XML");
  SetWideStrProp(&sample, "Hint", L"Perch\u00E9");
  EXPECT_EQ(GetStrProp(&sample, "Hint"), "Perch\xC3\xA9");
  SetWideStrProp(&sample, "Caption", L"caf\u00E9");
  EXPECT_EQ(sample.Caption(), "caf\xC3\xA9");

  SetObjectProp(&sample, "Partner", &partner);
  EXPECT_EQ(GetObjectProp(&sample, "Partner"), &partner);
  EXPECT_EQ(GetObjectProp(&sample, "Partner", "TComponent"), &partner);
  EXPECT_EQ(GetObjectProp(&sample, "Partner", "TControl"), nullptr);
}

// Missing properties, wrong kinds and null objects never raise: reads are neutral, writes do nothing.
TEST(Properties, MissingAndMismatchedAreNeutral) {
  TSample sample(nullptr);
  sample.SetCaption("kept");
  EXPECT_EQ(GetOrdProp(&sample, "Margin"), -1);
  EXPECT_EQ(GetOrdProp(&sample, "Caption"), -1);
  EXPECT_EQ(GetOrdProp(nullptr, "Width"), -1);
  EXPECT_EQ(GetEnumProp(&sample, "Width"), "");
  EXPECT_EQ(GetStrProp(&sample, "Width"), "");
  EXPECT_EQ(GetWideStrProp(nullptr, "Caption"), L"");
  EXPECT_EQ(GetObjectProp(&sample, "Caption"), nullptr);
  SetOrdProp(&sample, "Caption", 5);
  SetStrProp(&sample, "Nothing", "x");
  SetStrProp(nullptr, "Caption", "x");
  SetObjectProp(&sample, "Nothing", &sample);
  EXPECT_EQ(sample.Caption(), "kept");
  TMethod untouched{reinterpret_cast<TMethod::TCode>(&free), &sample};
  TMethod method = untouched;
  EXPECT_FALSE(GetMethodProp(&sample, "OnMissing", method));
  EXPECT_EQ(method, untouched);
}

TEST(Events, BoundMethodsCompareStoreAndRestore) {
  TSample form(nullptr);
  auto* button = new TSample(&form);
  button->SetName("BitBtn1");

  TMethod handler;
  ASSERT_TRUE(form.ClassInfo().FindMethod("buttonclick", form, handler));
  EXPECT_EQ(handler.Data, &form);
  SetMethodProp(button, "OnClick", handler);
  button->OnClick(button);
  EXPECT_EQ(form.Calls, std::vector<std::string>{"ButtonClick:"});

  // The same member bound again is the same method; another member is not.
  EXPECT_EQ(handler, (TNotifyEvent::Bind<&TSample::ButtonClick>(&form).Method()));
  EXPECT_NE(handler, (TNotifyEvent::Bind<&TSample::FormShow>(&form).Method()));
  EXPECT_NE(handler, (TNotifyEvent::Bind<&TSample::ButtonClick>(button).Method()));

  // Saved, replaced, put back.
  TMethod saved;
  ASSERT_TRUE(GetMethodProp(button, "OnClick", saved));
  SetMethodProp(button, "OnClick", TNotifyEvent::Bind<&TSample::FormShow>(&form).Method());
  button->OnClick(nullptr);
  SetMethodProp(button, "OnClick", saved);
  button->OnClick(button);
  EXPECT_EQ(form.Calls, (std::vector<std::string>{"ButtonClick:", "FormShow:", "ButtonClick:"}));

  SetMethodProp(button, "OnClick", TMethod{});
  EXPECT_FALSE(button->OnClick.Assigned());
  button->OnClick(button);  // an empty event does nothing
  EXPECT_FALSE(form.ClassInfo().FindMethod("NoSuchHandler", form, handler));
}

}  // namespace

#include "framework/core/string_list.h"

namespace {

TEST(StringList, TextSplitsAtEveryLineBreak) {
  TStrings lines;
  lines.SetText("TcxButton=bitbtn\r\nTLMDEdit=Edit\rlast\nend\r\n");
  EXPECT_EQ(lines.Lines(), (std::vector<std::string>{"TcxButton=bitbtn", "TLMDEdit=Edit", "last", "end"}));
  EXPECT_EQ(lines.Text(), "TcxButton=bitbtn\r\nTLMDEdit=Edit\r\nlast\r\nend\r\n");
  EXPECT_EQ(lines.IndexOf("tlmdedit=edit"), 1);
  EXPECT_EQ(lines.IndexOf("missing"), -1);
  EXPECT_FALSE(lines.ReadList("Items", {"x"}));
  EXPECT_TRUE(lines.ReadList("Strings", {"x"}));
  EXPECT_EQ(lines.Count(), 1);
}

}  // namespace
