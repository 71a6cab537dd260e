// Award assignment: the best player or players of each statistic, marked in their records.
#include "game/awards.h"

#include <cmath>

#include "game/obituary.h"
#include "game/player_table.h"

namespace {

enum class Rule {
  kCount,           // integer statistic; all holders of the maximum, nobody when it is 0
  kWeaponAccuracy,  // hits per shot of one weapon; holders within 0.001 of the maximum
  kPoints,          // exact maximum of a real-valued statistic, if above the threshold
};

// A statistic of one player; `totals` is the totals column of the kill table (the player count).
using Statistic = double (*)(const PlayerRecord& p, int totals);

struct Award {
  int slot;
  Statistic stat;  // kCount and kPoints
  Rule rule;
  int weapon;        // kWeaponAccuracy: the weapon code
  double threshold;  // kWeaponAccuracy and kPoints: no award when the maximum is at most this
};

constexpr double kNoThreshold = 0.0;  // the count rule has its own: a maximum of 0
constexpr double kSmall = 0.001;

template <int W>
double kills(const PlayerRecord& p, int totals) {
  return p.killTable[W][totals];
}

// Integer statistics convert to double exactly, so the count rule compares them as they are.
const Award kAwards[] = {
    {0, kills<WP_GAUNTLET>, Rule::kCount, 0, kNoThreshold},
    {1, kills<WP_MACHINEGUN>, Rule::kCount, 0, kNoThreshold},
    {2, kills<WP_SHOTGUN>, Rule::kCount, 0, kNoThreshold},
    {3, kills<WP_GRENADE>, Rule::kCount, 0, kNoThreshold},
    {4, kills<WP_ROCKET>, Rule::kCount, 0, kNoThreshold},
    {5, kills<WP_LIGHTNING>, Rule::kCount, 0, kNoThreshold},
    {6, kills<WP_RAILGUN>, Rule::kCount, 0, kNoThreshold},
    {7, kills<WP_PLASMA>, Rule::kCount, 0, kNoThreshold},
    {8, kills<WP_BFG>, Rule::kCount, 0, kNoThreshold},
    {9, kills<WP_NAILGUN>, Rule::kCount, 0, kNoThreshold},
    {10, kills<WP_GRAPPLE>, Rule::kCount, 0, kNoThreshold},
    // The report gives no gauntlet shots, so gauntlet "accuracy" is the number of hits.
    {11, [](const PlayerRecord& p, int) -> double { return p.hits[WP_GAUNTLET]; }, Rule::kCount, 0,
     kNoThreshold},
    {12, nullptr, Rule::kWeaponAccuracy, WP_MACHINEGUN, kSmall},
    {13, nullptr, Rule::kWeaponAccuracy, WP_SHOTGUN, kSmall},
    {14, nullptr, Rule::kWeaponAccuracy, WP_GRENADE, kSmall},
    {15, nullptr, Rule::kWeaponAccuracy, WP_ROCKET, kSmall},
    {16, nullptr, Rule::kWeaponAccuracy, WP_LIGHTNING, kSmall},
    {17, nullptr, Rule::kWeaponAccuracy, WP_RAILGUN, kSmall},
    {18, nullptr, Rule::kWeaponAccuracy, WP_PLASMA, kSmall},
    {19, nullptr, Rule::kWeaponAccuracy, WP_BFG, kSmall},
    // Slot 20 (grapple accuracy) has no statistic and is never written.
    {21, [](const PlayerRecord& p, int) -> double { return p.kills; }, Rule::kCount, 0, kNoThreshold},
    {22, [](const PlayerRecord& p, int) -> double { return p.caps; }, Rule::kCount, 0, kNoThreshold},
    {23, [](const PlayerRecord& p, int) -> double { return p.combat; }, Rule::kPoints, 0, kSmall},
    {24, [](const PlayerRecord& p, int) -> double { return p.skill; }, Rule::kPoints, 0, kSmall},
    // A whole number: 0.4 asks for at least one base defend.
    {25, [](const PlayerRecord& p, int) -> double { return p.baseDefends; }, Rule::kPoints, 0, 0.4},
    {26, [](const PlayerRecord& p, int) -> double { return 1.5 * p.efcKillAssists + p.returnAssists; },
     Rule::kPoints, 0, kSmall},
    {27, [](const PlayerRecord& p, int) -> double { return p.killStreak; }, Rule::kCount, 0,
     kNoThreshold},
    {28, [](const PlayerRecord& p, int) -> double { return p.damageGiven; }, Rule::kCount, 0,
     kNoThreshold},
    // The one added to the shots keeps the value defined for a player without shots; the
    // sum is taken in int (wrapping rather than failing on absurd input) before dividing.
    {29,
     [](const PlayerRecord& p, int) -> double {
       const int shotsPlusOne = static_cast<int>(static_cast<unsigned>(p.totalShots) + 1u);
       return 100.0 * p.totalHits / shotsPlusOne;
     },
     Rule::kPoints, 0, kSmall},
    {30, [](const PlayerRecord& p, int) -> double { return 1.5 * p.fcDefendsAgr + p.fcDefends; },
     Rule::kPoints, 0, kSmall},
    {31, [](const PlayerRecord& p, int) -> double { return 1.5 * p.efcKills + p.returns; },
     Rule::kPoints, 0, kSmall},
    {32, [](const PlayerRecord& p, int) -> double { return p.holdKills; }, Rule::kCount, 0,
     kNoThreshold},
};

// Count and points rules: the maximum starts at player 0 and all who reach it exactly win.
void assignByMaximum(PlayerTable& players, const Award& award, int n) {
  double best = award.stat(players[0], n);
  for (int i = 1; i < n; ++i) {
    const double v = award.stat(players[i], n);
    if (v > best) best = v;
  }
  // A negative maximum still wins the count rule (team kills can push `kills` below 0).
  const bool nobody = award.rule == Rule::kCount ? best == 0.0 : best <= award.threshold;
  for (int i = 0; i < n; ++i) {
    PlayerRecord& p = players[i];
    p.awards[award.slot] = !nobody && award.stat(p, n) == best ? 1 : 0;
  }
}

// Only players who fired the weapon compete; the maximum starts at 0.
void assignByAccuracy(PlayerTable& players, const Award& award, int n) {
  const int w = award.weapon;
  double best = 0.0;
  for (int i = 0; i < n; ++i) {
    const PlayerRecord& p = players[i];
    if (p.shots[w] == 0) continue;
    const double accuracy = p.hits[w] * 100.0 / p.shots[w];
    if (accuracy > best) best = accuracy;
  }
  for (int i = 0; i < n; ++i) {
    PlayerRecord& p = players[i];
    bool holds = false;
    if (best > award.threshold && p.shots[w] != 0) {
      const double accuracy = p.hits[w] * 100.0 / p.shots[w];
      holds = std::fabs(accuracy - best) < kSmall;
    }
    p.awards[award.slot] = holds ? 1 : 0;
  }
}

}  // namespace

void assignAwards(PlayerTable& players) {
  const int n = players.getTotalPlayers();
  if (n == 0) return;
  for (const Award& award : kAwards) {
    if (award.rule == Rule::kWeaponAccuracy) {
      assignByAccuracy(players, award, n);
    } else {
      assignByMaximum(players, award, n);
    }
  }
}
