#include "skin/data/quick_ini.h"

#include <algorithm>
#include <climits>

#include "framework/core/text.h"
#include "skin/data/lzh.h"

namespace {

inline bool IsBlank(char ch) { return static_cast<unsigned char>(ch) <= 32; }

// Removes characters 0..32 from both ends.
std::string Trim(const std::string& text, size_t begin = 0, size_t end = std::string::npos) {
  if (end > text.size()) end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

bool IsSectionLine(const std::string& line) {
  size_t begin = 0, end = line.size();
  while (begin < end && IsBlank(line[begin])) ++begin;
  while (end > begin && IsBlank(line[end - 1])) --end;
  return end > begin && line[begin] == '[' && line[end - 1] == ']';
}

// Whether the line's name (trimmed text before the first "=") equals lowerKey, ignoring case.
bool NameEquals(const std::string& line, const std::string& lowerKey) {
  size_t equals = line.find('=');
  if (equals == std::string::npos) return lowerKey.empty();
  size_t begin = 0, end = equals;
  while (begin < end && IsBlank(line[begin])) ++begin;
  while (end > begin && IsBlank(line[end - 1])) --end;
  if (end - begin != lowerKey.size()) return false;
  for (size_t i = 0; i < lowerKey.size(); ++i) {
    if (LowerCaseChar(line[begin + i]) != lowerKey[i]) return false;
  }
  return true;
}

std::string NameOf(const std::string& line) {
  size_t equals = line.find('=');
  return equals == std::string::npos ? std::string() : LowerCase(Trim(line, 0, equals));
}

std::string ValueOf(const std::string& line) {
  size_t equals = line.find('=');
  return equals == std::string::npos ? std::string() : Trim(line, equals + 1);
}

}  // namespace

void TQuickIni::LoadFromStream(TStream* stream) {
  if (!stream) return;
  // The description normally arrives in a memory stream: parse it where it lies.
  if (auto* memory = dynamic_cast<TMemoryStream*>(stream)) {
    uint64_t at = std::min(memory->Position(), memory->Size());
    Parse(reinterpret_cast<const char*>(memory->Memory()) + at, memory->Size() - at);
    memory->SetPosition(memory->Size());
    return;
  }
  std::string text(static_cast<size_t>(stream->Remaining()), '\0');
  text.resize(stream->Read(text.data(), text.size()));
  Parse(text.data(), text.size());
}

void TQuickIni::Parse(const char* text, size_t size) {
  Clear();
  // One allocation for the line list rather than a chain of reallocations that copy it.
  FLines.reserve(static_cast<size_t>(std::count(text, text + size, '\n')) + 1);
  // Lines end at CR, LF or NUL; one CR and then one LF are skipped after each; NUL ends the text.
  size_t i = 0;
  while (i < size) {
    size_t start = i;
    while (i < size && text[i] != '\r' && text[i] != '\n' && text[i] != '\0') ++i;
    size_t end = i;
    bool ended = i < size && text[i] == '\0';
    if (i < size && text[i] == '\r') ++i;
    if (i < size && text[i] == '\n') ++i;
    while (start < end && IsBlank(text[start])) ++start;
    while (end > start && IsBlank(text[end - 1])) --end;
    if (end > start && text[start] != ';') {
      if (text[start] == '[' && text[end - 1] == ']') {
        FSections.emplace_back(std::string(text + start, end - start), static_cast<int>(FLines.size()));
      }
      FLines.emplace_back(text + start, end - start);
    }
    if (ended) break;
  }
}

void TQuickIni::LoadFromFile(const std::string& fileName) {
  TMemoryStream stream;
  stream.LoadFromFile(fileName);
  LoadFromStream(&stream);
}

void TQuickIni::LoadFromZip(const std::string& fileName) {
  TMemoryStream packed, plain;
  packed.LoadFromFile(fileName);
  Decompress(packed, plain);
  plain.SetPosition(0);
  LoadFromStream(&plain);
}

void TQuickIni::SaveToStream(TStream& stream) const {
  for (const std::string& line : FLines) {
    stream.Write(line.data(), line.size());
    stream.Write("\r\n", 2);
  }
}

void TQuickIni::SaveToFile(const std::string& fileName) const {
  TMemoryStream stream;
  SaveToStream(stream);
  stream.SaveToFile(fileName);
}

void TQuickIni::SavetoZip(const std::string& fileName) const {
  TMemoryStream plain, packed;
  SaveToStream(plain);
  Compress(plain, packed);
  packed.SaveToFile(fileName);
}

void TQuickIni::Compress(TStream& source, TStream& destination) { TLZH::Compress(source, destination); }
void TQuickIni::Decompress(TStream& source, TStream& destination) { TLZH::Decompress(source, destination); }

void TQuickIni::SetIniFile(const TStrings& lines) {
  FLines = lines;
  RebuildSections();
}

void TQuickIni::Clear() {
  FLines.clear();
  FSections.clear();
  FSectionIndexValid = false;
}

void TQuickIni::RebuildSections() {
  FSections.clear();
  FSectionIndexValid = false;
  for (size_t i = 0; i < FLines.size(); ++i) {
    const std::string& line = FLines[i];
    if (!line.empty() && line.front() == '[' && line.back() == ']') {
      FSections.emplace_back(Trim(line), static_cast<int>(i));
    }
  }
}

int TQuickIni::FindSection(const std::string& section) const {
  if (!FSectionIndexValid) {
    FSectionIndex.clear();
    for (const auto& [header, line] : FSections) FSectionIndex.emplace(LowerCase(header), line);
    FSectionIndexValid = true;
  }
  auto found = FSectionIndex.find("[" + LowerCase(section) + "]");
  return found == FSectionIndex.end() ? -1 : found->second;
}

size_t TQuickIni::SectionEnd(int headerLine) const {
  size_t i = static_cast<size_t>(headerLine) + 1;
  while (i < FLines.size() && !IsSectionLine(FLines[i])) ++i;
  return i;
}

int TQuickIni::FindKey(int headerLine, const std::string& key) const {
  std::string lowerKey = LowerCase(key);
  size_t end = SectionEnd(headerLine);
  for (size_t i = static_cast<size_t>(headerLine) + 1; i < end; ++i) {
    if (NameEquals(FLines[i], lowerKey)) return static_cast<int>(i);
  }
  return -1;
}

std::string TQuickIni::ReadString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) const {
  int header = FindSection(section);
  if (header < 0) return defaultValue;
  int line = FindKey(header, key);
  if (line < 0) return defaultValue;
  std::string value = ValueOf(FLines[line]);
  return value.empty() ? defaultValue : value;
}

