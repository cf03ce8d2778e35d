// TSkinReader: the directory and contents of a skin package (an LZH-packed archive of the skin
// description and its bitmaps), read once into memory and handed out file by file.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/core/streams.h"

class TSkinReader {
public:
  static constexpr int kMaxFiles = 1001;
  // A package never unpacks to more than this; a size field beyond it is refused.
  static constexpr int64_t kMaxArchiveSize = 256 * 1024 * 1024;
  static constexpr const char* kOlderSkinMessage = "This is Older Skin File\rPlease update to new version !";

  // Where the unknown-format message goes: at first the platform's (the framework's message box on
  // Windows, none in native builds); a reader without a handler stays silent (LastError still tells).
  using TMessageProc = std::function<void(const std::string& message)>;
  // Returns the handler it replaces.
  static TMessageProc SetMessageHandler(TMessageProc handler);

  TSkinReader();

  // Unpacks a whole package and reads its directory. False when the format code is unknown or the
  // archive is damaged; the directory is then left as it was and LastError says why. The codec's
  // own ElzhException (a truncated or oversized packed stream) propagates to the caller.
  bool Loadfromstream(TStream& stream);
  bool loadfromfile(const std::string& fileName);
  // Reads an already unpacked archive.
  bool LoadArchive(const uint8_t* data, size_t size);

  static void Decompress(TStream& packed, TStream& destination);

  void readfile(const std::string& name, TMemoryStream& stream) const;
  void readIni(const std::string& text, TMemoryStream& stream, std::string& name) const;

  // The file at a directory position, whatever its name (the packer's tool lists and unpacks by it).
  void ReadEntry(int index, TMemoryStream& stream) const;

  int32_t FormatCode() const { return FHeader[0]; }
  int Count() const { return FCount; }
  const std::vector<std::string>& Names() const { return FNames; }
  int32_t FileSize(int index) const { return FSizes[index]; }
  const std::string& LastError() const { return FLastError; }

  // Format block length for a format code, or -1 for a code this reader does not know.
  static int FormatBlockLength(int32_t formatCode);

private:
  void WriteEntry(int index, TMemoryStream& stream) const;
  bool Refuse(std::string reason);

  std::vector<std::string> FNames;
  int32_t FCount = 0;
  std::vector<int32_t> FSizes;     // kMaxFiles entries
  std::vector<uint64_t> FOffsets;  // where each file starts in FData
  TMemoryStream FData;
  int32_t FHeader[4] = {};
  std::string FLastError;
};

// The handler readers start with; defined per platform.
TSkinReader::TMessageProc PlatformSkinMessageHandler();

// An archive that cannot be written: too many files, or a name that cannot stand in the name list.
class ESkinArchiveError : public Exception {
public:
  using Exception::Exception;
};

// Writes an unpacked archive: the given format code, an all-zero format block, reserved words 0 and
// the entries in the order given.
struct TSkinArchiveEntry {
  std::string Name;
  std::vector<uint8_t> Data;
};
std::vector<uint8_t> BuildSkinArchive(const std::vector<TSkinArchiveEntry>& entries, int32_t formatCode = 70000);
