#include "framework/controls/controls.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <utility>

#include <windowsx.h>

#include "framework/dialogs.h"
#include "framework/graphics/gdi.h"
#include "framework/controls/messages.h"

namespace {

// The control whose window is being created on this thread: it receives the window's very first
// message, which arrives before CreateWindowEx returns.
thread_local TWinControl* gCreatingControl = nullptr;

TExceptionHandler gExceptionHandler = nullptr;

std::map<std::wstring, WNDPROC>& BaseProcedures() {
  static std::map<std::wstring, WNDPROC> procedures;
  return procedures;
}

}  // namespace

// The atom as a property name for the wide-character property functions.
static LPCWSTR ControlAtomName() { return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(ControlAtom())); }

std::wstring ControlPropertyName() {
  wchar_t name[64];
  swprintf(name, 64, L"ControlOfs%.8llX%.8lX",
           static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(GetModuleHandleW(nullptr))),
           static_cast<unsigned long>(GetCurrentThreadId()));
  return name;
}

ATOM ControlAtom() {
  thread_local ATOM atom = GlobalAddAtomW(ControlPropertyName().c_str());
  return atom;
}

TControl* FindControl(HWND window) {
  if (!window) return nullptr;
  return static_cast<TControl*>(GetPropW(window, ControlAtomName()));
}

HCURSOR CursorHandle(TCursor cursor) {
  static const LPCWSTR kIds[] = {nullptr, IDC_ARROW, IDC_IBEAM, IDC_CROSS, IDC_SIZEALL, IDC_WAIT, IDC_NO, IDC_HAND, IDC_HELP};
  auto index = static_cast<size_t>(cursor);
  if (index == 0 || index >= sizeof kIds / sizeof kIds[0]) return nullptr;
  return LoadCursorW(nullptr, kIds[index]);
}

void SetExceptionHandler(TExceptionHandler handler) { gExceptionHandler = handler; }

void HandleException(const std::exception& error) {
  if (gExceptionHandler) {
    gExceptionHandler(error);
  } else {
    ShowMessage(error.what());
  }
}

void ReportUnknownException() { HandleException(Exception("An unexpected error occurred.")); }

// ---- The message method chain ---------------------------------------------------------------------

void TWindowProcLink::CallPrevious(TMessage& message) const {
  auto& links = FControl->FLinks;
  auto self = std::find_if(links.begin(), links.end(), [this](const auto& link) { return link.get() == this; });
  if (self == links.end() || self == links.begin()) {
    FControl->WndProc(message);
  } else {
    (*(self - 1))->FMethod(message);
  }
}

TWndMethod TControl::WindowProc() const {
  if (!FLinks.empty()) return FLinks.back()->FMethod;
  return TWndMethod::Bind<&TControl::WndProc>(const_cast<TControl*>(this));
}

TWindowProcLink* TControl::ReplaceWindowProc(TWndMethod method) {
  auto& link = FLinks.emplace_back(std::make_unique<TWindowProcLink>());
  link->FMethod = method;
  link->FControl = this;
  return link.get();
}

void TControl::ReleaseWindowProc(TWindowProcLink* link) {
  auto found = std::find_if(FLinks.begin(), FLinks.end(), [link](const auto& own) { return own.get() == link; });
  if (found != FLinks.end()) FLinks.erase(found);
}

void TControl::Dispatch(TMessage& message) {
  if (FLinks.empty()) {
    WndProc(message);
  } else {
    FLinks.back()->FMethod(message);
  }
}

LRESULT TControl::Perform(UINT message, WPARAM wParam, LPARAM lParam) {
  TMessage m{message, wParam, lParam, 0};
  Dispatch(m);
  return m.Result;
}

// ---- TControl -------------------------------------------------------------------------------------

