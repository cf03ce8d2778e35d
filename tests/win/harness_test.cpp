// The Wine session itself: a real top-level window on the virtual display, non-client areas painted
// by Wine rather than an X11 window manager, and pixels read back from a DIB section.
#include "framework/win32.h"
#include <windowsx.h>

#include <gtest/gtest.h>

namespace {

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

class HarnessWindow : public testing::Test {
protected:
  void SetUp() override {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = PlainWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"CorvaleHarnessWindow";
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassW(&windowClass);
    FWindow = CreateWindowExW(0, L"CorvaleHarnessWindow", L"Harness", WS_OVERLAPPEDWINDOW, 100, 100, 300, 200,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(FWindow, nullptr);
    ShowWindow(FWindow, SW_SHOWNORMAL);
    UpdateWindow(FWindow);
  }
  void TearDown() override {
    if (FWindow) DestroyWindow(FWindow);
  }
  HWND FWindow = nullptr;
};

TEST_F(HarnessWindow, WineOwnsTheNonClientArea) {
  RECT window, client;
  ASSERT_TRUE(GetWindowRect(FWindow, &window));
  ASSERT_TRUE(GetClientRect(FWindow, &client));
  // With Decorated=N the frame and caption belong to the window, not to an X11 window manager.
  EXPECT_EQ(window.right - window.left, 300);
  EXPECT_LT(client.bottom, 200 - GetSystemMetrics(SM_CYCAPTION));
  POINT caption = {window.left + 150, window.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
  EXPECT_EQ(SendMessageW(FWindow, WM_NCHITTEST, 0, MAKELPARAM(caption.x, caption.y)), HTCAPTION);
  POINT inside = {window.left + 150, window.top + 120};
  EXPECT_EQ(SendMessageW(FWindow, WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)), HTCLIENT);
}

TEST_F(HarnessWindow, PixelsReadBackFromADibSection) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 16;
  info.bmiHeader.biHeight = -16;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(FWindow);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(FWindow, screen);
  ASSERT_NE(bitmap, nullptr);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, bitmap);
  HBRUSH brush = CreateSolidBrush(RGB(0x12, 0x34, 0x56));
  RECT square = {4, 4, 12, 12};
  FillRect(memory, &square, brush);
  GdiFlush();
  const DWORD* pixels = static_cast<const DWORD*>(bits);
  EXPECT_EQ(pixels[0] & 0xFFFFFF, 0u);
  EXPECT_EQ(pixels[5 * 16 + 5] & 0xFFFFFF, 0x123456u);  // DIB pixels are 0xRRGGBB
  SelectObject(memory, old);
  DeleteObject(brush);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

}  // namespace
