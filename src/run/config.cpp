// Reads the configuration file: key lines, each followed by its value line.
#include "run/config.h"

#include <cstdio>
#include <cstring>

#include "run/main_loop.h"
#include "base/strutil.h"

Text510 g_config_file_extension;
Text510 g_config_stylesheet;
Text510 g_config_make_weapon_stats;
Text510 g_config_use_weapon_colors;
Text510 g_config_use_name_colors;
Text510 g_config_display_unknown_team_players;
Text510 g_config_header_file;
Text510 g_config_footer_file;
Text510 g_config_write_game_records;

namespace {

struct ConfigKey {
  const char* key;
  Text510* value;
  const char* fallback;
};

// Scanned in this order; the first exact match takes the next line.
const ConfigKey kKeys[] = {
    {"file_extension:", &g_config_file_extension, "html"},
    {"stylesheet:", &g_config_stylesheet, "c-kalimo.css"},
    {"make_weapon_stats:", &g_config_make_weapon_stats, "yes"},
    {"use_weapon_colors:", &g_config_use_weapon_colors, "yes"},
    {"use_name_colors:", &g_config_use_name_colors, "yes"},
    {"display_unknown_team_players:", &g_config_display_unknown_team_players, "no"},
    {"header_file:", &g_config_header_file, "c-header.html"},
    {"footer_file:", &g_config_footer_file, "c-footer.html"},
    {"write_game_records:", &g_config_write_game_records, "no"},
};

// The block shows six of the eight values (the two colour switches are not shown).
struct ShownValue {
  const char* label;
  const Text510* value;
};

const ShownValue kShown[] = {
    {"                       config file: ", &g_run.g_config},
    {"                    file extension: ", &g_config_file_extension},
    {"                        stylesheet: ", &g_config_stylesheet},
    {"                make weapon stats?: ", &g_config_make_weapon_stats},
    {"     display unknown team players?: ", &g_config_display_unknown_team_players},
    {"                       header file: ", &g_config_header_file},
    {"                       footer file: ", &g_config_footer_file},
};

constexpr int kReadLimit = 510;
constexpr const char kRule60[] =
    "------------------------------------------------------------";

void printConfigBlock() {
  std::printf("     %s\n", kRule60);
  std::printf("                             Configuration\n");
  std::printf("     %s\n", kRule60);
  for (const ShownValue& shown : kShown) {
    std::fputs(shown.label, stdout);
    writeBytes(stdout, shown.value->view());
    std::fputs("\n", stdout);
  }
  std::printf("     %s\n", kRule60);
}

}  // namespace

bool isYes(const Text510& value) { return value == "yes"; }

PageOptions pageOptions() {
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

void setConfigDefaults() {
  for (const ConfigKey& k : kKeys) k.value->assign(k.fallback);
}

bool readConfig() {
  std::FILE* f = std::fopen(g_run.g_config.c_str(), "r");
  if (f == nullptr) {
    setConfigDefaults();
    std::fputs("ERROR: could not open config file \"", stdout);
    writeBytes(stdout, g_run.g_config.view());
    std::fputs("\"\n", stdout);
    return false;
  }
  readConfigFrom(f);
  std::fclose(f);
  return true;
}

void readConfigFrom(std::FILE* f) {
  setConfigDefaults();
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
        k.value->assign(value);
      }
      break;
    }
  }
  printConfigBlock();
}
