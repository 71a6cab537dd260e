// Configuration (placeholder).
#include "run/config.h"
Text510 g_config_file_extension, g_config_stylesheet, g_config_make_weapon_stats,
    g_config_use_weapon_colors, g_config_use_name_colors, g_config_display_unknown_team_players,
    g_config_header_file, g_config_footer_file;
bool isYes(const Text510& value) { return value == "yes"; }
void readConfig() {}
void setConfigDefaults() {}
