// Writes a window definition from its template and the binary data the build makes: glyph bitmaps,
// pictures, packed skins. Pure code; the template stays readable in the sources.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/core/form_text.h"

class EFormgenError : public Exception {
public:
  using Exception::Exception;
};

// One binary property to set: "Component.Property" (Property may be dotted, as "Glyph.Data"), and
// its stored form.
struct TBinaryAssignment {
  std::string Target;
  std::vector<uint8_t> Bytes;
};

// The stored forms of binary properties.
// A bitmap ("Glyph.Data") or a stream property ("SkinStream"): 4-byte little-endian length, then the
// bytes.
std::vector<uint8_t> SizedData(const std::vector<uint8_t>& bytes);
// A picture ("Picture.Data"): the graphic's class name with a 1-byte length, then the file.
std::vector<uint8_t> PictureData(const std::string& className, const std::vector<uint8_t>& file);

// Sets each property on the named component (the root or any nested object), replacing a value that is
// there already and otherwise adding it after the component's other properties.
void ApplyAssignments(TFormObject& root, const std::vector<TBinaryAssignment>& assignments);

// Parses "Component.Property=kind:argument" as the command line gives it, reading the file it names:
// kinds "sized:FILE" and "picture:CLASS:FILE".
TBinaryAssignment ParseAssignment(const std::string& text);

std::vector<uint8_t> ReadBinaryFile(const std::string& path);
