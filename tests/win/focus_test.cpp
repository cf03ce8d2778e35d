// Keyboard focus and pointer details: tab order among windowed children (also when definitions set
// it before the parent), Tab and Shift+Tab through the application's message handling, the focused
// control reported to its form, cursors over graphic children, mouse-down events, and the tab
// control as a framed panel holding graphic children.
#include "framework/win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "framework/controls/buttons.h"
#include "framework/forms.h"
#include "framework/graphics/gdi.h"
#include "framework/controls/labels.h"
#include "framework/controls/messages.h"
#include "framework/controls/panels.h"
#include "framework/controls/tab_control.h"

namespace {

class Focus : public testing::Test {
protected:
  void SetUp() override {
    FApplication = new TApplication(nullptr);
    FApplication->Initialize();
    FForm = new TForm(FApplication);
    FForm->SetBounds(10, 10, 400, 300);
  }
  void TearDown() override { delete FApplication; }

  TButton* AddButton(TWinControl* parent, int left) {
    auto* button = new TButton(FForm);
    button->SetParent(parent);
    button->SetLeft(left);
    return button;
  }
  // A key as the message loop receives it.
  void PressKey(HWND target, WPARAM key, bool shift = false) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(state);
    MSG message{target, WM_KEYDOWN, key, 0, 0, {}};
    TApplication::HandleMessage(message);
    state[VK_SHIFT] = 0;
    SetKeyboardState(state);
  }

  TApplication* FApplication = nullptr;
  TForm* FForm = nullptr;
};

TEST_F(Focus, TabOrderFollowsInsertionAndCanBeSetBeforeTheParent) {
  TButton* a = AddButton(FForm, 0);
  TButton* b = AddButton(FForm, 80);
  auto* c = new TButton(FForm);
  c->SetTabOrder(0);  // as a definition does: before the parent is known
  c->SetParent(FForm);
  EXPECT_EQ(c->TabOrder(), 0);
  EXPECT_EQ(a->TabOrder(), 1);
  EXPECT_EQ(b->TabOrder(), 2);
  SetOrdProp(b, "TabOrder", 0);
  EXPECT_EQ(b->TabOrder(), 0);
  EXPECT_EQ(c->TabOrder(), 1);
  SetOrdProp(a, "TabStop", 0);
  EXPECT_FALSE(GetWindowLongPtrW(a->Handle(), GWL_STYLE) & WS_TABSTOP);
  EXPECT_TRUE(GetWindowLongPtrW(b->Handle(), GWL_STYLE) & WS_TABSTOP);
}

TEST_F(Focus, TabKeysMoveThroughTabStopsAndTheFormKnowsTheFocus) {
  TButton* first = AddButton(FForm, 0);
  auto* panel = new TPanel(FForm);
  panel->SetParent(FForm);
  panel->SetBounds(0, 100, 300, 60);
  TButton* inner = AddButton(panel, 0);
  TButton* skipped = AddButton(FForm, 80);
  skipped->SetTabStop(false);
  TButton* hidden = AddButton(FForm, 160);
  hidden->SetVisible(false);
  TButton* last = AddButton(FForm, 240);
  FForm->Show();
  first->SetFocus();
  EXPECT_EQ(FForm->ActiveControl(), first);

  std::vector<TWinControl*> visited;
  for (int i = 0; i < 3; ++i) {
    PressKey(GetFocus(), VK_TAB);
    visited.push_back(FForm->ActiveControl());
  }
  EXPECT_EQ(visited, (std::vector<TWinControl*>{inner, last, first}));
  PressKey(GetFocus(), VK_TAB, true);
  EXPECT_EQ(FForm->ActiveControl(), last);
  EXPECT_EQ(GetFocus(), last->Handle());

  delete last;  // the form forgets a focused control that goes away
  EXPECT_EQ(FForm->ActiveControl(), nullptr);
}

// A control that takes a dialog key before the form does.
class TKeyTaker : public TButton {
public:
  using TButton::TButton;
  std::vector<WPARAM> Keys;

protected:
  void WndProc(TMessage& message) override {
    if (message.Msg == CM_DIALOGKEY) {
      Keys.push_back(message.WParam);
      message.Result = message.WParam == VK_TAB;
      return;
    }
    TButton::WndProc(message);
  }
};

TEST_F(Focus, DialogKeysGoRoundTheControlsFirst) {
  auto* taker = new TKeyTaker(FForm);
  taker->SetParent(FForm);
  TButton* other = AddButton(FForm, 100);
  FForm->Show();
  other->SetFocus();
  PressKey(GetFocus(), VK_TAB);
  EXPECT_EQ(GetFocus(), other->Handle());  // taken: the focus stays
  PressKey(GetFocus(), VK_LEFT);
  EXPECT_EQ(taker->Keys, (std::vector<WPARAM>{VK_TAB, VK_LEFT}));
}

// A container whose embedded window has shortcuts of its own, as a browser does.
class TShortcutHost : public TPanel {
public:
  using TPanel::TPanel;
  bool PreProcessMessage(MSG& message) override {
    Seen.push_back(message.wParam);
    return message.wParam == 'C';
  }
  std::vector<WPARAM> Seen;
};

TEST_F(Focus, EmbeddedShortcutsComeBeforeDialogKeys) {
  auto* host = new TShortcutHost(FForm);
  host->SetParent(FForm);
  TButton* inside = AddButton(host, 0);
  TButton* next = AddButton(FForm, 200);
  FForm->Show();
  inside->SetFocus();
  PressKey(inside->Handle(), 'C');
  PressKey(inside->Handle(), VK_TAB);
  EXPECT_EQ(host->Seen, (std::vector<WPARAM>{'C', VK_TAB}));
  EXPECT_EQ(GetFocus(), next->Handle());  // not taken by the host: the form moved the focus
}

