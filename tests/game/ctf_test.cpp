// Flag announcements: counters, skill bonuses, the CTF game type and who carries a flag.
#include "game/ctf.h"

#include <gtest/gtest.h>

#include <string>

#include "players_test_support.h"

namespace {

using players_test::kCutName;
using players_test::kWholeName;

using R = PlayerRecord;
using Counter = int R::*;
constexpr Counter kCounters[] = {&R::touches,   &R::returns,        &R::efcKills,
                                 &R::caps,      &R::efcKillAssists, &R::returnAssists,
                                 &R::fcDefends, &R::fcDefendsAgr,   &R::baseDefends,
                                 &R::carrierDefends};

class Ctf : public testing::Test {
 protected:
  void SetUp() override { reset(); }
  static void reset() {
    players_test::freshGame({"Ann", "Bob", "Cat"});
    players()[0].team = TEAM_RED;
    players()[1].team = TEAM_BLUE;
    players()[2].team = TEAM_BLUE;
  }
  PlayerRecord& ann = players()[0];
  PlayerRecord& bob = players()[1];
  PlayerRecord& cat = players()[2];
  PlayerRecord& sink = players()[NO_PLAYER];

  // The flag-holding marks of the players in slot order, then the sink's.
  static std::string carriers() {
    std::string s;
    for (int i = 0; i < players().getTotalPlayers(); ++i) s += std::to_string(players()[i].haveFlag);
    return s + "/" + std::to_string(players()[NO_PLAYER].haveFlag);
  }
};

TEST_F(Ctf, EachAnnouncementCountsInOneCounterWithItsBonus) {
  const struct {
    const char* line;
    Counter counter;  // the one counter that moves; none for a line that is no flag event
    float skill;      // 10 + the bonus
  } events[] = {
      {"Ann^7 got the BLUE flag!", &R::touches, 10.0f},
      {"Ann^7 returned the RED flag!", &R::returns, 10.2f},
      {"Ann^7 fragged BLUE's flag carrier!", &R::efcKills, 10.5f},
      {"Ann^7 captured the BLUE flag!", &R::caps, 15.0f},
      // The assist messages stop before the colour word, so both colours match.
      {"Ann^7 gets an assist for fragging the BLUE flag carrier!", &R::efcKillAssists, 10.2f},
      {"Ann^7 gets an assist for fragging the RED flag carrier!", &R::efcKillAssists, 10.2f},
      {"Ann^7 gets an assist for returning the RED flag!", &R::returnAssists, 10.1f},
      {"Ann^7 gets an assist for returning the BLUE flag!", &R::returnAssists, 10.1f},
      {"Ann^7 defends RED's flag carrier against an agressive enemy", &R::fcDefendsAgr, 11.0f},
      // Contains "defends the RED" but not "defends the RED flag": no base defence.
      {"Ann^7 defends the RED's flag carrier.", &R::fcDefends, 10.8f},
      {"Ann^7 defends the RED flag", &R::baseDefends, 10.3f},
      {"Ann^7 defends the RED base", &R::baseDefends, 10.3f},
      {"Ann^7 RED's flag carrier defends against an agressive enemy", &R::carrierDefends, 10.0f},
      {"Bob^7 was railed by Ann^7", nullptr, 10.0f},
  };
  for (const auto& e : events) {
    reset();
    testGame().state.g_gametype = 0;  // any flag event, even in a free-for-all, makes the game CTF
    updateCTFStats(testGame(), lineOf(e.line), lineSlots());
    int moved = 0;
    for (Counter c : kCounters) moved += ann.*c;
    EXPECT_EQ(e.counter ? 1 : 0, moved) << e.line;
    if (e.counter) {
      EXPECT_EQ(1, ann.*e.counter) << e.line;
    }
    EXPECT_EQ(e.skill, ann.skill) << e.line;
    EXPECT_EQ(e.counter ? 2 : 0, testGame().state.g_gametype) << e.line;
  }
}

TEST_F(Ctf, WhoCarriesAFlag) {
  updateCTFStats(testGame(), lineOf("Bob^7 got the RED flag!"), lineSlots());
  EXPECT_EQ("010/0", carriers());
  EXPECT_EQ(1, bob.touches);

  ann.haveFlag = cat.haveFlag = 1;
  updateCTFStats(testGame(), lineOf("Ann^7 returned the RED flag!"), lineSlots());  // red got its flag back: blue carriers drop
  EXPECT_EQ("100/0", carriers());

  bob.haveFlag = 1;
  updateCTFStats(testGame(), lineOf("Ann^7 captured the BLUE flag!"), lineSlots());  // every carry ends, of both teams
  EXPECT_EQ("000/0", carriers());

  // An announcement for an unregistered name is counted in the sink, whose empty name is short.
  updateCTFStats(testGame(), lineOf("Zed^7 got the RED flag!"), lineSlots());
  EXPECT_EQ("000/1", carriers());
  EXPECT_EQ(1, sink.touches);
  EXPECT_EQ(3, players().getTotalPlayers());
}

TEST_F(Ctf, LongNamePickUpMarksTheCutRecord) {
  players().addPlayer(kWholeName);  // slot 3: the announcements' record
  updateCTFStats(testGame(), lineOf(kWholeName + "^7 got the RED flag!"), lineSlots());
  EXPECT_EQ(1, players()[3].touches);
  EXPECT_EQ("0000/1", carriers());  // no record of its first 29 characters yet: the sink

  sink.haveFlag = 0;
  players().addPlayer(kCutName);  // slot 4: the obituaries' record
  updateCTFStats(testGame(), lineOf(kWholeName + "^7 got the RED flag!"), lineSlots());
  EXPECT_EQ("00001/0", carriers());
  EXPECT_EQ(0, players()[4].touches);

  // A 29-character name is short enough to carry the flag itself.
  players()[4].haveFlag = 0;
  updateCTFStats(testGame(), lineOf(kCutName + " got the BLUE flag!"), lineSlots());
  EXPECT_EQ("00001/0", carriers());
  EXPECT_EQ(1, players()[4].touches);

  // The cut record has no team, yet a return of either flag ends its carry, because the long
  // name it belongs to is in the table.
  updateCTFStats(testGame(), lineOf("Bob^7 returned the BLUE flag!"), lineSlots());  // clears red carriers
  EXPECT_EQ("00000/0", carriers());
}

}  // namespace
