// DC state guards, window DCs and the off-screen buffer every painting path composes in.
#pragma once

#include "framework/win32.h"

#include "framework/handles.h"

#include <cstdint>

// Selects an object into a DC and puts the previous one back, before the object can be deleted.
class TSelectGuard {
public:
  TSelectGuard(HDC dc, HGDIOBJ object) : FDC(dc), FOld(object ? SelectObject(dc, object) : nullptr) {}
  ~TSelectGuard() {
    if (FOld) SelectObject(FDC, FOld);
  }
  TSelectGuard(const TSelectGuard&) = delete;
  TSelectGuard& operator=(const TSelectGuard&) = delete;

private:
  HDC FDC;
  HGDIOBJ FOld;
};

// SaveDC / RestoreDC around many changes of a DC's state.
class TSaveDCGuard {
public:
  explicit TSaveDCGuard(HDC dc) : FDC(dc), FSaved(SaveDC(dc)) {}
  ~TSaveDCGuard() {
    if (FSaved) RestoreDC(FDC, FSaved);
  }
  TSaveDCGuard(const TSaveDCGuard&) = delete;
  TSaveDCGuard& operator=(const TSaveDCGuard&) = delete;

private:
  HDC FDC;
  int FSaved;
};

// A DC from GetDC or GetWindowDC, released on every path.
class TWindowDC {
public:
  TWindowDC(HWND window, bool wholeWindow) : FWindow(window), FDC(wholeWindow ? GetWindowDC(window) : GetDC(window)) {}
  ~TWindowDC() {
    if (FDC) ReleaseDC(FWindow, FDC);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return FDC; }

private:
  HWND FWindow;
  HDC FDC;
};

// A 32-bit top-down DIB section with its own memory DC: painting is composed here and copied to
// the screen in one BitBlt, and tests read its pixels (0x00RRGGBB).
class TOffscreen {
public:
  TOffscreen(int width, int height);
  ~TOffscreen();
  TOffscreen(const TOffscreen&) = delete;
  TOffscreen& operator=(const TOffscreen&) = delete;

  bool Valid() const { return FBits != nullptr; }
  HDC DC() const { return FDC.Get(); }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // The rows, top first, Width() pixels each as 0x00RRGGBB, for code that composes pixel by pixel;
  // GdiFlush first when GDI drew here since.
  uint32_t* Bits() const { return FBits; }
  // The pixel at (x, y) as 0x00RRGGBB; 0 outside the buffer.
  uint32_t Pixel(int x, int y) const;
  void CopyTo(HDC target, int x, int y) const;

private:
  int FWidth;
  int FHeight;
  TMemoryDCHandle FDC;
  TBitmapHandle FBitmap;
  HGDIOBJ FOldBitmap = nullptr;
  uint32_t* FBits = nullptr;
};
