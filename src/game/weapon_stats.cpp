// OSP one-line accuracy records: a player's name, the marker, then one weapon or damage row.
#include "game/weapon_stats.h"

#include <string>
#include <vector>

#include "read/line_record.h"
#include "read/weapons.h"
#include "game/obituary.h"
#include "game/game.h"
#include "game/player_table.h"
#include "read/line_reader.h"
#include "base/strutil.h"

namespace {

// What a row adds to: a weapon's shots and hits, or one of the damage totals.
struct RowRule {
  std::string keyword;         // searched anywhere in the row, trailing blank included
  int weapon;                  // 1..8 for a weapon row, kDamageRow otherwise
  int PlayerRecord::*damage;   // the damage total of a damage row
};

constexpr int kDamageRow = -1;

// The first keyword in this order that occurs decides the row: the weapons whose report rows
// count shots, by the same keyword, in code order; then the damage totals.
struct RowRules {
  std::vector<RowRule> rules;
  RowRules() {
    for (int w = 0; w < kCountedWeapons; ++w) {
      const Weapon& weapon = weapons()[w];
      if (weapon.reportShots) rules.push_back({std::string(weapon.reportRow) + " ", w, nullptr});
    }
    rules.push_back({"Given ", kDamageRow, &PlayerRecord::damageGiven});
    rules.push_back({"Recvd ", kDamageRow, &PlayerRecord::damageReceived});
  }
};

const RowRule* ruleFor(std::string_view row) {
  static const RowRules table;
  for (const RowRule& rule : table.rules) {
    if (containsText(row, rule.keyword)) return &rule;
  }
  return nullptr;
}

// The figures are added without range checks; a sum past the int range wraps instead of
// stopping the program.
void addTo(int& field, int amount) {
  field = static_cast<int>(static_cast<unsigned>(field) + static_cast<unsigned>(amount));
}

}  // namespace

void scanWeaponStats(Game& game, const LineRecord& line, const LinePlayers& who) {
  if (!line.raw.has(kTextAccuracyStatistics)) return;
  PlayerRecord& player = game.players[who.victimSlot(line)];  // an unknown name lands in NO_PLAYER
  const std::string_view row = line.attackerName();
  const RowRule* rule = ruleFor(row);
  if (rule == nullptr) return;

  // The keyword only picks the rule: the numbers are read from the row's first tokens, as
  // sscanf reads "%s%d%d" (or "%s%d") from the row's first 509 bytes.
  ScanfCursor cursor(row.substr(0, kLineBufferSize - 1));
  std::string_view word;
  if (!cursor.word(&word)) return;

  if (rule->weapon != kDamageRow) {
    int shots = 0;
    int hits = 0;
    if (!cursor.integer(&shots) || !cursor.integer(&hits)) return;
    addTo(player.shots[rule->weapon], shots);
    addTo(player.hits[rule->weapon], hits);
    addTo(player.totalShots, shots);
    addTo(player.totalHits, hits);
  } else {
    int amount = 0;
    if (!cursor.integer(&amount)) return;
    addTo(player.*(rule->damage), amount);
  }
}
