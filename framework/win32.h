// The one door through which the Windows headers enter this code base: every Windows translation
// unit includes this header instead of <windows.h>. The definitions that shape those headers
// (UNICODE, _UNICODE, WIN32_LEAN_AND_MEAN, _WIN32_WINNT and WINVER) are set once, for every Windows
// translation unit, by the build; the checks below keep a unit built some other way from quietly
// seeing different declarations.
#pragma once

#if !defined(UNICODE) || !defined(_UNICODE) || !defined(WIN32_LEAN_AND_MEAN) || !defined(_WIN32_WINNT) || \
    !defined(WINVER)
#error "Windows units are built with the project's definitions (UNICODE, WIN32_LEAN_AND_MEAN, _WIN32_WINNT, WINVER)"
#endif

#include <windows.h>
// Brought in here, before any declaration of ours, so that a unit including it later changes no
// macro: its include guard makes that later include a no-op.
#include <winspool.h>

// The Windows headers name their A/W pairs through macros. Two of them are names our own classes
// carry (TCanvas::TextOut, TSkinManage::AddForm): left defined, each would silently become TextOutW
// or AddFormW in some units and stay itself in others, two symbols for one method. Undefined here,
// once and for all, they are our names everywhere; the Win32 functions are called by their wide
// names (TextOutW, AddFormW).
#undef TextOut
#undef AddForm
