// Controls on Win32: TControl (bounds, alignment, visibility, colour, caption, events, the
// replaceable message method) and TWinControl (a window of its own, created when first needed,
// carrying the control in a window property; child controls; alignment of children).
#pragma once

#include "framework/win32.h"

#include <memory>
#include <string>
#include <vector>

#include "framework/core/classes.h"
#include "framework/graphics/font.h"
#include "framework/graphics/graphics.h"

class TControl;
class TWinControl;

struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

using TWndMethod = TEvent<TMessage&>;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
// Mouse pointers a control may ask for while the mouse is over it; crDefault leaves the class's own.
enum class TCursor { crDefault, crArrow, crIBeam, crCross, crSizeAll, crHourGlass, crNo, crHandPoint, crHelp };
enum class TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag : uint64_t { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };
using TMouseEvent = TEvent<TPersistent*, TMouseButton, uint64_t, int, int>;

// The system cursor for a TCursor value; null for crDefault.
HCURSOR CursorHandle(TCursor cursor);

// One replacement of a control's message method. Its method receives every message first and
// passes on what it does not consume with CallPrevious. Releasing a link (in any order) joins its
// neighbours, so a released method is never called again.
class TWindowProcLink {
public:
  void CallPrevious(TMessage& message) const;

private:
  friend class TControl;
  TWndMethod FMethod;
  TControl* FControl = nullptr;
};

// The global atom under which every framework window carries its control object:
// "ControlOfs" + module instance + thread id, in upper-case hex.
ATOM ControlAtom();
std::wstring ControlPropertyName();
// The control a window belongs to, or null (also for a null window).
TControl* FindControl(HWND window);

// Where exceptions from message handlers go; the application installs its exception display.
using TExceptionHandler = void (*)(const std::exception& error);
void SetExceptionHandler(TExceptionHandler handler);
void HandleException(const std::exception& error);
// The one boundary where our code is called back (window procedures, timers, the program's entry
// point): whatever f throws, a std::exception or anything else, goes to the exception display
// with its message and never further.
void ReportUnknownException();
template <class F>
void GuardedCall(F&& f) {
  try {
    f();
  } catch (const std::exception& error) {
    HandleException(error);
  } catch (...) {
    ReportUnknownException();
  }
}

class TControl : public TComponent {
  CORVALE_DECLARE_CLASS()

public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return FParent; }
  void SetParent(TWinControl* parent);
  void SetParentComponent(TComponent* parent) override;

  int32_t Left() const { return FLeft; }
  int32_t Top() const { return FTop; }
  int32_t Width() const { return FWidth; }
  int32_t Height() const { return FHeight; }
  void SetLeft(int32_t value) { SetBounds(value, FTop, FWidth, FHeight); }
  void SetTop(int32_t value) { SetBounds(FLeft, value, FWidth, FHeight); }
  void SetWidth(int32_t value) { SetBounds(FLeft, FTop, value, FHeight); }
  void SetHeight(int32_t value) { SetBounds(FLeft, FTop, FWidth, value); }
  virtual void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height);
  RECT BoundsRect() const { return RECT{FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  std::wstring Caption() const { return FCaption; }
  void SetCaption(const std::wstring& value);
  TFont* Font() const { return const_cast<TFont*>(&FFont); }
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode value) { FBiDiMode = value; }
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor value) { FCursor = value; }

  virtual void Invalidate();
  POINT ScreenToClient(POINT point) const;
  POINT ClientToScreen(POINT point) const;
  virtual void Click();
  // A mouse button went down at (x, y) in the control's client coordinates.
  virtual void MouseDown(TMouseButton button, uint64_t shift, int x, int y);

  // The message method chain. WindowProc is the method that receives a message first.
  TWndMethod WindowProc() const;
  TWindowProcLink* ReplaceWindowProc(TWndMethod method);
  void ReleaseWindowProc(TWindowProcLink* link);
  // Sends a message through the chain, as the window would receive it.
  LRESULT Perform(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  void Dispatch(TMessage& message);

  TNotifyEvent OnClick;
  TMouseEvent OnMouseDown;

protected:
  // The framework's own handling, the end of every chain.
  virtual void WndProc(TMessage& message);
  virtual void DefaultHandler(TMessage& message) { message.Result = 0; }
  virtual void VisibleChanged();
  virtual void EnabledChanged() {}
  virtual void TextChanged() {}
  virtual void ColorChanged() { Invalidate(); }
  virtual void FontChanged() { Invalidate(); }
  // The caption in the control's font and colour (grey when disabled), over what is there.
  void DrawCaption(HDC dc, RECT rect, UINT format) const;

  TWinControl* FParent = nullptr;
  int32_t FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;

private:
  friend class TWindowProcLink;
  friend class TWinControl;
  TAlign FAlign = TAlign::alNone;
  bool FVisible = true;
  bool FEnabled = true;
  TColor FColor = static_cast<TColor>(0x80000000u | COLOR_BTNFACE);
  std::wstring FCaption;
  TFont FFont;
  TBiDiMode FBiDiMode = TBiDiMode::bdLeftToRight;
  TCursor FCursor = TCursor::crDefault;
  std::vector<std::unique_ptr<TWindowProcLink>> FLinks;  // head last
};