const TClassInfo& TControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TControl>("TControl", &TComponent::StaticClassInfo())
          .Integer("Left", &TControl::Left, &TControl::SetLeft)
          .Integer("Top", &TControl::Top, &TControl::SetTop)
          .Integer("Width", &TControl::Width, &TControl::SetWidth)
          .Integer("Height", &TControl::Height, &TControl::SetHeight)
          .Enumeration("Align", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}, &TControl::Align,
                       &TControl::SetAlign)
          .Boolean("Visible", &TControl::Visible, &TControl::SetVisible)
          .Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled)
          .Colour("Color", &TControl::Color, &TControl::SetColor)
          .WideString("Caption", &TControl::Caption, &TControl::SetCaption)
          .Object("Font", &TControl::Font)
          .Enumeration("BiDiMode", {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"},
                       &TControl::BiDiMode, &TControl::SetBiDiMode)
          .Enumeration("Cursor", {"crDefault", "crArrow", "crIBeam", "crCross", "crSizeAll", "crHourGlass", "crNo",
                                  "crHandPoint", "crHelp"},
                       &TControl::Cursor, &TControl::SetCursor)
          .Event("OnClick", &TControl::OnClick)
          .Event("OnMouseDown", &TControl::OnMouseDown)
          .Build();
  return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
  FFont.OnChange = [this] { FontChanged(); };
}

TControl::~TControl() {
  FLinks.clear();
  SetParent(nullptr);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (FParent) FParent->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* control = dynamic_cast<TWinControl*>(parent)) SetParent(control);
}

void TControl::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  Invalidate();
}

void TControl::SetAlign(TAlign value) {
  if (value == FAlign) return;
  FAlign = value;
  if (FParent) FParent->AlignControls();
}

void TControl::SetVisible(bool value) {
  if (value == FVisible) return;
  FVisible = value;
  VisibleChanged();
  Perform(CM_VISIBLECHANGED, value ? 1 : 0);
}

void TControl::VisibleChanged() {
  if (FParent) FParent->AlignControls();
  Invalidate();
}

void TControl::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  EnabledChanged();
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor value) {
  if (value == FColor) return;
  FColor = value;
  ColorChanged();
  Perform(CM_COLORCHANGED);
}

void TControl::SetCaption(const std::wstring& value) {
  if (value == FCaption) return;
  FCaption = value;
  TextChanged();
  Perform(CM_TEXTCHANGED);
}

void TControl::Invalidate() {
  if (FParent && FParent->HandleAllocated()) {
    RECT bounds = BoundsRect();
    InvalidateRect(FParent->Handle(), &bounds, TRUE);
  }
}

// A window knows where its client area is on screen (frames and menus included); a graphic control
// asks its parent.
POINT TControl::ClientToScreen(POINT point) const {
  if (auto* windowed = dynamic_cast<const TWinControl*>(this); windowed && windowed->HandleAllocated()) {
    ::ClientToScreen(const_cast<TWinControl*>(windowed)->Handle(), &point);
    return point;
  }
  point.x += FLeft;
  point.y += FTop;
  return FParent ? FParent->ClientToScreen(point) : point;
}

POINT TControl::ScreenToClient(POINT point) const {
  POINT origin = ClientToScreen(POINT{0, 0});
  return POINT{point.x - origin.x, point.y - origin.y};
}

void TControl::Click() { OnClick(this); }

void TControl::MouseDown(TMouseButton button, uint64_t shift, int x, int y) { OnMouseDown(this, button, shift, x, y); }

void TControl::DrawCaption(HDC dc, RECT rect, UINT format) const {
  if (FCaption.empty()) return;
  TSaveDCGuard saved(dc);
  SelectObject(dc, Font()->Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, FEnabled ? static_cast<COLORREF>(ColorToRGB(Font()->Color())) : GetSysColor(COLOR_GRAYTEXT));
  DrawTextW(dc, FCaption.c_str(), static_cast<int>(FCaption.size()), &rect, format);
}

void TControl::WndProc(TMessage& message) { DefaultHandler(message); }

// ---- TWinControl ----------------------------------------------------------------------------------

const TClassInfo& TWinControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TWinControl>("TWinControl", &TControl::StaticClassInfo())
          .Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
          .Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
          .Creatable()
          .Build();
  return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  while (!FControls.empty()) FControls.back()->SetParent(nullptr);
  DestroyHandle();
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.ClassName = Utf8ToWide(ClassName());
  params.Style = FParent ? WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN : WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
}

HWND TWinControl::Handle() {
  if (!FHandle) CreateWnd();
  return FHandle;
}

