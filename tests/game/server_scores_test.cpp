// Reading the server's final scores the pre-parser keeps beside a server log's converted form.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "game/server_scores.h"

namespace {

int scoreOf(const ServerScores& scores, std::uint64_t offset, std::string_view name) {
  int score = 12345;
  return scores.find(offset, name, score) ? score : 12345;
}

TEST(ServerScores, EntriesAreFoundByTheirEndOffsetAndTheWholeName) {
  const ServerScores scores = ServerScores::fromText(
      "373 9 Red2\n"
      "373 -1 Red 1 ^1x\n"     // a name runs to the end of the line, blanks and colours included
      "1200 45 Red2\n"         // the same player in a later game
      "80 3 Early\n");         // out of order: still found
  EXPECT_EQ(4u, scores.size());
  EXPECT_EQ(9, scoreOf(scores, 373, "Red2"));
  EXPECT_EQ(-1, scoreOf(scores, 373, "Red 1 ^1x"));
  EXPECT_EQ(45, scoreOf(scores, 1200, "Red2"));
  EXPECT_EQ(3, scoreOf(scores, 80, "Early"));
  // Another game's end, or a name only like his, has no score.
  EXPECT_EQ(12345, scoreOf(scores, 374, "Red2"));
  EXPECT_EQ(12345, scoreOf(scores, 373, "Red 1"));
  EXPECT_EQ(12345, scoreOf(scores, 373, "red2"));
}

TEST(ServerScores, LinesThatAreNoEntryAreSkipped) {
  const ServerScores scores = ServerScores::fromText(
      "\n"
      "score: 45  ping: 5  client: 5 Chat\n"  // a log line is no entry
      "10 5\n"                                // no name
      "10 5 \n"                               // an empty name
      "10  5 Gap\n"                           // two blanks
      "-10 5 Negative\n"
      "10 +5 Plus\n"
      "10 2147483648 TooHigh\n"
      "18446744073709551616 1 TooFar\n"
      "10 x5 Word\n"
      "10 7 Good\n"
      "10 8 Cut");                            // the last line without its end may be cut short
  EXPECT_EQ(1u, scores.size());
  EXPECT_EQ(7, scoreOf(scores, 10, "Good"));
  EXPECT_EQ(12345, scoreOf(scores, 10, "Cut"));
}

TEST(ServerScores, AMissingOrOversizedFileGivesNone) {
  EXPECT_TRUE(ServerScores::fromFile("/nonexistent/kalimo-c.log.scores").empty());
  char path[] = "/tmp/kx-scores-test-XXXXXX";
  const int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  const std::string text = "5 2 A\n";
  ASSERT_EQ(static_cast<ssize_t>(text.size()), write(fd, text.data(), text.size()));
  EXPECT_EQ(2, scoreOf(ServerScores::fromFile(path), 5, "A"));
  ASSERT_EQ(0, ftruncate(fd, static_cast<off_t>(ServerScores::kMaxFileBytes) + 1));
  EXPECT_TRUE(ServerScores::fromFile(path).empty());
  close(fd);
  std::remove(path);
}

}  // namespace
