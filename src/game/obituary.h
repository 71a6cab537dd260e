// Cuts player names out of obituaries and other player events, and classifies the means of death.
#pragma once

#include <string_view>

#include "read/text_scan.h"

// Weapon (means-of-death) codes: the rows of killTable and deathTable.
enum WeaponCode {
  WP_GAUNTLET = 0, WP_MACHINEGUN = 1, WP_SHOTGUN = 2, WP_GRENADE = 3, WP_ROCKET = 4,
  WP_LIGHTNING = 5, WP_RAILGUN = 6, WP_PLASMA = 7, WP_BFG = 8, WP_NAILGUN = 9,
  WP_GRAPPLE = 10, WP_TELEFRAG = 11, WP_SUICIDE = 12, WP_ALL = 13, WP_UNKNOWN = 14
};

// A name cut out of a line, with the number of scratch strings the cut costs (the pool
// counts them where the name is asked for).
struct NameCut {
  std::string_view name;
  int scratch = 0;
};

// The name standing before the line's one-name message (self_strings, first in table
// order) or, failing that, before its two-name message (dual_strings); with one trailing
// colour code trimmed. kSentinelName (and no scratch string) when the line holds neither.
NameCut cutVictimName(const ScannedText& line);
// The name after the line's two-name message, less a trailing possessive such as "'s rocket"
// and one trailing colour code; for a self-inflicted death the victim's name; otherwise
// kSentinelName. A " ate " line without "rocket" or "grenade" has no two-name message.
NameCut cutAttackerName(const ScannedText& line);

// The cuts above, counted in the scratch pool. A non-sentinel result is a view into the line.
std::string_view getVictimName(const ScannedText& line);
std::string_view getAttackerName(const ScannedText& line);
// Slot of the victim / attacker name; NO_PLAYER for the sentinel or a name not in the table.
int getVictim(const ScannedText& line);
int getAttacker(const ScannedText& line);

// Slot of a name as the resolvers see it: NO_PLAYER for the sentinel.
int slotOfName(std::string_view name);

// Means-of-death code 0..12 of an obituary, 14 when nothing is recognised. The tests run in
// the order of kMeansOfDeath: the first that holds decides.
int getWeapon(const ScannedText& line);

// The possessive endings of attacker names, as a null-terminated table in test order.
const char* const* possessiveMessages();

// For a line not scanned yet (tests and rare paths).
std::string_view getVictimName(std::string_view line);
std::string_view getAttackerName(std::string_view line);
int getVictim(std::string_view line);
int getAttacker(std::string_view line);
int getWeapon(std::string_view line);
