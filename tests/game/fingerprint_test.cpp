// A game's fingerprint tells its lines apart from any other game's, and its span is where it was read.
#include "game/fingerprint.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The fingerprint and span of `lines` read one after another from offset `start`.
struct Read {
  std::string hex;
  std::uint64_t first;
  std::uint64_t last;
};

Read readLines(const std::vector<std::string>& lines, std::uint64_t start = 0) {
  GameFingerprint f;
  std::uint64_t at = start;
  for (const std::string& line : lines) {
    LineSpan span;
    span.offset = at;
    span.length = static_cast<std::uint32_t>(line.size());
    span.hash = lineHash(line.data(), line.size());
    f.add(span);
    at += line.size();
  }
  char hex[33];
  f.hex(hex);
  return {hex, f.firstByte(), f.lastByte()};
}

const std::vector<std::string> kGame = {
    "^3Match has begun!\n",
    "Anarki was railed by ^1Doom^7\n",
    "Doom ate Anarki's rocket\n",
    "Fraglimit hit.\n",
};

TEST(GameFingerprint, SameLinesSameFingerprintAnyChangeAnother) {
  const Read once = readLines(kGame);
  EXPECT_EQ(32u, once.hex.size());
  EXPECT_EQ(std::string::npos, once.hex.find_first_not_of("0123456789abcdef"));
  // The same lines elsewhere in a log (a copy with other games before it) and read again.
  EXPECT_EQ(once.hex, readLines(kGame, 5000).hex);
  EXPECT_EQ(once.hex, readLines(kGame).hex);

  // Other line ends and empty lines change nothing a page shows, nor the fingerprint.
  std::vector<std::string> crlf;
  for (const std::string& line : kGame) crlf.push_back(line.substr(0, line.size() - 1) + "\r\n");
  EXPECT_EQ(once.hex, readLines(crlf).hex);
  std::vector<std::string> blank = kGame;
  blank.insert(blank.begin() + 2, "\n");
  EXPECT_EQ(once.hex, readLines(blank).hex);

  // One byte changed in one line, a line dropped, two lines swapped, a line doubled.
  std::vector<std::vector<std::string>> others(4, kGame);
  others[0][1][10] = 'R';
  others[1].erase(others[1].begin() + 2);
  std::swap(others[2][1], others[2][2]);
  others[3].insert(others[3].begin() + 1, kGame[1]);
  for (const auto& other : others) EXPECT_NE(once.hex, readLines(other).hex);
  // A change past the first eight bytes, and in the last byte of a line.
  std::vector<std::string> late = kGame;
  late[2][late[2].size() - 2] = 'T';
  EXPECT_NE(once.hex, readLines(late).hex);
}

TEST(GameFingerprint, SpanRunsFromFirstByteToLastLineEnd) {
  const Read r = readLines(kGame, 100);
  std::uint64_t bytes = 0;
  for (const std::string& line : kGame) bytes += line.size();
  EXPECT_EQ(100u, r.first);
  EXPECT_EQ(100 + bytes - 1, r.last);
  // A game that starts with an empty line starts there all the same.
  std::vector<std::string> blankFirst = kGame;
  blankFirst.insert(blankFirst.begin(), "\n");
  const Read b = readLines(blankFirst, 0);
  EXPECT_EQ(0u, b.first);
  EXPECT_EQ(bytes, b.last);
}

}  // namespace
