// Capture-the-flag event accounting: counters and skill bonuses per announcement, and who carries a flag.
#include "game/ctf.h"

#include "read/line_record.h"
#include "game/obituary.h"
#include "game/player_table.h"
#include "run/game.h"
#include "base/strutil.h"

namespace {


enum class FlagEffect {
  kNone,
  kTakesFlag,         // the actor now carries a flag
  kClearsBlue,        // the red flag went home: no blue player carries it any more
  kClearsRed,         // the blue flag went home
  kClearsBothTeams,   // a capture: blue carriers first, then red
};

struct FlagEvent {
  const char* message;
  int PlayerRecord::*counter;
  double skillBonus;
  FlagEffect effect;
};

// One entry per message, grouped by event and scanned in this order: the first message found
// in the line decides the event, so a message of an earlier event always wins.
constexpr FlagEvent kFlagEvents[] = {
    {"got the RED flag!", &PlayerRecord::touches, 0.0, FlagEffect::kTakesFlag},
    {"got the BLUE flag!", &PlayerRecord::touches, 0.0, FlagEffect::kTakesFlag},
    {"returned the RED flag!", &PlayerRecord::returns, 0.2, FlagEffect::kClearsBlue},
    {"returned the BLUE flag!", &PlayerRecord::returns, 0.2, FlagEffect::kClearsRed},
    {"fragged RED's flag carrier!", &PlayerRecord::efcKills, 0.5, FlagEffect::kNone},
    {"fragged BLUE's flag carrier!", &PlayerRecord::efcKills, 0.5, FlagEffect::kNone},
    {"captured the RED flag!", &PlayerRecord::caps, 5.0, FlagEffect::kClearsBothTeams},
    {"captured the BLUE flag!", &PlayerRecord::caps, 5.0, FlagEffect::kClearsBothTeams},
    // The assist messages stop before the colour word, so they match both teams.
    {"gets an assist for fragging the", &PlayerRecord::efcKillAssists, 0.2, FlagEffect::kNone},
    {"gets an assist for returning the", &PlayerRecord::returnAssists, 0.1, FlagEffect::kNone},
    {"defends RED's flag carrier against an agressive enemy", &PlayerRecord::fcDefendsAgr, 1.0,
     FlagEffect::kNone},
    {"defends BLUE's flag carrier against an agressive enemy", &PlayerRecord::fcDefendsAgr, 1.0,
     FlagEffect::kNone},
    {"defends the RED's flag carrier.", &PlayerRecord::fcDefends, 0.8, FlagEffect::kNone},
    {"defends the BLUE's flag carrier.", &PlayerRecord::fcDefends, 0.8, FlagEffect::kNone},
    {"defends the RED base", &PlayerRecord::baseDefends, 0.3, FlagEffect::kNone},
    {"defends the BLUE base", &PlayerRecord::baseDefends, 0.3, FlagEffect::kNone},
    {"defends the RED flag", &PlayerRecord::baseDefends, 0.3, FlagEffect::kNone},
    {"defends the BLUE flag", &PlayerRecord::baseDefends, 0.3, FlagEffect::kNone},
    {"RED's flag carrier defends against an agressive enemy", &PlayerRecord::carrierDefends, 0.0,
     FlagEffect::kNone},
    {"BLUE's flag carrier defends against an agressive enemy", &PlayerRecord::carrierDefends, 0.0,
     FlagEffect::kNone},
};
constexpr int kFlagEventCount = static_cast<int>(sizeof kFlagEvents / sizeof kFlagEvents[0]);

// The messages of kFlagEvents as a null-terminated table, so that one scan of the line finds
// the first of them.
struct FlagMessages {
  const char* texts[kFlagEventCount + 1];
  FlagMessages() {
    for (int i = 0; i < kFlagEventCount; ++i) texts[i] = kFlagEvents[i].message;
    texts[kFlagEventCount] = nullptr;
  }
};


int validSlot(int slot) { return slot >= 0 && slot < kTableSlots ? slot : NO_PLAYER; }

// The record registered under the first 29 bytes of a long name; the sink when there is none.
PlayerRecord& cutNameRecord(std::string_view longName) {
  return q3players[validSlot(getPlayerIndex(substring(longName, 0, kCutNameLength - 1)))];
}

void addToSkill(float& skill, double bonus) {
  skill = static_cast<float>(static_cast<double>(skill) + bonus);
}

}  // namespace

const char* const* flagEventMessages() {
  static const FlagMessages table;
  return table.texts;
}

void updateCTFStats(const LineRecord& line) {
  const int event = line.raw.scan.first(kFlagEventStrings);
  if (event < 0) return;
  const FlagEvent& e = kFlagEvents[event];

  // The actor is not checked against the table: an unregistered name is counted in the sink.
  PlayerRecord& actor = q3players[validSlot(line.victimSlot())];
  actor.*e.counter += 1;
  addToSkill(actor.skill, e.skillBonus);
  g_game.g_gametype = GT_CTF;

  switch (e.effect) {
    case FlagEffect::kTakesFlag:
      // A long name may be printed whole here but cut in the obituaries, which credit hold
      // kills to the cut record, so that is the one marked as carrying.
      if (actor.rawName.size() <= kCutNameLength) {
        actor.haveFlag = 1;
      } else {
        cutNameRecord(line.victimName()).haveFlag = 1;
      }
      break;
    case FlagEffect::kClearsBlue:
      resetHaveFlag(TEAM_BLUE);
      break;
    case FlagEffect::kClearsRed:
      resetHaveFlag(TEAM_RED);
      break;
    case FlagEffect::kClearsBothTeams:
      resetHaveFlag(TEAM_BLUE);
      resetHaveFlag(TEAM_RED);
      break;
    case FlagEffect::kNone:
      break;
  }
}

void updateCTFStats(std::string_view text) {
  static LineRecord line;
  line.setText(text);
  resolveSlots(line);
  updateCTFStats(line);
}

void resetHaveFlag(int team) {
  const int n = getTotalPlayers();
  for (int s = 0; s < n; ++s) {
    PlayerRecord& p = q3players[s];
    if (p.team == team) p.haveFlag = 0;
    // Regardless of team: a long name's cut twin is the record its pick-up marked.
    if (p.rawName.size() > kCutNameLength) cutNameRecord(p.rawName.view()).haveFlag = 0;
  }
}
