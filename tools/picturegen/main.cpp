// picturegen: writes the program's generated pictures into a folder (app/pictures in the sources).
//   picturegen FOLDER
#include <cstdio>
#include <fstream>
#include <string>

#include "tools/picturegen/icon.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: picturegen FOLDER\n");
    return 2;
  }
  std::string path = std::string(argv[1]) + "/Corvale.ico";
  std::string bytes = CorvaleIconFile();
  std::ofstream out(path, std::ios::binary);
  if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
    std::fprintf(stderr, "picturegen: cannot write %s\n", path.c_str());
    return 2;
  }
  return 0;
}
