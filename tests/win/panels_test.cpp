// Panels paint their background, bevels and graphic children off-screen; a click on a graphic child
// reaches it through its parent.
#include "framework/controls/panels.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include "framework/graphics/gdi.h"

namespace {

class TTestSpot : public TGraphicControl {
public:
  using TGraphicControl::TGraphicControl;
  void Paint(HDC dc) override {
    TBrushHandle red(CreateSolidBrush(RGB(0xFF, 0, 0)));
    RECT all{0, 0, Width() + 50, Height() + 50};  // overdraws: the parent's clip keeps it inside
    FillRect(dc, &all, red.Get());
  }
  void Click() override { ++Clicks; }
  int Clicks = 0;
};

uint32_t Rgb(COLORREF colour) { return GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour); }

TEST(Panels, BevelsBackgroundAndGraphicChildren) {
  TPanel panel(nullptr);
  panel.SetBounds(0, 0, 100, 40);
  SetOrdProp(&panel, "Color", RGB(0x20, 0x40, 0x60));
  SetEnumProp(&panel, "BevelOuter", "bvRaised");
  SetOrdProp(&panel, "BevelWidth", 2);
  SetWindowLongPtrW(panel.Handle(), GWL_STYLE, WS_POPUP);  // no frame: client = bounds
  SetWindowPos(panel.Handle(), nullptr, 0, 0, 100, 40, SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
  auto* spot = new TTestSpot(&panel);
  spot->SetBounds(20, 5, 10, 10);
  spot->SetParent(&panel);

  TOffscreen buffer(100, 40);
  SendMessageW(panel.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(buffer.DC()), PRF_CLIENT);
  uint32_t light = Rgb(GetSysColor(COLOR_BTNHIGHLIGHT)), dark = Rgb(GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(buffer.Pixel(0, 0), light);
  EXPECT_EQ(buffer.Pixel(1, 20), light);
  EXPECT_EQ(buffer.Pixel(99, 39), dark);
  EXPECT_EQ(buffer.Pixel(98, 20), dark);
  EXPECT_EQ(buffer.Pixel(60, 30), 0x204060u);
  EXPECT_EQ(buffer.Pixel(20, 5), 0xFF0000u);
  EXPECT_EQ(buffer.Pixel(29, 14), 0xFF0000u);
  EXPECT_EQ(buffer.Pixel(30, 14), 0x204060u);  // clipped to the spot's bounds

  SendMessageW(panel.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 10));
  SendMessageW(panel.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(25, 10));
  SendMessageW(panel.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 10));
  SendMessageW(panel.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(60, 30));  // released elsewhere
  EXPECT_EQ(spot->Clicks, 1);
}

}  // namespace

#include "framework/controls/labels.h"
#include "framework/controls/status_bar.h"

namespace {

TEST(StatusBar, SimpleTextByNameOnTheSystemBar) {
  TWinControl form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto* bar = new TStatusBar(&form);
  bar->SetParent(&form);
  SetWideStrProp(bar, "SimpleText", L"Corvale - www.corvale.example");
  HWND window = bar->Handle();
  wchar_t className[64];
  GetClassNameW(window, className, 64);
  EXPECT_STREQ(className, L"TStatusBar");
  wchar_t text[64] = {};
  SendMessageW(window, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));  // part 0 reads the simple text
  EXPECT_STREQ(text, L"Corvale - www.corvale.example");
  RECT client = form.ClientRect();
  EXPECT_EQ(bar->Top(), client.bottom - 19);  // aligned to the bottom
  EXPECT_EQ(bar->Width(), client.right);
  EXPECT_EQ(GetStrProp(bar, "simpletext"), "Corvale - www.corvale.example");
}

