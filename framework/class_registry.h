// The framework's component classes, made known to the form reader by name.
#pragma once

// Registers every creatable framework class; harmless to call more than once.
void RegisterFrameworkClasses();
