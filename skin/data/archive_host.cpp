// Native builds (tools, tests) have no message box: the reader stays silent and LastError tells.
#include "skin/data/archive.h"

TSkinReader::TMessageProc PlatformSkinMessageHandler() { return nullptr; }
