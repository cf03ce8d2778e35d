// Forms and the application on real windows: styles from border settings, client size and
// centring, show and close events, modal loops, the hidden application window, the message loop
// and the exception display.
#include "framework/forms.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

constexpr UINT WM_FINISH = WM_APP + 1;
constexpr UINT WM_FAIL = WM_APP + 2;

class TTestForm : public TForm {
public:
  using TForm::TForm;
  void FormShow(TPersistent*) { Events.push_back("show"); }
  void FormClose(TPersistent*, TCloseAction& action) {
    Events.push_back("close");
    action = CloseAction;
  }
  std::vector<std::string> Events;
  TCloseAction CloseAction = TCloseAction::caHide;
  HWND Other = nullptr;
  bool OtherWasEnabled = true;

protected:
  void WndProc(TMessage& message) override {
    if (message.Msg == WM_FINISH) {
      OtherWasEnabled = Other && IsWindowEnabled(Other);
      SetModalResult(static_cast<TModalResult>(message.WParam));
      return;
    }
    if (message.Msg == WM_FAIL) throw std::runtime_error("Cannot open the invoice");
    TForm::WndProc(message);
  }
};

std::vector<std::wstring> gBoxes;
int RecordBox(HWND, const wchar_t* text, const wchar_t* caption, UINT) {
  gBoxes.push_back(std::wstring(caption) + L"|" + text);
  return IDOK;
}

class Forms : public testing::Test {
protected:
  void SetUp() override {
    TApplication::SetMessageBoxFunction(RecordBox);
    gBoxes.clear();
    FApplication = new TApplication(nullptr);
    FApplication->Initialize();
    FApplication->SetTitle("Corvale");
  }
  void TearDown() override {
    delete FApplication;
    TApplication::SetMessageBoxFunction(nullptr);
  }
  TApplication* FApplication = nullptr;
};

TEST_F(Forms, BorderSettingsClientSizeAndCentring) {
  auto* about = new TTestForm(FApplication);
  about->SetBorderStyle(TFormBorderStyle::bsSingle);
  about->SetBorderIcons(biSystemMenu);
  about->SetPosition(TPosition::poScreenCenter);
  about->SetClientWidth(405);
  about->SetClientHeight(257);
  HWND window = about->Handle();
  LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  RECT client, frame, work;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 405);
  EXPECT_EQ(client.bottom, 257);
  GetWindowRect(window, &frame);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_LE(std::abs((frame.left + frame.right) / 2 - (work.left + work.right) / 2), 1);
  EXPECT_LE(std::abs((frame.top + frame.bottom) / 2 - (work.top + work.bottom) / 2), 1);
  EXPECT_EQ(Screen().Forms(Screen().FormCount() - 1), about);
}

TEST_F(Forms, ShowAndCloseEvents) {
  auto* form = new TTestForm(FApplication);
  form->OnShow = TNotifyEvent::Bind<&TTestForm::FormShow>(form);
  form->OnClose = TCloseEvent::Bind<&TTestForm::FormClose>(form);
  form->Show();
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  form->CloseAction = TCloseAction::caNone;
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  form->CloseAction = TCloseAction::caHide;
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_EQ(form->Events, (std::vector<std::string>{"show", "close", "close"}));
}

TEST_F(Forms, ShowModalDisablesTheOthersAndReturnsTheResult) {
  auto* main = new TTestForm(FApplication);
  main->Show();
  auto* about = new TTestForm(FApplication);
  about->Other = main->Handle();
  PostMessageW(about->Handle(), WM_FINISH, IDOK, 0);
  EXPECT_EQ(about->ShowModal(), IDOK);
  EXPECT_FALSE(about->OtherWasEnabled);
  EXPECT_TRUE(IsWindowEnabled(main->Handle()));
  EXPECT_FALSE(IsWindowVisible(about->Handle()));

  // Closing a modal form cancels it.
  PostMessageW(about->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(about->ShowModal(), IDCANCEL);
}

TEST_F(Forms, ApplicationWindowLoopAndExceptionDisplay) {
  wchar_t className[32];
  ASSERT_NE(FApplication->Handle(), nullptr);
  GetClassNameW(FApplication->Handle(), className, 32);
  EXPECT_STREQ(className, L"TApplication");
  EXPECT_FALSE(IsWindowVisible(FApplication->Handle()));

  auto* main = FApplication->CreateForm<TTestForm>();
  EXPECT_EQ(FApplication->MainForm(), main);
  // A handler fails, then the main form closes: the failure is shown, and Run returns.
  PostMessageW(main->Handle(), WM_FAIL, 0, 0);
  PostMessageW(main->Handle(), WM_CLOSE, 0, 0);
  FApplication->Run();
  EXPECT_TRUE(FApplication->Terminated());
  EXPECT_EQ(gBoxes, std::vector<std::wstring>{L"Corvale|Cannot open the invoice."});
}

}  // namespace

