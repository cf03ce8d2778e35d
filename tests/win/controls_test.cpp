// Framework controls on real windows: lazy creation, the window property, the replaceable message
// method chain, properties by name reaching the live window, alignment, reflected notifications,
// and exceptions from handlers reaching the exception display.
#include "framework/controls/controls.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/controls/messages.h"

namespace {

constexpr UINT WM_PROBE = WM_APP + 7;

// A control that logs what its own handling sees.
class TProbe : public TWinControl {
public:
  explicit TProbe(TComponent* owner) : TWinControl(owner) {}
  std::vector<std::string> Log;

protected:
  void WndProc(TMessage& message) override {
    if (message.Msg == WM_PROBE) {
      Log.push_back("own");
      message.Result = 42;
      return;
    }
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) Log.push_back("clicked");
    TWinControl::WndProc(message);
  }
};

// A push button: a superclass of the system's BUTTON class.
class TProbeButton : public TProbe {
public:
  using TProbe::TProbe;

protected:
  void CreateParams(TCreateParams& params) override {
    TProbe::CreateParams(params);
    params.ClassName = L"TProbeButton";
    params.BaseClass = L"BUTTON";
    params.Style |= BS_PUSHBUTTON;
  }
};

// A replacement of the message method that logs and passes everything on.
struct THook {
  std::string Name;
  std::vector<std::string>* Log;
  TWindowProcLink* Link = nullptr;
  void Handle(TMessage& message) {
    if (message.Msg == WM_PROBE) Log->push_back(Name);
    Link->CallPrevious(message);
  }
};

class Controls : public testing::Test {
protected:
  void SetUp() override {
    FForm = new TProbe(nullptr);
    FForm->SetBounds(50, 50, 320, 240);
  }
  void TearDown() override { delete FForm; }
  TProbe* FForm = nullptr;
};

TEST_F(Controls, WindowsAreCreatedWhenNeededAndCarryTheirControl) {
  auto* child = new TProbe(FForm);
  child->SetParent(FForm);
  child->SetBounds(10, 10, 50, 20);
  EXPECT_FALSE(FForm->HandleAllocated());
  EXPECT_FALSE(child->HandleAllocated());

  HWND window = FForm->Handle();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(child->HandleAllocated());  // created with its parent
  EXPECT_EQ(GetParent(child->Handle()), window);
  EXPECT_EQ(FindControl(window), FForm);
  EXPECT_EQ(GetPropW(child->Handle(), ControlPropertyName().c_str()), child);
  wchar_t className[64];
  GetClassNameW(window, className, 64);
  EXPECT_STREQ(className, L"TWinControl");  // the framework class the control is an instance of
  EXPECT_EQ(FindControl(nullptr), nullptr);

  delete child;  // its window goes with it
  EXPECT_EQ(FForm->ControlCount(), 0);
}

TEST_F(Controls, MessageMethodChainReleasesInAnyOrder) {
  HWND window = FForm->Handle();
  std::vector<std::string> log;
  THook a{"a", &log}, b{"b", &log}, c{"c", &log};
  for (THook* hook : {&a, &b, &c}) {
    hook->Link = FForm->ReplaceWindowProc(TWndMethod::Bind<&THook::Handle>(hook));
  }
  EXPECT_EQ(FForm->WindowProc(), TWndMethod::Bind<&THook::Handle>(&c));
  EXPECT_EQ(SendMessageW(window, WM_PROBE, 0, 0), 42);
  EXPECT_EQ(log, (std::vector<std::string>{"c", "b", "a"}));
  EXPECT_EQ(FForm->Log, std::vector<std::string>{"own"});

  // The middle one lets go first: its neighbours join, and it is never called again.
  FForm->ReleaseWindowProc(b.Link);
  log.clear();
  SendMessageW(window, WM_PROBE, 0, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"c", "a"}));
  FForm->ReleaseWindowProc(c.Link);
  log.clear();
  SendMessageW(window, WM_PROBE, 0, 0);
  EXPECT_EQ(log, std::vector<std::string>{"a"});
  FForm->ReleaseWindowProc(a.Link);
  log.clear();
  EXPECT_EQ(FForm->Perform(WM_PROBE), 42);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(FForm->Log.size(), 4u);
}

