#include "tools/formgen/formgen.h"

#include <fstream>
#include <iterator>

#include "framework/core/little_endian.h"
#include "framework/core/text.h"

std::vector<uint8_t> SizedData(const std::vector<uint8_t>& bytes) {
  std::vector<uint8_t> data;
  data.reserve(bytes.size() + 4);
  PutLE32(data, static_cast<uint32_t>(bytes.size()));
  data.insert(data.end(), bytes.begin(), bytes.end());
  return data;
}

std::vector<uint8_t> PictureData(const std::string& className, const std::vector<uint8_t>& file) {
  if (className.empty() || className.size() > 255) throw EFormgenError("Bad picture class name \"" + className + "\"");
  std::vector<uint8_t> data;
  data.push_back(static_cast<uint8_t>(className.size()));
  data.insert(data.end(), className.begin(), className.end());
  data.insert(data.end(), file.begin(), file.end());
  return data;
}

namespace {

TFormObject* FindObject(TFormObject& object, const std::string& name) {
  if (LowerCase(object.Name) == LowerCase(name)) return &object;
  for (TFormObject& child : object.Children) {
    if (TFormObject* found = FindObject(child, name)) return found;
  }
  return nullptr;
}

}  // namespace

void ApplyAssignments(TFormObject& root, const std::vector<TBinaryAssignment>& assignments) {
  for (const TBinaryAssignment& assignment : assignments) {
    size_t dot = assignment.Target.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == assignment.Target.size()) {
      throw EFormgenError("\"" + assignment.Target + "\" is not Component.Property");
    }
    std::string component = assignment.Target.substr(0, dot), property = assignment.Target.substr(dot + 1);
    TFormObject* object = FindObject(root, component);
    if (!object) throw EFormgenError("The definition has no component " + component);
    TFormValue value = TFormValue::FromBytes(assignment.Bytes);
    bool replaced = false;
    for (TFormProperty& existing : object->Properties) {
      if (LowerCase(existing.Name) == LowerCase(property)) {
        existing.Value = value;
        replaced = true;
      }
    }
    if (!replaced) object->Properties.push_back(TFormProperty{property, value, 0});
  }
}

std::vector<uint8_t> ReadBinaryFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw EFormgenError("Cannot read " + path);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

TBinaryAssignment ParseAssignment(const std::string& text) {
  size_t equals = text.find('=');
  if (equals == std::string::npos) throw EFormgenError("\"" + text + "\" is not Component.Property=kind:argument");
  TBinaryAssignment assignment;
  assignment.Target = text.substr(0, equals);
  std::string source = text.substr(equals + 1);
  if (source.compare(0, 6, "sized:") == 0) {
    assignment.Bytes = SizedData(ReadBinaryFile(source.substr(6)));
  } else if (source.compare(0, 8, "picture:") == 0) {
    size_t colon = source.find(':', 8);
    if (colon == std::string::npos) throw EFormgenError("\"" + source + "\" is not picture:CLASS:FILE");
    assignment.Bytes = PictureData(source.substr(8, colon - 8), ReadBinaryFile(source.substr(colon + 1)));
  } else {
    throw EFormgenError("Unknown data kind in \"" + source + "\" (sized:FILE or picture:CLASS:FILE)");
  }
  return assignment;
}