#include "framework/form_resources.h"

namespace {

TEST_F(Forms, FormsAreReadFromTheirStoredDefinition) {
  RegisterComponentClass(TWinControl::StaticClassInfo());
  auto* form = new TForm(FApplication);
  ReadFormResource(*form, L"TESTFORM");
  HWND window = form->Handle();
  wchar_t text[64] = {};
  GetWindowTextW(window, text, 64);
  EXPECT_STREQ(text, L"Stored definition");
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, ScaleLength(405, ScreenPixelsPerInch(), 96));
  EXPECT_FALSE(GetWindowLongPtrW(window, GWL_STYLE) & WS_MAXIMIZEBOX);
  auto* panel = dynamic_cast<TWinControl*>(form->FindComponent("Panel1"));
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->Parent(), form);
  EXPECT_EQ(panel->Width(), client.right);
  EXPECT_THROW(ReadFormResource(*form, L"NOSUCHFORM"), EFormReadError);
}

}  // namespace

#include "framework/timer.h"

namespace {

struct TTicks {
  int Count = 0;
  void Tick(TPersistent*) { ++Count; }
};

// A timer fires only once it has a handler and is enabled, and stops when disabled.
TEST_F(Forms, TimerFiresWhileEnabled) {
  TTicks ticks;
  auto* timer = new TTimer(FApplication);
  timer->SetInterval(10);
  MSG message;
  DWORD start = GetTickCount();
  while (GetTickCount() - start < 100) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(5);
  }
  EXPECT_EQ(ticks.Count, 0);  // no handler yet

  SetMethodProp(timer, "OnTimer", TNotifyEvent::Bind<&TTicks::Tick>(&ticks).Method());
  timer->SetEnabled(true);
  start = GetTickCount();
  while (ticks.Count < 3 && GetTickCount() - start < 5000) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(5);
  }
  EXPECT_GE(ticks.Count, 3);
  timer->SetEnabled(false);
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  int stopped = ticks.Count;
  Sleep(50);
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  EXPECT_EQ(ticks.Count, stopped);
}

}  // namespace

#include "framework/open_dialog.h"

namespace {

std::wstring gSeenFilter;
BOOL WINAPI ChooseInvoice(OPENFILENAMEW* parameters) {
  const wchar_t* filter = parameters->lpstrFilter;
  gSeenFilter.clear();
  while (filter && *filter) {  // the list ends with an empty string
    gSeenFilter += std::wstring(filter) + L";";
    filter += wcslen(filter) + 1;
  }
  std::wstring chosen = L"C:\\Fatture\\" + std::wstring(300, L'x') + L".xml";  // longer than MAX_PATH
  chosen.copy(parameters->lpstrFile, parameters->nMaxFile - 1);
  parameters->lpstrFile[chosen.size()] = L'\0';
  return TRUE;
}
BOOL WINAPI CancelDialog(OPENFILENAMEW*) { return FALSE; }

TEST_F(Forms, OpenDialogFilterAndChosenFile) {
  auto* dialog = new TOpenDialog(FApplication);
  SetWideStrProp(dialog, "Filter", L"File xml|*.xml");
  TOpenDialog::SetExecuteFunction(ChooseInvoice);
  EXPECT_TRUE(dialog->Execute());
  EXPECT_EQ(gSeenFilter, L"File xml;*.xml;");
  EXPECT_EQ(dialog->FileName().size(), 11u + 300u + 4u);
  TOpenDialog::SetExecuteFunction(CancelDialog);
  std::wstring before = dialog->FileName();
  EXPECT_FALSE(dialog->Execute());
  EXPECT_EQ(dialog->FileName(), before);
  TOpenDialog::SetExecuteFunction(nullptr);
}

}  // namespace
