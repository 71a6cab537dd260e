// One game as the tracker follows it: its players, what the log has said about it, and its lines.
#pragma once

#include <cstddef>

#include "base/fixed_string.h"
#include "game/fingerprint.h"
#include "game/game_type.h"
#include "game/player_table.h"

// The mark of "done" in g_reset_count (end the game on this line) and g_connect_sequence
// (the client has joined a server).
constexpr int kGameEnded = 13;
constexpr int kFirstGameId = 1000;     // the game count before the first page
constexpr int kLastGameId = 99999999;  // after this id the count starts again
// The game prints names longer than this cut to this length in some messages.
constexpr std::size_t kCutNameLength = 29;

// Everything about the game being read apart from its players; cleared at every boundary.
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

  void reset() { *this = GameState(); }
};

// What the log has told of itself; it outlives each game.
struct LogFacts {
  int g_mod = 0;                   // 1 while OSP is announced as loaded
  int g_log_type = 0;              // 1 once a server log was handed to the pre-parser
  bool clientLogConverted = false; // a clocked client log was handed to the pre-parser
};

// Large (about 1.4 MB, most of it the player table): kept on the heap.
struct Game {
  PlayerTable players;
  GameState state;
  LogFacts log;

  // Clears the players and the game's values for the next game; the log's facts stay.
  void reset() {
    players.initPlayers();
    state.reset();
  }
};
