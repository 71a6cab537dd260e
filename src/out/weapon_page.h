// The optional weapon page: per-weapon, per-opponent matrices of every player.
#pragma once

class PageWriter;
struct GameResult;

// Writes the weapon page of `game` (the main page links to it).
void writeWeaponPage(PageWriter& w, const GameResult& game);
