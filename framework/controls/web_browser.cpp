#include "framework/controls/web_browser.h"

#include <ole2.h>

namespace {

// OLE for the thread, started by its first browser and ended when the thread ends: the browser's
// DLLs stay loaded between browsers instead of being unloaded and reloaded each time.
class TOleThread {
public:
  TOleThread() : FInitialized(SUCCEEDED(OleInitialize(nullptr))) {}
  ~TOleThread() {
    if (FInitialized) OleUninitialize();
  }
  TOleThread(const TOleThread&) = delete;
  TOleThread& operator=(const TOleThread&) = delete;

private:
  bool FInitialized;
};

void OleNeeded() { thread_local TOleThread ole; }

}  // namespace

// The container side of one browser: client site, in-place site and in-place frame in one object.
// The control detaches it before letting go, so a browser that keeps a reference longer only ever
// reaches a site without a window.
//
// COM interfaces have no virtual destructor by design: an object is only ever freed by its own
// Release, as its final type, never deleted through an interface pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class TBrowserSite final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
public:
  explicit TBrowserSite(HWND window) : FWindow(window) {}
  void Detach() { FWindow = nullptr; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite)) {
      *object = static_cast<IOleClientSite*>(this);
    } else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite)) {
      *object = static_cast<IOleInPlaceSite*>(this);
    } else if (IsEqualIID(iid, IID_IOleInPlaceUIWindow) || IsEqualIID(iid, IID_IOleInPlaceFrame)) {
      *object = static_cast<IOleInPlaceFrame*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&FReferences)); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG left = InterlockedDecrement(&FReferences);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override {
    if (container) *container = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow, shared by the in-place site and the frame
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
    if (!window) return E_POINTER;
    *window = FWindow;
    return FWindow ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return FWindow ? S_OK : S_FALSE; }
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                             LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
    if (!frame || !document || !position || !clip || !info) return E_POINTER;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *document = nullptr;  // the frame is the only UI window
    RECT client{};
    if (FWindow) GetClientRect(FWindow, &client);
    *position = client;
    *clip = client;
    info->fMDIApp = FALSE;
    info->hwndFrame = FWindow ? GetAncestor(FWindow, GA_ROOT) : nullptr;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
  // The control decides the browser's size; a request of the browser's own is not granted.
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

  // IOleInPlaceUIWindow: no toolbars or other border space to give
  HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return OLE_E_INVALIDRECT; }
  HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }

  // IOleInPlaceFrame: the form's menus stay as they are
  HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

private:
  ~TBrowserSite() = default;

  LONG FReferences = 1;
  HWND FWindow;
};
#pragma GCC diagnostic pop

const TClassInfo& TCppWebBrowser::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCppWebBrowser>("TCppWebBrowser", &TWinControl::StaticClassInfo()).Creatable().Build();
  return info;
}

// A browser takes part in keyboard navigation unless its definition says otherwise.
TCppWebBrowser::TCppWebBrowser(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 300, 150);
  SetTabStop(true);
}

// The window goes here, while the object is still whole: closing the browser reaches back into it.
TCppWebBrowser::~TCppWebBrowser() { DestroyHandle(); }

HRESULT TCppWebBrowser::Navigate(const wchar_t* url, VARIANT* flags, VARIANT* targetFrameName, VARIANT* postData,
                                 VARIANT* headers) {
  return FCalls->Navigate(url, flags, targetFrameName, postData, headers);
}

HRESULT TCppWebBrowser::ExecWB(OLECMDID command, OLECMDEXECOPT option, VARIANT* in, VARIANT* out) {
  return FCalls->ExecWB(command, option, in, out);
}

