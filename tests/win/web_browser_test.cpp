// The system's web browser hosted in place in a form: navigation through the real control with the
// argument forms the viewer uses, the browser's window following the control's size, a clean
// release when the form goes, and the two calls as a recorder in the browser's place sees them.
#include "framework/controls/web_browser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/forms.h"

namespace {

// Runs what the browser has queued (navigation is asynchronous) without waiting for anything.
void RunQueuedMessages() {
  for (int round = 0; round < 20; ++round) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

// The browser's own window: the one the in-place object reports.
HWND InPlaceWindow(TCppWebBrowser& browser) {
  if (!browser.Browser()) return nullptr;
  TComPtr<IOleWindow> window;
  if (FAILED(browser.Browser()->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(window.Put())))) {
    return nullptr;
  }
  HWND handle = nullptr;
  return SUCCEEDED(window->GetWindow(&handle)) ? handle : nullptr;
}

SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return SIZE{client.right, client.bottom};
}

SIZE WindowSize(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

class WebBrowser : public testing::Test {
protected:
  void SetUp() override {
    FForm = new TForm(nullptr);
    FForm->SetBorderStyle(TFormBorderStyle::bsNone);
    FForm->SetBounds(0, 0, 500, 400);
    FBrowser = new TCppWebBrowser(FForm);
    FBrowser->SetParent(FForm);
    FBrowser->SetBounds(10, 20, 300, 200);
  }
  void TearDown() override { delete FForm; }

  TForm* FForm = nullptr;
  TCppWebBrowser* FBrowser = nullptr;
};

TEST_F(WebBrowser, NavigatesInPlaceWithMissingOrAbsentArguments) {
  FForm->Show();
  ASSERT_NE(FBrowser->Browser(), nullptr);
  HWND inPlace = InPlaceWindow(*FBrowser);
  ASSERT_NE(inPlace, nullptr);
  EXPECT_TRUE(IsChild(FBrowser->Handle(), inPlace));

  // A local page, named by its plain path as the viewer names its temporary file.
  wchar_t folder[MAX_PATH];
  ASSERT_GT(GetTempPathW(MAX_PATH, folder), 0u);
  std::wstring page = std::wstring(folder) + L"corvale_web_browser_test.html";
  HANDLE file = CreateFileW(page.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, "<html><body>Corvale</body></html>", 33, &written, nullptr);
  CloseHandle(file);

  VARIANT missing;
  VariantInit(&missing);
  V_VT(&missing) = VT_ERROR;
  V_ERROR(&missing) = DISP_E_PARAMNOTFOUND;
  struct {
    const wchar_t* Url;
    VARIANT* Argument;
    const wchar_t* Location;  // what the browser reports it went to ends so
  } const cases[] = {
      {L"about:blank", &missing, L"about:blank"},
      {L"about:blank", nullptr, L"about:blank"},
      {page.c_str(), nullptr, L"corvale_web_browser_test.html"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.Argument ? "missing-parameter variants" : "null pointers"));
    VARIANT* v = c.Argument;
    EXPECT_EQ(FBrowser->Navigate(c.Url, v, v, v, v), S_OK);
    RunQueuedMessages();  // far enough for the HTML engine to load, or to fail to without Gecko
    BSTR location = nullptr;
    ASSERT_EQ(FBrowser->Browser()->get_LocationURL(&location), S_OK);
    std::wstring text = location ? location : L"";
    SysFreeString(location);
    std::wstring ending = c.Location;
    EXPECT_TRUE(text.size() >= ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0)
        << std::string(text.begin(), text.end());
  }
  EXPECT_EQ(InPlaceWindow(*FBrowser), inPlace);  // navigating keeps the same in-place window
  DeleteFileW(page.c_str());
}

TEST_F(WebBrowser, TheInPlaceWindowFollowsTheControlsSize) {
  FForm->Show();
  HWND inPlace = InPlaceWindow(*FBrowser);
  ASSERT_NE(inPlace, nullptr);
  const SIZE sizes[] = {{300, 200}, {420, 130}, {120, 330}};
  for (const SIZE& size : sizes) {
    FBrowser->SetBounds(10, 20, size.cx, size.cy);
    RunQueuedMessages();
    SIZE client = ClientSize(FBrowser->Handle());
    SIZE browser = WindowSize(inPlace);
    EXPECT_EQ(browser.cx, client.cx) << size.cx << "x" << size.cy;
    EXPECT_EQ(browser.cy, client.cy) << size.cx << "x" << size.cy;
  }
  FBrowser->SetAlign(TAlign::alClient);
  RunQueuedMessages();
  SIZE form = ClientSize(FForm->Handle());
  SIZE browser = WindowSize(inPlace);
  EXPECT_EQ(browser.cx, form.cx);
  EXPECT_EQ(browser.cy, form.cy);
}

