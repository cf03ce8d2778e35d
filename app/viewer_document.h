// The document the viewer hands its browser: the invoice's lines, unchanged, with a processing
// instruction that names our stylesheet. Pure code.
#pragma once

#include <string>

#include "framework/core/string_list.h"

extern const char* const kStylesheetLine;  // <?xml-stylesheet type="text/xsl" href="Corvale.xsl"?>

// Puts the stylesheet line where XML allows it: right after the XML declaration when the text
// begins with one (a byte-order mark stays first; content after the declaration on the same line
// moves to the line after ours), as the first line otherwise.
void InsertStylesheetLine(TStrings& lines);
