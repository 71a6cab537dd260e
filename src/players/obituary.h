// Cuts player names out of obituaries and other player events, and classifies the means of death.
#pragma once

#include <string_view>

// Weapon (means-of-death) codes: the rows of killTable and deathTable.
enum WeaponCode {
  WP_GAUNTLET = 0, WP_MACHINEGUN = 1, WP_SHOTGUN = 2, WP_GRENADE = 3, WP_ROCKET = 4,
  WP_LIGHTNING = 5, WP_RAILGUN = 6, WP_PLASMA = 7, WP_BFG = 8, WP_NAILGUN = 9,
  WP_GRAPPLE = 10, WP_TELEFRAG = 11, WP_SUICIDE = 12, WP_ALL = 13, WP_UNKNOWN = 14
};

// The name standing before the line's one-name message (self_strings, first in table
// order) or, failing that, before its two-name message (dual_strings); with one trailing
// colour code trimmed. kSentinelName when the line holds neither. A non-sentinel result is a
// view into `line` and counts one scratch string.
std::string_view getVictimName(std::string_view line);

// The name after the line's two-name message, less a trailing possessive such as "'s rocket"
// and one trailing colour code; for a self-inflicted death the victim's name; otherwise
// kSentinelName. A " ate " line without "rocket" or "grenade" has no two-name message.
std::string_view getAttackerName(std::string_view line);

// Slot of the victim / attacker name; NO_PLAYER for the sentinel or a name not in the table.
int getVictim(std::string_view line);
int getAttacker(std::string_view line);

// Means-of-death code 0..12 of an obituary, 14 when nothing is recognised.
int getWeapon(std::string_view line);
