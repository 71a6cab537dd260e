// Turns a client console log of the Excessive Plus kind into the OSP client form our reader knows.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "converter.h"

// Why a line of a clocked client log was not written.
enum class ClientSkip {
  kRepeated,    // a line the client wrote a second time (it begins with "^\")
  kStatistics,  // the mod's own statistics block ("[skipnotify]...")
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

// First pass over a clocked client log: the map of each match, which the mod prints only in
// its statistics after the match ("[skipnotify]^1Map:  ^7q3dm7"). Matches are numbered from
// 0 in the order of their ending lines.
class ClientMatchMaps {
 public:
  void scanLine(std::string_view line);
  // The map of match `match`; empty when the log does not name it.
  std::string_view mapOf(int match) const;

 private:
  int ended_ = 0;
  std::vector<std::string> maps_;
  std::vector<char> cleaned_;
};

// Writes, line by line, what the OSP client would have printed: entries with their team,
// flag events in the OSP words, obituaries without the mod's closing full stop, and the map
// of each match just before the line that ends it. Lines without such a text pass unchanged;
// the mod's statistics and the lines written twice are left out.
class ClientLogConverter {
 public:
  // `maps`: the first pass over the same log; nullptr: no maps are written.
  ClientLogConverter(LineSink& out, const ClientMatchMaps* maps);

  void feed(std::string_view line);

  long linesRead() const { return linesRead_; }
  int matchesEnded() const { return ended_; }
  long skipped(ClientSkip reason) const { return skipped_[static_cast<int>(reason)]; }

 private:
  LineSink& out_;
  const ClientMatchMaps* maps_;
  std::vector<char> cleaned_;
  std::vector<char> written_;
  long linesRead_ = 0;
  int ended_ = 0;
  long skipped_[static_cast<int>(ClientSkip::kCount)] = {};
};
