// Form definitions stored in the executable: RCDATA resources holding definition text, read into
// a form at the screen's resolution.
#pragma once

#include "framework/win32.h"

#include <string>

#include "framework/core/form_reader.h"

// The definition text of a resource; throws EFormReadError when the module has no such resource.
std::string LoadFormResourceText(const std::wstring& resourceName, HMODULE module = nullptr);
// Reads the named definition into root (scaled from its design resolution to the screen's).
void ReadFormResource(TComponent& root, const std::wstring& resourceName, HMODULE module = nullptr);
// Reads definition text into root, as ReadFormResource does.
void ReadFormText(TComponent& root, const std::string& text);
int ScreenPixelsPerInch();
