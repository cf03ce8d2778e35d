#include "framework/files.h"

#include <algorithm>
#include <limits>

#include "framework/core/classes.h"
#include "framework/handles.h"

namespace {

std::string SystemMessage(DWORD error) {
  wchar_t* text = nullptr;
  DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, error, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
  std::wstring message = length && text ? std::wstring(text, length) : L"";
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' || message.back() == L' ')) {
    message.pop_back();
  }
  if (message.empty()) message = L"System error " + std::to_wstring(error);
  return WideToUtf8(message);
}

[[noreturn]] void Fail(const char* what, const std::wstring& path, DWORD error) {
  throw EStreamError(std::string(what) + " \"" + WideToUtf8(path) + "\". " + SystemMessage(error));
}

}  // namespace

std::string ReadWholeFile(const std::wstring& path) {
  TFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) Fail("Cannot open file", path, GetLastError());
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.Get(), &size)) Fail("Cannot read file", path, GetLastError());
  if (size.QuadPart > static_cast<LONGLONG>(std::numeric_limits<DWORD>::max() / 2)) {
    Fail("Cannot read file", path, ERROR_FILE_TOO_LARGE);
  }
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    if (!ReadFile(file.Get(), bytes.data() + done, chunk, &read, nullptr)) Fail("Cannot read file", path, GetLastError());
    if (read == 0) break;  // the file shrank meanwhile
    done += read;
  }
  bytes.resize(done);
  return bytes;
}

namespace {

// Writes the bytes into a new file; the system's error, or ERROR_SUCCESS.
DWORD WriteNewFile(const std::wstring& path, const std::string& bytes) {
  TFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return GetLastError();
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    if (!WriteFile(file.Get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) {
      DWORD error = GetLastError();
      return error ? error : ERROR_WRITE_FAULT;
    }
    done += written;
  }
  return ERROR_SUCCESS;
}

}  // namespace

void WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  DWORD error = WriteNewFile(path, bytes);
  if (error == ERROR_SUCCESS) return;
  if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) DeleteFileW(path.c_str());
  Fail("Cannot write file", path, error);
}

bool FileExists(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void DeleteFileQuietly(const std::wstring& path) { DeleteFileW(path.c_str()); }

std::wstring ModuleFileName(HMODULE module) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::wstring();
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);  // truncated: try a larger buffer
  }
}