TEST_F(Controls, PropertiesByNameReachTheLiveWindow) {
  HWND window = FForm->Handle();
  SetWideStrProp(FForm, "Caption", L"Corvale");
  wchar_t text[64] = {};
  GetWindowTextW(window, text, 64);
  EXPECT_STREQ(text, L"Corvale");

  SetOrdProp(FForm, "Color", RGB(0x12, 0x34, 0x56));
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 8;
  info.bmiHeader.biHeight = -8;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  EXPECT_EQ(SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
  GdiFlush();
  EXPECT_EQ(static_cast<const DWORD*>(bits)[3 * 8 + 3] & 0xFFFFFF, 0x123456u);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);

  SetEnumProp(FForm, "Enabled", "False");
  EXPECT_FALSE(IsWindowEnabled(window));
  SetEnumProp(FForm, "Visible", "True");
  EXPECT_TRUE(IsWindowVisible(window));
  SetEnumProp(FForm, "Visible", "false");
  EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(Controls, ChildrenAreAligned) {
  FForm->Handle();
  RECT client = FForm->ClientRect();
  auto make = [&](TAlign align, int width, int height) {
    auto* child = new TProbe(FForm);
    child->SetBounds(0, 0, width, height);
    child->SetParent(FForm);
    child->SetAlign(align);
    return child;
  };
  TProbe* fill = make(TAlign::alClient, 1, 1);  // placed last whatever its creation order
  TProbe* top = make(TAlign::alTop, 1, 20);
  TProbe* bottom = make(TAlign::alBottom, 1, 10);
  TProbe* right = make(TAlign::alRight, 40, 1);
  int w = client.right, h = client.bottom;
  EXPECT_EQ((std::vector<int>{top->Left(), top->Top(), top->Width(), top->Height()}), (std::vector<int>{0, 0, w, 20}));
  EXPECT_EQ((std::vector<int>{bottom->Top(), bottom->Width()}), (std::vector<int>{h - 10, w}));
  EXPECT_EQ((std::vector<int>{right->Left(), right->Top(), right->Height()}), (std::vector<int>{w - 40, 20, h - 30}));
  EXPECT_EQ((std::vector<int>{fill->Left(), fill->Top(), fill->Width(), fill->Height()}),
            (std::vector<int>{0, 20, w - 40, h - 30}));
  RECT placed;
  GetWindowRect(fill->Handle(), &placed);
  EXPECT_EQ(placed.right - placed.left, w - 40);
}

TEST_F(Controls, NotificationsAreReflectedToTheirControl) {
  auto* button = new TProbeButton(FForm);
  button->SetParent(FForm);
  button->SetBounds(10, 10, 80, 24);
  FForm->Handle();
  wchar_t className[64];
  GetClassNameW(button->Handle(), className, 64);
  EXPECT_STREQ(className, L"TProbeButton");
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(button->Log, std::vector<std::string>{"clicked"});
}

std::vector<std::string> gShown;
void RecordException(const std::exception& error) { gShown.push_back(error.what()); }

struct TThrowingHook {
  TWindowProcLink* Link = nullptr;
  void Handle(TMessage& message) {
    if (message.Msg == WM_PROBE) {
      if (message.LParam == 1) throw std::bad_alloc();
      if (message.LParam == 2) throw 42;  // not an exception class at all
      throw std::runtime_error("handler failed");
    }
    Link->CallPrevious(message);
  }
};

TEST_F(Controls, ExceptionsFromHandlersReachTheExceptionDisplay) {
  SetExceptionHandler(RecordException);
  TThrowingHook hook;
  hook.Link = FForm->ReplaceWindowProc(TWndMethod::Bind<&TThrowingHook::Handle>(&hook));
  for (LPARAM kind : {0, 1, 2}) EXPECT_EQ(SendMessageW(FForm->Handle(), WM_PROBE, 0, kind), 0);
  // Every kind of failure shows with a message: none is an empty box, none escapes.
  EXPECT_EQ(gShown, (std::vector<std::string>{"handler failed", std::bad_alloc().what(), "An unexpected error occurred."}));
  SetExceptionHandler(nullptr);
}

}  // namespace
