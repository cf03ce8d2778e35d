// skinpack: the skin author's command-line tool. Packs a folder of BMP images and an INI description
// into a skin package, unpacks and lists packages, and runs the raw LZH codec.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "tools/skinpack/check.h"

// Runs one command; returns the process exit status (0 done, 1 a check found problems, 2 bad input
// or usage). Messages about bad input are one line on err; no output file is left behind when a
// command fails. elements: the Windows build's element report for "check" (none natively).
int RunSkinpack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const TElementCheck& elements = nullptr);