void TWinControl::CreateWnd() {
  if (FParent) FParent->HandleNeeded();
  if (FHandle) return;  // the parent's creation made ours too
  TCreateParams params;
  CreateParams(params);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing = {};
  existing.cbSize = sizeof existing;
  if (!GetClassInfoExW(instance, params.ClassName.c_str(), &existing)) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    // A superclass: the system class's look and behaviour, our procedure from the first message.
    if (params.BaseClass && GetClassInfoExW(nullptr, params.BaseClass, &windowClass)) {
      BaseProcedures()[params.ClassName] = windowClass.lpfnWndProc;
      windowClass.cbSize = sizeof windowClass;
    } else {
      windowClass.style = params.ClassStyle;
      windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
      // The program's icon, when it has one, in title bars and the task bar (shared: never freed).
      windowClass.hIcon = LoadIconW(instance, L"MAINICON");
      BaseProcedures()[params.ClassName] = DefWindowProcW;
    }
    windowClass.lpfnWndProc = InitialWndProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = params.ClassName.c_str();
    windowClass.hbrBackground = nullptr;  // WM_ERASEBKGND paints Color
    if (!RegisterClassExW(&windowClass)) throw Exception("Cannot register the window class " + ClassName());
  }
  FDefWndProc = BaseProcedures()[params.ClassName];
  DWORD style = params.Style | (Visible() ? WS_VISIBLE : 0) | (Enabled() ? 0 : WS_DISABLED) |
                (FTabStop ? WS_TABSTOP : 0);
  gCreatingControl = this;
  HWND window = CreateWindowExW(params.ExStyle, params.ClassName.c_str(), Caption().c_str(), style, FLeft, FTop,
                                FWidth, FHeight, FParent ? FParent->FHandle : nullptr, nullptr, instance, nullptr);
  gCreatingControl = nullptr;
  if (!window) throw Exception("Cannot create the window of " + (Name().empty() ? ClassName() : Name()));
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
  for (TControl* child : FControls) {
    if (auto* winChild = dynamic_cast<TWinControl*>(child); winChild && winChild->Visible()) winChild->HandleNeeded();
  }
  AlignControls();
}

void TWinControl::FontChanged() {
  if (FHandle) SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
  Invalidate();
}

void TWinControl::Attach(HWND window) {
  FHandle = window;
  SetPropW(window, ControlAtomName(), this);
}

void TWinControl::DestroyHandle() {
  if (FHandle) DestroyWindow(FHandle);  // WM_NCDESTROY clears FHandle
  FHandle = nullptr;
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  Perform(CM_RECREATEWND);
  DestroyHandle();
  HandleNeeded();
}

LRESULT CALLBACK TWinControl::InitialWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* control = dynamic_cast<TWinControl*>(FindControl(window));
  if (!control && gCreatingControl) {
    control = gCreatingControl;
    gCreatingControl = nullptr;
    control->Attach(window);
  }
  if (!control) return DefWindowProcW(window, message, wParam, lParam);
  TMessage m{message, wParam, lParam, 0};
  // No exception leaves a window procedure: it goes to the application's exception display.
  GuardedCall([&] { control->Dispatch(m); });
  if (message == WM_NCDESTROY) {
    RemovePropW(window, ControlAtomName());
    control->FHandle = nullptr;
  }
  return m.Result;
}

void TWinControl::DefaultHandler(TMessage& message) {
  message.Result = FHandle ? CallWindowProcW(FDefWndProc, FHandle, message.Msg, message.WParam, message.LParam) : 0;
}

void TWinControl::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_ERASEBKGND: WMEraseBkgnd(message); return;
    case WM_SIZE: WMSize(message); return;
    case WM_PAINT: WMPaint(message); return;
    case WM_PRINTCLIENT:
      if (!OwnClass() && !HasGraphicControls()) break;
      PaintTo(reinterpret_cast<HDC>(message.WParam));
      return;
    case WM_LBUTTONDOWN: WMLButtonDown(message); return;
    case WM_LBUTTONUP: WMLButtonUp(message); return;
    case WM_MOUSEMOVE: WMMouseMove(message); return;
    case WM_GETFONT:
      // Windows of our own classes keep no font of their own: the control's is the answer.
      if (!OwnClass()) break;
      message.Result = reinterpret_cast<LRESULT>(Font()->Handle());
      return;
    case WM_MOUSELEAVE: WMMouseLeave(message); return;
    case WM_RBUTTONDOWN: WMMouseDown(message, TMouseButton::mbRight); return;
    case WM_MBUTTONDOWN: WMMouseDown(message, TMouseButton::mbMiddle); return;
    case WM_SETCURSOR: WMSetCursor(message); return;
    case WM_SETFOCUS: WMSetFocus(message); return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR: BroadcastToControls(message); return;
    case WM_DRAWITEM: {
      // Owner-drawn children draw themselves.
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
      if (TControl* child = item ? FindControl(item->hwndItem) : nullptr; child && child != this) {
        message.Result = child->Perform(CN_DRAWITEM, message.WParam, message.LParam);
        return;
      }
      break;
    }
    case WM_COMMAND:
      // Notifications go back to the control that sent them.
      if (TControl* child = FindControl(reinterpret_cast<HWND>(message.LParam)); child && child != this) {
        message.Result = child->Perform(CN_COMMAND, message.WParam, message.LParam);
        return;
      }
      break;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(message.LParam);
      if (TControl* child = header ? FindControl(header->hwndFrom) : nullptr; child && child != this) {
        message.Result = child->Perform(CN_NOTIFY, message.WParam, message.LParam);
        return;
      }
      break;
    }
    default: break;
  }
  TControl::WndProc(message);
}

