// Form definition text: whatever parses must write out, parse again to the same tree, and write
// out to the same text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/core/form_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  TFormObject object;
  try {
    object = ParseFormText(text);
  } catch (const EFormTextError&) {
    return 0;
  }
  std::string written = WriteFormText(object);
  TFormObject again = ParseFormText(written);
  if (!(again == object)) std::abort();
  if (WriteFormText(again) != written) std::abort();
  return 0;
}
