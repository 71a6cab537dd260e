// What the program knows of each weapon: its names and colour, the weight of a kill with it, its row of the OSP report, and the log texts of its deaths.
#pragma once

#include <string_view>

// Weapon (means-of-death) codes: the rows of killTable and deathTable.
enum WeaponCode {
  WP_GAUNTLET = 0, WP_MACHINEGUN = 1, WP_SHOTGUN = 2, WP_GRENADE = 3, WP_ROCKET = 4,
  WP_LIGHTNING = 5, WP_RAILGUN = 6, WP_PLASMA = 7, WP_BFG = 8, WP_NAILGUN = 9,
  WP_GRAPPLE = 10, WP_TELEFRAG = 11, WP_SUICIDE = 12, WP_ALL = 13, WP_UNKNOWN = 14
};

// When the weapon page shows a weapon's OSP hits.
enum class PageHits {
  kNever,    // "-": the report has no row for it
  kWhenAny,  // the number when there are hits, "-" otherwise
  kAlways,
};

struct Weapon {
  WeaponCode code;
  const char* name;      // as the weapon page and the game record write it: "Rail Gun"
  const char* colour;    // the weapon page's colour: "#00FF00"
  float kalimoPoints;    // weight of a kill with it in the ratings; 0 for no kill at all
  bool listed;           // gets a line on the weapon page
  // Keyword of its row in the OSP report ("Railgun"), nullptr when the report has none; the
  // same word names it in the one-line accuracy records.
  const char* reportRow;
  bool reportShots;      // that row counts shots too (the gauntlet's has hits only)
  PageHits pageHits;
};

// The counted codes 0..12 in code order.
constexpr int kCountedWeapons = 13;
const Weapon* weapons();
// The row of a counted code; nullptr for any other number.
const Weapon* findWeapon(int code);

// One test of the client reader's means of death: every group must hold, each group by any
// one of its texts (ids of the scanner's loose texts); `unless`, when set, must not occur.
constexpr int kNoText = -1;
constexpr int kBfgWord = -2;  // "BFG" is shorter than the scanner's anchors: asked of the line
constexpr int kGroupSize = 10;
struct TextGroup {
  int texts[kGroupSize];  // ended by kNoText
};
struct ObituaryRule {
  TextGroup all[2];
  int unless;
  WeaponCode weapon;
};
// The rules in the order they are tried: the first that holds decides.
const ObituaryRule* obituaryRules();
int obituaryRuleCount();

// How the game client words a death that a server's Kill line gives by means name. Kill lines
// are read by the name, never by its number: the numbers differ between game versions and mods.
struct ServerMeans {
  const char* name;  // "MOD_ROCKET_SPLASH"
  // Killed by another player: victim + "^7" + byOther + killer + "^7" + ending; nullptr: such a
  // death is left out.
  const char* byOther;
  const char* ending;  // "'s rocket", or ""
  // Killed by himself: victim + "^7 " + self; nullptr: left out.
  const char* self;
  // A death by the surroundings: victim + "^7 " + self whoever the killer is, the world
  // included, as the client words these deaths by the means alone.
  bool world;
  // The weapon the client's words for a kill by another player (or, for the surroundings, for
  // any death) name.
  WeaponCode weapon;
};
// The entry for a means name such as "MOD_RAILGUN"; nullptr for a means that no text of ours
// represents (MOD_SWITCHTEAM, MOD_JUICED, MOD_UNKNOWN, names of unknown mods).
const ServerMeans* findServerMeans(std::string_view name);
// Every entry, for tests that walk them: serverMeans()[0 .. serverMeansCount() - 1].
const ServerMeans* serverMeans();
int serverMeansCount();
