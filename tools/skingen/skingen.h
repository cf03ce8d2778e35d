// skingen: the generator of the skins we ship. Each skin is a palette and a description written by
// this code; the generator draws its images and writes them, with the description, into a folder
// that skinpack turns into a package.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

struct TSkinFile {
  std::string Name;  // lower case; the description ends in ".ini", the images in ".bmp"
  std::string Data;
};

// The skins the generator knows: "corvale" (the default) and "corvale-dark".
const std::vector<std::string>& SkinNames();

// Every file of a skin, the description first, then the images in the order the description names
// them. The same bytes on every run. Throws std::invalid_argument for an unknown skin.
std::vector<TSkinFile> GenerateSkin(const std::string& name);

// A PNG contact sheet of the raw images of the skins, each scaled 2x on its skin's button face,
// transparent magenta shown as a checkerboard, one block per skin in description order.
std::string ContactSheetPng(const std::vector<std::string>& names);

// The command line:
//   skingen SKIN FOLDER              writes the skin's files into the folder (created if missing)
//   skingen sheet OUT.png [SKIN...]  writes the contact sheet (default: every skin)
//   skingen list                     prints the skin names
// Returns 0 when done, 2 on bad usage or a file that cannot be written (one line on err).
int RunSkingen(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
