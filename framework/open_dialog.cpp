#include "framework/open_dialog.h"

#include <vector>

namespace {

TOpenDialog::TExecuteFunction gExecute = GetOpenFileNameW;

}  // namespace

const TClassInfo& TOpenDialog::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TOpenDialog>("TOpenDialog", &TComponent::StaticClassInfo())
                                     .WideString("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter)
                                     .WideString("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName)
                                     .WideString("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle)
                                     .Creatable()
                                     .Build();
  return info;
}

std::wstring TOpenDialog::DialogFilter(const std::wstring& filter) {
  std::wstring result = filter;
  for (wchar_t& ch : result) {
    if (ch == L'|') ch = L'\0';
  }
  result += L'\0';
  result += L'\0';
  return result;
}

void TOpenDialog::SetExecuteFunction(TExecuteFunction function) { gExecute = function ? function : GetOpenFileNameW; }

bool TOpenDialog::Execute() {
  // Long paths are fine: the buffer is far larger than MAX_PATH.
  std::vector<wchar_t> file(32768, L'\0');
  FFileName.copy(file.data(), file.size() - 1);
  std::wstring filter = DialogFilter(FFilter);
  OPENFILENAMEW parameters = {};
  parameters.lStructSize = sizeof parameters;
  parameters.hwndOwner = GetActiveWindow();
  parameters.lpstrFilter = FFilter.empty() ? nullptr : filter.c_str();
  parameters.nFilterIndex = 1;
  parameters.lpstrFile = file.data();
  parameters.nMaxFile = static_cast<DWORD>(file.size());
  parameters.lpstrTitle = FTitle.empty() ? nullptr : FTitle.c_str();
  parameters.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING;
  if (!gExecute(&parameters)) return false;
  FFileName = file.data();
  return true;
}
