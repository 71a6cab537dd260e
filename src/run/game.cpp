// Game boundaries (placeholder).
#include "run/game.h"
Text510 g_mapname;
int g_reset_count = 0, g_gametype = 0, g_make_html = 1, g_int_swap = 0, g_connect_sequence = 0,
    g_ca_win_red = 0, g_ca_win_blue = 0;
void checkForNewGameStart(std::string_view) {}
void initGlobals() {}
