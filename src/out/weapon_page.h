// The optional weapon page: per-weapon, per-opponent matrices of every player.
#pragma once

class PageWriter;
struct GameResult;

// The weapon page's name of a weapon code, never coloured; "" for other codes.
const char* weaponDisplayName(int weapon);
// Writes the weapon page of `game` (the main page links to it).
void writeWeaponPage(PageWriter& w, const GameResult& game);
