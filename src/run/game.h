// Decides where one game ends and the next begins, and runs the end-of-game pipeline.
#pragma once

#include <string_view>

#include "run/fixed_string.h"

// Per-game globals, reset by initGlobals().
extern Text510 g_mapname;          // lower case; empty until known
extern int g_reset_count;          // 13 once the current line has ended the game
extern int g_gametype;             // 0 FFA, 1 team deathmatch, 2 CTF, 3 Clan Arena
extern int g_make_html;            // 0 when the game was an OSP warm-up
extern int g_int_swap;             // team re-entries marked in this game
extern int g_connect_sequence;     // 0, 1, 2, or 13 once the client joined a server
extern int g_ca_win_red;
extern int g_ca_win_blue;

constexpr int kGameEnded = 13;
constexpr int kFirstGameId = 1000;      // g_game_count before the first page
constexpr int kLastGameId = 99999999;   // after this id the count starts again

// Last step of the per-line pipeline: ends the game on a boundary line, writes its page when
// it qualifies, then clears the player table and the per-game globals. False when a page
// could not be created (the error is printed): the run must stop with status 1.
struct LineRecord;
bool checkForNewGameStart(const LineRecord& line);
bool checkForNewGameStart(std::string_view line);  // for a line not scanned yet

void initGlobals();
