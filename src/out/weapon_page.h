// The optional weapon page: per-weapon, per-opponent matrices of every player.
#pragma once

// Display name of a weapon code (coloured when weapon colours are on); "" for other codes.
const char* getWeaponName(int weapon);
// The weapon page's name of a weapon code, never coloured; "" for other codes.
const char* weaponDisplayName(int weapon);
// Writes `value`, in the weapon's colour when weapon colours are on.
void htmlPrintWeaponStat(int weapon, int value);
// Leaves a link on the main page, writes the weapon page, and reopens the main page.
// Writes the link to the weapon page into the main page, then the weapon page itself.
bool htmlDrawWeaponTable();
