// Means of death: which weapon (or world death) an obituary names.
#pragma once

#include <string_view>

#include "read/text_scan.h"

// Weapon (means-of-death) codes: the rows of killTable and deathTable.
enum WeaponCode {
  WP_GAUNTLET = 0, WP_MACHINEGUN = 1, WP_SHOTGUN = 2, WP_GRENADE = 3, WP_ROCKET = 4,
  WP_LIGHTNING = 5, WP_RAILGUN = 6, WP_PLASMA = 7, WP_BFG = 8, WP_NAILGUN = 9,
  WP_GRAPPLE = 10, WP_TELEFRAG = 11, WP_SUICIDE = 12, WP_ALL = 13, WP_UNKNOWN = 14
};

// Means-of-death code 0..12 of an obituary, 14 when nothing is recognised. The tests run in
// the order of kMeansOfDeath: the first that holds decides.
int getWeapon(const ScannedText& line);
int getWeapon(std::string_view line);  // for a line not scanned yet
