#include "framework/dialogs.h"

#include "framework/core/text.h"
#include "framework/files.h"
#include "framework/win32.h"

namespace {

std::string& TitleStorage() {
  static std::string title;
  return title;
}

std::string ExecutableBaseName() {
  std::wstring name = ModuleFileName();
  size_t slash = name.find_last_of(L"\\/");
  if (slash != std::wstring::npos) name.erase(0, slash + 1);
  size_t dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos) name.erase(dot);
  return WideToUtf8(name);
}

}  // namespace

void SetApplicationTitle(const std::string& title) { TitleStorage() = title; }

std::string ApplicationTitle() {
  if (TitleStorage().empty()) TitleStorage() = ExecutableBaseName();
  return TitleStorage();
}

void ShowMessage(const std::string& text) {
  std::wstring wide = Utf8ToWide(text);
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
  MessageBoxW(GetActiveWindow(), shown.c_str(), Utf8ToWide(ApplicationTitle()).c_str(), MB_OK | MB_TASKMODAL);
}
