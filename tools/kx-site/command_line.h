// kx-site's command line: which command, over which site directory and logs.
#pragma once

#include <string>
#include <vector>

namespace kxsite {

// Runs kx-site with its arguments (argv[0] left out) and returns the exit status: what the
// command returns, 0 after --help, -h or --version, 2 for a wrong command line.
int runCommandLine(const std::vector<std::string>& args);

}  // namespace kxsite
