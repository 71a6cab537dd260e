// Chat lines kept as player quotes.
#include "log/quotes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "players/player_table.h"
#include "run/scratch_pool.h"

namespace {

class Quotes : public testing::Test {
 protected:
  void SetUp() override {
    initPlayers();
    resetScratchPool();
    addPlayer("^1Bob");
  }
  std::string quote() { return std::string(q3players[0].quote.view()); }
};

// r for a line is rand() % 10 after srand(length), as the C library gives it.
int drawFor(std::size_t length) {
  std::srand(static_cast<unsigned>(length));
  return std::rand() % 10;
}

TEST_F(Quotes, FirstChatLineIsAlwaysKeptEvenEmpty) {
  scanForQuotes("^1Bob^7: ^3");
  EXPECT_EQ("", quote());
}

TEST_F(Quotes, LongerLinesReplaceShorterOnesWithColoursStripped) {
  scanForQuotes("^1Bob^7: hi");
  EXPECT_EQ("hi", quote());
  scanForQuotes("^1Bob^7: ^2hello all");
  EXPECT_EQ("hello all", quote());
}

TEST_F(Quotes, EqualOrShorterLinesReplaceOnlyWhenLongAndLucky) {
  scanForQuotes("^1Bob^7: this is a long first line");
  // Find two same-length candidates: one whose line length draws r <= 4, one that does not.
  std::string lucky, unlucky;
  for (int extra = 0; extra < 40 && (lucky.empty() || unlucky.empty()); ++extra) {
    // Colour pairs change the line length but not the stripped message.
    std::string padded = "^1Bob^7: ";
    for (int i = 0; i < extra; ++i) padded += "^5";
    padded += "short but over ten";
    (drawFor(padded.size()) <= 4 ? lucky : unlucky) = padded;
  }
  ASSERT_FALSE(lucky.empty());
  ASSERT_FALSE(unlucky.empty());
  scanForQuotes(unlucky);
  EXPECT_EQ("this is a long first line", quote());
  scanForQuotes(lucky);
  EXPECT_EQ("short but over ten", quote());
}

TEST_F(Quotes, StrangersAndNonChatLinesChangeNothing) {
  scanForQuotes("Stranger^7: hello");
  scanForQuotes("^1Bob says hello");
  EXPECT_EQ(std::string(kSentinelName), quote());
}

}  // namespace
