// The skin component loading small packages made here: colours and their flags, the generic
// readers, title-bar buttons, frame counts, the derived combo and toolbar images, built-in tracks,
// persistence of "SkinStream", start-up rules, stored skins, and the manager's deferred actions.
#include "skin/data/skin_data.h"

#include <gtest/gtest.h>

#include <map>

#include "framework/forms.h"
#include "framework/core/little_endian.h"
#include "skin/data/lzh.h"
#include "skin/data/skin_store.h"
#include "skin/manager/skin_manage.h"

namespace {

// A 24-bit bitmap file of the given size in one colour (COLORREF), with an optional magenta left
// column.
std::vector<uint8_t> Bmp(int width, int height, TColor colour = 0x336699, bool magentaColumn = false) {
  TBitmap bitmap(width, height, TPixelFormat::pf24bit);
  RECT all{0, 0, width, height};
  bitmap.Canvas()->Brush()->SetColor(colour);
  bitmap.Canvas()->FillRect(all);
  if (magentaColumn) {
    for (int y = 0; y < height; ++y) bitmap.Canvas()->SetPixel(0, y, clFuchsia);
  }
  TMemoryStream stream;
  bitmap.SaveToStream(stream);
  return stream.Bytes();
}

// A packed skin package: the description "skin.ini" and the named images.
std::vector<uint8_t> Package(const std::string& ini, const std::map<std::string, std::vector<uint8_t>>& images) {
  std::vector<TSkinArchiveEntry> entries{{"skin.ini", std::vector<uint8_t>(ini.begin(), ini.end())}};
  for (const auto& [name, bytes] : images) entries.push_back({name, bytes});
  std::vector<uint8_t> archive = BuildSkinArchive(entries);
  TMemoryStream source(archive), packed;
  TLZH::Compress(source, packed);
  return packed.Bytes();
}

// The stored form: a 4-byte length, then the package.
std::vector<uint8_t> Stored(const std::vector<uint8_t>& package) {
  std::vector<uint8_t> data;
  data.reserve(package.size() + 4);
  PutLE32(data, static_cast<uint32_t>(package.size()));
  for (uint8_t byte : package) data.push_back(byte);
  return data;
}

class SkinData : public testing::Test {
protected:
  void SetUp() override {
    FApplication = new TApplication(nullptr);
    FApplication->Initialize();
  }
  void TearDown() override {
    delete FData;
    delete SkinManager;
    SkinManager = nullptr;
    delete FApplication;
  }
  TSkinData& Load(const std::string& ini, const std::map<std::string, std::vector<uint8_t>>& images) {
    FData = new TSkinData(nullptr);
    EXPECT_TRUE(FData->ReadData("SkinStream", Stored(Package(ini, images))));
    return *FData;
  }
  TApplication* FApplication = nullptr;
  TSkinData* FData = nullptr;
};

TEST_F(SkinData, ColoursAndTheirFlags) {
  TSkinData& data = Load(
      "[Colours]\nButtonFace=227 238 253\nButtonText=1 2 3\n[Colour1]\ncolor=10 20 30\n[Colours2x]\n"
      "[COLOURS]\n[Customcolors]\nColor3=4 5 6\n",
      {});
  EXPECT_FALSE(data.FNoSkin);
  EXPECT_EQ(data.FColors[csButtonFace], 0xFDEEE3);
  EXPECT_TRUE(data.FColorSet[csButtonFace]);
  EXPECT_EQ(data.FColors[csMenuBar], 0xFDEEE3);  // defaults to the button face just read
  EXPECT_FALSE(data.FColorSet[csMenuBar]);
  EXPECT_EQ(static_cast<uint32_t>(data.FColors[csText]), 0x80000008u);
  EXPECT_FALSE(data.FColorSet[csText]);
  EXPECT_EQ(static_cast<uint32_t>(data.FColors[csScrollbar]), 0x80000000u);
  // [Colour1] and [Colours2x] begin with COLOUR; [COLOURS] does not count.
  ASSERT_EQ(data.FPreColors.size(), 2u);
  EXPECT_EQ(data.FPreColors[0], 0x1E140A);
  EXPECT_EQ(static_cast<uint32_t>(data.FPreColors[1]), 0x80000008u);
  TSkinColor colour = 0;
  EXPECT_TRUE(data.GetPrecolor(1, colour));
  EXPECT_FALSE(data.GetPrecolor(2, colour));
  EXPECT_EQ(data.FCustomColors[3], 0x060504);
  EXPECT_EQ(data.FCustomColors[0], 0xFFFFFF);
  ASSERT_TRUE(data.FButtonFaceBrush);
  LOGBRUSH brush;
  GetObjectW(data.FButtonFaceBrush.Get(), sizeof brush, &brush);
  EXPECT_EQ(brush.lbColor, 0xFDEEE3u);
}

TEST_F(SkinData, GenericReadersAndImageLookup) {
  TSkinData& data = Load(
      "[Colours]\nButtonText=9 9 9\n"
      "[GroupBoxEdge]\nImage=images\\edge.bmp\nLeftWidth=3\nTopHeight=4\nRightWidth=5\nBottomHeight=6\nTrans=1\nTile=2\n"
      "NormalColour=7\nPressedColour2=1 1 1\n"
      "[StatusBarEdges]\nImage=missing.bmp\nStyle=3\n"
      "[ToolBars]\nImage=upper.BMP\n"
      "[Progress]\nBitmap=edge.bmp\nTile=2\n"
      "[Tab.Pane]\nImage=edge.bmp\nLeftWidth=9\nTopHeight=2\nRightWidth=4\nBottomHeight=5\n"
      "[Tabs]\nImage=edge.bmp\nBorder=border.bmp\n"
      "[GroupBox]\nImage=edge.bmp\nBackgroundLeftShift=11\n",
      {{"edge.bmp", Bmp(20, 10)}, {"border.bmp", Bmp(8, 8)}, {"upper.bmp", Bmp(5, 5)}});
  ASSERT_TRUE(data.FGroupBoxEdge);
  const TDataSkinObject& edge = *data.FGroupBoxEdge;
  EXPECT_EQ(edge.Name, "GroupBoxEdge");
  EXPECT_EQ(edge.Map->Width(), 20);  // found by its name alone
  EXPECT_EQ(edge.Margins.left, 3);
  EXPECT_EQ(edge.Margins.top, 4);
  EXPECT_EQ(edge.Margins.right, 5);
  EXPECT_EQ(edge.Margins.bottom, 6);
  EXPECT_EQ(edge.Tile, 0);  // above 1 becomes 0
  EXPECT_EQ(edge.NormalColour, 7);
  EXPECT_EQ(edge.MouseOverColour, -1);
  EXPECT_EQ(edge.PressedColour2, 0x010101);
  EXPECT_EQ(edge.NormalColour2, 0x090909);  // the scheme's button text
  ASSERT_TRUE(data.FStatusBarEdges);  // the image is missing: the element exists without a picture
  EXPECT_TRUE(data.FStatusBarEdges->Map->Empty());
  EXPECT_EQ(data.FStatusBarEdges->Style, 3);
  ASSERT_TRUE(data.FToolBars);
  EXPECT_TRUE(data.FToolBars->Map->Empty());  // ".BMP" in upper case is not an image name
  ASSERT_TRUE(data.FProgress);
  EXPECT_EQ(data.FProgress->Tile, 1);  // the progress reader keeps 1
  EXPECT_EQ(data.FTabPane->Margins.left, 4);
  EXPECT_EQ(data.FTabPane->Margins.top, 2);
  EXPECT_EQ(data.FTabPane->Margins.bottom, 4);
  EXPECT_EQ(data.FTabs->Map2->Width(), 8);
  EXPECT_EQ(data.FGroupBox->BackgroundLeftShift, 11);
  EXPECT_FALSE(data.FHeaderbar);  // no section, no element
  EXPECT_FALSE(data.FMenuBar);
}

TEST_F(SkinData, TitleBarButtonsAndMdiButtons) {
  TSkinData& data = Load(
      "[Button0]\nAction=0\nButtonImage=close.bmp\n"
      "[Button1]\nAction=1\nVisibility=2\nXcoord=40\nYcoord=5\nButtonImage=max.bmp\nframe=4\n"
      "[Button2]\nAction=4\nXcoord=99\nButtonImage=max.bmp\n"
      "[Buttons]\nBitmap=max.bmp\n[Button.Radio]\nAction=0\n"
      "[Button3]\nAction=-1\nVisibility=1\n"
      "[Button4]\nAction=3\n"
      "[ButtonHelp]\nAction=11\nButtonImage=max.bmp\n"
      "[MDICONTROLS]\nImage=mdi.bmp\n",
      {{"close.bmp", Bmp(126, 21)}, {"max.bmp", Bmp(60, 21)}, {"mdi.bmp", Bmp(120, 10)}});
  auto& buttons = data.FSysButtons;
  // Button0, Button1, Button2, Button4 and ButtonHelp; not Buttons, Button.Radio, nor Button3 (Action
  // -1 and shown).
  ASSERT_EQ(buttons.size(), 5u + 3u);
  EXPECT_EQ(buttons[0]->Name, "BUTTON0");
  EXPECT_EQ(buttons[0]->Frame, 6);  // 126 / 21 = 6 > 3.8
  EXPECT_EQ(buttons[1]->Frame, 4);
  EXPECT_EQ(buttons[2]->Xcoord, 40);  // the restore button sits where the maximise button is
  EXPECT_EQ(buttons[2]->Ycoord, 5);
  EXPECT_EQ(buttons[2]->Frame, 3);    // 60 / 21 <= 3.8
  EXPECT_EQ(buttons[3]->Name, "BUTTON4");
  EXPECT_EQ(buttons[3]->Frame, 6);    // the icon button: no image
  EXPECT_TRUE(buttons[3]->Map->Empty());
  EXPECT_EQ(buttons[3]->CombineOp, -1);
  EXPECT_EQ(buttons[4]->Name, "BUTTONHELP");
  EXPECT_EQ(buttons[4]->Action, 11);
  EXPECT_EQ(buttons[4]->Frame, 3);
  EXPECT_TRUE(buttons[4]->Map->Empty());  // without a frame key the help button drops its image
  for (int k = 0; k < 3; ++k) {
    const TDataSkinSysButton& mdi = *buttons[5 + static_cast<size_t>(k)];
    EXPECT_EQ(mdi.Action, 7 + k);
    EXPECT_EQ(mdi.Align, 100);
    EXPECT_EQ(mdi.Frame, 4);
    EXPECT_EQ(mdi.Name, "BUTTONHELP");  // named like the last section read
    EXPECT_EQ(mdi.Map->Width(), 40);    // four frames of 120 / 12
    EXPECT_EQ(mdi.Xcoord, (10 + 4) * (3 - k));
  }
}

TEST_F(SkinData, FrameCountsAndDerivedImages) {
  TSkinData& data = Load(
      "[Personality]\nTop=top.bmp\nTopFrame=2\nLeft=side.bmp\nLeftTopHeight=7\n"
      "[Buttons]\nBitmap=edge.bmp\nCheckButton=check.bmp\nRadioButton=radio.bmp\nRadioButtonFrame=8\n"
      "[Scrollbar]\nImage=edge.bmp\nFrame=9\n[Headerbar]\nImage=edge.bmp\n[MenuItem]\nImage=edge.bmp\nFrame=2\n"
      "[HorzScrollThumb]\nImage=edge.bmp\nFrameCount=7\n[Progress.Chunk]\nImage=edge.bmp\n"
      "[SunkEdge]\nImage=sunk.bmp\nLeftWidth=2\nRightWidth=2\n[ComboButton]\nImage=combo.bmp\n",
      {{"top.bmp", Bmp(30, 56, RGB(0x10, 0x20, 0x30))}, {"side.bmp", Bmp(4, 40)}, {"edge.bmp", Bmp(40, 10)},
       {"check.bmp", Bmp(156, 13)}, {"radio.bmp", Bmp(64, 16)}, {"sunk.bmp", Bmp(80, 21)},
       {"combo.bmp", Bmp(68, 21, RGB(0, 0x80, 0), true)}});
  EXPECT_EQ(data.FButtons->Frame, 5);
  EXPECT_EQ(data.FButtons->CheckButtonFrame, 12);  // 156 / 13
  EXPECT_EQ(data.FButtons->RadioButtonFrame, 8);   // given
  EXPECT_EQ(data.FScrollbar->Frame, 23);
  EXPECT_EQ(data.FHeaderbar->Frame, 5);
  EXPECT_EQ(data.FMenuItem->Frame, 5);
  EXPECT_EQ(data.FHorzScrollThumb->Frame, 7);
  EXPECT_EQ(data.FTitle->Frame, 2);
  EXPECT_EQ(data.FProgressChunk->Frame, 1);  // no Frame key: at least one frame
  EXPECT_EQ(data.FFrameLeft->Margins.top, 7);
  EXPECT_EQ(data.FFrameLeft->Trans, 1);
  // The caption colour: the top piece's pixel at (30 / 3, (56 / 2) / 3).
  EXPECT_EQ(data.FColors[csCaption], RGB(0x10, 0x20, 0x30));

  // The combo box: edge and button joined in four 50 x 21 frames; the arrow cut from them.
  int b = GetSystemMetrics(SM_CXHSCROLL) + 2;
  EXPECT_EQ(data.FComboButton->Style, 2);
  EXPECT_EQ(data.FComboButton->Map->Width(), 200);
  EXPECT_EQ(data.FComboButton->Map->Height(), 21);
  EXPECT_EQ(data.FComboButton->Margins.left, 2);
  EXPECT_EQ(data.FComboButton->Margins.right, b + 2);
  EXPECT_EQ(data.FSunkEdge->Margins.left, b + 2);
  EXPECT_EQ(data.FSunkEdge->Map->Width(), 200);
  // Inside the edit part the strip is magenta; the button part shows the button's green.
  EXPECT_EQ(data.FComboButton->Map->Pixel(10, 10), clFuchsia);
  EXPECT_EQ(data.FComboButton->Map->Pixel(48, 10), RGB(0, 0x80, 0));
  EXPECT_EQ(data.FComboButton->Map2->Width(), 68);  // the mirrored copy of the image as read
  ASSERT_TRUE(data.FComboxArrow);
  EXPECT_EQ(data.FComboxArrow->Frame, 4);
  EXPECT_EQ(data.FComboxArrow->Map->Width(), 68);
  EXPECT_EQ(data.FComboxArrow->Map->Height(), 17);

  ASSERT_TRUE(data.FToolbar);
  EXPECT_EQ(data.FToolbar->Map->Width(), 10);
  EXPECT_EQ(data.FToolbar->Map->Height(), 40);
  EXPECT_NE(data.FToolbar->Map->Pixel(5, 0), data.FToolbar->Map->Pixel(5, 39));  // a gradient
}

TEST_F(SkinData, ComboArrowWithoutSunkenEdgeAndBuiltInTracks) {
  TSkinData& data = Load("[Colours]\nButtonFace=1 2 3\n[ComboButton]\nImage=combo.bmp\n",
                         {{"combo.bmp", Bmp(68, 17, RGB(0, 0x80, 0), true)}});
  ASSERT_TRUE(data.FComboxArrow);
  EXPECT_EQ(data.FComboxArrow->Map->Pixel(0, 3), 0x030201);  // magenta became the button face
  EXPECT_EQ(data.FComboxArrow->Frame, 4);
  ASSERT_TRUE(data.FTrack);
  ASSERT_TRUE(data.FTrackVert);
  EXPECT_EQ(data.FTrack->Name, "TRACK");
  EXPECT_EQ(data.FTrack->Margins.left, 3);
  EXPECT_EQ(data.FTrack->Frame, 1);
  ASSERT_EQ(data.FTrack->Map->Width(), 16);
  ASSERT_EQ(data.FTrack->Map->Height(), 4);
  EXPECT_EQ(data.FTrackVert->Map->Width(), 4);
  EXPECT_EQ(data.FTrackVert->Map->Height(), 16);
  // Rows from the top: S S G G ... W W; S S W ...; G S W ...
  EXPECT_EQ(data.FTrack->Map->Pixel(0, 0), 0xC0C0C0);
  EXPECT_EQ(data.FTrack->Map->Pixel(2, 0), 0x808080);
  EXPECT_EQ(data.FTrack->Map->Pixel(15, 0), 0xFFFFFF);
  EXPECT_EQ(data.FTrack->Map->Pixel(0, 2), 0x808080);
  EXPECT_EQ(data.FTrackVert->Map->Pixel(2, 0), 0x808080);
  EXPECT_EQ(data.FTrackVert->Map->Pixel(0, 5), 0x808080);
  EXPECT_EQ(data.FTrackVert->Map->Pixel(1, 5), 0xFFFFFF);
}

TEST_F(SkinData, BadPackagesLeaveTheComponentWithoutASkin) {
  std::vector<uint8_t> package = Package("[Colours]\nButtonFace=1 2 3\n", {});
  struct TCase {
    const char* Name;
    std::vector<uint8_t> Stored;
  };
  std::vector<uint8_t> truncated(package.begin(), package.begin() + static_cast<std::ptrdiff_t>(package.size() / 2));
  std::vector<uint8_t> garbage(200, 0x5A);
  for (const TCase& c : {TCase{"empty", Stored({})}, TCase{"truncated", Stored(truncated)}, TCase{"garbage", Stored(garbage)},
                         TCase{"short length field", {1, 2}}, TCase{"length beyond the data", {0xFF, 0xFF, 0, 0, 1, 2, 3}}}) {
    TSkinData data(nullptr);
    EXPECT_TRUE(data.ReadData("SkinStream", c.Stored)) << c.Name;
    EXPECT_TRUE(data.FNoSkin) << c.Name;
  }
}

TEST_F(SkinData, SkinStreamWrittenBackAsRead) {
  std::vector<uint8_t> stored = Stored(Package("[Colours]\nButtonFace=1 2 3\n", {}));
  TSkinData& data = Load("", {});
  EXPECT_TRUE(data.ReadData("SkinStream", stored));
  std::vector<std::pair<std::string, std::vector<uint8_t>>> written;
  data.WriteData(written);
  ASSERT_EQ(written.size(), 1u);
  EXPECT_EQ(written[0].first, "SkinStream");
  EXPECT_EQ(written[0].second, stored);
  EXPECT_FALSE(data.ReadData("Other", stored));
}

TEST_F(SkinData, PublishedDefaultsAndStartUp) {
  FData = new TSkinData(nullptr);
  TSkinData& data = *FData;
  EXPECT_FALSE(data.Active());
  EXPECT_EQ(GetOrdProp(&data, "DisableTag"), 99);
  EXPECT_EQ(GetSetProp(&data, "Options"), "[xoPreview,xoToolbarBK]");
  EXPECT_EQ(data.SkinControls() & (xcMenuItem | xcFastReport), 0u);
  EXPECT_TRUE(data.SkinControls() & xcSystemMenu);
  EXPECT_EQ(GetEnumProp(&data, "SkinFormtype"), "sfMainform");
  EXPECT_EQ(GetStrProp(&data, "Version"), "5.03.07.12");
  SetStrProp(&data, "Version", "1");
  SetStrProp(&data, "SkinStore", "x");
  EXPECT_EQ(GetStrProp(&data, "Version"), "5.03.07.12");
  EXPECT_EQ(GetStrProp(&data, "SkinStore"), "(none)");
  EXPECT_EQ(data.Skin3rd()->Count(), 118);
  EXPECT_EQ(data.FMenuImages->Count(), 4);  // the system menu's glyphs

  // Active without a skin falls back; xcMainMenu keeps xcSystemMenu and drops xcMenuItem.
  data.BeginLoading();
  SetOrdProp(&data, "Active", 1);
  SetSetProp(&data, "SkinControls", "[xcMainMenu,xcMenuItem,xcSystemMenu]");
  data.Loaded();
  EXPECT_FALSE(data.Active());
  EXPECT_EQ(GetSetProp(&data, "SkinControls"), "[xcMainMenu,xcSystemMenu]");
  ASSERT_NE(SkinManager, nullptr);
  EXPECT_EQ(SkinManager->FMainData, &data);
  EXPECT_NE(CBTHook, nullptr);
  EXPECT_FALSE(SkinManager->TimerRunning());

  TSkinData other(nullptr);
  other.BeginLoading();
  SetSetProp(&other, "SkinControls", "[xcPopupMenu,xcMenuItem,xcSystemMenu]");
  other.Loaded();
  EXPECT_EQ(GetSetProp(&other, "SkinControls"), "[xcPopupMenu,xcMenuItem]");
}

TEST_F(SkinData, ActivationGoesThroughTheManagersTimer) {
  TSkinData& data = Load("[Colours]\nButtonFace=1 2 3\n", {});
  data.BeginLoading();
  data.Loaded();
  struct TChanges : TComponent {
    using TComponent::TComponent;
    void Changed(TPersistent*) { ++Count; }
    int Count = 0;
  } changes(nullptr);
  data.OnSkinChanged = TNotifyEvent::Bind<&TChanges::Changed>(&changes);
  // Before any window was activated the manager is idle: actions only switch skinning on.
  data.Install();
  EXPECT_TRUE(SkinManager->FEnabled);
  EXPECT_FALSE(SkinManager->TimerRunning());
  data.SetActive(true);
  EXPECT_EQ(SkinManager->FState, 1);
  EXPECT_FALSE(SkinManager->TimerRunning());
  EXPECT_EQ(SkinManager->FActionData, &data);
  // Running: a changed skin is applied by the timer a quarter second later.
  data.UpdateSkin();
  EXPECT_TRUE(SkinManager->TimerRunning());
  EXPECT_EQ(SkinManager->TimerInterval(), 250);
  EXPECT_EQ(SkinManager->FAction, 3);
  DWORD until = GetTickCount() + 3000;
  while (changes.Count == 0 && GetTickCount() < until) {
    FApplication->ProcessMessages();
    Sleep(10);
  }
  EXPECT_EQ(changes.Count, 1);
  EXPECT_EQ(SkinManager->FActionData, nullptr);
  EXPECT_FALSE(SkinManager->TimerRunning());
  data.SetActive(false);
  EXPECT_EQ(SkinManager->FAction, 2);
  EXPECT_TRUE(SkinManager->TimerRunning());
}

TEST_F(SkinData, ApplicationIconOnMagenta) {
  FData = new TSkinData(nullptr);
  FData->GetAppIcon();
  EXPECT_EQ(FData->FAppIcon->Width(), GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(FData->FAppIcon->Pixel(0, 0), clFuchsia);  // this program has no icon
  EXPECT_EQ(ColorToRGB(FData->FAppIcon->TransparentColor()), clFuchsia);
}

TEST(SkinUnit, ConversionsAndSystemFunctions) {
  EXPECT_EQ(StrToWideStr("Corvale"), L"Corvale");
  EXPECT_EQ(WideStringToStringEx(L"Corvale"), "Corvale");
  EXPECT_EQ(_WStr(L"abcdef", 3), L"abc");
  EXPECT_EQ(_WStr(L"abcdef", -1), L"abcdef");
  EXPECT_EQ(_WStr(nullptr, -1), L"");
  EXPECT_NE(pGetScrollBarInfo, nullptr);
  EXPECT_NE(pTrackMouseEvent, nullptr);
  EXPECT_NE(pGetComboBoxInfo, nullptr);
  TOffscreen buffer(200, 40);
  RECT rect{0, 0, 200, 40};
  EXPECT_GT(Tnt_DrawTextW(buffer.DC(), L"Fattura", rect, DT_CALCRECT | DT_SINGLELINE), 0);
  EXPECT_GT(rect.right, 0);
}

TEST(SkinStore, NamesIdentifiersAndData) {
  TSkinStore store(nullptr);
  TSkinCollection& skins = *store.Store();
  TSkinCollectionItem* first = skins.Add();
  TSkinCollectionItem* second = skins.Add();
  EXPECT_EQ(first->Name(), "SkinItem0");
  EXPECT_EQ(second->Name(), "SkinItem1");
  EXPECT_EQ(first->DataSize(), 0);
  first->SetName("Chiaro");
  second->SetName("chiaro");  // letter case makes another name
  second->SetName("chiaro");  // its own name never raises
  try {
    second->SetName("Chiaro");
    ADD_FAILURE() << "a taken name was accepted";
  } catch (const Exception& error) {
    EXPECT_STREQ(error.what(), "The name Chiaro is already used.");
  }
  EXPECT_EQ(second->Name(), "chiaro");
  skins.Delete(0);
  EXPECT_EQ(skins.Add()->Name(), "SkinItem2");  // identifiers are never reused
  EXPECT_EQ(GetStrProp(second, "SkinData"), "Load Skin");

  std::vector<uint8_t> package = Package("[Colours]\nButtonFace=1 2 3\n", {});
  EXPECT_TRUE(second->ReadData("DataStream", package));
  EXPECT_EQ(second->DataSize(), static_cast<int32_t>(package.size()));
  TMemoryStream copy;
  second->CopyData(copy);
  EXPECT_EQ(copy.Bytes(), package);

  TSkinData data(nullptr);
  data.LoadFromCollection(&store, skins.Count());  // past the end: nothing
  EXPECT_TRUE(data.FNoSkin);
  data.LoadFromCollection(&store, 0);
  EXPECT_FALSE(data.FNoSkin);
  EXPECT_EQ(data.FColors[csButtonFace], 0x030201);
  delete SkinManager;
  SkinManager = nullptr;
}

}  // namespace
