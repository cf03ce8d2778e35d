// Linked into every Windows test program: a crash ends the process at once with the exception's
// code, so the test runner sees a failure instead of waiting for Wine's debugger.
#include "framework/win32.h"

namespace {

LONG WINAPI EndOnCrash(EXCEPTION_POINTERS* exception) {
  TerminateProcess(GetCurrentProcess(), exception && exception->ExceptionRecord ? exception->ExceptionRecord->ExceptionCode : 3);
  return EXCEPTION_EXECUTE_HANDLER;
}

const bool gInstalled = [] {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  SetUnhandledExceptionFilter(EndOnCrash);
  return true;
}();

}  // namespace
