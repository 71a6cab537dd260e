// OSP one-line accuracy records: a player's name, the marker, then one weapon or damage row.
#include "osp/weapon_stats.h"

#include <cstdio>
#include <cstring>

#include "log/line_record.h"
#include "players/obituary.h"
#include "players/player_table.h"
#include "run/line_reader.h"
#include "run/main_loop.h"
#include "run/strutil.h"

namespace {

// What a row adds to: a weapon's shots and hits, or one of the damage totals.
struct RowRule {
  const char* keyword;         // searched anywhere in the row, trailing blank included
  int weapon;                  // 1..8 for a weapon row, kDamageRow otherwise
  int PlayerRecord::*damage;   // the damage total of a damage row
};

constexpr int kDamageRow = -1;

// The first keyword in this order that occurs decides the row.
const RowRule kRowRules[] = {
    {"MachineGun ", WP_MACHINEGUN, nullptr},
    {"Shotgun ", WP_SHOTGUN, nullptr},
    {"G.Launcher ", WP_GRENADE, nullptr},
    {"R.Launcher ", WP_ROCKET, nullptr},
    {"LightningGun ", WP_LIGHTNING, nullptr},
    {"Railgun ", WP_RAILGUN, nullptr},
    {"Plasmagun ", WP_PLASMA, nullptr},
    {"BFG ", WP_BFG, nullptr},
    {"Given ", kDamageRow, &PlayerRecord::damageGiven},
    {"Recvd ", kDamageRow, &PlayerRecord::damageReceived},
};

const RowRule* ruleFor(std::string_view row) {
  for (const RowRule& rule : kRowRules) {
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

void scanWeaponStats(std::string_view text) {
  static LineRecord line;
  line.setText(text);
  scanWeaponStats(line);
}

void scanWeaponStats(const LineRecord& line) {
  if (!line.raw.has(kTextAccuracyStatistics)) return;
  PlayerRecord& player = q3players[line.victimSlot()];  // an unknown name lands in NO_PLAYER
  const std::string_view row = line.attackerName();
  const RowRule* rule = ruleFor(row);
  if (rule == nullptr) return;

  // The keyword only picks the rule: the numbers are read from the row's first tokens.
  char text[kLineBufferSize];
  const std::size_t len = row.size() < sizeof text - 1 ? row.size() : sizeof text - 1;
  std::memcpy(text, row.data(), len);
  text[len] = '\0';
  char word[kLineBufferSize];  // a token can be as long as the row itself

  if (rule->weapon != kDamageRow) {
    int shots = 0;
    int hits = 0;
    const int converted = std::sscanf(text, "%s%d%d", word, &shots, &hits);
    if (converted >= 1) g_run.g_str_tmp.assign(word);
    if (converted != 3) return;
    addTo(player.shots[rule->weapon], shots);
    addTo(player.hits[rule->weapon], hits);
    addTo(player.totalShots, shots);
    addTo(player.totalHits, hits);
  } else {
    int amount = 0;
    const int converted = std::sscanf(text, "%s%d", word, &amount);
    if (converted >= 1) g_run.g_str_tmp.assign(word);
    if (converted != 2) return;
    addTo(player.*(rule->damage), amount);
  }
}
