// The state of one run, owned by the run's entry point and handed to what needs it.
#pragma once

#include <cstddef>
#include <cstdio>

#include "base/fixed_string.h"
#include "game/game.h"
#include "read/line_reader.h"
#include "run/config.h"

// Everything that lives for the whole run: set at start-up from the command line and the
// configuration file. Members keep the names the program has always given them.
struct RunState {
  Text510 g_logfile;
  Text510 g_config;
  Text510 g_time_now;              // run start, "%Y-%m-%d,%H-%M-%S"
  Config config;
  LineReader fp;                   // the log being read
  std::FILE* fp_sql_gamestats = nullptr;
  int g_game_count = kFirstGameId; // id of the last page written
  long linesChecked = 0;           // lines looked at for the clock of a foreign client log
};
