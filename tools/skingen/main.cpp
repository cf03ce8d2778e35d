#include <iostream>
#include <string>
#include <vector>

#include "tools/skingen/skingen.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return RunSkingen(args, std::cout, std::cerr);
}
