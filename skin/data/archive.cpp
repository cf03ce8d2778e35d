#include "skin/data/archive.h"

#include <cstring>
#include <climits>
#include <fstream>

#include "framework/core/text.h"
#include "skin/data/lzh.h"

namespace {

TSkinReader::TMessageProc& MessageHandler() {
  static TSkinReader::TMessageProc handler = PlatformSkinMessageHandler();
  return handler;
}

int32_t ReadInt32(const uint8_t* p) {
  return static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
}

void AppendInt32(std::vector<uint8_t>& out, int32_t value) {
  uint32_t v = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// Lines end at CR LF, CR or LF; a break after the last name adds no empty line.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t i = 0;
  while (i < text.size()) {
    size_t start = i;
    while (i < text.size() && text[i] != '\r' && text[i] != '\n') ++i;
    lines.emplace_back(text, start, i - start);
    if (i < text.size() && text[i] == '\r') ++i;
    if (i < text.size() && text[i] == '\n') ++i;
  }
  return lines;
}

}  // namespace

TSkinReader::TMessageProc TSkinReader::SetMessageHandler(TMessageProc handler) {
  TMessageProc previous = std::move(MessageHandler());
  MessageHandler() = std::move(handler);
  return previous;
}

TSkinReader::TSkinReader() : FSizes(kMaxFiles, 0) {}

int TSkinReader::FormatBlockLength(int32_t formatCode) {
  switch (formatCode) {
    case 20000: return 0;
    case 30000: return 256;
    case 40000: return 80;
    case 50000: return 48;
    case 60000: return 117;
    case 70000: return 69;
    default: return -1;
  }
}

bool TSkinReader::Refuse(std::string reason) {
  FLastError = std::move(reason);
  return false;
}

void TSkinReader::Decompress(TStream& packed, TStream& destination) {
  TLZH::Decompress(packed, destination, kMaxArchiveSize);
}

bool TSkinReader::Loadfromstream(TStream& stream) {
  TMemoryStream archive;
  Decompress(stream, archive);
  return LoadArchive(archive.Memory(), archive.Size());
}

bool TSkinReader::loadfromfile(const std::string& fileName) {
  std::ifstream probe(fileName, std::ios::binary);
  if (!probe) return Refuse("Cannot open \"" + fileName + "\"");
  probe.close();
  TMemoryStream packed;
  packed.LoadFromFile(fileName);
  return Loadfromstream(packed);
}

bool TSkinReader::LoadArchive(const uint8_t* data, size_t size) {
  FLastError.clear();
  if (size < 16) return Refuse("The skin archive is shorter than its 16-byte header");
  int32_t header[4];
  for (int i = 0; i < 4; ++i) header[i] = ReadInt32(data + 4 * i);

  int blockLength = FormatBlockLength(header[0]);
  if (blockLength < 0) {
    if (MessageHandler()) MessageHandler()(kOlderSkinMessage);
    return Refuse("Unknown skin archive format " + std::to_string(header[0]));
  }

  // Every length below comes from the file: each is checked against what is really there.
  uint64_t position = 16 + static_cast<uint64_t>(blockLength);
  int32_t nameListLength = header[1];
  if (position > size) return Refuse("The skin archive ends inside its format block");
  if (nameListLength < 0 || static_cast<uint64_t>(nameListLength) > size - position) {
    return Refuse("The skin archive's name list length " + std::to_string(nameListLength) + " runs past its end");
  }
  std::vector<std::string> names =
      SplitLines(LowerCase(std::string(reinterpret_cast<const char*>(data + position), nameListLength)));
  position += nameListLength;

  if (names.size() > static_cast<size_t>(kMaxFiles)) {
    return Refuse("The skin archive names " + std::to_string(names.size()) + " files; at most " +
                  std::to_string(kMaxFiles) + " are allowed");
  }
  uint64_t count = names.size();
  if (4 * count > size - position) return Refuse("The skin archive ends inside its table of file sizes");

  std::vector<int32_t> sizes(kMaxFiles, 0);
  std::vector<uint64_t> offsets(count, 0);
  uint64_t contentLength = size - position - 4 * count;
  uint64_t offset = 0;
  for (uint64_t i = 0; i < count; ++i) {
    sizes[i] = ReadInt32(data + position + 4 * i);
    if (sizes[i] < 0 || static_cast<uint64_t>(sizes[i]) > contentLength - offset) {
      return Refuse("The size of \"" + names[i] + "\" (" + std::to_string(sizes[i]) +
                    " bytes) does not fit the skin archive");
    }
    offsets[i] = offset;
    offset += sizes[i];
  }
  position += 4 * count;

  std::memcpy(FHeader, header, sizeof FHeader);
  FNames = std::move(names);
  FCount = static_cast<int32_t>(count);
  FSizes = std::move(sizes);
  FOffsets = std::move(offsets);
  FData.Clear();
  FData.Write(data + position, size - position);
  FData.SetPosition(0);
  return true;
}

void TSkinReader::ReadEntry(int index, TMemoryStream& stream) const {
  stream.Clear();
  if (index >= 0 && index < FCount) WriteEntry(index, stream);
}

void TSkinReader::WriteEntry(int index, TMemoryStream& stream) const {
  stream.Write(FData.Memory() + FOffsets[index], FSizes[index]);
  stream.SetPosition(0);
}

void TSkinReader::readfile(const std::string& name, TMemoryStream& stream) const {
  stream.Clear();
  std::string wanted = LowerCase(name);
  for (int i = 0; i < FCount; ++i) {
    if (FNames[i] == wanted) {
      WriteEntry(i, stream);
      return;
    }
  }
}

void TSkinReader::readIni(const std::string& text, TMemoryStream& stream, std::string& name) const {
  stream.Clear();
  for (int i = 0; i < FCount; ++i) {
    if (FNames[i].find(text) != std::string::npos) {
      WriteEntry(i, stream);
      name = FNames[i];
      return;
    }
  }
}

std::vector<uint8_t> BuildSkinArchive(const std::vector<TSkinArchiveEntry>& entries, int32_t formatCode) {
  if (entries.size() > static_cast<size_t>(TSkinReader::kMaxFiles)) {
    throw ESkinArchiveError("A skin archive holds at most " + std::to_string(TSkinReader::kMaxFiles) +
                            " files, not " + std::to_string(entries.size()));
  }
  int blockLength = TSkinReader::FormatBlockLength(formatCode);
  if (blockLength < 0) throw ESkinArchiveError("Unknown skin archive format " + std::to_string(formatCode));
  std::string nameList;
  for (size_t i = 0; i < entries.size(); ++i) {
    const std::string& name = entries[i].Name;
    if (name.empty() || name.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) {
      throw ESkinArchiveError("The file name \"" + name + "\" cannot be stored in a skin archive");
    }
    if (entries[i].Data.size() > static_cast<size_t>(INT32_MAX)) {
      throw ESkinArchiveError("The file \"" + name + "\" is too large for a skin archive");
    }
    if (i) nameList += "\r\n";
    nameList += name;
  }
  std::vector<uint8_t> out;
  AppendInt32(out, formatCode);
  AppendInt32(out, static_cast<int32_t>(nameList.size()));
  AppendInt32(out, 0);
  AppendInt32(out, 0);
  out.resize(out.size() + blockLength, 0);
  out.insert(out.end(), nameList.begin(), nameList.end());
  for (const auto& entry : entries) AppendInt32(out, static_cast<int32_t>(entry.Data.size()));
  for (const auto& entry : entries) out.insert(out.end(), entry.Data.begin(), entry.Data.end());
  return out;
}