void TWinControl::WMEraseBkgnd(TMessage& message) {
  RECT client;
  GetClientRect(FHandle, &client);
  TBrushHandle brush(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color()))));
  if (brush) FillRect(reinterpret_cast<HDC>(message.WParam), &client, brush.Get());
  message.Result = 1;
}

void TWinControl::WMPaint(TMessage& message) {
  if (!OwnClass() && (!HasGraphicControls() || message.WParam)) {
    DefaultHandler(message);
    return;
  }
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(FHandle, &paint);
  if (dc) {
    PaintTo(dc);
    EndPaint(FHandle, &paint);
  }
  message.Result = 0;
}

void TWinControl::PaintTo(HDC dc) {
  RECT client = ClientRect();
  TOffscreen buffer(client.right, client.bottom);
  if (!buffer.Valid()) return;
  TBrushHandle brush(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color()))));
  if (brush) FillRect(buffer.DC(), &client, brush.Get());
  if (OwnClass()) {
    Paint(buffer.DC(), client);
  } else {
    // A system class paints itself into a given DC (common controls take it in wParam).
    TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(buffer.DC()), 0, 0};
    DefaultHandler(paint);
  }
  PaintGraphicControls(buffer.DC());
  buffer.CopyTo(dc, 0, 0);
}

bool TWinControl::HasGraphicControls() const {
  return std::any_of(FControls.begin(), FControls.end(),
                     [](TControl* child) { return dynamic_cast<TGraphicControl*>(child) != nullptr; });
}

void TWinControl::PaintGraphicControls(HDC dc) {
  for (TControl* child : FControls) {
    auto* graphic = dynamic_cast<TGraphicControl*>(child);
    if (!graphic || !graphic->Visible()) continue;
    TSaveDCGuard saved(dc);
    IntersectClipRect(dc, graphic->Left(), graphic->Top(), graphic->Left() + graphic->Width(),
                      graphic->Top() + graphic->Height());
    SetViewportOrgEx(dc, graphic->Left(), graphic->Top(), nullptr);
    graphic->Paint(dc);
  }
}

TControl* TWinControl::GraphicControlAt(int x, int y) const {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* child = *it;
    if (!dynamic_cast<TGraphicControl*>(child) || !child->Visible() || !child->Enabled()) continue;
    RECT bounds = child->BoundsRect();
    if (x >= bounds.left && x < bounds.right && y >= bounds.top && y < bounds.bottom) return child;
  }
  return nullptr;
}

void TWinControl::WMLButtonDown(TMessage& message) {
  FPressed = GraphicControlAt(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
  WMMouseDown(message, TMouseButton::mbLeft);
}

// MouseDown goes to the graphic child under the pointer, in its own coordinates, or to this control.
void TWinControl::WMMouseDown(TMessage& message, TMouseButton button) {
  DefaultHandler(message);
  int x = GET_X_LPARAM(message.LParam), y = GET_Y_LPARAM(message.LParam);
  uint64_t shift = 0;
  if (message.WParam & MK_SHIFT) shift |= ssShift;
  if (message.WParam & MK_CONTROL) shift |= ssCtrl;
  if (message.WParam & MK_LBUTTON) shift |= ssLeft;
  if (message.WParam & MK_RBUTTON) shift |= ssRight;
  if (message.WParam & MK_MBUTTON) shift |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  if (TControl* child = GraphicControlAt(x, y)) {
    child->MouseDown(button, shift, x - child->Left(), y - child->Top());
  } else {
    MouseDown(button, shift, x, y);
  }
}

void TWinControl::WMSetCursor(TMessage& message) {
  if (reinterpret_cast<HWND>(message.WParam) == FHandle && LOWORD(message.LParam) == HTCLIENT) {
    POINT point;
    GetCursorPos(&point);
    ::ScreenToClient(FHandle, &point);
    TControl* over = GraphicControlAt(point.x, point.y);
    HCURSOR cursor = over ? CursorHandle(over->Cursor()) : nullptr;
    if (!cursor) cursor = CursorHandle(Cursor());
    if (cursor) {
      ::SetCursor(cursor);
      message.Result = TRUE;
      return;
    }
  }
  DefaultHandler(message);
}

// The top-level control learns which of its controls has the focus.
void TWinControl::WMSetFocus(TMessage& message) {
  DefaultHandler(message);
  TWinControl* root = this;
  while (root->FParent) root = root->FParent;
  root->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(this));
}