class TWinControl : public TControl {
  CORVALE_DECLARE_CLASS()

public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // The window, created on first request together with those of its visible child controls.
  HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded() { Handle(); }
  void DestroyHandle();
  // Destroys the window and makes it anew with the current settings (after a style change).
  void RecreateWnd();

  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* Controls(int index) const { return FControls[static_cast<size_t>(index)]; }
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  RECT ClientRect();
  // Places aligned children: top, bottom, left, right, then client, each group in its order.
  void AlignControls();

  // Keyboard focus. Tab order is the order among the parent's windowed children.
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool value);
  int32_t TabOrder() const;
  void SetTabOrder(int32_t value);
  bool CanFocus() const;
  bool Focused() const { return FHandle && GetFocus() == FHandle; }
  void SetFocus();
  // The next (or previous) focusable tab stop after current among this control's descendants, in tab
  // order, wrapping round; null when there is none.
  TWinControl* FindNextControl(TWinControl* current, bool forward) const;
  void SelectNext(TWinControl* current, bool forward);

  // A keyboard message for this control's window or a window inside it, offered before dialog keys
  // and translation (an embedded object's own shortcuts); true when handled.
  virtual bool PreProcessMessage(MSG& /*message*/) { return false; }

  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;
  void Invalidate() override;
  // Paints the client area into dc: for windows of our own classes the background, Paint, and the
  // graphic child controls, composed off-screen and copied once; system classes paint themselves.
  void PaintTo(HDC dc);

protected:
  struct TCreateParams {
    std::wstring ClassName;    // registered as a superclass of BaseClass when that is set
    const wchar_t* BaseClass = nullptr;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    UINT ClassStyle = CS_DBLCLKS;
  };
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;
  void VisibleChanged() override;
  void EnabledChanged() override;
  void TextChanged() override;
  void FontChanged() override;
  void WMEraseBkgnd(TMessage& message);
  void WMSize(TMessage& message);
  void WMPaint(TMessage& message);
  void WMLButtonDown(TMessage& message);
  void WMLButtonUp(TMessage& message);
  void WMMouseMove(TMessage& message);
  void WMMouseLeave(TMessage& message);
  void WMMouseDown(TMessage& message, TMouseButton button);
  void WMSetCursor(TMessage& message);
  void WMSetFocus(TMessage& message);
  void BroadcastToControls(TMessage& message);
  // Draws the control's own face over its background, in client coordinates.
  virtual void Paint(HDC /*dc*/, const RECT& /*client*/) {}
  // The part of the client area that aligned children share (a tab control's page, say).
  virtual void AdjustClientRect(RECT& /*rect*/) {}
  // Paints the visible graphic children into dc, each clipped to its bounds.
  void PaintGraphicControls(HDC dc);
  bool HasGraphicControls() const;
  bool OwnClass() const { return FDefWndProc == DefWindowProcW; }

private:
  static LRESULT CALLBACK InitialWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Attach(HWND window);

  TControl* GraphicControlAt(int x, int y) const;

  HWND FHandle = nullptr;
  WNDPROC FDefWndProc = DefWindowProcW;
  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FTabList;  // windowed children in tab order
  bool FTabStop = false;
  int32_t FPendingTabOrder = -1;
  TControl* FPressed = nullptr;  // the graphic control the left button went down on
  TControl* FMouseControl = nullptr;  // this control or the graphic child the mouse is over
  bool FMouseTracked = false;
};

// A control without a window of its own: it paints on its parent, inside its bounds.
class TGraphicControl : public TControl {
  CORVALE_DECLARE_CLASS()

public:
  explicit TGraphicControl(TComponent* owner) : TControl(owner) {}
  // Paints at (0, 0) of dc; the parent has moved the origin to the control's corner and clipped.
  virtual void Paint(HDC /*dc*/) {}
};
