// The run's state and its reset.
#include "run/state.h"

RunState g_run;

void RunState::reset() {
  g_logfile.clear();
  g_config.clear();
  g_time_now.clear();
  fp.close();
  fp_sql_gamestats = nullptr;
  g_game_count = kFirstGameId;
  linesChecked = 0;
}
