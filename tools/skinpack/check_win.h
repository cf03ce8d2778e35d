// The element part of skinpack check: the package loaded through the real skin component.
#pragma once

#include <iosfwd>

#include "framework/core/streams.h"

// For every element: found or not, its image size and frame count, whether the width divides by the
// frame count and the margins fit in one frame. Returns the number of problems.
int CheckPackageElements(TMemoryStream& package, std::ostream& out);
