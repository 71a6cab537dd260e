// kx-site's command line: which command, over which site directory and logs.
#include "kx-site/command_line.h"

#include <cstdio>

#include "kx-site/site_update.h"

namespace kxsite {
namespace {

constexpr const char kUsage[] =
    "usage: kx-site update [--site DIR] LOG...\n"
    "       kx-site rebuild [--site DIR]\n"
    "       kx-site --help | -h | --version\n";
constexpr const char kHelp[] =
    "Publishes the games of Quake III logs into a stats site, each game once, with player pages,\n"
    "ratings and rankings.\n"
    "\n"
    "  update    runs kalimostats-c over each LOG (plain or .gz, client console or server log),\n"
    "            publishes the games not published yet into DIR/html and DIR/kalimostats.db,\n"
    "            appends their SQL lines to DIR/db_sql_gamestats.txt, and writes the site pages\n"
    "            they change; a log that only grew is read from the end of its last published game\n"
    "  rebuild   works out the archive, the ratings and every site page again from the game\n"
    "            records in DIR/html (update does so by itself when DIR/aliases changed)\n"
    "  --site DIR  the site directory (default: site)\n"
    "\n"
    "Exit status: 0 when everything was done, 1 when something could not be (the reason is on\n"
    "standard error), 2 for a wrong command line.\n";
// Released together with kalimostats-c, under its version number.
constexpr const char kVersionLine[] = "kx-site (kalimo stats) 1.0\n";

int usage(const char* why) {
  std::fprintf(stderr, "kx-site: %s\n", why);
  std::fputs(kUsage, stderr);
  return 2;
}

}  // namespace

int runCommandLine(const std::vector<std::string>& args) {
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    std::fputs(kUsage, stdout);
    std::fputs("\n", stdout);
    std::fputs(kHelp, stdout);
    return 0;
  }
  if (args.size() == 1 && args[0] == "--version") {
    std::fputs(kVersionLine, stdout);
    return 0;
  }
  if (args.empty()) return usage("no command given");
  const std::string& command = args[0];
  if (command != "update" && command != "rebuild") return usage(("unknown command \"" + command + "\"").c_str());
  SiteOptions options;
  bool options_done = false;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (!options_done && a == "--") {
      options_done = true;
    } else if (!options_done && a == "--site") {
      if (i + 1 == args.size()) return usage("--site needs a directory");
      options.siteDir = args[++i];
    } else if (!options_done && a.rfind("--site=", 0) == 0) {
      options.siteDir = a.substr(7);
    } else if (!options_done && a.size() > 1 && a[0] == '-') {
      return usage(("unknown option \"" + a + "\"").c_str());
    } else {
      options.logs.push_back(a);
    }
  }
  if (options.siteDir.empty()) return usage("--site needs a directory");
  if (command == "update") {
    if (options.logs.empty()) return usage("update needs at least one log");
    return runUpdate(options);
  }
  if (!options.logs.empty()) return usage("rebuild takes no logs");
  return runRebuild(options);
}

}  // namespace kxsite
