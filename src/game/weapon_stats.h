// Adds the one-line OSP accuracy records (name " accuracy statistics " row) to the players.
#pragma once

struct Game;
struct LinePlayers;
struct LineRecord;

void scanWeaponStats(Game& game, const LineRecord& line, const LinePlayers& who);
