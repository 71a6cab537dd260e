// The game being read, until the page writers read only the finished game.
#include "game/game.h"

PlayerTable q3players;
GameState g_game;
