// skinpack check: whether a skin package has everything the loader reads. The structural part is
// pure code: sections, image keys and images (present, named in lower-case ".bmp", readable as
// BMP). The element part loads the package through the real loader and needs Windows (the loader
// draws with GDI); the Windows build of the tool adds it.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "framework/core/streams.h"

// The sections the loader reads and the image keys among their keys.
struct TSkinSectionKeys {
  const char* Section;
  std::vector<const char*> ImageKeys;
};
const std::vector<TSkinSectionKeys>& LoaderSections();

// Reports on out; returns how many things are missing or wrong.
int CheckPackageStructure(TMemoryStream& package, std::ostream& out);

// The Windows build's element report over the same package; returns the problems it found.
using TElementCheck = std::function<int(TMemoryStream& package, std::ostream& out)>;
