// The process-wide state of a run, grouped by lifetime, with the constants the whole program shares.
#pragma once

#include <cstddef>
#include <cstdio>

#include "base/fixed_string.h"
#include "game/fingerprint.h"
#include "game/game_type.h"
#include "read/line_reader.h"

// The mark of "done" in g_reset_count (end the game on this line) and g_connect_sequence
// (the client has joined a server).
constexpr int kGameEnded = 13;
constexpr int kFirstGameId = 1000;     // g_game_count before the first page
constexpr int kLastGameId = 99999999;  // after this id the count starts again
// The game prints names longer than this cut to this length in some messages.
constexpr std::size_t kCutNameLength = 29;

// Everything that lives for the whole run: set at start-up, reset only by a new run (tests).
struct RunState {
  Text510 g_logfile;
  Text510 g_config;
  Text510 g_str_tmp;
  Text510 g_time_now;              // run start, "%Y-%m-%d,%H-%M-%S"
  LineReader fp;                   // the log being read; the OSP report reader reads on from it
  std::FILE* fp_sql_gamestats = nullptr;
  int g_log_type = 0;              // 1 once a server log was detected and pre-parsed
  int g_game_count = kFirstGameId; // id of the last page written
  int g_int_tmp = 0;
  int g_mod = 0;                   // 1 while OSP is announced as loaded; survives game resets
  long linesChecked = 0;           // lines looked at for the clock of a foreign client log
  bool clientLogConverted = false; // a clocked client log was handed to the pre-parser

  void reset();
};

// Everything about the game being read; reset at every game boundary.
struct GameState {
  Text510 g_mapname;               // lower case; empty until known
  int g_reset_count = 0;           // kGameEnded once the current line has ended the game
  int g_gametype = GT_FFA;
  int g_make_html = 1;             // 0 when the game was an OSP warm-up
  int g_int_swap = 0;              // team re-entries marked in this game
  int g_connect_sequence = 0;      // 0, 1, 2, or kGameEnded once the client joined a server
  int g_ca_win_red = 0;
  int g_ca_win_blue = 0;
  GameFingerprint lines;           // every line read in this game so far

  void reset();
};

extern RunState g_run;
extern GameState g_game;


// Resets the per-game state (the name the boundary step has always used).
void initGlobals();
