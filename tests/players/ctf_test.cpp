// Flag announcements: counters, skill bonuses, the CTF game type and who carries a flag.
#include "players/ctf.h"

#include <gtest/gtest.h>

#include <string>

#include "players/player_table.h"
#include "run/game.h"
#include "run/scratch_pool.h"

namespace {

// 35 characters; the game prints its first 29 in obituaries.
const std::string kWholeName = "Sir_Reginald_Fragsworth_Of_Quake3DM";
const std::string kCutName = "Sir_Reginald_Fragsworth_Of_Qu";

class Ctf : public testing::Test {
 protected:
  void SetUp() override {
    initPlayers();
    initGlobals();
    resetScratchPool();
    addPlayer("Ann");  // slot 0
    addPlayer("Bob");  // slot 1
    addPlayer("Cat");  // slot 2
    ann.team = TEAM_RED;
    bob.team = TEAM_BLUE;
    cat.team = TEAM_BLUE;
  }
  PlayerRecord& ann = q3players[0];
  PlayerRecord& bob = q3players[1];
  PlayerRecord& cat = q3players[2];
  PlayerRecord& sink = q3players[NO_PLAYER];
};

TEST_F(Ctf, CaptureScoresFiveAndEndsEveryCarry) {
  ann.haveFlag = 1;
  bob.haveFlag = 1;
  updateCTFStats("Ann^7 captured the BLUE flag!");
  EXPECT_EQ(1, ann.caps);
  EXPECT_EQ(15.0f, ann.skill);  // 10 + 5.0
  EXPECT_EQ(0, ann.haveFlag);
  EXPECT_EQ(0, bob.haveFlag);
  EXPECT_EQ(0, ann.touches);
  EXPECT_EQ(2, g_gametype);
}

TEST_F(Ctf, PickUpMarksTheCarrier) {
  updateCTFStats("Bob^7 got the RED flag!");
  EXPECT_EQ(1, bob.touches);
  EXPECT_EQ(1, bob.haveFlag);
  EXPECT_EQ(10.0f, bob.skill);  // a pick-up earns nothing
  EXPECT_EQ(0, ann.haveFlag);
}

TEST_F(Ctf, ReturnEndsOnlyTheOtherTeamsCarry) {
  ann.haveFlag = 1;
  bob.haveFlag = 1;
  cat.haveFlag = 1;
  // Red got its flag back, so no blue player holds it any more.
  updateCTFStats("Ann^7 returned the RED flag!");
  EXPECT_EQ(1, ann.returns);
  EXPECT_EQ(10.2f, ann.skill);  // 10 + 0.2
  EXPECT_EQ(1, ann.haveFlag);
  EXPECT_EQ(0, bob.haveFlag);
  EXPECT_EQ(0, cat.haveFlag);

  bob.haveFlag = 1;
  updateCTFStats("Cat^7 returned the BLUE flag!");
  EXPECT_EQ(1, cat.returns);
  EXPECT_EQ(0, ann.haveFlag);
  EXPECT_EQ(1, bob.haveFlag);
}

TEST_F(Ctf, DefencesCountInTheirOwnCounter) {
  // Contains "defends the RED" but not "defends the RED flag": a carrier defence.
  updateCTFStats("Ann^7 defends the RED's flag carrier.");
  EXPECT_EQ(1, ann.fcDefends);
  EXPECT_EQ(0, ann.baseDefends);
  EXPECT_EQ(10.8f, ann.skill);  // 10 + 0.8

  updateCTFStats("Bob^7 defends BLUE's flag carrier against an agressive enemy");
  EXPECT_EQ(1, bob.fcDefendsAgr);
  EXPECT_EQ(0, bob.fcDefends);
  EXPECT_EQ(11.0f, bob.skill);  // 10 + 1.0

  updateCTFStats("Cat^7 defends the BLUE flag");
  updateCTFStats("Cat^7 defends the BLUE base");
  EXPECT_EQ(2, cat.baseDefends);
  EXPECT_EQ(0, cat.fcDefends);

  // The carrier's own defence is counted but earns no skill.
  updateCTFStats("Ann^7 RED's flag carrier defends against an agressive enemy");
  EXPECT_EQ(1, ann.carrierDefends);
  EXPECT_EQ(0, ann.fcDefendsAgr);
  EXPECT_EQ(10.8f, ann.skill);
}

TEST_F(Ctf, AssistsMatchBothColours) {
  updateCTFStats("Ann^7 gets an assist for fragging the BLUE flag carrier!");
  updateCTFStats("Bob^7 gets an assist for fragging the RED flag carrier!");
  EXPECT_EQ(1, ann.efcKillAssists);
  EXPECT_EQ(1, bob.efcKillAssists);
  EXPECT_EQ(10.2f, ann.skill);  // 10 + 0.2
  EXPECT_EQ(10.2f, bob.skill);

  updateCTFStats("Cat^7 gets an assist for returning the BLUE flag!");
  updateCTFStats("Cat^7 gets an assist for returning the RED flag!");
  EXPECT_EQ(2, cat.returnAssists);
  EXPECT_EQ(0, cat.efcKillAssists);

  updateCTFStats("Bob^7 fragged RED's flag carrier!");
  EXPECT_EQ(1, bob.efcKills);
  // 10.2f is 10.19999981; adding 0.5 gives 10.69999981, which is exactly 10.7f.
  EXPECT_EQ(10.7f, bob.skill);
}

TEST_F(Ctf, AnyFlagAnnouncementMakesTheGameCtf) {
  g_gametype = 1;
  updateCTFStats("Bob^7 was railed by Ann^7");
  EXPECT_EQ(1, g_gametype);
  updateCTFStats("Bob^7 defends the BLUE base");
  EXPECT_EQ(2, g_gametype);

  g_gametype = 0;
  updateCTFStats("Ann^7 RED's flag carrier defends against an agressive enemy");
  EXPECT_EQ(2, g_gametype);
}

TEST_F(Ctf, UnregisteredActorLandsInTheSinkSlot) {
  updateCTFStats("Zed^7 captured the RED flag!");
  EXPECT_EQ(1, sink.caps);
  EXPECT_EQ(15.0f, sink.skill);
  updateCTFStats("Zed^7 got the RED flag!");
  EXPECT_EQ(1, sink.touches);
  EXPECT_EQ(1, sink.haveFlag);  // the sink's empty name is short
  EXPECT_EQ(3, getTotalPlayers());
  EXPECT_EQ(0, ann.caps + bob.caps + cat.caps);
}

TEST_F(Ctf, LongNamePickUpMarksTheCutRecord) {
  addPlayer(kCutName);    // slot 3: the obituaries' record
  addPlayer(kWholeName);  // slot 4: the announcements' record
  PlayerRecord& cut = q3players[3];
  PlayerRecord& whole = q3players[4];
  whole.team = TEAM_BLUE;

  updateCTFStats(kWholeName + "^7 got the RED flag!");
  EXPECT_EQ(1, whole.touches);
  EXPECT_EQ(0, whole.haveFlag);
  EXPECT_EQ(1, cut.haveFlag);
  EXPECT_EQ(0, cut.touches);

  // A 29-character name is short enough to carry the flag itself.
  cut.haveFlag = 0;
  updateCTFStats(kCutName + " got the BLUE flag!");
  EXPECT_EQ(1, cut.haveFlag);
  EXPECT_EQ(1, cut.touches);

  // The cut record has no team, yet a return of either flag ends its carry, because the long
  // name it belongs to is in the table.
  updateCTFStats("Bob^7 returned the BLUE flag!");  // clears red carriers
  EXPECT_EQ(0, cut.haveFlag);
}

TEST_F(Ctf, LongNamePickUpWithoutCutRecordLandsInTheSink) {
  addPlayer(kWholeName);
  PlayerRecord& whole = q3players[3];
  updateCTFStats(kWholeName + " got the RED flag!");
  EXPECT_EQ(1, whole.touches);
  EXPECT_EQ(0, whole.haveFlag);
  EXPECT_EQ(1, sink.haveFlag);
}

}  // namespace
