#include <iostream>
#include <string>
#include <vector>

#include "tools/skinpack/skinpack.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return RunSkinpack(args, std::cout, std::cerr);
}
