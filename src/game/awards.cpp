// Award assignment: the best player or players of each statistic, marked in their records.
#include "game/awards.h"

#include <cmath>

#include "game/award_table.h"
#include "game/player_table.h"

namespace {

constexpr double kTieMargin = 0.001;  // accuracies this close to the best one tie

// Count and points rules: the maximum starts at player 0 and all who reach it exactly win.
void assignByMaximum(PlayerTable& players, const Award& award, int n) {
  double best = award.stat(players[0], n);
  for (int i = 1; i < n; ++i) {
    const double v = award.stat(players[i], n);
    if (v > best) best = v;
  }
  // A negative maximum still wins the count rule (team kills can push `kills` below 0).
  const bool nobody = award.rule == AwardRule::kCount ? best == 0.0 : best <= award.threshold;
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
      holds = std::fabs(accuracy - best) < kTieMargin;
    }
    p.awards[award.slot] = holds ? 1 : 0;
  }
}

}  // namespace

void assignAwards(PlayerTable& players) {
  const int n = players.getTotalPlayers();
  if (n == 0) return;
  for (int i = 0; i < awardCount(); ++i) {
    const Award& award = awardTable()[i];
    switch (award.rule) {
      case AwardRule::kWeaponAccuracy:
        assignByAccuracy(players, award, n);
        break;
      case AwardRule::kCount:
      case AwardRule::kPoints:
        assignByMaximum(players, award, n);
        break;
      case AwardRule::kNever:
        break;  // its flag is never written
    }
  }
}
