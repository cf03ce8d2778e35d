// On Windows the archive's one message to the user goes to the framework's simple message box.
#include "framework/dialogs.h"
#include "skin/data/archive.h"

TSkinReader::TMessageProc PlatformSkinMessageHandler() {
  return [](const std::string& message) { ShowMessage(message); };
}
