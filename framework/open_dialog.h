// TOpenDialog: the system's file-open dialog as a component (Filter "description|pattern|...",
// FileName, Title). The dialog call itself sits behind a replaceable function so tests never block.
#pragma once

#include "framework/win32.h"

#include <commdlg.h>

#include <string>

#include "framework/core/classes.h"

class TOpenDialog : public TComponent {
  CORVALE_DECLARE_CLASS()

public:
  using TExecuteFunction = BOOL(WINAPI*)(OPENFILENAMEW* parameters);

  explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}

  std::wstring Filter() const { return FFilter; }
  void SetFilter(const std::wstring& value) { FFilter = value; }
  std::wstring FileName() const { return FFileName; }
  void SetFileName(const std::wstring& value) { FFileName = value; }
  std::wstring Title() const { return FTitle; }
  void SetTitle(const std::wstring& value) { FTitle = value; }

  // Runs the dialog over the active window; true and FileName set when the user chose a file.
  bool Execute();

  // The filter as the dialog takes it: NUL after each description and pattern, NUL at the end.
  static std::wstring DialogFilter(const std::wstring& filter);
  static void SetExecuteFunction(TExecuteFunction function);

private:
  std::wstring FFilter;
  std::wstring FFileName;
  std::wstring FTitle;
};
