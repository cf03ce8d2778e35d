#include "framework/form_resources.h"

#include "framework/core/classes.h"
#include "framework/graphics/gdi.h"

std::string LoadFormResourceText(const std::wstring& resourceName, HMODULE module) {
  HRSRC resource = FindResourceW(module, resourceName.c_str(), RT_RCDATA);
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) throw EFormReadError("The form definition " + WideToUtf8(resourceName) + " is missing");
  return std::string(static_cast<const char*>(data), SizeofResource(module, resource));
}

int ScreenPixelsPerInch() {
  TWindowDC screen(nullptr, false);
  int pixels = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
  return pixels > 0 ? pixels : 96;
}

void ReadFormText(TComponent& root, const std::string& text) {
  ReadComponent(root, ParseFormText(text), TFormReadOptions{ScreenPixelsPerInch()});
}

void ReadFormResource(TComponent& root, const std::wstring& resourceName, HMODULE module) {
  ReadFormText(root, LoadFormResourceText(resourceName, module));
}
