// What the viewer asks of the Windows shell: open the maker's site or a new mail to the maker. The
// shell call sits behind a replaceable function, so tests record it instead of starting programs.
#pragma once

#include "framework/win32.h"

#include <string>

using TShellExecuteFunction = HINSTANCE(WINAPI*)(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                                 LPCSTR directory, INT show);

// Opens file with its default verb, the desktop as owner; the result is not reported.
void ShellOpen(const std::string& file);
void SetShellExecuteFunction(TShellExecuteFunction function);

// A wide-character URL from text in the system's ANSI code page, whatever its length.
std::wstring AnsiToWide(const std::string& text);
