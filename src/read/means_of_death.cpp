// Means of death: a table of the obituary texts that name each weapon, tested in order.
#include "read/means_of_death.h"

#include <cstdint>
#include <cstdlib>

#include "base/strutil.h"

namespace {

// One test of the means-of-death table: all of its groups must hold, each group by any one
// of its texts; `unless` (when set) must not occur.
constexpr int kNoText = -1;
// "BFG" is shorter than the scanner's anchors: asked of the line directly.
constexpr int kBfgWord = -2;
constexpr int kGroupSize = 10;  // the world deaths and the end mark

struct TextGroup {
  int texts[kGroupSize];
};

struct MeansOfDeath {
  TextGroup all[2];
  int unless;
  int weapon;
};

#define ANY(...) TextGroup{{__VA_ARGS__, kNoText}}
#define NONE TextGroup{{kNoText}}

// The first row that holds decides. The order matters: grenade obituaries before the rocket
// ones (" ate " names both), "melted himself." before the world death "melted.".
const MeansOfDeath kMeansOfDeath[] = {
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

}  // namespace

namespace {

constexpr int kRowCount = static_cast<int>(sizeof kMeansOfDeath / sizeof kMeansOfDeath[0]);
static_assert(kRowCount <= 32, "the rows a text leads are kept as a 32-bit set");

// Per text, the rows whose first group it belongs to: only those rows can hold for a line,
// so a line is tested against the few rows its texts lead, still in table order.
struct RowsLedBy {
  uint32_t rows[kMaxTexts] = {};
  RowsLedBy() {
    for (int r = 0; r < kRowCount; ++r)
      for (int text : kMeansOfDeath[r].all[0].texts) {
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
    const MeansOfDeath& row = kMeansOfDeath[__builtin_ctz(candidates)];
    candidates &= candidates - 1;
    if (row.unless != kNoText && holds(line, row.unless)) continue;
    if (groupHolds(line, row.all[1])) return row.weapon;
  }
  return WP_UNKNOWN;
}

int getWeapon(std::string_view line) { return getWeapon(ScannedText(line)); }
