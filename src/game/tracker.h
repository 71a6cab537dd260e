// The game tracker: fed every prepared line of the log in order, it follows the game and yields each finished game.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "game/game.h"
#include "game/game_result.h"
#include "game/osp_report.h"
#include "game/server_scores.h"
#include "game/source_offsets.h"
#include "read/line_record.h"

enum class TrackerEvent {
  kNone,
  // The line ended a game that earns a page: result() holds it, reconciled, totalled,
  // awarded and sorted, and the console has listed it. Call startNextGame() once its outputs
  // are written.
  kGameFinished,
};

class Tracker {
 public:
  // `logName` and `runStamp` go into every finished game (its record names them); the first
  // game finished gets the id after `gameCount`. Starts with an empty game.
  Tracker(std::string_view logName, std::string_view runStamp, int gameCount = kFirstGameId);

  // Runs one line through the recognisers in their fixed order: the match information, player
  // registration, teams, flags, frags, the OSP accuracy line and, last, the game boundary, so
  // that a line that ends a game has first been counted in it. While the OSP report that
  // follows the end of a match is read, every line is a line of the report and nothing else.
  TrackerEvent feed(LineRecord& line);
  // The log ended. A match whose report the log cut short still ends as usual.
  TrackerEvent endOfLog();
  // The last step alone, for a line already counted: does it end the game?
  TrackerEvent boundary(const LineRecord& line);

  // True while the lines are the OSP report's.
  bool inReport() const { return report_.active(); }
  const GameResult& result() const { return result_; }
  Game& game() { return game_; }
  // Id of the last finished game; kFirstGameId before the first.
  int gameCount() const { return g_game_count; }
  // Clears the player table and the game's values for the next game.
  void startNextGame();
  // The server's final scores of the log being read (the pre-parser's, after a hand-over): a
  // game whose end line has them shows them as its players' scores.
  void useServerScores(ServerScores scores) { serverScores_ = std::move(scores); }
  // From the next line on, the lines are the pre-parser's conversion of the log, which starts
  // again at the log's first line: the game's lines so far count no more, and each converted
  // line counts as the lines of the log `offsets` gives for it. Without them (a pre-parser that
  // leaves no side file, or a broken one) the games are spanned in the converted log, which
  // their records do not show.
  void readConvertedLog(SourceOffsets offsets);

 private:
  // The rest of the boundary step once the report, if any, is read.
  TrackerEvent endGame(bool warmupEnd);
  // Adds the line to the game's span and fingerprint.
  void countLine(const LineSpan& span);
  void finish();

  Game game_;
  int g_game_count = kFirstGameId;
  std::string logName_;
  std::string runStamp_;
  OspReport report_;
  bool warmupEnd_ = false;  // of the line that began the report
  // Where the line that ended the match starts in the file read; under OSP the line before
  // its report.
  std::uint64_t endOffset_ = 0;
  ServerScores serverScores_;
  bool converted_ = false;  // the lines are a converted log's
  SourceOffsets sourceOffsets_;
  GameResult result_;
};
