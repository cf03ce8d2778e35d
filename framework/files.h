// Whole-file reading and writing by wide path (any length, any characters), with the framework's
// error on failure, and the quiet existence test and deletion the viewer's temporary file needs.
#pragma once

#include "framework/win32.h"

#include <string>

#include "framework/core/streams.h"

// The file's bytes; EStreamError naming the file and the system's reason when it cannot be read.
std::string ReadWholeFile(const std::wstring& path);
// Creates or replaces the file with the bytes; EStreamError when it cannot be written, in which
// case no partial file is left behind.
void WriteWholeFile(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);
// Deletes the file if it can; a missing or locked file is not an error.
void DeleteFileQuietly(const std::wstring& path);
// The full path of the running program, whatever its length.
std::wstring ModuleFileName(HMODULE module = nullptr);
