// Which lines reach the recognisers, and what the vocabulary tables hold.
#include "read/line_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "read/text_scan.h"
#include "read/vocabulary.h"

namespace {


TEST(TextScan, TableOrderDecidesNotPosition) {
  // "disconnected" (3) precedes "connected" (4) in the one-name table; both occur.
  ScannedText line("Bob disconnected");
  EXPECT_EQ(3, line.scan.first(kSelfStrings));
  EXPECT_EQ(4, line.scan.firstPos(kSelfStrings));
  ScannedText nothing("nothing here");
  EXPECT_EQ(-1, nothing.scan.first(kSelfStrings));
  EXPECT_EQ(-1, nothing.scan.firstPos(kSelfStrings));
  // A text found twice is reported at its first place; a suffix search sees the later one.
  ScannedText twice("Ann's rocket^7 ate Bob^7's rocket");
  EXPECT_EQ(6, twice.scan.pos(kTextRocket));
  EXPECT_EQ(4, twice.scan.firstFrom(kPossessiveStrings, 20));  // "'s rocket" at 24
  EXPECT_EQ(-1, twice.scan.firstFrom(kPossessiveStrings, 25));
  // Texts overlapping each other and the string's ends are all found.
  ScannedText edges("^3Match has begun!");
  EXPECT_TRUE(edges.has(kTextMatchBegun));
  EXPECT_EQ(0, edges.scan.first(kResetStrings));
}

TEST(ValidLine, LengthLimits) {
  std::string line = "A was railed by B";
  line.resize(500, 'x');
  EXPECT_EQ(1, validLine(line));
  line.push_back('x');
  EXPECT_EQ(0, validLine(line));  // 501 bytes
  EXPECT_EQ(0, validLine("d"));   // one byte never passes
  EXPECT_EQ(0, validLine(""));
}

TEST(ValidLine, EventsPassChatAndNoiseDoNotAndAteNeedsAWeaponWord) {
  const std::pair<const char*, int> cases[] = {
      {"Timelimit hit.", 1}, {"Bob^7 cratered.", 1}, {"Current map: q3dm17", 1},
      {"Bob^7 renamed to Ann", 1}, {"Bob^7: hello there", 0},
      {"Bob picked up the item Railgun", 0},  // not an event text
      {"]_connect 1.2.3.4", 0},               // a backslash form after replacement
      {"A^7 ate B^7's rocket", 1}, {"A^7 ate B^7's grenade", 1}, {"I ate pizza", 0},
      // " ate " (87) stands before " was railed by " (89): a railgun line of a victim named
      // "I ate" (printed without a closing colour code) is judged by " ate " and rejected.
      {"I ate was railed by Bob", 0},
      {"I ate^7 was railed by Bob^7", 1},  // "ate^7" is no " ate "
      // " almost dodged " (86) stands before " ate ": accepted whatever else is said.
      {"I ate almost dodged Bob's shotgun", 1},
  };
  for (const auto& [line, valid] : cases) EXPECT_EQ(valid, validLine(line)) << line;
}

}  // namespace
