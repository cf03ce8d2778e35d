#include "framework/handles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A COM object that counts its references, to see every owner release exactly what it took. COM
// interfaces have no virtual destructor by design: objects end through Release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class TCounted final : public IUnknown {
public:
  ULONG References = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++References; }
  ULONG STDMETHODCALLTYPE Release() override { return --References; }
};
#pragma GCC diagnostic pop

std::wstring TempPath(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

}  // namespace

TEST(FileHandle, AFailedOpenIsEmptyAndAnOpenFileIsClosedOnce) {
  TFileHandle missing(CreateFileW(L"Z:\\no\\such\\folder\\file.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_EQ(missing.Get(), INVALID_HANDLE_VALUE);
  EXPECT_FALSE(missing);
  EXPECT_FALSE(TFileHandle());
  EXPECT_EQ(TFileHandle().Get(), INVALID_HANDLE_VALUE);  // empty means INVALID_HANDLE_VALUE, not null
  EXPECT_FALSE(TFileHandle(nullptr));

  const std::wstring path = TempPath(L"corvale-handles-test.tmp");
  TFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  ASSERT_TRUE(file);
  HANDLE raw = file.Get();
  TFileHandle moved(std::move(file));
  EXPECT_FALSE(file);
  EXPECT_EQ(moved.Get(), raw);
  moved.Reset();
  EXPECT_FALSE(moved);
  // Delete-on-close: the file is gone exactly when its one owner closed it.
  EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

int gHookCalls = 0;

LRESULT CALLBACK CountingHook(int code, WPARAM wParam, LPARAM lParam) {
  ++gHookCalls;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(HookHandle, UnhooksWhenTheOwnerGoes) {
  int& calls = gHookCalls;
  calls = 0;
  {
    THookHandle hook(SetWindowsHookExW(WH_CALLWNDPROC, CountingHook, nullptr, GetCurrentThreadId()));
    ASSERT_TRUE(hook);
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SendMessageW(window, WM_NULL, 0, 0);
    DestroyWindow(window);
    EXPECT_GT(calls, 0);
  }
  calls = 0;
  HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SendMessageW(window, WM_NULL, 0, 0);
  DestroyWindow(window);
  EXPECT_EQ(calls, 0);
}

TEST(ComPtr, ReleasesWhatItHoldsOnResetPutMoveAndDestruction) {
  TCounted object;
  {
    TComPtr<IUnknown> first(&object);  // takes over the creator's reference
    EXPECT_EQ(object.References, 1u);
    object.AddRef();
    TComPtr<IUnknown> second;
    *second.Put() = &object;  // an out-parameter filled by a call
    EXPECT_EQ(object.References, 2u);
    TComPtr<IUnknown> third(std::move(second));
    EXPECT_FALSE(second);
    EXPECT_EQ(object.References, 2u);
    third.Put();  // taking another releases the one held
    EXPECT_EQ(object.References, 1u);
    EXPECT_FALSE(third);
  }
  EXPECT_EQ(object.References, 0u);
}

TEST(Bstr, HoldsACopyAndFreesTheOldOneOnPut) {
  TBstr text(L"Fattura");
  ASSERT_TRUE(text);
  EXPECT_EQ(text.Length(), 7u);
  EXPECT_EQ(std::wstring(text.Get()), L"Fattura");
  EXPECT_EQ(TBstr(nullptr).Length(), 0u);  // null is the empty string, as Navigate expects
  BSTR* out = text.Put();
  EXPECT_EQ(*out, nullptr);
  *out = SysAllocString(L"PA");
  TBstr moved(std::move(text));
  EXPECT_FALSE(text);
  EXPECT_EQ(std::wstring(moved.Get()), L"PA");
}

TEST(ImageListAndIconHandles, DestroyWhatTheyOwn) {
  TImageListHandle list(ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1));
  ASSERT_TRUE(list);
  EXPECT_EQ(ImageList_GetImageCount(list.Get()), 0);
  list.Reset();
  EXPECT_FALSE(list);

  TIconHandle icon(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
  ASSERT_TRUE(icon);
  ICONINFO info{};
  EXPECT_TRUE(GetIconInfo(icon.Get(), &info));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  HICON raw = icon.Get();
  icon.Reset();
  EXPECT_FALSE(GetIconInfo(raw, &info));  // destroyed, not just forgotten
}
