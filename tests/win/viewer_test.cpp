// The viewer on real windows under Wine: its windows as their definitions lay them out, and what
// each button, the timer, the logo and the links do. The open dialog, the shell, the message box
// and both browsers sit behind recorders, so nothing blocks and nothing reaches the network.
#include "framework/win32.h"

#include <gtest/gtest.h>
#include <msxml2.h>

#include <map>
#include <string>
#include <vector>

#include "app/about_form.h"
#include "app/main_form.h"
#include "app/shell.h"
#include "framework/graphics/bitmaps.h"
#include "framework/controls/buttons.h"
#include "framework/class_registry.h"
#include "framework/files.h"
#include "framework/form_resources.h"
#include "framework/controls/images.h"
#include "framework/controls/labels.h"
#include "framework/open_dialog.h"
#include "framework/controls/panels.h"
#include "framework/controls/status_bar.h"
#include "framework/controls/tab_control.h"
#include "framework/timer.h"
#include "framework/controls/web_browser.h"
#include "picture/png_image.h"
#include "skin/data/skin_data.h"
#include "skin/manager/skin_manage.h"

namespace {

// One recorded browser call: the URL (or the command) and the four optional arguments, described
// as "missing" (VT_ERROR with DISP_E_PARAMNOTFOUND), "null" or "other".
struct TCall {
  std::wstring What;
  std::vector<std::string> Arguments;
};

// IID_IXMLDOMDocument, spelled out: MinGW's import libraries do not carry the MSXML identifiers.
const IID kXmlDocumentInterface = {0x2933BF81, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

std::string Describe(const VARIANT* value) {
  if (!value) return "null";
  if (value->vt == VT_ERROR && value->scode == DISP_E_PARAMNOTFOUND) return "missing";
  return "other";
}

class TRecorder : public TWebBrowserCalls {
public:
  HRESULT Navigate(const wchar_t* url, VARIANT* flags, VARIANT* target, VARIANT* postData, VARIANT* headers) override {
    Calls.push_back({url, {Describe(flags), Describe(target), Describe(postData), Describe(headers)}});
    return S_OK;
  }
  HRESULT ExecWB(OLECMDID command, OLECMDEXECOPT option, VARIANT* in, VARIANT* out) override {
    Calls.push_back({L"ExecWB " + std::to_wstring(command) + L" " + std::to_wstring(option), {Describe(in), Describe(out)}});
    return S_OK;
  }
  std::vector<TCall> Calls;
};

std::wstring gChosenFile;  // empty: the user cancels
int gDialogRuns = 0;
BOOL WINAPI ChooseFile(OPENFILENAMEW* parameters) {
  ++gDialogRuns;
  if (gChosenFile.empty()) return FALSE;
  wcsncpy(parameters->lpstrFile, gChosenFile.c_str(), parameters->nMaxFile - 1);
  return TRUE;
}

std::vector<std::string> gShellFiles;
HWND gShellOwner = nullptr;
HINSTANCE WINAPI RecordShell(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show) {
  gShellOwner = owner;
  gShellFiles.push_back(std::string(verb ? "verb!" : "") + file + (parameters || directory ? "!" : "") +
                        (show == SW_SHOWNORMAL ? "" : "?"));
  return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}

std::vector<std::wstring> gBoxes;
int RecordBox(HWND, const wchar_t* text, const wchar_t*, UINT) {
  gBoxes.push_back(text);
  return IDOK;
}

std::wstring TestFolder() {
  wchar_t path[MAX_PATH];
  GetTempPathW(MAX_PATH, path);
  std::wstring folder = std::wstring(path) + L"corvale-viewer-test";
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

std::wstring WriteInvoice(const std::wstring& name, const std::string& bytes) {
  std::wstring path = TestFolder() + L"\\" + name;
  WriteWholeFile(path, bytes);
  return path;
}

// Clicks a window the way a user does: the button goes down and up over it.
void ClickWindow(HWND window, int x, int y) {
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void ClickControl(TWinControl* control) { ClickWindow(control->Handle(), control->Width() / 2, control->Height() / 2); }

// A graphic control is clicked through its parent's window.
void ClickGraphic(TControl* control) {
  ClickWindow(control->Parent()->Handle(), control->Left() + 2, control->Top() + 2);
}

class Viewer : public testing::Test {
protected:
  void SetUp() override {
    RegisterFrameworkClasses();
    RegisterPngPictures();
    RegisterSkinClasses();
    TApplication::SetMessageBoxFunction(RecordBox);
    TOpenDialog::SetExecuteFunction(ChooseFile);
    SetShellExecuteFunction(RecordShell);
    gBoxes.clear();
    gShellFiles.clear();
    gChosenFile.clear();
    gDialogRuns = 0;
    FApplication = new TApplication(nullptr);
    FApplication->Initialize();
    FApplication->SetTitle("Corvale");
  }
  void TearDown() override {
    if (FMain) DeleteFileQuietly(FMain->TemporaryFileName());
    delete FApplication;  // frees the forms
    MainDFM = nullptr;
    delete SkinManager;
    SkinManager = nullptr;
    TApplication::SetMessageBoxFunction(nullptr);
    TOpenDialog::SetExecuteFunction(nullptr);
    SetShellExecuteFunction(nullptr);
  }

  // The main window with recorders in both browsers, shown as the program shows it.
  TMainDFM* ShowMain(const std::string& definition = std::string()) {
    FMain = new TMainDFM(FApplication, definition);
    FApplication->SetMainForm(FMain);
    MainDFM = FMain;
    FMain->CppWebBrowser1->SetCalls(&FInvoiceView);
    FMain->CppWebBrowser2->SetCalls(&FAdvertising);
    FMain->Show();
    FApplication->ProcessMessages();
    return FMain;
  }

  std::string TemporaryFile() const { return ReadWholeFile(FMain->TemporaryFileName()); }

  TApplication* FApplication = nullptr;
  TMainDFM* FMain = nullptr;
  TRecorder FInvoiceView;
  TRecorder FAdvertising;
};

TEST_F(Viewer, MainWindowAsDefined) {
  TMainDFM* main = ShowMain();
  HWND window = main->Handle();
  wchar_t text[128] = {};
  GetClassNameW(window, text, 128);
  EXPECT_STREQ(text, L"TMainDFM");
  GetWindowTextW(window, text, 128);
  EXPECT_STREQ(text, L"Corvale - Visualizzatore di file xml della fattura elettronica.");
  LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_TRUE(IsZoomed(window));
  EXPECT_EQ(main->PixelsPerInch(), 106);

  // Left to right on screen: open, print, about, exit; tab orders follow creation.
  std::vector<std::pair<TBitBtn*, const wchar_t*>> buttons = {
      {main->BitBtn1, L"APRI FILE XML"}, {main->BitBtn4, L"STAMPA"}, {main->BitBtn3, L"INFORMAZIONI"}, {main->BitBtn2, L"ESCI"}};
  for (size_t i = 0; i < buttons.size(); ++i) {
    auto [button, caption] = buttons[i];
    GetWindowTextW(button->Handle(), text, 128);
    EXPECT_STREQ(text, caption);
    EXPECT_FALSE(button->TabStop());
    EXPECT_FALSE(GetWindowLongPtrW(button->Handle(), GWL_STYLE) & WS_TABSTOP);
    EXPECT_EQ(button->Parent(), main->Panel1);
    if (i > 0) {
      EXPECT_GT(button->Left(), buttons[i - 1].first->Left() + buttons[i - 1].first->Width());
    }
  }
  for (TBitBtn* button : {main->BitBtn1, main->BitBtn2, main->BitBtn3, main->BitBtn4}) {
    EXPECT_EQ(button->Glyph()->Width(), 24);
    EXPECT_EQ(button->Glyph()->Height(), 24);
    EXPECT_EQ(ColorToRGB(button->Glyph()->TransparentColor()), clFuchsia);
  }
  EXPECT_EQ(main->BitBtn1->TabOrder(), 0);
  EXPECT_EQ(main->BitBtn2->TabOrder(), 1);
  EXPECT_EQ(main->BitBtn3->TabOrder(), 2);
  EXPECT_EQ(main->BitBtn4->TabOrder(), 3);

  // Aligned: buttons' panel on top, credit line at the bottom, advertising on the right, the
  // invoice view in what remains.
  RECT client;
  GetClientRect(window, &client);
  int screen = ScreenPixelsPerInch();
  auto scaled = [screen](int length) { return static_cast<int>(ScaleLength(length, screen, 106)); };
  EXPECT_EQ(main->Panel1->Top(), 0);
  EXPECT_EQ(main->Panel1->Height(), scaled(74));
  EXPECT_EQ(main->Panel1->Width(), client.right);
  EXPECT_EQ(main->StatusBar1->Top() + main->StatusBar1->Height(), client.bottom);
  EXPECT_EQ(main->Panel2->Width(), scaled(402));
  EXPECT_EQ(main->Panel2->Left() + main->Panel2->Width(), client.right);
  EXPECT_EQ(main->CppWebBrowser1->Left(), 0);
  EXPECT_EQ(main->CppWebBrowser1->Top(), main->Panel1->Height());
  EXPECT_EQ(main->CppWebBrowser1->Width(), main->Panel2->Left());
  EXPECT_EQ(main->CppWebBrowser1->Height(), main->StatusBar1->Top() - main->Panel1->Height());
  EXPECT_EQ(main->CppWebBrowser2->Parent(), main->Panel2);
  EXPECT_EQ(main->CppWebBrowser2->Align(), TAlign::alTop);
  EXPECT_FALSE(main->CppWebBrowser2->TabStop());
  EXPECT_EQ(main->Image2->Parent(), main->Panel2);
  EXPECT_EQ(main->Image2->Align(), TAlign::alBottom);
  ASSERT_NE(main->Image2->Picture()->Graphic(), nullptr);
  EXPECT_EQ(main->Image2->Picture()->Graphic()->ClassName(), "TPNGObject");
  EXPECT_EQ(main->Image2->Picture()->Width(), 398);
  EXPECT_EQ(main->Image2->Picture()->Height(), 159);
  EXPECT_EQ(main->Panel1->TabOrder(), 1);
  EXPECT_EQ(main->CppWebBrowser1->TabOrder(), 2);
  EXPECT_EQ(main->Panel2->TabOrder(), 3);

  EXPECT_NE(main->StatusBar1->SimpleText().find(L"www.corvale.example"), std::wstring::npos);
  EXPECT_EQ(main->OpenDialog1->Filter(), L"File xml|*.xml");
  EXPECT_EQ(main->Timer1->Interval(), 6000);
  EXPECT_TRUE(main->Timer1->Enabled());
}

// The main window carries our default skin: loaded when the definition is read, every element there,
// each image a whole number of frames.
TEST_F(Viewer, DefaultSkinIsLoadedFromTheDefinition) {
  TMainDFM* main = ShowMain();
  TSkinData& skin = *main->SkinData1;
  ASSERT_FALSE(skin.FNoSkin);
  EXPECT_EQ(skin.FSkinName, "Corvale");
  EXPECT_TRUE(skin.Active());
  EXPECT_EQ(skin.DisableTag(), 99);
  EXPECT_EQ(GetSetProp(&skin, "Options"), "[xoMDIScrollbar,xoPreview,xoToolbarBK,xoFormScrollbar]");
  EXPECT_FALSE(skin.SkinControls() & xcMenuItem);
  EXPECT_TRUE(skin.SkinControls() & xcSystemMenu);
  EXPECT_EQ(skin.Skin3rd()->Count(), 124);
  EXPECT_EQ(GetEnumProp(&skin, "SkinFormtype"), "sfMainform");
  ASSERT_NE(SkinManager, nullptr);
  EXPECT_EQ(SkinManager->FMainData, &skin);

  const std::pair<const char*, TDataSkinObject*> elements[] = {
      {"Left", skin.FFrameLeft.get()}, {"Right", skin.FFrameRight.get()}, {"Top", skin.FFrameTop.get()},
      {"Bottom", skin.FFrameBottom.get()}, {"Title", skin.FTitle.get()}, {"Buttons", skin.FButtons.get()},
      {"Progress", skin.FProgress.get()}, {"Progress.Chunk", skin.FProgressChunk.get()},
      {"menu bar", skin.FMenuBar.get()}, {"GroupBoxEdge", skin.FGroupBoxEdge.get()}, {"GroupBox", skin.FGroupBox.get()},
      {"Tabs", skin.FTabs.get()}, {"StatusBarEdges", skin.FStatusBarEdges.get()}, {"Tab.Pane", skin.FTabPane.get()},
      {"ToolBars", skin.FToolBars.get()}, {"ComboButton", skin.FComboButton.get()}, {"SunkEdge", skin.FSunkEdge.get()},
      {"ExtraImages", skin.FExtraImages.get()}, {"Headerbar", skin.FHeaderbar.get()}, {"MenuItem", skin.FMenuItem.get()},
      {"MenuBackground", skin.FMenuBackground.get()}, {"Scrollbar", skin.FScrollbar.get()},
      {"HorzScroll", skin.FHorzScroll.get()}, {"VertScroll", skin.FVertScroll.get()},
      {"HorzScrollThumb", skin.FHorzScrollThumb.get()}, {"VertScrollThumb", skin.FVertScrollThumb.get()},
      {"ThumbHorz", skin.FThumbHorz.get()}, {"ThumbVert", skin.FThumbVert.get()}, {"ThumbLeft", skin.FThumbLeft.get()},
      {"ThumbRight", skin.FThumbRight.get()}, {"ThumbUp", skin.FThumbUp.get()}, {"ThumbDown", skin.FThumbDown.get()},
      {"UpDown.Horz", skin.FUpDownHorz.get()}, {"UpDown.Vert", skin.FUpDownVert.get()}, {"Track", skin.FTrack.get()},
      {"TRACKVERT", skin.FTrackVert.get()}, {"ComboxArrow", skin.FComboxArrow.get()}, {"Toolbar", skin.FToolbar.get()}};
  for (const auto& [name, element] : elements) {
    ASSERT_NE(element, nullptr) << name;
    EXPECT_FALSE(element->Map->Empty()) << name;
    ASSERT_GE(element->Frame, 1) << name;
    // The top and bottom pieces and the title backdrop stack their frames.
    bool stacked = element == skin.FFrameTop.get() || element == skin.FFrameBottom.get() || element == skin.FTitle.get();
    int length = stacked ? element->Map->Height() : element->Map->Width();
    EXPECT_EQ(length % element->Frame, 0) << name << ": " << length << " / " << element->Frame;
  }
  // The frame counts the loader sets, and the skin's own structure.
  EXPECT_EQ(skin.FButtons->Frame, 5);
  EXPECT_EQ(skin.FScrollbar->Frame, 23);
  EXPECT_EQ(skin.FFrameTop->Frame, 2);
  EXPECT_EQ(skin.FFrameTop->Map->Height() / 2, 28);  // the title bar
  EXPECT_EQ(skin.FFrameLeft->Map->Width() / 2, 4);
  EXPECT_EQ(skin.FFrameBottom->Map->Height() / 2, 5);
  EXPECT_EQ(skin.FFrameLeft->Frame, 2);
  EXPECT_EQ(skin.FTitle->Margins.left, 16);
  EXPECT_EQ(skin.FTitle->Margins.top, 2);
  EXPECT_EQ(skin.FTitle->Margins.right, 75);
  EXPECT_EQ(skin.FComboButton->Style, 2);
  EXPECT_EQ(skin.FButtons->CheckButtonFrame, 12);
  EXPECT_EQ(skin.FButtons->RadioButtonFrame, 8);
  ASSERT_GE(skin.FSysButtons.size(), 8u);
  EXPECT_EQ(skin.FSysButtons[0]->Action, 0);  // close: 126 x 21, no frame key
  EXPECT_EQ(skin.FSysButtons[0]->Map->Width(), 126);
  EXPECT_EQ(skin.FSysButtons[0]->Frame, 6);
  bool iconButton = false;
  for (const auto& button : skin.FSysButtons) {
    if (button->Action != 3) continue;
    iconButton = true;
    EXPECT_TRUE(button->Map->Empty());
    EXPECT_EQ(button->Frame, 6);
  }
  EXPECT_TRUE(iconButton);
  EXPECT_EQ(skin.FSysButtons[skin.FSysButtons.size() - 1]->Action, 9);  // the MDI buttons come last
}

TEST_F(Viewer, ProgramIconReachesTheApplicationWindow) {
  ShowMain();
  EXPECT_NE(FApplication->Icon(), nullptr);
  EXPECT_NE(SendMessageW(FApplication->Handle(), WM_GETICON, ICON_SMALL, 0), 0);
  EXPECT_NE(GetClassLongPtrW(FMain->Handle(), GCLP_HICON), 0);
}

TEST_F(Viewer, ShowingNavigatesBothViews) {
  TMainDFM* main = ShowMain();
  ASSERT_EQ(FInvoiceView.Calls.size(), 1u);
  EXPECT_EQ(FInvoiceView.Calls[0].What, L"about:blank");
  EXPECT_EQ(FInvoiceView.Calls[0].Arguments, (std::vector<std::string>{"missing", "missing", "missing", "missing"}));
  ASSERT_EQ(FAdvertising.Calls.size(), 1u);
  EXPECT_EQ(FAdvertising.Calls[0].What, L"http://www.corvale.example/pubblicita/Pagina1.html");
  EXPECT_EQ(FAdvertising.Calls[0].Arguments, (std::vector<std::string>{"null", "null", "null", "null"}));
  EXPECT_EQ(main->NextPage(), 2);
  std::wstring program = ModuleFileName();
  EXPECT_EQ(main->AppDirectory(), program.substr(0, program.find_last_of(L'\\')));
  EXPECT_EQ(main->TemporaryFileName(), main->AppDirectory() + L"\\Corvale.tmp");
}

TEST_F(Viewer, TimerCyclesTheTenAdvertisingPages) {
  TMainDFM* main = ShowMain();
  for (int tick = 0; tick < 12; ++tick) main->Timer1->OnTimer(main->Timer1);
  std::vector<std::wstring> pages;
  for (const TCall& call : FAdvertising.Calls) {
    pages.push_back(call.What.substr(call.What.find(L"Pagina") + 6));
  }
  EXPECT_EQ(pages, (std::vector<std::wstring>{L"1.html", L"2.html", L"3.html", L"4.html", L"5.html", L"6.html",
                                              L"7.html", L"8.html", L"9.html", L"10.html", L"1.html", L"2.html",
                                              L"3.html"}));
}

TEST_F(Viewer, OpeningWritesTheTemporaryDocumentAndNavigatesToIt) {
  TMainDFM* main = ShowMain();
  gChosenFile = WriteInvoice(L"first.xml", "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                           "<p:FatturaElettronica xmlns:p=\"urn:x\">\xC3\xA0</p:FatturaElettronica>\n");
  ClickControl(main->BitBtn1);
  EXPECT_EQ(gDialogRuns, 1);
  EXPECT_EQ(TemporaryFile(), "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                             "<?xml-stylesheet type=\"text/xsl\" href=\"Corvale.xsl\"?>\r\n"
                             "<p:FatturaElettronica xmlns:p=\"urn:x\">\xC3\xA0</p:FatturaElettronica>\r\n");
  ASSERT_EQ(FInvoiceView.Calls.size(), 2u);
  EXPECT_EQ(FInvoiceView.Calls[1].What, main->TemporaryFileName());
  EXPECT_EQ(FInvoiceView.Calls[1].Arguments, (std::vector<std::string>{"null", "null", "null", "null"}));

  // The system's XML parser takes the document, stylesheet instruction included.
  CoInitialize(nullptr);
  CLSID parserClass;
  ASSERT_EQ(CLSIDFromProgID(L"Msxml2.DOMDocument.3.0", &parserClass), S_OK);
  IXMLDOMDocument* document = nullptr;
  ASSERT_EQ(CoCreateInstance(parserClass, nullptr, CLSCTX_INPROC_SERVER, kXmlDocumentInterface,
                             reinterpret_cast<void**>(&document)),
            S_OK);
  VARIANT path;
  VariantInit(&path);
  path.vt = VT_BSTR;
  path.bstrVal = SysAllocString(main->TemporaryFileName().c_str());
  VARIANT_BOOL loaded = VARIANT_FALSE;
  document->put_async(VARIANT_FALSE);
  EXPECT_EQ(document->load(path, &loaded), S_OK);
  EXPECT_EQ(loaded, VARIANT_TRUE);
  IXMLDOMNode* first = nullptr;
  ASSERT_EQ(document->get_firstChild(&first), S_OK);
  BSTR name = nullptr;
  IXMLDOMNode* second = nullptr;
  if (first) first->get_nextSibling(&second);
  if (second) second->get_nodeName(&name);
  EXPECT_STREQ(name ? name : L"", L"xml-stylesheet");
  SysFreeString(name);
  if (second) second->Release();
  if (first) first->Release();
  VariantClear(&path);
  document->Release();
  CoUninitialize();
}

TEST_F(Viewer, CancellingChangesNothingAndAnotherOpenReplacesTheDocument) {
  TMainDFM* main = ShowMain();
  gChosenFile = WriteInvoice(L"first.xml", "<a>first</a>");
  ClickControl(main->BitBtn1);
  std::string first = TemporaryFile();

  gChosenFile.clear();
  ClickControl(main->BitBtn1);
  EXPECT_EQ(TemporaryFile(), first);
  EXPECT_EQ(FInvoiceView.Calls.size(), 2u);

  gChosenFile = WriteInvoice(L"second.xml", "");
  ClickControl(main->BitBtn1);
  EXPECT_EQ(TemporaryFile(), "<?xml-stylesheet type=\"text/xsl\" href=\"Corvale.xsl\"?>\r\n");
  EXPECT_EQ(FInvoiceView.Calls.size(), 3u);
}

TEST_F(Viewer, UnreadableInvoiceIsReportedAndTheViewKept) {
  TMainDFM* main = ShowMain();
  gChosenFile = WriteInvoice(L"first.xml", "<a>first</a>");
  ClickControl(main->BitBtn1);
  std::string first = TemporaryFile();

  gChosenFile = TestFolder() + L"\\missing.xml";
  ClickControl(main->BitBtn1);
  ASSERT_EQ(gBoxes.size(), 1u);
  EXPECT_NE(gBoxes[0].find(L"missing.xml"), std::wstring::npos);
  EXPECT_EQ(TemporaryFile(), first);
  EXPECT_EQ(FInvoiceView.Calls.size(), 2u);
}

// URLs are converted whole, far past the 99 characters a fixed buffer would hold.
TEST(ViewerUrls, AnyLengthConverts) {
  std::string url = "http://www.corvale.example/" + std::string(300, 'p') + "/Pagina1.html";
  EXPECT_EQ(AnsiToWide(url), std::wstring(url.begin(), url.end()));
  EXPECT_EQ(AnsiToWide(""), L"");
}

TEST_F(Viewer, PrintAsksTheInvoiceViewToPrintWithItsDialog) {
  TMainDFM* main = ShowMain();
  ClickControl(main->BitBtn4);
  ASSERT_EQ(FInvoiceView.Calls.size(), 2u);
  EXPECT_EQ(FInvoiceView.Calls[1].What, L"ExecWB 6 1");
  EXPECT_EQ(FInvoiceView.Calls[1].Arguments, (std::vector<std::string>{"missing", "missing"}));
}

TEST_F(Viewer, LogoOpensTheMakersSite) {
  TMainDFM* main = ShowMain();
  ClickGraphic(main->Image2);
  EXPECT_EQ(gShellFiles, (std::vector<std::string>{"www.corvale.example"}));
  EXPECT_EQ(gShellOwner, GetDesktopWindow());
}

TEST_F(Viewer, ExitClosesTheWindowAndDeletesTheTemporaryFile) {
  TMainDFM* main = ShowMain();
  gChosenFile = WriteInvoice(L"first.xml", "<a/>");
  ClickControl(main->BitBtn1);
  ASSERT_TRUE(FileExists(main->TemporaryFileName()));
  ClickControl(main->BitBtn2);
  EXPECT_FALSE(FileExists(main->TemporaryFileName()));
  EXPECT_FALSE(IsWindowVisible(main->Handle()));
  EXPECT_TRUE(FApplication->Terminated());
}

// What the About window shows and does while it is modal; the timer callback runs inside its loop.
struct TAboutVisit {
  bool Seen = false;
  bool MainDisabled = false;
  std::wstring Caption;
  LONG_PTR Style = 0;
  RECT Client{};
  std::vector<std::string> Shell;
};
TAboutVisit gVisit;

void CALLBACK VisitAbout(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  TAboutDFM* about = AboutDFM;
  if (!about) return;
  gVisit.Seen = true;
  gVisit.MainDisabled = MainDFM && !IsWindowEnabled(MainDFM->Handle());
  wchar_t text[64] = {};
  GetWindowTextW(about->Handle(), text, 64);
  gVisit.Caption = text;
  gVisit.Style = GetWindowLongPtrW(about->Handle(), GWL_STYLE);
  GetClientRect(about->Handle(), &gVisit.Client);
  ClickGraphic(about->Label6);
  ClickGraphic(about->Label7);
  gVisit.Shell = gShellFiles;
  ClickControl(about->BitBtn1);
}

TEST_F(Viewer, AboutIsModalShowsItsLinksAndCloses) {
  TMainDFM* main = ShowMain();
  gVisit = TAboutVisit();
  SetTimer(nullptr, 0, 10, VisitAbout);
  ClickControl(main->BitBtn3);
  EXPECT_TRUE(gVisit.Seen);
  EXPECT_TRUE(gVisit.MainDisabled);
  EXPECT_EQ(gVisit.Caption, L"Informazioni su...");
  EXPECT_TRUE(gVisit.Style & WS_SYSMENU);
  EXPECT_FALSE(gVisit.Style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  int screen = ScreenPixelsPerInch();
  EXPECT_EQ(gVisit.Client.right, ScaleLength(405, screen, 106));
  EXPECT_EQ(gVisit.Client.bottom, ScaleLength(257, screen, 106));
  EXPECT_EQ(gVisit.Shell, (std::vector<std::string>{"www.corvale.example", "mailto:info@corvale.example"}));
  EXPECT_EQ(AboutDFM, nullptr);  // destroyed once the modal display returned
  EXPECT_TRUE(IsWindowEnabled(main->Handle()));
  for (int i = 0; i < Screen().FormCount(); ++i) EXPECT_NE(Screen().Forms(i)->ClassName(), "TAboutDFM");
}

TEST_F(Viewer, AboutWindowAsDefined) {
  TAboutDFM about(FApplication);
  HWND window = about.Handle();
  wchar_t text[64] = {};
  GetClassNameW(window, text, 64);
  EXPECT_STREQ(text, L"TAboutDFM");
  EXPECT_EQ(about.Position(), TPosition::poScreenCenter);
  EXPECT_EQ(about.Font()->Name(), "Verdana");
  EXPECT_FALSE(about.TabControl1->TabStop());
  EXPECT_EQ(about.Image1->Parent(), about.TabControl1);
  EXPECT_EQ(about.Image1->Align(), TAlign::alTop);
  EXPECT_TRUE(about.Image1->Stretch());
  EXPECT_EQ(about.Image1->Picture()->Width(), 450);
  EXPECT_EQ(about.Image1->Picture()->Height(), 180);
  for (TLabel* link : {about.Label6, about.Label7}) {
    EXPECT_EQ(link->Cursor(), TCursor::crHandPoint);
    EXPECT_EQ(link->Font()->Color(), clBlue);
    EXPECT_TRUE(link->Font()->Style() & fsUnderline);
  }
  EXPECT_EQ(about.Label6->Caption(), L"www.corvale.example");
  EXPECT_EQ(about.Label7->Caption(), L"info@corvale.example");
  EXPECT_EQ(about.Label8->Caption(), L"Sito web:");
  EXPECT_EQ(about.Label9->Caption(), L"E-mail:");
  GetWindowTextW(about.BitBtn1->Handle(), text, 64);
  EXPECT_STREQ(text, L"ESCI");
  EXPECT_EQ(about.BitBtn1->Glyph()->Width(), 16);
  EXPECT_EQ(ColorToRGB(about.BitBtn1->Glyph()->TransparentColor()), clFuchsia);
}

// The windows are what their definitions say: a changed value shows in the window.
TEST_F(Viewer, EditedDefinitionShowsInTheWindow) {
  std::string definition = LoadFormResourceText(L"TMAINDFM");
  size_t at = definition.find("'APRI FILE XML'");
  ASSERT_NE(at, std::string::npos);
  definition.replace(at, 15, "'APRI FATTURA'");
  TMainDFM* main = ShowMain(definition);
  wchar_t text[64] = {};
  GetWindowTextW(main->BitBtn1->Handle(), text, 64);
  EXPECT_STREQ(text, L"APRI FATTURA");
}

TEST_F(Viewer, BrokenDefinitionNamesWhatIsWrong) {
  std::string definition = LoadFormResourceText(L"TMAINDFM");
  size_t at = definition.find("Interval = 6000");
  ASSERT_NE(at, std::string::npos);
  definition.replace(at, 15, "Intervall = 6000");
  try {
    TMainDFM main(FApplication, definition);
    FAIL() << "the definition was accepted";
  } catch (const Exception& error) {
    EXPECT_NE(std::string(error.what()).find("Timer1.Intervall"), std::string::npos) << error.what();
  }
}

}  // namespace
