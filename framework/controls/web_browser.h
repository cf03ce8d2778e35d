// TCppWebBrowser: the system's web browser control (CLSID_WebBrowser, IWebBrowser2) hosted in place
// in the control's own window, which acts as its OLE container: client site, in-place site and frame.
#pragma once

#include "framework/win32.h"

#include <docobj.h>
#include <exdisp.h>
#include <oleidl.h>

#include "framework/controls/controls.h"
#include "framework/handles.h"

// The two calls the viewer makes on a browser. The control forwards them to the real browser by
// default; a test puts a recorder in its place.
class TWebBrowserCalls {
public:
  virtual ~TWebBrowserCalls() = default;
  virtual HRESULT Navigate(const wchar_t* url, VARIANT* flags, VARIANT* targetFrameName, VARIANT* postData,
                           VARIANT* headers) = 0;
  virtual HRESULT ExecWB(OLECMDID command, OLECMDEXECOPT option, VARIANT* in, VARIANT* out) = 0;
};

class TBrowserSite;

class TCppWebBrowser : public TWinControl {
  CORVALE_DECLARE_CLASS()

public:
  explicit TCppWebBrowser(TComponent* owner);
  ~TCppWebBrowser() override;

  // Forwarded to the current calls object; the real browser's window is created when needed.
  HRESULT Navigate(const wchar_t* url, VARIANT* flags, VARIANT* targetFrameName, VARIANT* postData, VARIANT* headers);
  HRESULT ExecWB(OLECMDID command, OLECMDEXECOPT option, VARIANT* in, VARIANT* out);
  // Not owned; null puts the real browser back.
  void SetCalls(TWebBrowserCalls* calls) { FCalls = calls ? calls : &FRealCalls; }
  // The hosted browser while the window exists, else null.
  IWebBrowser2* Browser() const { return FBrowser.Get(); }
  // The browser's own keys (copy, select all, Tab among links) go to it before the form's.
  bool PreProcessMessage(MSG& message) override;

protected:
  void CreateWnd() override;
  void WndProc(TMessage& message) override;
  void WMSize(TMessage& message);
  void WMDestroy(TMessage& message);
  void WMSetFocus(TMessage& message);

private:
  class TRealCalls : public TWebBrowserCalls {
  public:
    explicit TRealCalls(TCppWebBrowser& owner) : FOwner(owner) {}
    HRESULT Navigate(const wchar_t* url, VARIANT* flags, VARIANT* targetFrameName, VARIANT* postData,
                     VARIANT* headers) override;
    HRESULT ExecWB(OLECMDID command, OLECMDEXECOPT option, VARIANT* in, VARIANT* out) override;

  private:
    TCppWebBrowser& FOwner;
  };

  void CreateBrowser();
  void CloseBrowser();
  void UpdateObjectRects();

  TRealCalls FRealCalls{*this};
  TWebBrowserCalls* FCalls = &FRealCalls;
  TComPtr<TBrowserSite> FSite;
  TComPtr<IOleObject> FObject;
  TComPtr<IWebBrowser2> FBrowser;
};