// A dialog key or character goes round the child controls until one takes it (a non-zero result).
void TWinControl::BroadcastToControls(TMessage& message) {
  for (TControl* child : std::vector<TControl*>(FControls)) {
    message.Result = child->Perform(message.Msg, message.WParam, message.LParam);
    if (message.Result) return;
  }
  message.Result = 0;
}

// ---- Focus and tab order --------------------------------------------------------------------------

void TWinControl::SetTabStop(bool value) {
  if (value == FTabStop) return;
  FTabStop = value;
  if (FHandle) {
    LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
    SetWindowLongPtrW(FHandle, GWL_STYLE, value ? style | WS_TABSTOP : style & ~static_cast<LONG_PTR>(WS_TABSTOP));
  }
}

int32_t TWinControl::TabOrder() const {
  if (!FParent) return FPendingTabOrder < 0 ? -1 : FPendingTabOrder;
  auto& list = FParent->FTabList;
  return static_cast<int32_t>(std::find(list.begin(), list.end(), this) - list.begin());
}

// Definitions may set the order before the parent: it is kept and applied on insertion.
void TWinControl::SetTabOrder(int32_t value) {
  if (!FParent) {
    FPendingTabOrder = value;
    return;
  }
  auto& list = FParent->FTabList;
  auto self = std::find(list.begin(), list.end(), this);
  if (self == list.end()) return;
  list.erase(self);
  size_t position = value < 0 ? 0 : std::min(static_cast<size_t>(value), list.size());
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(position), this);
}

bool TWinControl::CanFocus() const {
  for (const TWinControl* control = this; control; control = control->FParent) {
    if (!control->Visible() || !control->Enabled()) return false;
  }
  return true;
}

void TWinControl::SetFocus() {
  if (CanFocus()) ::SetFocus(Handle());
}

namespace {

void CollectTabStops(const std::vector<TWinControl*>& list, std::vector<TWinControl*>& stops) {
  for (TWinControl* control : list) {
    if (!control->Visible() || !control->Enabled()) continue;
    if (control->TabStop()) stops.push_back(control);
    std::vector<TWinControl*> children;
    for (int i = 0; i < control->ControlCount(); ++i) {
      if (auto* child = dynamic_cast<TWinControl*>(control->Controls(i))) children.push_back(child);
    }
    std::sort(children.begin(), children.end(),
              [](TWinControl* a, TWinControl* b) { return a->TabOrder() < b->TabOrder(); });
    CollectTabStops(children, stops);
  }
}

}  // namespace

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward) const {
  std::vector<TWinControl*> stops;
  CollectTabStops(FTabList, stops);
  if (stops.empty()) return nullptr;
  auto found = std::find(stops.begin(), stops.end(), current);
  if (found == stops.end()) return forward ? stops.front() : stops.back();
  size_t index = static_cast<size_t>(found - stops.begin());
  index = forward ? (index + 1) % stops.size() : (index + stops.size() - 1) % stops.size();
  return stops[index];
}

void TWinControl::SelectNext(TWinControl* current, bool forward) {
  if (TWinControl* next = FindNextControl(current, forward)) next->SetFocus();
}

// A click on a graphic control: the button went down and came up over it.
void TWinControl::WMLButtonUp(TMessage& message) {
  TControl* pressed = std::exchange(FPressed, nullptr);
  DefaultHandler(message);
  if (pressed && pressed == GraphicControlAt(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam))) {
    pressed->Click();
  }
}

