// skinpack: the skin author's command-line tool. Packs a folder of BMP images and an INI description
// into a skin package, unpacks and lists packages, and runs the raw LZH codec.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Runs one command; returns the process exit status (0 done, 2 bad input or usage). Messages about
// bad input are one line on err; no output file is left behind when a command fails.
int RunSkinpack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
