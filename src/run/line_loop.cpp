// The run's one loop over the log's lines: pipeline, hand-over check, tracker, outputs.
#include "run/line_loop.h"

#include <cstdio>
#include <string_view>
#include <utility>

#include "base/strutil.h"
#include "read/line_pipeline.h"
#include "read/vocabulary.h"
#include "run/game.h"
#include "run/main_loop.h"
#include "run/output_queue.h"
#include "run/state.h"

namespace {

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

HandOver handOver(LogKind kind, LogFacts& log, ServerScores& scores, SourceOffsets& offsets) {
  if (kind == LogKind::kClockedClient) log.clientLogConverted = true;
  if (kind == LogKind::kServer) log.g_log_type = 1;
  return handOverToPreparser(kind, scores, offsets);
}

// Writes a finished game's outputs and starts the next game; false when they could not be written.
bool gameFinished(TrackerEvent event, Tracker& tracker) {
  if (event != TrackerEvent::kGameFinished) return true;
  g_run.g_game_count = tracker.result().gameId;
  if (!writeGame(tracker.result())) return false;
  tracker.startNextGame();
  return true;
}

}  // namespace

LogKind logKindToHandOver(const LineRecord& line, const LogFacts& log) {
  if (log.g_log_type != 0 || log.clientLogConverted) return LogKind::kClientConsole;
  return logKindOfLine(line);
}

LoopEnd readLog(LineReader& reader, bool readAhead, bool handOverAllowed, Tracker& tracker) {
  // A hand-over switches the reader to the pre-parsed file, or closes it for good when the
  // pre-parser could not run: the reading stops first and goes on from there afterwards.
  LinePipeline lines(reader, readAhead);
  while (LineRecord* line = lines.next()) {
    // The lines of an OSP report belong to the report alone, as they always have.
    const LogKind kind = tracker.inReport() ? LogKind::kClientConsole : logKindToHandOver(*line, tracker.game().log);
    bool readOn = false;
    ServerScores scores;
    SourceOffsets offsets;
    if (kind != LogKind::kClientConsole) {
      lines.stop();
      // Without a pre-parser the log ends here, this line included: it gets no page.
      if (!handOverAllowed) break;
      const HandOver next = handOver(kind, tracker.game().log, scores, offsets);
      if (next == HandOver::kFailed) return LoopEnd::kFailed;
      if (next == HandOver::kStop) break;
      if (next == HandOver::kSkipLine) {
        tracker.readConvertedLog(std::move(offsets));
        lines.restart();
        continue;
      }
      readOn = true;
    }
    const bool written = gameFinished(tracker.feed(*line), tracker);
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
    std::fputs("ERROR: could not read logfile \"", stdout);
    writeBytes(stdout, g_run.g_logfile.view());
    std::fputs("\": ", stdout);
    std::fputs(reader.error(), stdout);
    std::fputs("\n", stdout);
    return LoopEnd::kFailed;
  }
  if (!gameFinished(tracker.endOfLog(), tracker)) return LoopEnd::kFailed;
  return LoopEnd::kEndOfLog;
}
