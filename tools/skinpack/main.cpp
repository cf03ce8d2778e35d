#include <iostream>
#include <string>
#include <vector>

#include "tools/skinpack/skinpack.h"
#ifdef _WIN32
#include "tools/skinpack/check_win.h"
#endif

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
#ifdef _WIN32
  return RunSkinpack(args, std::cout, std::cerr, CheckPackageElements);
#else
  return RunSkinpack(args, std::cout, std::cerr);
#endif
}
