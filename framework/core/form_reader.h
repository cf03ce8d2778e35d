// Builds components from a parsed form definition: the root's own properties, then every nested
// object created by its registered class, owned by the root and placed inside the object that
// encloses it, its properties set by name, event handlers found among the root's published
// methods, and Loaded called on every component once the whole definition is read.
#pragma once

#include <cstdint>
#include <string>

#include "framework/core/classes.h"
#include "framework/core/form_text.h"

// A definition that does not fit the classes it names; the message names component and property.
class EFormReadError : public Exception {
public:
  using Exception::Exception;
};

struct TFormReadOptions {
  // The screen's resolution. When the definition's root records another one in "PixelsPerInch",
  // positions, sizes and font heights are scaled from the one to the other; 0 leaves them as stored.
  int ScreenPixelsPerInch = 0;
};

void ReadComponent(TComponent& root, const TFormObject& definition, const TFormReadOptions& options = {});

// A stored length at the screen's resolution: value x screen / design, rounded half away from zero.
int64_t ScaleLength(int64_t value, int screen, int design);

// Colour names of definitions ("clBtnFace", "clWhite"); system colours have the top bit set.
bool IdentToColor(const std::string& name, int64_t& colour);
