// OSP end-of-match report: the lines after the end of a match, read into the players' records.
#include "game/osp_report.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "base/console.h"
#include "game/match_info.h"
#include "read/line_record.h"
#include "read/text_scan.h"
#include "read/weapons.h"
#include "game/obituary.h"
#include "game/player_table.h"
#include "game/game.h"
#include "base/scratch_pool.h"
#include "base/strutil.h"

namespace {

enum class RowKind { kWeapon, kGauntlet, kDamage };

struct ReportRow {
  const char* keyword;        // searched anywhere in the colour-stripped line
  RowKind kind;
  int weapon;                 // weapon code of a kWeapon or kGauntlet row
  int PlayerRecord::*damage;  // the field a kDamage row overwrites
};

constexpr ReportRow kDamageRows[] = {
    {"Total damage given", RowKind::kDamage, 0, &PlayerRecord::damageGiven},
    {"Total damage rcvd", RowKind::kDamage, 0, &PlayerRecord::damageReceived},
};
constexpr int kMaxReportRows = kCountedWeapons + 2;

// The first keyword in this order that occurs decides the row: the weapons whose rows count
// shots, in code order, then the hits-only rows (the gauntlet's), then the damage totals.
struct ReportRows {
  ReportRow rows[kMaxReportRows];
  int count = 0;

  ReportRows() {
    for (bool withShots : {true, false}) {
      for (int w = 0; w < kCountedWeapons; ++w) {
        const Weapon& weapon = weapons()[w];
        if (weapon.reportRow == nullptr || weapon.reportShots != withShots) continue;
        rows[count++] = {weapon.reportRow, withShots ? RowKind::kWeapon : RowKind::kGauntlet, w, nullptr};
      }
    }
    for (const ReportRow& row : kDamageRows) rows[count++] = row;
  }
};

const ReportRow* rowFor(std::string_view stripped) {
  static const ReportRows table;
  for (int i = 0; i < table.count; ++i) {
    if (containsText(stripped, table.rows[i].keyword)) return &table.rows[i];
  }
  return nullptr;
}

bool endsReport(const ScannedText& line) {
  return line.has(kTextEntered) || line.has(kTextMatchComplete) || line.has(kTextClShutdown);
}

// Totals may already hold figures from the one-line records; a sum past the int range wraps.
void addTo(int& field, int amount) {
  field = static_cast<int>(static_cast<unsigned>(field) + static_cast<unsigned>(amount));
}

void readMapLine(GameState& state, const char* line) {
  char first[kLineBufferSize];
  char second[kLineBufferSize];
  if (std::sscanf(line, "%s%s", first, second) == 2) state.g_mapname.assign(second);
  toLowerCase(state.g_mapname.data());
  consoleWrite("MAP: ");
  consoleWrite(state.g_mapname.view());
  consoleWrite("\n");
}

// `stripped` is rewritten: the colon (and for weapons the slash) become blanks so that the
// row reads as plain words and numbers.
void applyRow(const ReportRow& row, char* stripped, PlayerRecord& player) {
  char word[kLineBufferSize];
  if (row.kind == RowKind::kDamage) {
    strReplace(stripped, ":", " ");
    int amount = 0;
    // The three words of the label all land in the same scratch buffer.
    const int converted = std::sscanf(stripped, "%s%s%s%d", word, word, word, &amount);
    if (converted != 4) return;
    player.*(row.damage) = amount;
    return;
  }

  strReplace(stripped, ":", " ");
  strReplace(stripped, "/", " ");
  float accuracy = 0.0f;  // read only to get past it
  int hits = 0;
  int shots = 0;
  if (std::sscanf(stripped, "%s%f%d%d", word, &accuracy, &hits, &shots) != 4) return;
  player.hits[row.weapon] = hits;
  if (row.kind == RowKind::kGauntlet) return;  // the gauntlet has no shots and stays out of the totals
  player.shots[row.weapon] = shots;
  addTo(player.totalHits, hits);
  addTo(player.totalShots, shots);
}

}  // namespace

void OspReport::begin() {
  active_ = true;
  player_ = NO_PLAYER;
  consolef("\nscanning OSP stats:\n");
}

bool OspReport::feed(Game& game, const LineRecord& record) {
  char line[kLineBufferSize];
  char stripped[kLineBufferSize];
  const std::string_view text = record.raw.text;
  std::memcpy(line, text.data(), text.size());
  line[text.size()] = '\0';
  // The line is prepared already; preparing it again changes nothing.
  stripNewLineChars(line);
  replaceNonPrintableChars(line);
  raw_.assign(std::string_view(line, std::strlen(line)));
  const std::size_t strippedLength = stripColorCodes(raw_.text, stripped);
  const std::string_view strippedView(stripped, strippedLength);

  if (raw_.has(kTextMapColon)) {
    readMapLine(game.state, line);
  } else if (raw_.has(kTextAccuracyInfo)) {
    strippedText_.assign(strippedView);
    player_ = game.players.getPlayerIndexUsingStrippedName(getAttackerName(strippedText_));
  } else if (const ReportRow* row = rowFor(strippedView)) {
    applyRow(*row, stripped, game.players[player_]);
  }
  freeMallocs();
  // The line that ends the report is read as one of it, so the main loop goes on after it.
  if (endsReport(raw_)) active_ = false;
  return !active_;
}
