// The run's one loop over the log's lines: pipeline, hand-over check, tracker, outputs.
#include "run/line_loop.h"

#include <cstdio>
#include <string_view>
#include <utility>

#include "base/console.h"
#include "base/strutil.h"
#include "read/line_pipeline.h"
#include "read/vocabulary.h"
#include "run/game.h"
#include "run/main_loop.h"
#include "run/output_queue.h"

namespace {

// What kind of log the line shows, asked until the log is handed over. The scan has already
// looked for " InitGame: "; the rest only at the start of a line or of the log.
LogKind logKindOfLine(const LineRecord& line, long* linesChecked) {
  static constexpr std::string_view kConsoleInitGame = "InitGame: ";
  if (line.raw.has(kTextInitGame) || line.raw.text.substr(0, kConsoleInitGame.size()) == kConsoleInitGame) {
    return LogKind::kServer;
  }
  if (++*linesChecked > kClockProbeLines) return LogKind::kClientConsole;
  return logKindOf(line.raw.text, *linesChecked);
}

HandOver handOver(RunState& run, LogKind kind, LogFacts& log, ServerScores& scores, SourceOffsets& offsets) {
  if (kind == LogKind::kClockedClient) log.clientLogConverted = true;
  if (kind == LogKind::kServer) log.g_log_type = 1;
  return handOverToPreparser(run, kind, scores, offsets);
}

// Writes a finished game's outputs and starts the next game; false when they could not be written.
bool gameFinished(TrackerEvent event, RunState& run, Tracker& tracker, GameOutputs& outputs) {
  if (event != TrackerEvent::kGameFinished) return true;
  if (!outputs.writeGame(tracker.result(), run.fp_sql_gamestats)) return false;
  tracker.startNextGame();
  return true;
}

}  // namespace

LogKind logKindToHandOver(const LineRecord& line, const LogFacts& log, long* linesChecked) {
  if (log.g_log_type != 0 || log.clientLogConverted) return LogKind::kClientConsole;
  return logKindOfLine(line, linesChecked);
}

LoopEnd readLog(RunState& run, bool readAhead, bool handOverAllowed, Tracker& tracker, GameOutputs& outputs) {
  LineReader& reader = run.fp;
  // A hand-over switches the reader to the pre-parsed file, or closes it for good when the
  // pre-parser could not run: the reading stops first and goes on from there afterwards.
  LinePipeline lines(reader, readAhead);
  while (LineRecord* line = lines.next()) {
    // The lines of an OSP report belong to the report alone, as they always have.
    const LogKind kind = tracker.inReport() ? LogKind::kClientConsole : logKindToHandOver(*line, tracker.game().log, &run.linesChecked);
    bool readOn = false;
    ServerScores scores;
    SourceOffsets offsets;
    if (kind != LogKind::kClientConsole) {
      lines.stop();
      // Without a pre-parser the log ends here, this line included: it gets no page.
      if (!handOverAllowed) break;
      const HandOver next = handOver(run, kind, tracker.game().log, scores, offsets);
      if (next == HandOver::kFailed) return LoopEnd::kFailed;
      if (next == HandOver::kStop) break;
      if (next == HandOver::kSkipLine) {
        tracker.readConvertedLog(std::move(offsets));
        lines.restart();
        continue;
      }
      readOn = true;
    }
    const bool written = gameFinished(tracker.feed(*line), run, tracker, outputs);
    if (readOn) {
      // The scores' offsets are the converted log's: no game ended by a line of the log itself,
      // this one included, takes them.
      tracker.useServerScores(std::move(scores));
      tracker.readConvertedLog(std::move(offsets));
      lines.restart();
    }
    // Stopped where it failed: no summary, and the temporary files stay for a look. The
    // reading thread stops first: the run then closes the reader it reads from.
    if (!written || OutputQueue::failed()) {
      lines.stop();
      return LoopEnd::kFailed;
    }
  }
  lines.stop();
  if (reader.failed()) {
    // A compressed log cut short or corrupt has not ended: the game it was in gets no page.
    consoleWrite("ERROR: could not read logfile \"");
    consoleWrite(run.g_logfile.view());
    consoleWrite("\": ");
    consoleWrite(reader.error());
    consoleWrite("\n");
    return LoopEnd::kFailed;
  }
  if (!gameFinished(tracker.endOfLog(), run, tracker, outputs)) return LoopEnd::kFailed;
  return LoopEnd::kEndOfLog;
}
