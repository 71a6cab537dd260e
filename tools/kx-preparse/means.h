// The obituary texts written for each means of death of a server's Kill lines.
#pragma once

#include <string_view>

// How a death by one means is written in the client's form. Kill lines are read by the
// means' name, never by its number: the numbers differ between game versions and mods.
struct MeansText {
  const char* name;     // "MOD_ROCKET_SPLASH"
  // Killed by another player: victim + "^7" + byOther + killer + "^7" + ending.
  // nullptr: such a death is left out.
  const char* byOther;
  const char* ending;   // "'s rocket", or "" when the message needs no possessive
  // Killed by himself: victim + "^7 " + self. nullptr: such a death is left out.
  const char* self;
  // A death by the surroundings: victim + "^7 " + self whoever the killer is, the world
  // included, as the game client words these deaths by the means alone.
  bool world;
};

// The entry for a means name such as "MOD_RAILGUN"; nullptr for a means that no text of
// ours represents (MOD_SWITCHTEAM, MOD_JUICED, MOD_UNKNOWN, names of unknown mods): those
// deaths are left out.
const MeansText* findMeans(std::string_view name);
