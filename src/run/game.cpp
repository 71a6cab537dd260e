// The outputs of a finished game, built from the game as the tracker finished it.
#include "run/game.h"

#include <cstdio>

#include "out/page.h"
#include "run/config.h"

bool writeGame(const GameResult& game) {
  if (!makeHtml(game, isYes(g_config_write_game_records))) return false;
  std::fputs("-------------------------------------<done>---------\n", stdout);
  std::fputs("\n", stdout);
  return true;
}