HRESULT TCppWebBrowser::TRealCalls::Navigate(const wchar_t* url, VARIANT* flags, VARIANT* targetFrameName,
                                             VARIANT* postData, VARIANT* headers) {
  FOwner.HandleNeeded();
  if (!FOwner.FBrowser) return E_FAIL;
  TBstr address(url);
  if (!address) return E_OUTOFMEMORY;
  return FOwner.FBrowser->Navigate(address.Get(), flags, targetFrameName, postData, headers);
}

HRESULT TCppWebBrowser::TRealCalls::ExecWB(OLECMDID command, OLECMDEXECOPT option, VARIANT* in, VARIANT* out) {
  FOwner.HandleNeeded();
  if (!FOwner.FBrowser) return E_FAIL;
  return FOwner.FBrowser->ExecWB(command, option, in, out);
}

void TCppWebBrowser::CreateWnd() {
  TWinControl::CreateWnd();
  CreateBrowser();
}

void TCppWebBrowser::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_SIZE: WMSize(message); return;
    case WM_DESTROY: WMDestroy(message); return;
    case WM_SETFOCUS: WMSetFocus(message); return;
    default: break;
  }
  TWinControl::WndProc(message);
}

void TCppWebBrowser::WMSize(TMessage& message) {
  TWinControl::WndProc(message);
  UpdateObjectRects();
}

// The container window still has its children here, so the browser deactivates in order.
void TCppWebBrowser::WMDestroy(TMessage& message) {
  CloseBrowser();
  TWinControl::WndProc(message);
}

// Focus given to the container goes on to the browser's own window.
void TCppWebBrowser::WMSetFocus(TMessage& message) {
  TWinControl::WndProc(message);
  if (!FObject || !HandleAllocated()) return;
  RECT client = ClientRect();
  FObject->DoVerb(OLEIVERB_UIACTIVATE, nullptr, FSite.Get(), 0, Handle(), &client);
}

// A browser that cannot be made leaves an empty window: the viewer shows nothing rather than fail.
void TCppWebBrowser::CreateBrowser() {
  if (FObject) return;
  OleNeeded();
  HWND window = Handle();
  if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                              FObject.PutVoid()))) {
    FObject.Reset();
    return;
  }
  *FSite.Put() = new TBrowserSite(window);
  if (FAILED(FObject->SetClientSite(static_cast<IOleClientSite*>(FSite.Get())))) {
    CloseBrowser();
    return;
  }
  OleSetContainedObject(FObject.Get(), TRUE);
  RECT client = ClientRect();
  if (FAILED(FObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(FSite.Get()), 0,
                             window, &client)) ||
      FAILED(FObject->QueryInterface(IID_IWebBrowser2, FBrowser.PutVoid()))) {
    CloseBrowser();
    return;
  }
  UpdateObjectRects();
}

void TCppWebBrowser::CloseBrowser() {
  FBrowser.Reset();
  if (FObject) {
    TComPtr<IOleInPlaceObject> inPlace;
    if (SUCCEEDED(FObject->QueryInterface(IID_IOleInPlaceObject, inPlace.PutVoid()))) {
      inPlace->InPlaceDeactivate();
    }
    FObject->Close(OLECLOSE_NOSAVE);
    FObject->SetClientSite(nullptr);
    FObject.Reset();
  }
  if (FSite) FSite->Detach();
  FSite.Reset();
}

void TCppWebBrowser::UpdateObjectRects() {
  if (!FObject || !HandleAllocated()) return;
  TComPtr<IOleInPlaceObject> inPlace;
  if (FAILED(FObject->QueryInterface(IID_IOleInPlaceObject, inPlace.PutVoid()))) return;
  RECT client = ClientRect();
  inPlace->SetObjectRects(&client, &client);
}

bool TCppWebBrowser::PreProcessMessage(MSG& message) {
  if (!FBrowser) return false;
  TComPtr<IOleInPlaceActiveObject> active;
  if (FAILED(FBrowser->QueryInterface(IID_IOleInPlaceActiveObject, active.PutVoid()))) return false;
  return active->TranslateAccelerator(&message) == S_OK;
}
