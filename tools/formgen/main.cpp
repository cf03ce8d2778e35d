// formgen: a window definition from its template with binary properties filled in.
//   formgen TEMPLATE OUTPUT Component.Property=sized:FILE|picture:CLASS:FILE ...
#include <cstdio>
#include <fstream>
#include <iterator>

#include "tools/formgen/formgen.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: formgen TEMPLATE OUTPUT Component.Property=sized:FILE|picture:CLASS:FILE ...\n");
    return 2;
  }
  try {
    std::vector<uint8_t> templateBytes = ReadBinaryFile(argv[1]);
    TFormObject root = ParseFormText(std::string(templateBytes.begin(), templateBytes.end()));
    std::vector<TBinaryAssignment> assignments;
    for (int i = 3; i < argc; ++i) assignments.push_back(ParseAssignment(argv[i]));
    ApplyAssignments(root, assignments);
    std::string text = WriteFormText(root);
    std::string partial = std::string(argv[2]) + ".partial";
    {
      std::ofstream out(partial, std::ios::binary);
      if (!out.write(text.data(), static_cast<std::streamsize>(text.size()))) throw EFormgenError("Cannot write " + partial);
    }
    if (std::rename(partial.c_str(), argv[2]) != 0) throw EFormgenError(std::string("Cannot write ") + argv[2]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "formgen: %s\n", error.what());
    return 2;
  }
  return 0;
}
