// Means of death: the weapon table's obituary rules tried on a scanned line, in their order.
#include "read/means_of_death.h"

#include <cstdint>
#include <cstdlib>

#include "base/strutil.h"
#include "read/weapons.h"

namespace {

bool holds(const ScannedText& line, int text) {
  if (text == kBfgWord) return containsText(line.text, "BFG");
  return line.has(static_cast<TextId>(text));
}

bool groupHolds(const ScannedText& line, const TextGroup& group) {
  if (group.texts[0] == kNoText) return true;
  for (int text : group.texts) {
    if (text == kNoText) return false;
    if (holds(line, text)) return true;
  }
  return false;
}

constexpr int kMaxRules = 32;  // the rules a text leads are kept as a 32-bit set

// Per text, the rows whose first group it belongs to: only those rows can hold for a line,
// so a line is tested against the few rows its texts lead, still in table order.
struct RowsLedBy {
  uint32_t rows[kMaxTexts] = {};
  RowsLedBy() {
    const int count = obituaryRuleCount();
    if (count > kMaxRules) std::abort();
    for (int r = 0; r < count; ++r)
      for (int text : obituaryRules()[r].all[0].texts) {
        if (text == kNoText) break;
        if (text < 0) std::abort();  // a first group names scanner texts only
        rows[text] |= uint32_t{1} << r;
      }
  }
};

}  // namespace

int getWeapon(const ScannedText& line) {
  static const RowsLedBy led;
  uint32_t candidates = 0;
  for (int k = 0; k < line.scan.foundCount(); ++k) candidates |= led.rows[line.scan.foundText(k)];
  while (candidates != 0) {
    const ObituaryRule& row = obituaryRules()[__builtin_ctz(candidates)];
    candidates &= candidates - 1;
    if (row.unless != kNoText && holds(line, row.unless)) continue;
    if (groupHolds(line, row.all[1])) return row.weapon;
  }
  return WP_UNKNOWN;
}

int getWeapon(std::string_view line) { return getWeapon(ScannedText(line)); }
