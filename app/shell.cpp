#include "app/shell.h"

#include <shellapi.h>

namespace {

TShellExecuteFunction gShellExecute = ShellExecuteA;

}  // namespace

void ShellOpen(const std::string& file) {
  gShellExecute(GetDesktopWindow(), nullptr, file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void SetShellExecuteFunction(TShellExecuteFunction function) { gShellExecute = function ? function : ShellExecuteA; }

std::wstring AnsiToWide(const std::string& text) {
  int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (length <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
  wide.resize(static_cast<size_t>(length - 1));  // the terminator the count included
  return wide;
}
