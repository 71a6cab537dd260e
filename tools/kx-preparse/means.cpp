// The obituary texts written for each means of death of a server's Kill lines.
#include "means.h"

#include "read/vocabulary.h"

namespace {

// The game client's default for a player who killed himself with anything that has no
// message of its own.
constexpr const char* kKilledHimself = wording::kKilledHim;

// Each text below is one our reader recognises; where the client words a death in a way
// our reader does not know, the comment says which of our texts stands in for it.
constexpr MeansText kMeans[] = {
    {"MOD_GAUNTLET", wording::kPummeled, "", kKilledHimself, false},
    {"MOD_MACHINEGUN", wording::kMachinegunned, "", kKilledHimself, false},
    {"MOD_SHOTGUN", wording::kGunnedDown, "", kKilledHimself, false},
    {"MOD_GRENADE", wording::kAte, wording::kGrenadeOf, kKilledHimself, false},
    {"MOD_GRENADE_SPLASH", wording::kShredded, wording::kShrapnelOf, wording::kTrippedHis, false},
    {"MOD_ROCKET", wording::kAte, wording::kRocketOf, kKilledHimself, false},
    {"MOD_ROCKET_SPLASH", wording::kAlmostDodged, wording::kRocketOf, wording::kBlewHim, false},
    {"MOD_PLASMA", wording::kMeltedBy, wording::kPlasmagunOf, kKilledHimself, false},
    {"MOD_PLASMA_SPLASH", wording::kMeltedBy, wording::kPlasmagunOf, wording::kMeltedHim, false},
    {"MOD_RAILGUN", wording::kRailed, "", kKilledHimself, false},
    {"MOD_LIGHTNING", wording::kElectrocuted, "", kKilledHimself, false},
    {"MOD_BFG", wording::kBlasted, wording::kBfgOf, kKilledHimself, false},
    {"MOD_BFG_SPLASH", wording::kBlasted, wording::kBfgOf, wording::kSmallerGun, false},
    {"MOD_TELEFRAG", wording::kInvade, wording::kPersonalSpace, kKilledHimself, false},
    // Team Arena and mod weapons. The client's nail-gun and grapple wordings differ from
    // ours; these are the texts our reader files under the nail gun and the grapple.
    {"MOD_NAIL", wording::kImpaled, wording::kNailsOf, kKilledHimself, false},
    {"MOD_GRAPPLE", wording::kDisemboweled, wording::kGrapplingHookOf, kKilledHimself, false},
    // No chaingun row of our own: the nearest weapon is the machine gun.
    {"MOD_CHAINGUN", wording::kMachinegunned, "", kKilledHimself, false},
    // Mines are laid by a grenade-style launcher: counted as grenade splash.
    {"MOD_PROXIMITY_MINE", wording::kShredded, wording::kShrapnelOf, wording::kTrippedHis, false},
    // A kamikaze blast is no weapon of ours: only the self-kill is kept, as a suicide.
    {"MOD_KAMIKAZE", nullptr, "", kKilledHimself, false},
    // Deaths by the surroundings.
    {"MOD_WATER", nullptr, "", wording::kSankLikeARock, true},
    {"MOD_SLIME", nullptr, "", wording::kMelted, true},
    {"MOD_LAVA", nullptr, "", wording::kLava, true},
    {"MOD_CRUSH", nullptr, "", wording::kSquished, true},
    {"MOD_FALLING", nullptr, "", wording::kCratered, true},
    {"MOD_TRIGGER_HURT", nullptr, "", wording::kWrongPlace, true},
    // The client says "saw the light", which our reader does not know; another death by
    // the map's own devices stands in for it.
    {"MOD_TARGET_LASER", nullptr, "", wording::kWrongPlace, true},
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