class TClicks : public TComponent {
public:
  using TComponent::TComponent;
  void Clicked(TPersistent*) { ++Count; }
  int Count = 0;
};

TEST_F(Focus, AltWithAnAcceleratorClicksTheButton) {
  TButton* open = AddButton(FForm, 0);
  open->SetCaption(L"&Apri");
  TButton* both = AddButton(FForm, 80);
  both->SetCaption(L"Fatture && &note");
  TClicks openClicks(nullptr), bothClicks(nullptr);
  open->OnClick = TNotifyEvent::Bind<&TClicks::Clicked>(&openClicks);
  both->OnClick = TNotifyEvent::Bind<&TClicks::Clicked>(&bothClicks);
  FForm->Show();
  for (WPARAM key : {WPARAM('a'), WPARAM('N'), WPARAM('f'), WPARAM('z')}) {
    MSG message{open->Handle(), WM_SYSCHAR, key, 0, 0, {}};
    TApplication::HandleMessage(message);
  }
  EXPECT_EQ(openClicks.Count, 1);
  EXPECT_EQ(bothClicks.Count, 1);  // "&&" is a plain ampersand, not an accelerator
}

class TPointerLog : public TComponent {
public:
  using TComponent::TComponent;
  void MouseDown(TPersistent* sender, TMouseButton button, uint64_t shift, int x, int y) {
    Log.push_back({sender, button, shift, x, y});
  }
  struct TEntry {
    TPersistent* Sender;
    TMouseButton Button;
    uint64_t Shift;
    int X, Y;
  };
  std::vector<TEntry> Log;
};

TEST_F(Focus, MouseDownAndCursorsReachTheControlUnderThePointer) {
  auto* panel = new TPanel(FForm);
  panel->SetParent(FForm);
  panel->SetBounds(0, 0, 200, 100);
  auto* link = new TLabel(FForm);
  link->SetParent(panel);
  link->SetBounds(20, 30, 50, 15);
  SetEnumProp(link, "Cursor", "crHandPoint");
  TPointerLog log(nullptr);
  link->OnMouseDown = TMouseEvent::Bind<&TPointerLog::MouseDown>(&log);
  panel->OnMouseDown = TMouseEvent::Bind<&TPointerLog::MouseDown>(&log);
  FForm->Show();

  HWND window = panel->Handle();
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(25, 40));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(25, 40));
  SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(150, 80));
  ASSERT_EQ(log.Log.size(), 2u);
  EXPECT_EQ(log.Log[0].Sender, link);
  EXPECT_EQ(log.Log[0].Button, TMouseButton::mbLeft);
  EXPECT_EQ(log.Log[0].Shift, ssShift | ssLeft);
  EXPECT_EQ(log.Log[0].X, 5);
  EXPECT_EQ(log.Log[0].Y, 10);
  EXPECT_EQ(log.Log[1].Sender, panel);
  EXPECT_EQ(log.Log[1].Button, TMouseButton::mbRight);
  EXPECT_EQ(log.Log[1].X, 150);

  POINT over = link->ClientToScreen(POINT{5, 5});
  POINT inPanel = over;
  ScreenToClient(window, &inPanel);
  EXPECT_EQ(inPanel.x, 25);  // through the form's frame to the label's corner
  EXPECT_EQ(link->ScreenToClient(over).y, 5);
  SetCursorPos(over.x, over.y);
  SetCursor(nullptr);
  SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), CursorHandle(TCursor::crHandPoint));
  EXPECT_EQ(CursorHandle(TCursor::crDefault), nullptr);
}

TEST_F(Focus, TabControlFramesItsPageAndPaintsGraphicChildren) {
  auto* tabs = new TTabControl(FForm);
  tabs->SetParent(FForm);
  tabs->SetBounds(0, 0, 200, 120);
  auto* header = new TLabel(FForm);
  header->SetParent(tabs);
  header->SetHeight(20);
  header->SetAlign(TAlign::alTop);
  header->SetColor(RGB(0x10, 0x80, 0x20));
  FForm->Show();

  RECT page = tabs->DisplayRect();
  EXPECT_GT(page.left, 0);
  EXPECT_GT(page.top, 0);
  EXPECT_LT(page.right, 200);
  EXPECT_EQ(header->Left(), page.left);
  EXPECT_EQ(header->Top(), page.top);
  EXPECT_EQ(header->Width(), page.right - page.left);

  TOffscreen buffer(200, 120);
  SendMessageW(tabs->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(buffer.DC()), PRF_CLIENT);
  EXPECT_EQ(buffer.Pixel(page.left + 10, page.top + 10), 0x108020u);
  EXPECT_NE(buffer.Pixel(page.left + 10, page.top + 30), 0x108020u);
  // The frame is the system's, drawn around the page.
  EXPECT_NE(buffer.Pixel(0, 60), buffer.Pixel(page.left + 10, page.top + 40));

  tabs->Tabs()->Add("Uno");
  tabs->Tabs()->Add("Due");
  EXPECT_EQ(SendMessageW(tabs->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
  SetOrdProp(tabs, "TabIndex", 1);
  EXPECT_EQ(tabs->TabIndex(), 1);
  EXPECT_GT(tabs->DisplayRect().top, page.top);  // the tabs take room above the page
  EXPECT_EQ(header->Top(), tabs->DisplayRect().top);
}

TEST_F(Focus, ReleasedFormFreesItselfLater) {
  auto* other = new TForm(FApplication);
  other->Show();
  int before = Screen().FormCount();
  other->Release();
  EXPECT_EQ(Screen().FormCount(), before);
  FApplication->ProcessMessages();
  EXPECT_EQ(Screen().FormCount(), before - 1);
}

}  // namespace