bool TQuickIni::TryStrToInt(const std::string& text, int32_t& value) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i < text.size() && text[i] == '$') {
    ++i;
    if (i == text.size()) return false;
    uint64_t result = 0;
    for (; i < text.size(); ++i) {
      char ch = LowerCaseChar(text[i]);
      int digit = ch >= '0' && ch <= '9' ? ch - '0' : ch >= 'a' && ch <= 'f' ? ch - 'a' + 10 : -1;
      if (digit < 0) return false;
      result = result * 16 + digit;
      if (result > 0xFFFFFFFFu) return false;
    }
    // Eight hex digits cover the whole 32-bit range: $FFFFFFFF is -1.
    uint32_t bits = static_cast<uint32_t>(result);
    value = static_cast<int32_t>(negative ? 0u - bits : bits);
    return true;
  }
  if (i == text.size()) return false;
  int64_t result = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    result = result * 10 + (text[i] - '0');
    if (result > static_cast<int64_t>(INT32_MAX) + 1) return false;
  }
  if (negative) result = -result;
  if (result > INT32_MAX) return false;
  value = static_cast<int32_t>(result);
  return true;
}

int32_t TQuickIni::ReadInteger(const std::string& section, const std::string& key, int32_t defaultValue) const {
  std::string text = ReadString(section, key, "");
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.replace(0, 2, "$");
  int32_t value;
  return TryStrToInt(text, value) ? value : defaultValue;
}

bool TQuickIni::ReadBool(const std::string& section, const std::string& key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TQuickIni::ReadSections(TStrings& strings) const {
  strings.clear();
  for (const auto& entry : FSections) {
    std::string header = Trim(entry.first);
    strings.push_back(header.size() >= 2 ? Trim(header, 1, header.size() - 1) : std::string());
  }
}

void TQuickIni::ReadSection(const std::string& section, TStrings& strings) const {
  strings.clear();
  int header = FindSection(section);
  if (header < 0) return;
  size_t end = SectionEnd(header);
  for (size_t i = static_cast<size_t>(header) + 1; i < end; ++i) {
    std::string name = NameOf(FLines[i]);
    if (!name.empty()) strings.push_back(std::move(name));
  }
}

void TQuickIni::ReadSectionValues(const std::string& section, TStrings& strings) const {
  strings.clear();
  int header = FindSection(section);
  if (header < 0) return;
  size_t end = SectionEnd(header);
  for (size_t i = static_cast<size_t>(header) + 1; i < end; ++i) strings.push_back(FLines[i]);
}

void TQuickIni::InsertLine(size_t index, std::string line, bool isHeader) {
  FLines.insert(FLines.begin() + static_cast<std::ptrdiff_t>(index), std::move(line));
  auto position = FSections.begin();
  while (position != FSections.end() && static_cast<size_t>(position->second) < index) ++position;
  for (auto it = position; it != FSections.end(); ++it) ++it->second;
  if (isHeader) FSections.insert(position, {Trim(FLines[index]), static_cast<int>(index)});
  FSectionIndexValid = false;
}

void TQuickIni::DeleteLine(size_t index) {
  FLines.erase(FLines.begin() + static_cast<std::ptrdiff_t>(index));
  for (auto it = FSections.begin(); it != FSections.end();) {
    if (static_cast<size_t>(it->second) == index) {
      it = FSections.erase(it);
      continue;
    }
    if (static_cast<size_t>(it->second) > index) --it->second;
    ++it;
  }
  FSectionIndexValid = false;
}

void TQuickIni::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  int header = FindSection(section);
  if (header < 0) {
    InsertLine(FLines.size(), "[" + section + "]", true);
    if (!key.empty()) InsertLine(FLines.size(), key + "=" + value, false);
    return;
  }
  if (key.empty()) return;
  int line = FindKey(header, key);
  if (line >= 0) {
    FLines[line] = key + "=" + value;
    return;
  }
  // Either the end of the text or directly before the next section's header.
  InsertLine(SectionEnd(header), key + "=" + value, false);
}

void TQuickIni::WriteInteger(const std::string& section, const std::string& key, int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void TQuickIni::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void TQuickIni::DeleteKey(const std::string& section, const std::string& key) {
  int header = FindSection(section);
  if (header < 0) return;
  int line = FindKey(header, key);
  if (line >= 0) DeleteLine(static_cast<size_t>(line));
}

void TQuickIni::EraseSection(const std::string& section) {
  int header = FindSection(section);
  if (header < 0) return;
  size_t end = SectionEnd(header);
  for (size_t i = end; i > static_cast<size_t>(header); --i) DeleteLine(i - 1);
  // A blank separator keeps the neighbouring sections apart when the text is saved.
  if (header > 0) InsertLine(static_cast<size_t>(header), "", false);
}
