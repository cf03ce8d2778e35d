#include "framework/dialogs.h"

#include "framework/win32.h"

namespace {

std::string& TitleStorage() {
  static std::string title;
  return title;
}

std::string ExecutableBaseName() {
  wchar_t path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::string();
  std::wstring name(path, length);
  size_t slash = name.find_last_of(L"\\/");
  if (slash != std::wstring::npos) name.erase(0, slash + 1);
  size_t dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos) name.erase(dot);
  int bytes = WideCharToMultiByte(CP_UTF8, 0, name.c_str(), static_cast<int>(name.size()), nullptr, 0, nullptr, nullptr);
  std::string result(bytes > 0 ? bytes : 0, '\0');
  if (bytes > 0) {
    WideCharToMultiByte(CP_UTF8, 0, name.c_str(), static_cast<int>(name.size()), result.data(), bytes, nullptr, nullptr);
  }
  return result;
}

}  // namespace

void SetApplicationTitle(const std::string& title) { TitleStorage() = title; }

std::string ApplicationTitle() {
  if (TitleStorage().empty()) TitleStorage() = ExecutableBaseName();
  return TitleStorage();
}

std::wstring Widen(const std::string& text) {
  if (text.empty()) return std::wstring();
  int count = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (count <= 0) return std::wstring(text.begin(), text.end());
  std::wstring wide(count, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), count);
  return wide;
}

void ShowMessage(const std::string& text) {
  std::wstring wide = Widen(text);
  // A lone CR or LF is a line break for the user; the static control wants CR LF.
  std::wstring shown;
  for (size_t i = 0; i < wide.size(); ++i) {
    if (wide[i] == L'\r' || wide[i] == L'\n') {
      shown += L"\r\n";
      if (wide[i] == L'\r' && i + 1 < wide.size() && wide[i + 1] == L'\n') ++i;
    } else {
      shown += wide[i];
    }
  }
  MessageBoxW(GetActiveWindow(), shown.c_str(), Widen(ApplicationTitle()).c_str(), MB_OK | MB_TASKMODAL);
}
