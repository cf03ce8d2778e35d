// The handle toolbox: one move-only owner for every kind of Windows handle the program holds, and a
// reference owner for COM objects. Each handle has exactly one owner, which closes it on every path.
#pragma once

#include "framework/win32.h"

#include <commctrl.h>
#include <oleauto.h>

#include <utility>

// Which value means "no handle". Most handles are null when absent; CreateFile answers
// INVALID_HANDLE_VALUE instead, and some kernel calls answer null, so a file owner accepts neither.
template <class H>
struct TNullHandlePolicy {
  static H Invalid() { return H{}; }
  static bool Valid(H handle) { return handle != H{}; }
};

struct TFileHandlePolicy {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Valid(HANDLE handle) { return handle != INVALID_HANDLE_VALUE && handle != nullptr; }
};

// A move-only owner that closes its handle with Close exactly once.
template <class H, auto Close, class Policy = TNullHandlePolicy<H>>
class TUniqueHandle {
public:
  TUniqueHandle() = default;
  explicit TUniqueHandle(H handle) : FHandle(handle) {}
  ~TUniqueHandle() { Reset(); }
  TUniqueHandle(TUniqueHandle&& other) noexcept : FHandle(std::exchange(other.FHandle, Policy::Invalid())) {}
  TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      FHandle = std::exchange(other.FHandle, Policy::Invalid());
    }
    return *this;
  }
  TUniqueHandle(const TUniqueHandle&) = delete;
  TUniqueHandle& operator=(const TUniqueHandle&) = delete;

  H Get() const { return FHandle; }
  explicit operator bool() const { return Policy::Valid(FHandle); }
  H Release() { return std::exchange(FHandle, Policy::Invalid()); }
  void Reset(H handle = Policy::Invalid()) {
    if (Policy::Valid(FHandle)) Close(FHandle);
    FHandle = handle;
  }

private:
  H FHandle = Policy::Invalid();
};

namespace handle_detail {
// The closing calls return BOOL or other values nobody reads at this point; the owner needs one shape.
inline void DeleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void DeleteMemoryDC(HDC dc) { DeleteDC(dc); }
inline void CloseKernelHandle(HANDLE handle) { CloseHandle(handle); }
inline void Unhook(HHOOK hook) { UnhookWindowsHookEx(hook); }
inline void DestroyImageList(HIMAGELIST list) { ImageList_Destroy(list); }
inline void DestroyIconHandle(HICON icon) { DestroyIcon(icon); }
inline void DestroyMenuHandle(HMENU menu) { DestroyMenu(menu); }
}  // namespace handle_detail

using TBrushHandle = TUniqueHandle<HBRUSH, &handle_detail::DeleteGdiObject>;
using TPenHandle = TUniqueHandle<HPEN, &handle_detail::DeleteGdiObject>;
using TFontHandle = TUniqueHandle<HFONT, &handle_detail::DeleteGdiObject>;
using TBitmapHandle = TUniqueHandle<HBITMAP, &handle_detail::DeleteGdiObject>;
using TRegionHandle = TUniqueHandle<HRGN, &handle_detail::DeleteGdiObject>;
using TPaletteHandle = TUniqueHandle<HPALETTE, &handle_detail::DeleteGdiObject>;
using TMemoryDCHandle = TUniqueHandle<HDC, &handle_detail::DeleteMemoryDC>;
using TFileHandle = TUniqueHandle<HANDLE, &handle_detail::CloseKernelHandle, TFileHandlePolicy>;
using TKernelHandle = TUniqueHandle<HANDLE, &handle_detail::CloseKernelHandle>;  // events, threads, mappings
using THookHandle = TUniqueHandle<HHOOK, &handle_detail::Unhook>;
using TImageListHandle = TUniqueHandle<HIMAGELIST, &handle_detail::DestroyImageList>;
using TIconHandle = TUniqueHandle<HICON, &handle_detail::DestroyIconHandle>;
using TMenuHandle = TUniqueHandle<HMENU, &handle_detail::DestroyMenuHandle>;  // menus no window owns

// A BSTR the program allocated, freed with SysFreeString.
class TBstr {
public:
  TBstr() = default;
  explicit TBstr(const wchar_t* text) : FText(SysAllocString(text ? text : L"")) {}
  ~TBstr() { SysFreeString(FText); }
  TBstr(TBstr&& other) noexcept : FText(std::exchange(other.FText, nullptr)) {}
  TBstr& operator=(TBstr&& other) noexcept {
    if (this != &other) {
      SysFreeString(FText);
      FText = std::exchange(other.FText, nullptr);
    }
    return *this;
  }
  TBstr(const TBstr&) = delete;
  TBstr& operator=(const TBstr&) = delete;

  BSTR Get() const { return FText; }
  explicit operator bool() const { return FText != nullptr; }
  UINT Length() const { return SysStringLen(FText); }
  // For the out-parameter of a call that allocates the string: whatever was held is freed first.
  BSTR* Put() {
    SysFreeString(std::exchange(FText, nullptr));
    return &FText;
  }

private:
  BSTR FText = nullptr;
};

// One reference to a COM object: released when the owner goes or takes another.
template <class I>
class TComPtr {
public:
  TComPtr() = default;
  // Takes over a reference the caller already holds (an object it just made, say).
  explicit TComPtr(I* object) : FObject(object) {}
  ~TComPtr() { Reset(); }
  TComPtr(TComPtr&& other) noexcept : FObject(std::exchange(other.FObject, nullptr)) {}
  TComPtr& operator=(TComPtr&& other) noexcept {
    if (this != &other) {
      Reset();
      FObject = std::exchange(other.FObject, nullptr);
    }
    return *this;
  }
  TComPtr(const TComPtr&) = delete;
  TComPtr& operator=(const TComPtr&) = delete;

  I* Get() const { return FObject; }
  I* operator->() const { return FObject; }
  explicit operator bool() const { return FObject != nullptr; }
  // For the out-parameter of a creating call: whatever was held is released first.
  I** Put() {
    Reset();
    return &FObject;
  }
  // The same, shaped for QueryInterface and CoCreateInstance.
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }
  void Reset() {
    if (FObject) std::exchange(FObject, nullptr)->Release();
  }

private:
  I* FObject = nullptr;
};
