// The run's and the current game's state, and their resets.
#include "run/state.h"

RunState g_run;
GameState g_game;

void RunState::reset() {
  g_logfile.clear();
  g_config.clear();
  g_str_tmp.clear();
  g_time_now.clear();
  fp.close();
  fp_sql_gamestats = nullptr;
  g_log_type = 0;
  g_game_count = kFirstGameId;
  g_int_tmp = 0;
  g_mod = 0;
  linesChecked = 0;
  clientLogConverted = false;
}

void GameState::reset() {
  g_mapname.clear();
  g_reset_count = 0;
  g_gametype = GT_FFA;
  g_make_html = 1;
  g_int_swap = 0;
  g_connect_sequence = 0;
  g_ca_win_red = 0;
  g_ca_win_blue = 0;
  lines.reset();
}

void initGlobals() { g_game.reset(); }
