// Chat lines kept as player quotes.
#include "game/quotes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "players_test_support.h"

namespace {

class Quotes : public testing::Test {
 protected:
  void SetUp() override { players_test::freshGame({"^1Bob"}); }
  std::string quote() { return std::string(players()[0].quote.view()); }
};

// r for a line is rand() % 10 after srand(length), as the C library gives it.
int drawFor(std::size_t length) {
  std::srand(static_cast<unsigned>(length));
  return std::rand() % 10;
}

TEST_F(Quotes, FirstChatLineIsKeptEvenEmptyAndLongerOnesReplaceItWithColoursStripped) {
  scanForQuotes(players(), ScannedText("^1Bob^7: ^3"));
  EXPECT_EQ("", quote());
  scanForQuotes(players(), ScannedText("^1Bob^7: hi"));
  EXPECT_EQ("hi", quote());
  scanForQuotes(players(), ScannedText("^1Bob^7: ^2hello all"));
  EXPECT_EQ("hello all", quote());
}

// A chat line of Bob's saying `message`, padded with colour pairs (which change the line's
// length but not the stripped message) until the line's draw is lucky (r <= 4) or not.
std::string chatLine(const std::string& message, bool lucky) {
  std::string line = "^1Bob^7: " + message;
  for (int tries = 0; (drawFor(line.size()) <= 4) != lucky; ++tries) {
    if (tries == 100) {
      ADD_FAILURE() << "no padding of \"" << message << "\" gives that draw";
      break;
    }
    line.insert(9, "^5");
  }
  return line;
}

TEST_F(Quotes, EqualOrShorterLinesReplaceOnlyWhenLongAndLucky) {
  scanForQuotes(players(), ScannedText("^1Bob^7: this is a long first line"));  // 25 characters
  scanForQuotes(players(), ScannedText(chatLine("this is a long other line", false)));  // as long, unlucky
  EXPECT_EQ("this is a long first line", quote());
  scanForQuotes(players(), ScannedText(chatLine("short but over ten", false)));
  EXPECT_EQ("this is a long first line", quote());
  scanForQuotes(players(), ScannedText(chatLine("short", true)));  // lucky, but ten characters or fewer
  EXPECT_EQ("this is a long first line", quote());
  scanForQuotes(players(), ScannedText(chatLine("short but over ten", true)));
  EXPECT_EQ("short but over ten", quote());
}

TEST_F(Quotes, StrangersAndNonChatLinesChangeNothing) {
  scanForQuotes(players(), ScannedText("Stranger^7: hello"));
  scanForQuotes(players(), ScannedText("^1Bob says hello"));
  EXPECT_EQ(std::string(kSentinelName), quote());
}

}  // namespace
