// TQuickIni: the in-memory INI reader and writer the skin description is read through. The text is
// kept as cleaned lines plus an index of section headers, so a lookup scans only one section.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "framework/core/streams.h"

class TQuickIni {
public:
  using TStrings = std::vector<std::string>;

  void LoadFromStream(TStream* stream);
  void LoadFromFile(const std::string& fileName);
  void LoadFromZip(const std::string& fileName);
  void SaveToStream(TStream& stream) const;
  void SaveToFile(const std::string& fileName) const;
  void SavetoZip(const std::string& fileName) const;
  static void Compress(TStream& source, TStream& destination);
  static void Decompress(TStream& source, TStream& destination);
  void SetIniFile(const TStrings& lines);
  void SetFileName(const std::string& name) { FFileName = name; }
  void Clear();

  std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
  int32_t ReadInteger(const std::string& section, const std::string& key, int32_t defaultValue) const;
  bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;
  void ReadSections(TStrings& strings) const;
  void ReadSection(const std::string& section, TStrings& strings) const;
  void ReadSectionValues(const std::string& section, TStrings& strings) const;

  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, int32_t value);
  void WriteBool(const std::string& section, const std::string& key, bool value);
  void DeleteKey(const std::string& section, const std::string& key);
  void EraseSection(const std::string& section);
  void RebuildSections();

  const TStrings& Lines() const { return FLines; }

  // Text to integer as the description's numbers are written: optional sign, decimal digits, or
  // hexadecimal after "$" (callers turn a leading "0x" into "$"). False when it does not convert.
  static bool TryStrToInt(const std::string& text, int32_t& value);

private:
  void Parse(const char* text, size_t size);
  // FLines index of the first header named section, or -1.
  int FindSection(const std::string& section) const;
  // One past the last line of the section whose header is at headerLine.
  size_t SectionEnd(int headerLine) const;
  int FindKey(int headerLine, const std::string& key) const;
  void InsertLine(size_t index, std::string line, bool isHeader);
  void DeleteLine(size_t index);

  TStrings FLines;
  std::vector<std::pair<std::string, int>> FSections;
  std::string FFileName;
  // Lower-cased header -> FLines index of its first occurrence; rebuilt lazily after changes.
  mutable std::unordered_map<std::string, int> FSectionIndex;
  mutable bool FSectionIndexValid = false;
};
