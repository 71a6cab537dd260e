// The per-line pipeline: one preparation, one scan per lane, one name cut, then the recognisers in their fixed order.
#include "run/line_engine.h"

#include <cstring>

#include "read/line_filter.h"
#include "game/match_info.h"
#include "game/quotes.h"
#include "game/weapon_stats.h"
#include "game/ctf.h"
#include "game/frags.h"
#include "game/player_table.h"
#include "game/teams.h"
#include "run/game.h"
#include "read/log_kind.h"
#include "run/main_loop.h"
#include "base/scratch_pool.h"
#include "base/strutil.h"

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
unsigned handlersOf(const LineRecord& line) {
  const TextScan& r = line.raw.scan;
  unsigned h = 0;
  if (r.has(kTextOnTeam) || r.has(kTextEnteredRed) || r.has(kTextEnteredBlue) ||
      r.first(kCtfRedStrings) >= 0 || r.first(kCtfBlueStrings) >= 0) {
    h |= kHandleTeams;
  }
  if (r.first(kFlagEventStrings) >= 0) h |= kHandleCtf;
  const int n = getTotalPlayers();
  if (line.victim < n && line.attacker < n) h |= kHandleFrags;
  if (r.has(kTextAccuracyStatistics)) h |= kHandleAccuracy;
  if (r.first(kResetStrings) >= 0 || r.has(kTextMatchBegun) || r.has(kTextAllReady) ||
      g_game.g_connect_sequence == kGameEnded) {
    h |= kHandleBoundary;
  }
  return h;
}

// The recognisers after registration, in pipeline order. A recogniser not offered the line
// still has its scratch strings counted: its name lookups are what it would have spent
// before finding nothing to do.
struct RecogniserStep {
  Handler handler;
  bool (*run)(const LineRecord& line);  // false: the run must stop
  int (*scratchWhenSkipped)(const LineRecord& line);
};

int noScratch(const LineRecord&) { return 0; }
int victimScratch(const LineRecord& line) { return line.victimCut.scratch; }
int bothScratch(const LineRecord& line) { return line.victimCut.scratch + line.attackerCut.scratch; }

const RecogniserStep kRecognisers[] = {
    {kHandleTeams, [](const LineRecord& line) { assignTeam(line); return true; }, victimScratch},
    {kHandleCtf, [](const LineRecord& line) { updateCTFStats(line); return true; }, noScratch},
    {kHandleFrags, [](const LineRecord& line) { updateTables(line); return true; }, bothScratch},
    {kHandleAccuracy, [](const LineRecord& line) { scanWeaponStats(line); return true; }, noScratch},
    // Always last, so that a line that ends a game has first been counted in it.
    {kHandleBoundary, [](const LineRecord& line) { return checkForNewGameStart(line); }, noScratch},
};

// What kind of log the line shows, asked until the log is handed over. The scan has already
// looked for " InitGame: "; the rest only at the start of a line or of the log.
LogKind logKindOfLine(const LineRecord& line) {
  static constexpr std::string_view kConsoleInitGame = "InitGame: ";
  if (line.raw.has(kTextInitGame) || line.raw.text.substr(0, kConsoleInitGame.size()) == kConsoleInitGame) {
    return LogKind::kServer;
  }
  if (++g_run.linesChecked > kClockProbeLines) return LogKind::kClientConsole;
  return logKindOf(line.raw.text, g_run.linesChecked);
}

}  // namespace

LogKind logKindToHandOver(const LineRecord& line) {
  if (g_run.g_log_type != 0 || g_run.clientLogConverted) return LogKind::kClientConsole;
  return logKindOfLine(line);
}

HandOver handOver(LogKind kind) {
  if (kind == LogKind::kClockedClient) g_run.clientLogConverted = true;
  return handOverToPreparser(kind);
}

LineOutcome processLine(LineRecord& line, std::size_t readLength) {
  // A server log or a foreign client log is told on the line as prepared, which holds the
  // same text as the line read (none of the bytes looked for is replaced, and the cut line
  // end cannot split them).
  line.prepare(readLength);
  const LogKind kind = logKindToHandOver(line);
  if (kind != LogKind::kClientConsole) {
    const HandOver next = handOver(kind);
    // Without a pre-parser the log ends here, this line included: it gets no page.
    if (next == HandOver::kStop) return LineOutcome::kStopReading;
    if (next == HandOver::kSkipLine) return LineOutcome::kGoOn;
  }
  return processPreparedLine(line);
}

LineOutcome processPreparedLine(LineRecord& line) {
  g_game.lines.add(line.span);
  freeMallocs();

  if (!line.passesFilter) {
    freeMallocs();
    scanForQuotes(line.raw);
    return LineOutcome::kGoOn;
  }

  line.countStrip();
  freeMallocs();
  line.handlers = concernsMatchInfo(line) ? static_cast<unsigned>(kHandleMatchInfo) : 0u;
  if ((line.handlers & kHandleMatchInfo) != 0 && updateMiscInfo(line) == 1) return LineOutcome::kGoOn;

  if (line.stripped.scan.first(kAddPlayerStrings) >= 0) {
    freeMallocs();
    const unsigned long names = g_nameGeneration;
    const int victim = addPlayer(line.victimName());
    const int attacker = addPlayer(line.attackerName());
    // Nobody registered and no record moved: the slots registration looked up are final.
    if (names == g_nameGeneration) {
      line.victim = victim;
      line.attacker = attacker;
    } else {
      line.resolveSlots();
    }
  } else {
    line.resolveSlots();
  }

  line.handlers |= handlersOf(line);
  for (const RecogniserStep& step : kRecognisers) {
    freeMallocs();
    if ((line.handlers & step.handler) == 0) {
      storeMallocs(step.scratchWhenSkipped(line));
    } else if (!step.run(line)) {
      return LineOutcome::kFail;
    }
  }
  return LineOutcome::kGoOn;
}
