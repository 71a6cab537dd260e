// Capture-the-flag event accounting: counters and skill bonuses per announcement, and who carries a flag.
#include "game/ctf.h"

#include <cstdlib>

#include "read/line_record.h"
#include "read/vocabulary.h"
#include "game/obituary.h"
#include "game/player_table.h"
#include "game/game.h"
#include "base/strutil.h"

namespace {


enum class FlagEffect {
  kNone,
  kTakesFlag,         // the actor now carries a flag
  kClearsBlue,        // the red flag went home: no blue player carries it any more
  kClearsRed,         // the blue flag went home
  kClearsBothTeams,   // a capture: blue carriers first, then red
};

// What each announced fact counts for its actor.
struct FlagEvent {
  FlagEventKind kind;
  int PlayerRecord::*counter;
  double skillBonus;
  FlagEffect effect;
};

// In the order of FlagEventKind.
constexpr FlagEvent kFlagEvents[] = {
    {FlagEventKind::kTookFlag, &PlayerRecord::touches, 0.0, FlagEffect::kTakesFlag},
    {FlagEventKind::kReturnedRedFlag, &PlayerRecord::returns, 0.2, FlagEffect::kClearsBlue},
    {FlagEventKind::kReturnedBlueFlag, &PlayerRecord::returns, 0.2, FlagEffect::kClearsRed},
    {FlagEventKind::kFraggedCarrier, &PlayerRecord::efcKills, 0.5, FlagEffect::kNone},
    {FlagEventKind::kCaptured, &PlayerRecord::caps, 5.0, FlagEffect::kClearsBothTeams},
    {FlagEventKind::kCarrierKillAssist, &PlayerRecord::efcKillAssists, 0.2, FlagEffect::kNone},
    {FlagEventKind::kReturnAssist, &PlayerRecord::returnAssists, 0.1, FlagEffect::kNone},
    {FlagEventKind::kDefendedCarrierAggressively, &PlayerRecord::fcDefendsAgr, 1.0, FlagEffect::kNone},
    {FlagEventKind::kDefendedCarrier, &PlayerRecord::fcDefends, 0.8, FlagEffect::kNone},
    {FlagEventKind::kDefendedBase, &PlayerRecord::baseDefends, 0.3, FlagEffect::kNone},
    {FlagEventKind::kDefendedAsCarrier, &PlayerRecord::carrierDefends, 0.0, FlagEffect::kNone},
};

const FlagEvent& flagEvent(FlagEventKind kind) {
  const FlagEvent& e = kFlagEvents[static_cast<int>(kind)];
  if (e.kind != kind) std::abort();  // the table lost its order
  return e;
}

int validSlot(int slot) { return slot >= 0 && slot < kTableSlots ? slot : NO_PLAYER; }

// The record registered under the first 29 bytes of a long name; the sink when there is none.
PlayerRecord& cutNameRecord(PlayerTable& players, std::string_view longName) {
  return players[validSlot(players.getPlayerIndex(substring(longName, 0, kCutNameLength - 1)))];
}

void addToSkill(float& skill, double bonus) {
  skill = static_cast<float>(static_cast<double>(skill) + bonus);
}

}  // namespace

void updateCTFStats(Game& game, const LineRecord& line, const LinePlayers& who) {
  const int event = line.raw.scan.first(kFlagEventStrings);
  if (event < 0) return;
  const FlagEvent& e = flagEvent(flagEventKind(event));

  // The actor is not checked against the table: an unregistered name is counted in the sink.
  PlayerRecord& actor = game.players[validSlot(who.victimSlot(line))];
  actor.*e.counter += 1;
  addToSkill(actor.skill, e.skillBonus);
  game.state.g_gametype = GT_CTF;

  switch (e.effect) {
    case FlagEffect::kTakesFlag:
      // A long name may be printed whole here but cut in the obituaries, which credit hold
      // kills to the cut record, so that is the one marked as carrying.
      if (actor.rawName.size() <= kCutNameLength) {
        actor.haveFlag = 1;
      } else {
        cutNameRecord(game.players, line.victimName()).haveFlag = 1;
      }
      break;
    case FlagEffect::kClearsBlue:
      resetHaveFlag(game.players, TEAM_BLUE);
      break;
    case FlagEffect::kClearsRed:
      resetHaveFlag(game.players, TEAM_RED);
      break;
    case FlagEffect::kClearsBothTeams:
      resetHaveFlag(game.players, TEAM_BLUE);
      resetHaveFlag(game.players, TEAM_RED);
      break;
    case FlagEffect::kNone:
      break;
  }
}

void resetHaveFlag(PlayerTable& players, int team) {
  const int n = players.getTotalPlayers();
  for (int s = 0; s < n; ++s) {
    PlayerRecord& p = players[s];
    if (p.team == team) p.haveFlag = 0;
    // Regardless of team: a long name's cut twin is the record its pick-up marked.
    if (p.rawName.size() > kCutNameLength) cutNameRecord(players, p.rawName.view()).haveFlag = 0;
  }
}
