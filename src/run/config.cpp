// Reads the configuration file: key lines, each followed by its value line.
#include "run/config.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "base/console.h"
#include "base/program_texts.h"
#include "base/strutil.h"

namespace {

struct ConfigKey {
  const char* key;
  Text510 Config::*value;
  const char* fallback;
};

// Scanned in this order; the first exact match takes the next line.
const ConfigKey kKeys[] = {
    {"file_extension:", &Config::g_config_file_extension, "html"},
    {"stylesheet:", &Config::g_config_stylesheet, "c-kalimo.css"},
    {"make_weapon_stats:", &Config::g_config_make_weapon_stats, "yes"},
    {"use_weapon_colors:", &Config::g_config_use_weapon_colors, "yes"},
    {"use_name_colors:", &Config::g_config_use_name_colors, "yes"},
    {"display_unknown_team_players:", &Config::g_config_display_unknown_team_players, "no"},
    {"header_file:", &Config::g_config_header_file, "c-header.html"},
    {"footer_file:", &Config::g_config_footer_file, "c-footer.html"},
    {"write_game_records:", &Config::g_config_write_game_records, "no"},
};

// The block shows six of the eight values (the two colour switches are not shown).
// The first line shows the file's name, the others these values.
struct ShownValue {
  const char* label;
  Text510 Config::*value;
};

constexpr const char kShownPath[] = "                       config file: ";
const ShownValue kShown[] = {
    {"                    file extension: ", &Config::g_config_file_extension},
    {"                        stylesheet: ", &Config::g_config_stylesheet},
    {"                make weapon stats?: ", &Config::g_config_make_weapon_stats},
    {"     display unknown team players?: ", &Config::g_config_display_unknown_team_players},
    {"                       header file: ", &Config::g_config_header_file},
    {"                       footer file: ", &Config::g_config_footer_file},
};

constexpr int kReadLimit = 510;
constexpr const char kRule60[] =
    "------------------------------------------------------------";

void printConfigBlock(const Text510& path, const Config& config) {
  consolef("     %s\n", kRule60);
  consolef("                             Configuration\n");
  consolef("     %s\n", kRule60);
  consoleWrite(kShownPath);
  consoleWrite(path.view());
  consoleWrite("\n");
  for (const ShownValue& shown : kShown) {
    consoleWrite(shown.label);
    consoleWrite((config.*shown.value).view());
    consoleWrite("\n");
  }
  consolef("     %s\n", kRule60);
}

}  // namespace

bool isYes(const Text510& value) { return value == "yes"; }

Config::Config() {
  for (const ConfigKey& k : kKeys) (this->*k.value).assign(k.fallback);
}

bool Config::weaponPages() const { return isYes(g_config_make_weapon_stats); }

PageOptions Config::pageOptions() const {
  PageOptions options;
  options.fileExtension = g_config_file_extension.view();
  options.styleSheet = g_config_stylesheet.view();
  options.weaponPage = isYes(g_config_make_weapon_stats);
  options.weaponColors = isYes(g_config_use_weapon_colors);
  options.nameColors = isYes(g_config_use_name_colors);
  options.unknownTeamPlayers = isYes(g_config_display_unknown_team_players);
  options.headerFile = g_config_header_file.view();
  options.footerFile = g_config_footer_file.view();
  options.gameRecords = isYes(g_config_write_game_records);
  return options;
}

namespace {

// The extension goes into file names and, quoted, into the SQL lines: letters and digits only.
bool isSafeExtension(std::string_view extension) {
  if (extension.empty()) return false;
  for (const char c : extension) {
    const bool letterOrDigit = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (!letterOrDigit) return false;
  }
  return true;
}

// One warning line per header or footer file that cannot be read: the pages go without it.
void warnIfUnreadable(const char* what, const Text510& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  int error = errno;
  if (f != nullptr) {
    // A directory opens but gives nothing: it is read the way every page will read it.
    errno = 0;
    const bool unreadable = std::fgetc(f) == EOF && std::ferror(f);
    error = errno;
    std::fclose(f);
    if (!unreadable) return;
  }
  consolef("WARNING: could not read %s file \"", what);
  consoleWrite(path.view());
  consolef("\": %s; the pages are written without it\n", std::strerror(error));
}

}  // namespace

bool readConfig(const Text510& path, bool named, Config* config) {
  if (std::FILE* f = std::fopen(path.c_str(), "r")) {
    readConfigFrom(f, path, config);
    std::fclose(f);
    if (!isSafeExtension(config->g_config_file_extension.view())) {
      consoleWrite("ERROR: file_extension must be letters and digits, not \"");
      consoleWrite(config->g_config_file_extension.view());
      consoleWrite("\"\n");
      return false;
    }
  } else if (struct stat st; !named && errno == ENOENT && ::lstat(path.c_str(), &st) != 0) {
    // Only the absence of the default file is forgiven: a file named on the command line, or a
    // c-default.cfg that is there but cannot be read, is a mistake to point out.
    consolef("No %s in the working directory: the built-in defaults are used (the site kit's copy: %s)\n",
                path.c_str(), texts::kSiteKitConfig);
    *config = Config();
    printConfigBlock(path, *config);
  } else {
    *config = Config();
    consoleWrite("ERROR: could not open config file \"");
    consoleWrite(path.view());
    consoleWrite("\"\n");
    return false;
  }
  warnIfUnreadable("header", config->g_config_header_file);
  warnIfUnreadable("footer", config->g_config_footer_file);
  return true;
}

void readConfigFrom(std::FILE* f, const Text510& path, Config* config) {
  *config = Config();
  char line[kReadLimit + 2];
  while (std::fgets(line, kReadLimit, f) != nullptr) {
    // Only a line read as a possible key can be a comment; value lines are taken whole.
    if (line[0] == '#') continue;
    stripNewLineChars(line);
    for (const ConfigKey& k : kKeys) {
      if (std::strcmp(line, k.key) != 0) continue;
      char value[kReadLimit + 2];
      if (std::fgets(value, kReadLimit, f) != nullptr) {
        stripNewLineChars(value);
        (config->*k.value).assign(value);
      }
      break;
    }
  }
  printConfigBlock(path, *config);
}
