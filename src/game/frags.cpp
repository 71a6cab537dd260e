// Counts kills and suicides as they are read: per-opponent tables, streaks, team kills and ratings.
#include "game/frags.h"

#include "read/line_record.h"
#include "read/weapons.h"
#include "game/obituary.h"
#include "game/game.h"
#include "game/player_table.h"

static_assert(kAllWeapons == kCountedWeapons, "the tables' all-weapons row follows the counted codes");

namespace {

constexpr double kRatingDivisor = 100.0;
constexpr double kSuicideDivisor = 95.0;
constexpr double kTeamKillPenalty = -2.0;
constexpr double kFlagCarrierBonus = 0.8;

// Ratings are stored as floats, but every update is worked out in double from the stored
// values and rounded once when it is stored back.
void addToRating(float& rating, double delta) {
  rating = static_cast<float>(static_cast<double>(rating) + delta);
}

// A kill is worth the weapon's weight scaled by the victim's rating; the weighted value is
// itself a float before it is added.
float weightedKill(float points, float victimRating) {
  return static_cast<float>(static_cast<double>(points) *
                            (1.0 + static_cast<double>(victimRating) / kRatingDivisor));
}

bool sameTeam(const PlayerRecord& a, const PlayerRecord& b) {
  return a.team == b.team && (a.team == TEAM_RED || a.team == TEAM_BLUE);
}

}  // namespace

float getKalimoPoints(int weapon) {
  const Weapon* row = findWeapon(weapon);
  return row == nullptr ? 0.0f : row->kalimoPoints;
}

void updateTables(Game& game, const LineRecord& line, const LinePlayers& who) {
  const int v = who.victimSlot(line);
  const int a = who.attackerSlot(line);
  const int n = game.players.getTotalPlayers();
  if (v < 0 || v >= n || a < 0 || a >= n) return;
  // Only a line naming two current players is worth classifying.
  const int w = line.weapon;
  if (w < 0 || w >= kAllWeapons) return;

  PlayerRecord& victim = game.players[v];
  PlayerRecord& attacker = game.players[a];

  attacker.killTable[w][v] += 1;
  victim.deathTable[w][a] += 1;

  if (v == a) {
    // Killing yourself drops the flag.
    if (attacker.haveFlag == 1) attacker.haveFlag = 0;
    const double combat = attacker.combat;
    attacker.combat = static_cast<float>(combat - combat / kSuicideDivisor);
  } else {
    if (sameTeam(victim, attacker)) {
      addToRating(attacker.combat, kTeamKillPenalty);
      addToRating(attacker.skill, kTeamKillPenalty);
      attacker.frags -= 1;
      attacker.kills -= 1;
      attacker.teamKills += 1;
    } else {
      const float points = getKalimoPoints(w);
      addToRating(attacker.skill, weightedKill(points, victim.skill));
      // The victim's combat counts as it was before this kill.
      addToRating(attacker.combat, weightedKill(points, victim.combat));
      const double combat = victim.combat;
      victim.combat = static_cast<float>(combat - combat / kRatingDivisor);
    }
    // Even a team mate's kill counts for a carrier.
    if (attacker.haveFlag == 1) {
      attacker.holdKills += 1;
      addToRating(attacker.skill, kFlagCarrierBonus);
    }
  }

  if (v != a) attacker.currentKillStreak += 1;
  victim.currentDeathStreak += 1;
  if (attacker.currentKillStreak > attacker.killStreak) {
    attacker.killStreak = attacker.currentKillStreak;
  }
  if (victim.currentDeathStreak > victim.deathStreak) {
    victim.deathStreak = victim.currentDeathStreak;
  }
  victim.currentKillStreak = 0;
  if (v != a) attacker.currentDeathStreak = 0;
}
