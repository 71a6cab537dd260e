// The game tracker: one line through the recognisers in their fixed order, the game's end, and the finished game.
#include "game/tracker.h"

#include <cstdio>
#include <string_view>

#include "base/console.h"
#include "base/scratch_pool.h"
#include "game/awards.h"
#include "game/ctf.h"
#include "game/frags.h"
#include "game/match_info.h"
#include "game/obituary.h"
#include "game/player_table.h"
#include "game/quotes.h"
#include "game/reconcile.h"
#include "game/teams.h"
#include "game/totals.h"
#include "game/weapon_stats.h"
#include "read/line_filter.h"
#include "read/vocabulary.h"
#include "game/game.h"

namespace {

bool concernsMatchInfo(const LineRecord& line) {
  const TextScan& s = line.stripped.scan;
  const TextScan& r = line.raw.scan;
  for (TextId t : {kTextReShutdown, kTextOspLoaded, kTextUsingModel, kTextCurrentMap, kTextConnect,
                   kTextReconnect, kTextResolved, kTextRenamed, kTextDisconnected, kTextOverflow,
                   kTextLostCommands, kTextKicked, kTextEntered}) {
    if (s.has(t)) return true;
  }
  return r.has(kTextRedLeads) || r.has(kTextBlueLeads) || r.has(kTextTied);
}

// Which of the later recognisers the line concerns. Registration has happened, so the
// slots are final for the rest of the line.
unsigned handlersOf(const Game& game, const LineRecord& line, const LinePlayers& who) {
  const TextScan& r = line.raw.scan;
  unsigned h = 0;
  if (r.has(kTextOnTeam) || r.has(kTextEnteredRed) || r.has(kTextEnteredBlue) ||
      r.first(kCtfRedStrings) >= 0 || r.first(kCtfBlueStrings) >= 0) {
    h |= kHandleTeams;
  }
  if (r.first(kFlagEventStrings) >= 0) h |= kHandleCtf;
  const int n = game.players.getTotalPlayers();
  if (who.victim < n && who.attacker < n) h |= kHandleFrags;
  if (r.has(kTextAccuracyStatistics)) h |= kHandleAccuracy;
  if (r.first(kResetStrings) >= 0 || r.has(kTextMatchBegun) || r.has(kTextAllReady) ||
      game.state.g_connect_sequence == kGameEnded) {
    h |= kHandleBoundary;
  }
  return h;
}

// The recognisers between registration and the boundary, in pipeline order. A recogniser not
// offered the line still has its scratch strings counted: its name lookups are what it would
// have spent before finding nothing to do.
struct RecogniserStep {
  Handler handler;
  void (*run)(Game& game, const LineRecord& line, const LinePlayers& who);
  int (*scratchWhenSkipped)(const LineRecord& line);
};

int noScratch(const LineRecord&) { return 0; }
int victimScratch(const LineRecord& line) { return line.victimCut.scratch; }
int bothScratch(const LineRecord& line) { return line.victimCut.scratch + line.attackerCut.scratch; }

const RecogniserStep kRecognisers[] = {
    {kHandleTeams, assignTeam, victimScratch},
    {kHandleCtf, updateCTFStats, noScratch},
    {kHandleFrags, updateTables, bothScratch},
    {kHandleAccuracy, scanWeaponStats, noScratch},
};

bool isWarmupEnd(std::string_view line) {
  return line == "^3Match has begun!" || line == "^3All players ready!^7 Match starting...";
}

// The server counts points its log never shows (defences and assists in capture the flag):
// a player the server's final scores name, exactly as the log names him, takes its figure.
void takeServerScores(PlayerTable& players, const ServerScores& scores, std::uint64_t endOffset) {
  if (scores.empty()) return;
  const int n = players.getTotalPlayers();
  for (int p = 0; p < n; ++p) {
    int score = 0;
    if (scores.find(endOffset, players[p].rawName.view(), score)) players[p].frags = score;
  }
}

bool qualifies(const Game& game) {
  if (game.state.g_make_html != 1) return false;
  // A team deathmatch is still type 0 here; it becomes type 1 only in the totals.
  if (game.state.g_gametype == GT_FFA) return game.players.getTotalPlayers() > 1;
  if (isTeamGameType(game.state.g_gametype)) {
    return getTeamTotalPlayers(game.players, TEAM_RED) > 0 && getTeamTotalPlayers(game.players, TEAM_BLUE) > 0;
  }
  return false;
}

}  // namespace

Tracker::Tracker(std::string_view logName, std::string_view runStamp, int gameCount)
    : g_game_count(gameCount), logName_(logName), runStamp_(runStamp) {
  game_.reset();
}

void Tracker::readConvertedLog(SourceOffsets offsets) {
  converted_ = true;
  sourceOffsets_ = std::move(offsets);
  game_.state.lines.reset();
}

void Tracker::countLine(const LineSpan& span) {
  GameFingerprint& lines = game_.state.lines;
  if (!converted_) {
    lines.add(span);
    return;
  }
  SourceOffsets::Lines from;
  if (sourceOffsets_.take(span.offset, from)) lines.add(from.first, from.last, from.hash);
  if (!sourceOffsets_.known()) {
    lines.add(span);
    lines.markNotInLog();
  }
}

