// The process-wide state of a run, grouped by lifetime, with the constants the whole program shares.
#pragma once

#include <cstddef>
#include <cstdio>

#include "base/fixed_string.h"
#include "game/game.h"
#include "read/line_reader.h"

// Everything that lives for the whole run: set at start-up, reset only by a new run (tests).
struct RunState {
  Text510 g_logfile;
  Text510 g_config;
  Text510 g_time_now;              // run start, "%Y-%m-%d,%H-%M-%S"
  LineReader fp;                   // the log being read
  std::FILE* fp_sql_gamestats = nullptr;
  int g_game_count = kFirstGameId; // id of the last page written
  long linesChecked = 0;           // lines looked at for the clock of a foreign client log

  void reset();
};

extern RunState g_run;
