// The award table: statistic, rule and threshold, icon, title and family of every award slot.
#include "game/award_table.h"

#include "game/player_table.h"
#include "read/weapons.h"

namespace {

constexpr double kNoThreshold = 0.0;  // the count rule has its own: a maximum of 0
constexpr double kSmall = 0.001;

template <int W>
double killsWith(const PlayerRecord& p, int totals) {
  return p.killTable[W][totals];
}

constexpr AwardFamily kWeapons = AwardFamily::kWeapons;
constexpr AwardFamily kAccuracy = AwardFamily::kAccuracy;
constexpr AwardFamily kPlayer = AwardFamily::kPlayer;

// Integer statistics convert to double exactly, so the count rule compares them as they are.
// Within a family the order is the pages' order, which is not always the slot order.
const Award kAwards[] = {
    {0, kWeapons, "carnage_gauntlet.jpg", "best killer with gauntlet", AwardRule::kCount,
     killsWith<WP_GAUNTLET>, 0, kNoThreshold},
    {1, kWeapons, "carnage_machine.jpg", "best killer with machine gun", AwardRule::kCount,
     killsWith<WP_MACHINEGUN>, 0, kNoThreshold},
    {2, kWeapons, "carnage_shot.jpg", "best killer with shot gun", AwardRule::kCount,
     killsWith<WP_SHOTGUN>, 0, kNoThreshold},
    {3, kWeapons, "carnage_grenade.jpg", "best killer with grenade launcher", AwardRule::kCount,
     killsWith<WP_GRENADE>, 0, kNoThreshold},
    {4, kWeapons, "carnage_rocket.jpg", "best killer with rocket launcher", AwardRule::kCount,
     killsWith<WP_ROCKET>, 0, kNoThreshold},
    {6, kWeapons, "carnage_rail.jpg", "best killer with rail gun", AwardRule::kCount,
     killsWith<WP_RAILGUN>, 0, kNoThreshold},
    {5, kWeapons, "carnage_lightning.jpg", "best killer with lightning gun", AwardRule::kCount,
     killsWith<WP_LIGHTNING>, 0, kNoThreshold},
    {7, kWeapons, "carnage_plasma.jpg", "best killer with plasma gun", AwardRule::kCount,
     killsWith<WP_PLASMA>, 0, kNoThreshold},
    {8, kWeapons, "carnage_bfg.jpg", "best killer with BFG", AwardRule::kCount, killsWith<WP_BFG>, 0,
     kNoThreshold},
    {9, kWeapons, "carnage_nail.jpg", "best killer with nail gun", AwardRule::kCount,
     killsWith<WP_NAILGUN>, 0, kNoThreshold},
    {10, kWeapons, "carnage_grapple.jpg", "best killer with grapple", AwardRule::kCount,
     killsWith<WP_GRAPPLE>, 0, kNoThreshold},

    // The report gives no gauntlet shots, so gauntlet "accuracy" is the number of hits.
    {11, kAccuracy, "accuracy_gauntlet.jpg", "best accuracy with gauntlet", AwardRule::kCount,
     [](const PlayerRecord& p, int) -> double { return p.hits[WP_GAUNTLET]; }, 0, kNoThreshold},
    {12, kAccuracy, "accuracy_machine.jpg", "best accuracy with machine gun", AwardRule::kWeaponAccuracy,
     nullptr, WP_MACHINEGUN, kSmall},
    {13, kAccuracy, "accuracy_shot.jpg", "best accuracy with shot gun", AwardRule::kWeaponAccuracy,
     nullptr, WP_SHOTGUN, kSmall},
    {14, kAccuracy, "accuracy_grenade.jpg", "best accuracy with grenade launcher",
     AwardRule::kWeaponAccuracy, nullptr, WP_GRENADE, kSmall},
    {15, kAccuracy, "accuracy_rocket.jpg", "best accuracy with rocket launcher",
     AwardRule::kWeaponAccuracy, nullptr, WP_ROCKET, kSmall},
    {17, kAccuracy, "accuracy_rail.jpg", "best accuracy with rail gun", AwardRule::kWeaponAccuracy,
     nullptr, WP_RAILGUN, kSmall},
    {16, kAccuracy, "accuracy_lightning.jpg", "best accuracy with lightning gun",
     AwardRule::kWeaponAccuracy, nullptr, WP_LIGHTNING, kSmall},
    {18, kAccuracy, "accuracy_plasma.jpg", "best accuracy with plasma gun", AwardRule::kWeaponAccuracy,
     nullptr, WP_PLASMA, kSmall},
    {19, kAccuracy, "accuracy_bfg.jpg", "best accuracy with BFG", AwardRule::kWeaponAccuracy, nullptr,
     WP_BFG, kSmall},
    // The report has no grapple row: kept so the family covers its whole slot range.
    {20, kAccuracy, "accuracy_grapple.jpg", "best accuracy with grapple", AwardRule::kNever, nullptr, 0,
     kNoThreshold},

    {21, kPlayer, "player_kills.jpg", "best killer", AwardRule::kCount,
     [](const PlayerRecord& p, int) -> double { return p.kills; }, 0, kNoThreshold},
    {27, kPlayer, "player_bloodlust.jpg", "highest kill streak", AwardRule::kCount,
     [](const PlayerRecord& p, int) -> double { return p.killStreak; }, 0, kNoThreshold},
    {28, kPlayer, "player_damage.jpg", "best damage inflicter", AwardRule::kCount,
     [](const PlayerRecord& p, int) -> double { return p.damageGiven; }, 0, kNoThreshold},
    // The one added to the shots keeps the value defined for a player without shots; the
    // sum is taken in int (wrapping rather than failing on absurd input) before dividing.
    {29, kPlayer, "player_accuracy.jpg", "best overall accuracy", AwardRule::kPoints,
     [](const PlayerRecord& p, int) -> double {
       const int shotsPlusOne = static_cast<int>(static_cast<unsigned>(p.totalShots) + 1u);
       return 100.0 * p.totalHits / shotsPlusOne;
     },
     0, kSmall},
    {23, kPlayer, "player_combat.jpg", "deadliest player", AwardRule::kPoints,
     [](const PlayerRecord& p, int) -> double { return p.combat; }, 0, kSmall},
    {22, kPlayer, "ctf_caps.jpg", "best flag capper", AwardRule::kCount,
     [](const PlayerRecord& p, int) -> double { return p.caps; }, 0, kNoThreshold},
    {26, kPlayer, "ctf_assists.jpg", "best assists", AwardRule::kPoints,
     [](const PlayerRecord& p, int) -> double { return 1.5 * p.efcKillAssists + p.returnAssists; }, 0,
     kSmall},
    {30, kPlayer, "ctf_escort.jpg", "best escort", AwardRule::kPoints,
     [](const PlayerRecord& p, int) -> double { return 1.5 * p.fcDefendsAgr + p.fcDefends; }, 0, kSmall},
    {31, kPlayer, "ctf_chaser.jpg", "best flag retriever", AwardRule::kPoints,
     [](const PlayerRecord& p, int) -> double { return 1.5 * p.efcKills + p.returns; }, 0, kSmall},
    {32, kPlayer, "ctf_holder.jpg", "best flag holder", AwardRule::kCount,
     [](const PlayerRecord& p, int) -> double { return p.holdKills; }, 0, kNoThreshold},
    // A whole number: 0.4 asks for at least one base defend.
    {25, kPlayer, "ctf_defense.jpg", "best defender", AwardRule::kPoints,
     [](const PlayerRecord& p, int) -> double { return p.baseDefends; }, 0, 0.4},
    {24, kPlayer, "player_kalimo.jpg", "most valuable player", AwardRule::kPoints,
     [](const PlayerRecord& p, int) -> double { return p.skill; }, 0, kSmall},
};
constexpr int kAwardCount = static_cast<int>(sizeof kAwards / sizeof kAwards[0]);
static_assert(kAwardCount == kAwardSlots, "one award per slot of the flags");

constexpr const char* kFamilyNames[] = {"weapons", "accuracy", "player"};

}  // namespace

const Award* awardTable() { return kAwards; }
int awardCount() { return kAwardCount; }

const char* awardFamilyName(AwardFamily family) { return kFamilyNames[static_cast<int>(family)]; }
