// Turns a client console log of the Excessive Plus kind into the OSP client form our reader knows.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "converter.h"

// Why a line of a clocked client log was not written.
enum class ClientSkip {
  kRepeated,    // a line the client wrote a second time (it begins with "^\")
  kStatistics,  // the mod's own statistics block ("[skipnotify]...")
  kUncounted,   // a capture the mod's scoreboard does not count
  kCount
};
const char* clientSkipName(ClientSkip reason);

// A client line made ready for our reader: the clock before it removed ("^1[^723^1:^724^1]^7 "),
// the mod's colour reset "^s" written as "^7", and a colour code repeated right after itself
// ("^7^7") written once, so that a name reads the same in every message. Returns false for a
// line that is to be left out, with the reason.
bool cleanClientLine(std::string_view line, std::vector<char>& out, ClientSkip& reason);

// True when a cleaned line ends a match for our reader (a limit was hit or a match was won).
bool endsMatch(std::string_view cleaned);

// A cleaned line in the OSP client's words: entries, flag events and obituaries rewritten (the
// times the mod appends and its closing full stop removed); `written` holds the text if needed.
std::string_view toOspWords(std::string_view cleaned, std::vector<char>& written);

// First pass over a clocked client log: what the second pass must know before it reaches a
// line. Matches are numbered from 0 in the order of their ending lines; lines from 1.
// - The map of each match, which the mod prints only in its statistics after the match
//   ("[skipnotify]^1Map:  ^7q3dm7").
// - The captures the mod itself counted: the "Cap" column of its scoreboard and its result
//   ("^1RED^s team wins 15 to 13"). A client that joined late never saw the first captures, and
//   a capture printed while the next map loads is not one the mod counts; so each player on
//   the scoreboard gets capture lines added before the match's end, or his earliest ones
//   dropped, until his lines give his figure. What the result holds beyond the scoreboard's
//   players goes to the team's player who played in the match but is missing from the
//   scoreboard (he left before it was printed; the last seen of them), right after his last line.
class ClientMatchPlan {
 public:
  void scanLine(std::string_view line);
  // After the last line: works out which lines to add and which to drop.
  void finish();

  // The map of match `match`; empty when the log does not name it.
  std::string_view mapOf(int match) const;
  // The lines to write before line `line`, or nullptr.
  const std::vector<std::string>* addedBefore(long line) const;
  bool dropped(long line) const;

  long capturesAdded() const { return added_; }
  long capturesUncredited() const { return uncredited_; }

 private:
  enum Team { kRed, kBlue, kNoTeam };
  struct Seen {  // a player as the lines of one match show him, by his name without colours
    std::string raw;  // the name as the last such line writes it
    Team team = kNoTeam;
    long lastLine = 0;
  };
  struct Capture {
    long line;
    std::string player;
    Team team;
  };
  struct Row {  // a scoreboard row
    std::string player;
    std::string raw;
    int caps;
  };
  struct Match {
    std::string map;
    long endLine = 0;
    std::vector<Capture> captures;
    std::vector<std::pair<std::string, Seen>> players;
    std::vector<Row> scoreboard;
    std::vector<std::pair<std::string, std::string>> kills;  // victim and killer
    int result[2] = {-1, -1};
    Seen* find(const std::string& player);
  };

  Match& current();
  Match* lastEnded();
  void scanStatistics(std::string_view line);
  void scanEvent(std::string_view osp);
  static std::map<std::string, Team> sides(const Match& match);
  void reconcile(Match& match);
  void add(long before, const std::string& raw, Team team, int count);

  long lineNumber_ = 0;
  int ended_ = 0;
  std::vector<char> recoloured_;
  int capColumn_ = -1;  // the "Cap" column of the scoreboard being read; -1 outside one
  std::vector<Match> matches_;
  std::vector<std::pair<long, std::vector<std::string>>> addedLines_;  // sorted by line once finished
  std::vector<long> dropped_;
  long added_ = 0;
  long uncredited_ = 0;
  std::vector<char> cleaned_;
  std::vector<char> written_;
};

// Writes, line by line, what the OSP client would have printed: entries with their team,
// flag events in the OSP words, obituaries without the mod's closing full stop, and the map
// of each match just before the line that ends it. Lines without such a text pass unchanged;
// the mod's statistics and the lines written twice are left out.
class ClientLogConverter {
 public:
  // `plan`: the first pass over the same log; nullptr: the lines are only rewritten.
  ClientLogConverter(LineSink& out, const ClientMatchPlan* plan);

  void feed(std::string_view line);

  long linesRead() const { return linesRead_; }
  int matchesEnded() const { return ended_; }
  long skipped(ClientSkip reason) const { return skipped_[static_cast<int>(reason)]; }

 private:
  LineSink& out_;
  const ClientMatchPlan* plan_;
  std::vector<char> recoloured_;
  std::vector<char> cleaned_;
  std::vector<char> written_;
  long linesRead_ = 0;
  int ended_ = 0;
  long skipped_[static_cast<int>(ClientSkip::kCount)] = {};
};
