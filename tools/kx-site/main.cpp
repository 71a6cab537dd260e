// Entry point of kx-site, which keeps a stats site of every game of growing logs.
#include <string>
#include <vector>

#include "kx-site/command_line.h"

int main(int argc, char** argv) {
  return kxsite::runCommandLine(std::vector<std::string>(argv + 1, argv + argc));
}
