// The obituary texts written for each means of death of a server's Kill lines.
#include "means.h"

namespace {

// The game client's default for a player who killed himself with anything that has no
// message of its own.
constexpr const char kKilledHimself[] = "killed himself.";

// Each text below is one our reader recognises; where the client words a death in a way
// our reader does not know, the comment says which of our texts stands in for it.
constexpr MeansText kMeans[] = {
    {"MOD_GAUNTLET", "was pummeled by", "", kKilledHimself, false},
    {"MOD_MACHINEGUN", "was machinegunned by", "", kKilledHimself, false},
    {"MOD_SHOTGUN", "was gunned down by", "", kKilledHimself, false},
    {"MOD_GRENADE", "ate", "'s grenade", kKilledHimself, false},
    {"MOD_GRENADE_SPLASH", "was shredded by", "'s shrapnel", "tripped on his own grenade.", false},
    {"MOD_ROCKET", "ate", "'s rocket", kKilledHimself, false},
    {"MOD_ROCKET_SPLASH", "almost dodged", "'s rocket", "blew himself up.", false},
    {"MOD_PLASMA", "was melted by", "'s plasmagun", kKilledHimself, false},
    {"MOD_PLASMA_SPLASH", "was melted by", "'s plasmagun", "melted himself.", false},
    {"MOD_RAILGUN", "was railed by", "", kKilledHimself, false},
    {"MOD_LIGHTNING", "was electrocuted by", "", kKilledHimself, false},
    {"MOD_BFG", "was blasted by", "'s BFG", kKilledHimself, false},
    {"MOD_BFG_SPLASH", "was blasted by", "'s BFG", "should have used a smaller gun.", false},
    {"MOD_TELEFRAG", "tried to invade", "'s personal space", kKilledHimself, false},
    // Team Arena and mod weapons. The client's nail-gun and grapple wordings differ from
    // ours; these are the texts our reader files under the nail gun and the grapple.
    {"MOD_NAIL", "was impaled by", "'s shower of nails", kKilledHimself, false},
    {"MOD_GRAPPLE", "was disemboweled by", "'s grappling hook", kKilledHimself, false},
    // No chaingun row of our own: the nearest weapon is the machine gun.
    {"MOD_CHAINGUN", "was machinegunned by", "", kKilledHimself, false},
    // Mines are laid by a grenade-style launcher: counted as grenade splash.
    {"MOD_PROXIMITY_MINE", "was shredded by", "'s shrapnel", "tripped on his own grenade.", false},
    // A kamikaze blast is no weapon of ours: only the self-kill is kept, as a suicide.
    {"MOD_KAMIKAZE", nullptr, "", kKilledHimself, false},
    // Deaths by the surroundings.
    {"MOD_WATER", nullptr, "", "sank like a rock.", true},
    {"MOD_SLIME", nullptr, "", "melted.", true},
    {"MOD_LAVA", nullptr, "", "does a back flip into the lava.", true},
    {"MOD_CRUSH", nullptr, "", "was squished.", true},
    {"MOD_FALLING", nullptr, "", "cratered.", true},
    {"MOD_TRIGGER_HURT", nullptr, "", "was in the wrong place.", true},
    // The client says "saw the light", which our reader does not know; another death by
    // the map's own devices stands in for it.
    {"MOD_TARGET_LASER", nullptr, "", "was in the wrong place.", true},
    // The /kill command: the client says "suicides", which our reader does not know; the
    // plain self-kill is the same event to it.
    {"MOD_SUICIDE", nullptr, "", kKilledHimself, true},
};

}  // namespace

const MeansText* findMeans(std::string_view name) {
  for (const MeansText& m : kMeans) {
    if (name == m.name) return &m;
  }
  return nullptr;
}
