// The server's own final scores of a server log's players, as the pre-parser keeps them beside the converted log.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The pre-parser's side file holds one line "OFFSET SCORE NAME" per player per match: OFFSET
// is where the match's end line starts in the converted log, NAME the player's name exactly as
// the converted log writes it (the rest of the line). A score belongs to the game whose end
// line starts at its offset, so nothing a log prints can claim one for another game.
class ServerScores {
 public:
  // A larger file is no file of the pre-parser's: it is left unread. It would hold the scores
  // of some 50,000 matches of ten players.
  static constexpr std::size_t kMaxFileBytes = 16u << 20;

  // The entries of the file at `path`. A missing, unreadable or oversized file gives none;
  // lines that are not an entry are skipped.
  static ServerScores fromFile(const char* path);
  // The entries of a side file's text.
  static ServerScores fromText(std::string_view text);

  bool empty() const { return entries_.empty(); }
  std::size_t size() const { return entries_.size(); }
  // The server's score of the player written as `name` in the game whose end line starts at
  // `endOffset`; false when the file has none.
  bool find(std::uint64_t endOffset, std::string_view name, int& score) const;

 private:
  struct Entry {
    std::uint64_t offset;
    std::size_t nameAt;  // in names_
    std::size_t nameLength;
    int score;
  };
  std::string_view nameOf(const Entry& e) const {
    return std::string_view(names_).substr(e.nameAt, e.nameLength);
  }

  std::vector<Entry> entries_;  // by offset, in file order within one offset
  std::string names_;
};
