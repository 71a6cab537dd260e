// kx-site's two commands over a site directory: update (publish the new games of some logs)
// and rebuild (everything again from the archived game records).
#pragma once

#include <string>
#include <vector>

namespace kxsite {

struct SiteOptions {
  std::string siteDir = "site";
  std::vector<std::string> logs;
};

// Each prints what it did on standard output and every problem on standard error, and
// returns the exit status: 0 when all went well, 1 when something could not be done (a log
// that cannot be read, a failed run of kalimostats-c, a database or write error).
int runUpdate(const SiteOptions& options);
int runRebuild(const SiteOptions& options);

}  // namespace kxsite