// CM_MOUSEENTER and CM_MOUSELEAVE (lParam: the control) go to the control the mouse moved onto or
// off: this one, or the graphic child under the pointer.
void TWinControl::WMMouseMove(TMessage& message) {
  if (!FMouseTracked) {
    TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, FHandle, 0};
    FMouseTracked = TrackMouseEvent(&track) != FALSE;
  }
  TControl* over = GraphicControlAt(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
  if (!over) over = this;
  if (over != FMouseControl) {
    if (FMouseControl) FMouseControl->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(FMouseControl));
    FMouseControl = over;
    over->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(over));
  }
  DefaultHandler(message);
}

void TWinControl::WMMouseLeave(TMessage& message) {
  FMouseTracked = false;
  if (TControl* left = std::exchange(FMouseControl, nullptr)) {
    left->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(left));
  }
  DefaultHandler(message);
}

void TWinControl::WMSize(TMessage& message) {
  DefaultHandler(message);
  RECT window;
  if (GetWindowRect(FHandle, &window)) {
    FWidth = window.right - window.left;
    FHeight = window.bottom - window.top;
  }
  AlignControls();
}

const TClassInfo& TGraphicControl::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TGraphicControl>("TGraphicControl", &TControl::StaticClassInfo()).Build();
  return info;
}

void TWinControl::InsertControl(TControl* control) {
  FControls.push_back(control);
  control->FParent = this;
  if (auto* winChild = dynamic_cast<TWinControl*>(control)) {
    FTabList.push_back(winChild);
    if (winChild->FPendingTabOrder >= 0) winChild->SetTabOrder(std::exchange(winChild->FPendingTabOrder, -1));
  }
  if (auto* winChild = dynamic_cast<TWinControl*>(control); winChild && FHandle && winChild->Visible()) {
    if (winChild->FHandle) {
      ::SetParent(winChild->FHandle, FHandle);
    } else {
      winChild->HandleNeeded();
    }
  }
  AlignControls();
}

void TWinControl::RemoveControl(TControl* control) {
  auto found = std::find(FControls.begin(), FControls.end(), control);
  if (found == FControls.end()) return;
  if (FPressed == control) FPressed = nullptr;
  if (FMouseControl == control) FMouseControl = nullptr;
  FControls.erase(found);
  FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), control), FTabList.end());
  control->FParent = nullptr;
  if (auto* winChild = dynamic_cast<TWinControl*>(control)) winChild->DestroyHandle();
  AlignControls();
}

RECT TWinControl::ClientRect() {
  RECT rect{0, 0, FWidth, FHeight};
  if (FHandle) GetClientRect(FHandle, &rect);
  return rect;
}

void TWinControl::AlignControls() {
  RECT rest = ClientRect();
  AdjustClientRect(rest);
  for (TAlign align : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
    for (TControl* child : FControls) {
      if (child->Align() != align || !child->Visible()) continue;
      int32_t width = child->Width(), height = child->Height();
      switch (align) {
        case TAlign::alTop:
          child->SetBounds(rest.left, rest.top, rest.right - rest.left, height);
          rest.top += height;
          break;
        case TAlign::alBottom:
          child->SetBounds(rest.left, rest.bottom - height, rest.right - rest.left, height);
          rest.bottom -= height;
          break;
        case TAlign::alLeft:
          child->SetBounds(rest.left, rest.top, width, rest.bottom - rest.top);
          rest.left += width;
          break;
        case TAlign::alRight:
          child->SetBounds(rest.right - width, rest.top, width, rest.bottom - rest.top);
          rest.right -= width;
          break;
        default:
          child->SetBounds(rest.left, rest.top, rest.right - rest.left, rest.bottom - rest.top);
          break;
      }
    }
  }
}

void TWinControl::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  bool changed = left != FLeft || top != FTop || width != FWidth || height != FHeight;
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  if (changed && FHandle) {
    SetWindowPos(FHandle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  } else if (changed) {
    AlignControls();
  }
}

void TWinControl::Invalidate() {
  if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TWinControl::VisibleChanged() {
  if (Visible() && FParent && FParent->HandleAllocated()) HandleNeeded();
  if (FHandle) ShowWindow(FHandle, Visible() ? SW_SHOWNA : SW_HIDE);
  if (FParent) FParent->AlignControls();
}

void TWinControl::EnabledChanged() {
  if (FHandle) EnableWindow(FHandle, Enabled());
}

void TWinControl::TextChanged() {
  if (FHandle) SetWindowTextW(FHandle, Caption().c_str());
}