TrackerEvent Tracker::feed(LineRecord& line) {
  countLine(line.span);
  freeMallocs();
  if (report_.active()) {
    if (!report_.feed(game_, line)) return TrackerEvent::kNone;
    return endGame(warmupEnd_);
  }

  if (!line.passesFilter) {
    freeMallocs();
    scanForQuotes(game_.players, line.raw);
    return TrackerEvent::kNone;
  }

  line.countStrip();
  freeMallocs();
  unsigned handlers = concernsMatchInfo(line) ? static_cast<unsigned>(kHandleMatchInfo) : 0u;
  if ((handlers & kHandleMatchInfo) != 0 && updateMiscInfo(game_, line) == LineUse::kHandled) return TrackerEvent::kNone;

  LinePlayers who;
  if (line.stripped.scan.first(kAddPlayerStrings) >= 0) {
    freeMallocs();
    const unsigned long names = game_.players.nameGeneration();
    const int victim = game_.players.addPlayer(line.victimName());
    const int attacker = game_.players.addPlayer(line.attackerName());
    // Nobody registered and no record moved: the slots registration looked up are final.
    if (names == game_.players.nameGeneration()) {
      who.victim = victim;
      who.attacker = attacker;
    } else {
      who = resolveSlots(game_.players, line);
    }
  } else {
    who = resolveSlots(game_.players, line);
  }

  handlers |= handlersOf(game_, line, who);
  for (const RecogniserStep& step : kRecognisers) {
    freeMallocs();
    if ((handlers & step.handler) == 0) {
      storeMallocs(step.scratchWhenSkipped(line));
    } else {
      step.run(game_, line, who);
    }
  }
  // Always last, so that a line that ends a game has first been counted in it.
  freeMallocs();
  if ((handlers & kHandleBoundary) == 0) return TrackerEvent::kNone;
  return boundary(line);
}

TrackerEvent Tracker::boundary(const LineRecord& record) {
  const ScannedText& line = record.raw;
  endOffset_ = record.span.offset;
  const bool warmupEnd = isWarmupEnd(line.text);
  // The first boundary text in table order that acts decides; the others are passed over.
  for (int i = 0; reset_strings[i] != nullptr; ++i) {
    if (!line.scan.hasEntry(kResetStrings, i)) continue;
    const BoundaryKind kind = boundaryKind(i);
    if (kind == BoundaryKind::kRules) {
      game_.state.g_reset_count = kGameEnded;
      // Under OSP the report follows the line that ended the match: the game ends after it.
      if (game_.log.g_mod == 1) {
        warmupEnd_ = warmupEnd;
        report_.begin();
        return TrackerEvent::kNone;
      }
      break;
    }
    if (kind == BoundaryKind::kLeft || (kind == BoundaryKind::kOspComplete && game_.log.g_mod == 1)) {
      game_.state.g_reset_count = kGameEnded;
      break;
    }
  }
  return endGame(warmupEnd);
}

TrackerEvent Tracker::endOfLog() {
  if (!report_.active()) return TrackerEvent::kNone;
  report_.cutShort();
  return endGame(warmupEnd_);
}

TrackerEvent Tracker::endGame(bool warmupEnd) {
  GameState& state = game_.state;
  if (state.g_connect_sequence == kGameEnded) state.g_reset_count = kGameEnded;

  // Everything so far was the warm-up before the real match: drop it.
  if (warmupEnd) {
    state.g_make_html = 0;
    state.g_reset_count = kGameEnded;
    consoleWrite("\nOSP warm-up detected: Skipping html generation for warm-up.\n");
  }

  if (state.g_reset_count != kGameEnded) return TrackerEvent::kNone;
  if (!qualifies(game_)) {
    startNextGame();
    return TrackerEvent::kNone;
  }
  finish();
  return TrackerEvent::kGameFinished;
}

void Tracker::finish() {
  if (game_.state.g_connect_sequence == kGameEnded) {
    consoleWrite("\nServer connect/reconnect detected:\n");
    consoleWrite("Forcing html stats generation.\n");
  }
  PlayerTable& players = game_.players;
  assignTeamToUnknownPlayers(players);
  mergeAllIdenticalPlayers(players);
  addUpTables(game_);
  takeServerScores(players, serverScores_, endOffset_);
  assignAwards(players);
  fixPlayerNames(players);
  players.sort();
  if (g_game_count == kLastGameId) g_game_count = kFirstGameId;
  ++g_game_count;
  consolef("\nGenerating Stats ----------------<GAME ID %d>-----\n", g_game_count);
  players.printPlayers();
  // The game label is made here, where the page naming has always made it: its name search
  // counts in the scratch pool, and says so on the console when the pool is full.
  takeGameResult(game_, result_);
  result_.gameId = g_game_count;
  result_.runStamp.assign(runStamp_);
  result_.logName.assign(logName_);
}

void Tracker::startNextGame() { game_.reset(); }