TEST_F(WebBrowser, DestroyingTheFormClosesAndReleasesTheBrowser) {
  FForm->Show();
  VARIANT missing;
  VariantInit(&missing);
  V_VT(&missing) = VT_ERROR;
  V_ERROR(&missing) = DISP_E_PARAMNOTFOUND;
  ASSERT_EQ(FBrowser->Navigate(L"about:blank", &missing, &missing, &missing, &missing), S_OK);
  RunQueuedMessages();
  HWND inPlace = InPlaceWindow(*FBrowser);
  ASSERT_NE(inPlace, nullptr);
  IOleObject* object = nullptr;
  ASSERT_EQ(FBrowser->Browser()->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object)), S_OK);

  delete FForm;
  FForm = nullptr;
  RunQueuedMessages();
  EXPECT_FALSE(IsWindow(inPlace));
  IOleClientSite* site = reinterpret_cast<IOleClientSite*>(1);
  EXPECT_EQ(object->GetClientSite(&site), S_OK);
  EXPECT_EQ(site, nullptr);  // the site was taken back
  EXPECT_EQ(object->Release(), 0u);  // ours was the last reference: the control kept none
}

TEST_F(WebBrowser, RealCallsCreateTheWindowWhenNeeded) {
  EXPECT_FALSE(FBrowser->HandleAllocated());
  EXPECT_EQ(FBrowser->Browser(), nullptr);
  EXPECT_EQ(FBrowser->Navigate(L"about:blank", nullptr, nullptr, nullptr, nullptr), S_OK);
  EXPECT_TRUE(FBrowser->HandleAllocated());
  EXPECT_NE(FBrowser->Browser(), nullptr);
  RunQueuedMessages();
  // Recreating the window makes a new browser in it, with the old one closed.
  HWND oldInPlace = InPlaceWindow(*FBrowser);
  FBrowser->DestroyHandle();
  EXPECT_EQ(FBrowser->Browser(), nullptr);
  EXPECT_FALSE(IsWindow(oldInPlace));
  EXPECT_EQ(FBrowser->Navigate(L"about:blank", nullptr, nullptr, nullptr, nullptr), S_OK);
  EXPECT_NE(InPlaceWindow(*FBrowser), nullptr);
  RunQueuedMessages();
}

class TCallRecorder : public TWebBrowserCalls {
public:
  struct TCall {
    std::wstring Text;  // the URL, or the command and option
    std::vector<VARIANT*> Arguments;
  };
  HRESULT Navigate(const wchar_t* url, VARIANT* flags, VARIANT* targetFrameName, VARIANT* postData,
                   VARIANT* headers) override {
    Calls.push_back({url, {flags, targetFrameName, postData, headers}});
    return S_FALSE;
  }
  HRESULT ExecWB(OLECMDID command, OLECMDEXECOPT option, VARIANT* in, VARIANT* out) override {
    Calls.push_back({std::to_wstring(command) + L"," + std::to_wstring(option), {in, out}});
    return E_ABORT;
  }
  std::vector<TCall> Calls;
};

TEST_F(WebBrowser, ARecorderInTheBrowsersPlaceSeesTheCallsExactly) {
  TCallRecorder recorder;
  FBrowser->SetCalls(&recorder);
  VARIANT a, b, c, d;
  EXPECT_EQ(FBrowser->Navigate(L"about:blank", &a, &b, &c, &d), S_FALSE);
  EXPECT_EQ(FBrowser->Navigate(L"C:\\Corvale\\Corvale.tmp", nullptr, nullptr, nullptr, nullptr), S_FALSE);
  EXPECT_EQ(FBrowser->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER, &a, &b), E_ABORT);
  ASSERT_EQ(recorder.Calls.size(), 3u);
  EXPECT_EQ(recorder.Calls[0].Text, L"about:blank");
  EXPECT_EQ(recorder.Calls[0].Arguments, (std::vector<VARIANT*>{&a, &b, &c, &d}));
  EXPECT_EQ(recorder.Calls[1].Text, L"C:\\Corvale\\Corvale.tmp");
  EXPECT_EQ(recorder.Calls[1].Arguments, (std::vector<VARIANT*>{nullptr, nullptr, nullptr, nullptr}));
  EXPECT_EQ(recorder.Calls[2].Text, L"6,1");
  EXPECT_EQ(recorder.Calls[2].Arguments, (std::vector<VARIANT*>{&a, &b}));
  EXPECT_FALSE(FBrowser->HandleAllocated());  // a recorder needs no browser

  FBrowser->SetCalls(nullptr);
  EXPECT_EQ(FBrowser->Navigate(L"about:blank", nullptr, nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(recorder.Calls.size(), 3u);
  EXPECT_NE(FBrowser->Browser(), nullptr);
  RunQueuedMessages();
}

TEST(WebBrowserClass, CreatableByNameAndATabStopUnlessDefinedOtherwise) {
  const TClassInfo& info = TCppWebBrowser::StaticClassInfo();
  ASSERT_TRUE(info.Create);
  TComponent* made = info.Create(nullptr);
  auto* browser = dynamic_cast<TCppWebBrowser*>(made);
  ASSERT_NE(browser, nullptr);
  EXPECT_TRUE(browser->TabStop());
  SetEnumProp(browser, "TabStop", "False");
  SetOrdProp(browser, "TabOrder", 2);
  SetEnumProp(browser, "Align", "alTop");
  EXPECT_FALSE(browser->TabStop());
  EXPECT_EQ(browser->TabOrder(), 2);
  EXPECT_EQ(browser->Align(), TAlign::alTop);
  delete made;
}

}  // namespace
