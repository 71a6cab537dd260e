// The weapon table, the client reader's means-of-death rules and the server log's means names.
#include "read/weapons.h"

#include "read/vocabulary.h"

namespace {

constexpr Weapon kWeapons[kCountedWeapons] = {
    {WP_GAUNTLET, "Gauntlet", "#00FFFF", 1.5f, true, "Gauntlet", false, PageHits::kWhenAny},
    {WP_MACHINEGUN, "Machine Gun", "#FFFF00", 1.0f, true, "MachineGun", true, PageHits::kAlways},
    {WP_SHOTGUN, "Shot Gun", "#FCCD03", 1.0f, true, "Shotgun", true, PageHits::kAlways},
    {WP_GRENADE, "Grenade Launcher", "#00990F", 1.0f, true, "G.Launcher", true, PageHits::kAlways},
    {WP_ROCKET, "Rocket Launcher", "#FF0000", 1.1f, true, "R.Launcher", true, PageHits::kAlways},
    {WP_LIGHTNING, "Lightning Gun", "#FFFFFF", 1.15f, true, "LightningGun", true, PageHits::kAlways},
    {WP_RAILGUN, "Rail Gun", "#00FF00", 1.2f, true, "Railgun", true, PageHits::kAlways},
    {WP_PLASMA, "Plasma Gun", "#FF00FF", 1.0f, true, "Plasmagun", true, PageHits::kAlways},
    // The BFG's hits are shown only when there are some, as the gauntlet's.
    {WP_BFG, "BFG", "#054DA3", 0.8f, true, "BFG", true, PageHits::kWhenAny},
    {WP_NAILGUN, "Nail Gun", "#1C5862", 1.0f, true, nullptr, false, PageHits::kNever},
    {WP_GRAPPLE, "Grapple", "#00C3AE", 1.5f, true, nullptr, false, PageHits::kNever},
    {WP_TELEFRAG, "TeleFrag", "#FFFFFF", 1.0f, true, nullptr, false, PageHits::kNever},
    // Deaths by one's own hand and by the surroundings: no points, no line of their own.
    {WP_SUICIDE, "Suicide", "#FFFFFF", 0.0f, false, nullptr, false, PageHits::kNever},
};

#define ANY(...) TextGroup{{__VA_ARGS__, kNoText}}
#define NONE TextGroup{{kNoText}}

// The first rule that holds decides. The order matters: grenade obituaries before the rocket
// ones (" ate " names both), "melted himself." before the world death "melted.".
constexpr ObituaryRule kObituaryRules[] = {
    {{ANY(kTextPummeled), NONE}, kNoText, WP_GAUNTLET},
    {{ANY(kTextMachinegunned), NONE}, kNoText, WP_MACHINEGUN},
    {{ANY(kTextGunnedDown), NONE}, kNoText, WP_SHOTGUN},
    {{ANY(kTextTrippedHis, kTextTrippedHer, kTextTrippedIts), NONE}, kNoText, WP_GRENADE},
    {{ANY(kTextAte, kTextShredded), ANY(kTextGrenade, kTextShrapnel)}, kNoText, WP_GRENADE},
    {{ANY(kTextBlewHim, kTextBlewHer, kTextBlewIt), NONE}, kNoText, WP_ROCKET},
    {{ANY(kTextAte), ANY(kTextRocket)}, kNoText, WP_ROCKET},
    {{ANY(kTextAlmostDodged), ANY(kTextRocket)}, kTextAte, WP_ROCKET},
    {{ANY(kTextElectrocuted), NONE}, kNoText, WP_LIGHTNING},
    {{ANY(kTextRailed), NONE}, kNoText, WP_RAILGUN},
    {{ANY(kTextMeltedBy), ANY(kTextPlasmagun)}, kNoText, WP_PLASMA},
    {{ANY(kTextMeltedHim, kTextMeltedHer, kTextMeltedIt), NONE}, kNoText, WP_PLASMA},
    {{ANY(kTextBlasted), ANY(kBfgWord)}, kNoText, WP_BFG},
    {{ANY(kTextSmallerGun), NONE}, kNoText, WP_BFG},
    {{ANY(kTextInvade), NONE}, kNoText, WP_TELEFRAG},
    {{ANY(kTextCratered, kTextWrongPlace, kTextKilledIt, kTextKilledHim, kTextKilledHer, kTextLava,
          kTextSquished, kTextSankLikeARock, kTextMelted),
      NONE},
     kNoText, WP_SUICIDE},
    {{ANY(kTextImpaled), NONE}, kNoText, WP_NAILGUN},
    {{ANY(kTextDisemboweled), NONE}, kNoText, WP_GRAPPLE},
    {{ANY(kTextWrongButton), NONE}, kNoText, WP_LIGHTNING},
    {{ANY(kTextSwimming), NONE}, kNoText, WP_LIGHTNING},
};

#undef ANY
#undef NONE

// The game client's default for a player who killed himself with anything that has no
// message of its own.
constexpr const char* kKilledHimself = wording::kKilledHim;

// Each text below is one our reader recognises; where the client words a death in a way our
// reader does not know, the comment says which of our texts stands in for it.
constexpr ServerMeans kServerMeans[] = {
    {"MOD_GAUNTLET", wording::kPummeled, "", kKilledHimself, false, WP_GAUNTLET},
    {"MOD_MACHINEGUN", wording::kMachinegunned, "", kKilledHimself, false, WP_MACHINEGUN},
    {"MOD_SHOTGUN", wording::kGunnedDown, "", kKilledHimself, false, WP_SHOTGUN},
    {"MOD_GRENADE", wording::kAte, wording::kGrenadeOf, kKilledHimself, false, WP_GRENADE},
    {"MOD_GRENADE_SPLASH", wording::kShredded, wording::kShrapnelOf, wording::kTrippedHis, false, WP_GRENADE},
    {"MOD_ROCKET", wording::kAte, wording::kRocketOf, kKilledHimself, false, WP_ROCKET},
    {"MOD_ROCKET_SPLASH", wording::kAlmostDodged, wording::kRocketOf, wording::kBlewHim, false, WP_ROCKET},
    {"MOD_PLASMA", wording::kMeltedBy, wording::kPlasmagunOf, kKilledHimself, false, WP_PLASMA},
    {"MOD_PLASMA_SPLASH", wording::kMeltedBy, wording::kPlasmagunOf, wording::kMeltedHim, false, WP_PLASMA},
    {"MOD_RAILGUN", wording::kRailed, "", kKilledHimself, false, WP_RAILGUN},
    {"MOD_LIGHTNING", wording::kElectrocuted, "", kKilledHimself, false, WP_LIGHTNING},
    {"MOD_BFG", wording::kBlasted, wording::kBfgOf, kKilledHimself, false, WP_BFG},
    {"MOD_BFG_SPLASH", wording::kBlasted, wording::kBfgOf, wording::kSmallerGun, false, WP_BFG},
    {"MOD_TELEFRAG", wording::kInvade, wording::kPersonalSpace, kKilledHimself, false, WP_TELEFRAG},
    // Team Arena and mod weapons. The client's nail-gun and grapple wordings differ from
    // ours; these are the texts our reader files under the nail gun and the grapple.
    {"MOD_NAIL", wording::kImpaled, wording::kNailsOf, kKilledHimself, false, WP_NAILGUN},
    {"MOD_GRAPPLE", wording::kDisemboweled, wording::kGrapplingHookOf, kKilledHimself, false, WP_GRAPPLE},
    // No chaingun row of our own: the nearest weapon is the machine gun.
    {"MOD_CHAINGUN", wording::kMachinegunned, "", kKilledHimself, false, WP_MACHINEGUN},
    // Mines are laid by a grenade-style launcher: counted as grenade splash.
    {"MOD_PROXIMITY_MINE", wording::kShredded, wording::kShrapnelOf, wording::kTrippedHis, false, WP_GRENADE},
    // A kamikaze blast is no weapon of ours: only the self-kill is kept, as a suicide.
    {"MOD_KAMIKAZE", nullptr, "", kKilledHimself, false, WP_SUICIDE},
    // Deaths by the surroundings.
    {"MOD_WATER", nullptr, "", wording::kSankLikeARock, true, WP_SUICIDE},
    {"MOD_SLIME", nullptr, "", wording::kMelted, true, WP_SUICIDE},
    {"MOD_LAVA", nullptr, "", wording::kLava, true, WP_SUICIDE},
    {"MOD_CRUSH", nullptr, "", wording::kSquished, true, WP_SUICIDE},
    {"MOD_FALLING", nullptr, "", wording::kCratered, true, WP_SUICIDE},
    {"MOD_TRIGGER_HURT", nullptr, "", wording::kWrongPlace, true, WP_SUICIDE},
    // The client says "saw the light", which our reader does not know; another death by
    // the map's own devices stands in for it.
    {"MOD_TARGET_LASER", nullptr, "", wording::kWrongPlace, true, WP_SUICIDE},
    // The /kill command: the client says "suicides", which our reader does not know; the
    // plain self-kill is the same event to it.
    {"MOD_SUICIDE", nullptr, "", kKilledHimself, true, WP_SUICIDE},
};

template <typename T, int N>
constexpr int countOf(const T (&)[N]) {
  return N;
}

constexpr bool codesInOrder() {
  for (int w = 0; w < kCountedWeapons; ++w) {
    if (kWeapons[w].code != w) return false;
  }
  return true;
}
static_assert(codesInOrder(), "the weapon table is indexed by code");

}  // namespace

const Weapon* weapons() { return kWeapons; }

const Weapon* findWeapon(int code) {
  if (code < 0 || code >= kCountedWeapons) return nullptr;
  return &kWeapons[code];
}

const ObituaryRule* obituaryRules() { return kObituaryRules; }
int obituaryRuleCount() { return countOf(kObituaryRules); }

const ServerMeans* findServerMeans(std::string_view name) {
  for (const ServerMeans& m : kServerMeans) {
    if (name == m.name) return &m;
  }
  return nullptr;
}

const ServerMeans* serverMeans() { return kServerMeans; }
int serverMeansCount() { return countOf(kServerMeans); }
