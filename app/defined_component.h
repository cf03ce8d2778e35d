// The viewer's forms find their components by name once the definition is read.
#pragma once

#include <string>

#include "framework/core/classes.h"

// The named component of root's definition, of the expected type; a definition without it is
// broken, which is reported by name.
template <class T>
T* DefinedComponent(TComponent& root, const char* name) {
  auto* component = dynamic_cast<T*>(root.FindComponent(name));
  if (!component) throw Exception("The window definition of " + root.ClassName() + " lacks " + name);
  return component;
}