TEST(Panels, AlignedChildrenStayInsideTheBevels) {
  TPanel panel(nullptr);
  panel.SetBounds(0, 0, 200, 100);
  SetWindowLongPtrW(panel.Handle(), GWL_STYLE, WS_POPUP);
  SetWindowPos(panel.Handle(), nullptr, 0, 0, 200, 100, SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
  auto* top = new TPanel(&panel);
  top->SetParent(&panel);
  top->SetHeight(30);
  top->SetAlign(TAlign::alTop);
  EXPECT_EQ(top->Left(), 1);
  EXPECT_EQ(top->Top(), 1);
  EXPECT_EQ(top->Width(), 198);
  SetEnumProp(&panel, "BevelInner", "bvLowered");
  SetOrdProp(&panel, "BevelWidth", 3);
  EXPECT_EQ(top->Left(), 6);
  EXPECT_EQ(top->Width(), 188);
}

TEST(Labels, PaintTheirBackgroundOnTheParent) {
  TPanel panel(nullptr);
  panel.SetBounds(0, 0, 100, 40);
  SetEnumProp(&panel, "BevelOuter", "bvNone");
  SetWindowLongPtrW(panel.Handle(), GWL_STYLE, WS_POPUP);
  SetWindowPos(panel.Handle(), nullptr, 0, 0, 100, 40, SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
  SetOrdProp(&panel, "Color", RGB(0, 0, 0xFF));
  auto* label = new TLabel(&panel);
  label->SetBounds(10, 10, 30, 10);
  label->SetParent(&panel);
  SetOrdProp(label, "Color", RGB(0, 0xFF, 0));
  TOffscreen buffer(100, 40);
  SendMessageW(panel.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(buffer.DC()), PRF_CLIENT);
  EXPECT_EQ(buffer.Pixel(12, 12), 0x00FF00u);  // no caption: the label's background only
  EXPECT_EQ(buffer.Pixel(50, 30), 0x0000FFu);
  SetEnumProp(label, "Transparent", "True");
  SendMessageW(panel.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(buffer.DC()), PRF_CLIENT);
  EXPECT_EQ(buffer.Pixel(12, 12), 0x0000FFu);
}

}  // namespace

#include "framework/core/form_reader.h"
#include "framework/controls/messages.h"

namespace {

class TEnterLeaveSpot : public TGraphicControl {
public:
  using TGraphicControl::TGraphicControl;
  std::vector<std::string>* Log = nullptr;

protected:
  void WndProc(TMessage& message) override {
    if (message.Msg == CM_MOUSEENTER) Log->push_back("spot enter");
    if (message.Msg == CM_MOUSELEAVE) Log->push_back("spot leave");
    TGraphicControl::WndProc(message);
  }
};

struct TPanelLog {
  std::vector<std::string> Log;
  TWindowProcLink* Link = nullptr;
  void Handle(TMessage& message) {
    if (message.Msg == CM_MOUSEENTER) Log.push_back("panel enter");
    if (message.Msg == CM_MOUSELEAVE) Log.push_back("panel leave");
    Link->CallPrevious(message);
  }
};

TEST(MouseTracking, EnterAndLeaveReachTheControlUnderThePointer) {
  TPanel panel(nullptr);
  panel.SetBounds(0, 0, 100, 40);
  TPanelLog log;
  log.Link = panel.ReplaceWindowProc(TWndMethod::Bind<&TPanelLog::Handle>(&log));
  auto* spot = new TEnterLeaveSpot(&panel);
  spot->Log = &log.Log;
  spot->SetBounds(20, 5, 10, 10);
  spot->SetParent(&panel);
  HWND window = panel.Handle();
  SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(50, 30));
  SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(51, 30));
  SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(25, 10));
  SendMessageW(window, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(log.Log, (std::vector<std::string>{"panel enter", "panel leave", "spot enter", "spot leave"}));
  panel.ReleaseWindowProc(log.Link);
}

}  // namespace

namespace {

TEST(Fonts, DefinitionValuesReachTheWindowFont) {
  TPanel panel(nullptr);
  panel.SetBounds(0, 0, 100, 40);
  RegisterComponentClass(TPanel::StaticClassInfo());
  ReadComponent(panel, ParseFormText("object P: TPanel\n  Font.Name = 'Verdana'\n  Font.Height = -12\n"
                                     "  Font.Style = [fsBold]\nend\n"));
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(panel.Handle(), WM_GETFONT, 0, 0));
  ASSERT_EQ(font, panel.Font()->Handle());
  LOGFONTW described = {};
  ASSERT_NE(GetObjectW(font, sizeof described, &described), 0);
  EXPECT_EQ(described.lfHeight, -12);
  EXPECT_EQ(described.lfWeight, FW_BOLD);
  EXPECT_STREQ(described.lfFaceName, L"Verdana");
  EXPECT_EQ(GetOrdProp(GetObjectProp(&panel, "Font"), "Height"), -12);

  // A change makes a new font and hands it to the window.
  SetOrdProp(panel.Font(), "Height", -16);
  font = reinterpret_cast<HFONT>(SendMessageW(panel.Handle(), WM_GETFONT, 0, 0));
  GetObjectW(font, sizeof described, &described);
  EXPECT_EQ(described.lfHeight, -16);
}

}  // namespace
