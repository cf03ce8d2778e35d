// Top-level windows: TForm (border, title-bar icons, position, state, client size, show, modal
// show and close), the Screen's list of forms, and TApplication (the hidden application window,
// the message loop, the title and the exception display).
#pragma once

#include "framework/win32.h"

#include <string>
#include <vector>

#include "framework/controls/controls.h"

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : uint64_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
enum class TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
                       poMainFormCenter, poOwnerFormCenter };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int32_t;  // 0 while a modal form runs; IDOK, IDCANCEL, ... once it ends
using TCloseEvent = TEvent<TPersistent*, TCloseAction&>;

class TForm : public TWinControl {
  CORVALE_DECLARE_CLASS()

public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle value) { FBorderStyle = value; }
  uint64_t BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(uint64_t value) { FBorderIcons = value; }
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition value) { FPosition = value; }
  TWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TWindowState value);
  int32_t ClientWidth() const { return FClientWidth; }
  void SetClientWidth(int32_t value);
  int32_t ClientHeight() const { return FClientHeight; }
  void SetClientHeight(int32_t value);
  // The resolution the form was designed at, as its definition records it.
  int32_t PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int32_t value) { FPixelsPerInch = value; }
  // Whether the form would scroll to reach controls outside its client area (stored; the viewer's
  // forms never need it).
  bool AutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool value) { FAutoScroll = value; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult value) { FModalResult = value; }

  void Show();
  void Hide() { SetVisible(false); }
  // Shows the form and runs messages until it sets a modal result or is closed; every other
  // window of the thread is disabled meanwhile.
  TModalResult ShowModal();
  void Close();
  // Frees the form once the messages now waiting have been handled (safe from its own handlers).
  void Release();
  bool Modal() const { return FModal; }
  // The control that has (or last had) the keyboard focus in this form.
  TWinControl* ActiveControl() const { return FActiveControl; }

  TNotifyEvent OnShow;
  TCloseEvent OnClose;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;
  void WMClose(TMessage& message);
  void WMShowWindow(TMessage& message);
  void CMFocusChanged(TMessage& message);
  void CMDialogKey(TMessage& message);
  void Notification(TComponent* component, bool removing) override;

private:
  void ApplyClientSize();

  TFormBorderStyle FBorderStyle = TFormBorderStyle::bsSizeable;
  uint64_t FBorderIcons = biSystemMenu | biMinimize | biMaximize;
  TPosition FPosition = TPosition::poDesigned;
  TWindowState FWindowState = TWindowState::wsNormal;
  int32_t FClientWidth = 0;
  int32_t FClientHeight = 0;
  int32_t FPixelsPerInch = 96;
  TModalResult FModalResult = 0;
  bool FAutoScroll = true;
  bool FModal = false;
  TWinControl* FActiveControl = nullptr;
};

// The forms that exist, in creation order.
class TScreen {
public:
  int FormCount() const { return static_cast<int>(FForms.size()); }
  TForm* Forms(int index) const { return FForms[static_cast<size_t>(index)]; }

private:
  friend class TForm;
  std::vector<TForm*> FForms;
};
TScreen& Screen();

class TApplication : public TComponent {
  CORVALE_DECLARE_CLASS()

public:
  using TMessageBoxFunction = int (*)(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);

  explicit TApplication(TComponent* owner);
  ~TApplication() override;

  void Initialize();
  std::string Title() const;
  void SetTitle(const std::string& title);
  HWND Handle() const { return FHandle; }
  // The program's icon ("MAINICON"), or null when the program has none.
  HICON Icon() const { return FIcon; }
  TForm* MainForm() const { return FMainForm; }

  // Creates a form of the given class owned by the application; the first becomes the main form.
  template <class F>
  F* CreateForm() {
    F* form = new F(this);
    if (!FMainForm) FMainForm = form;
    return form;
  }
  void SetMainForm(TForm* form) { FMainForm = form; }
  // Shows the main form and runs the message loop until it closes.
  void Run();
  void Terminate();
  bool Terminated() const { return FTerminated; }
  // Handles the messages waiting now; false once WM_QUIT was seen.
  bool ProcessMessages();
  // Handles one message from a message loop: dialog keys first, then translation and dispatch.
  static void HandleMessage(MSG& message);
  void ShowException(const std::exception& error);

  // The message box behind ShowException; tests put a recorder here.
  static void SetMessageBoxFunction(TMessageBoxFunction function);

private:
  HWND FHandle = nullptr;
  HICON FIcon = nullptr;  // shared resource icon: not destroyed
  TForm* FMainForm = nullptr;
  bool FTerminated = false;
};

// The program's application object; null until one is created.
TApplication* Application();
