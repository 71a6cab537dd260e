// Teams read off team joins, team-coloured entries and flag announcements, and team head counts.
#include "players/teams.h"

#include <gtest/gtest.h>

#include "players/player_table.h"
#include "run/game.h"
#include "run/scratch_pool.h"

namespace {

class Teams : public testing::Test {
 protected:
  void SetUp() override {
    initPlayers();
    g_gametype = 0;
    resetScratchPool();
    addPlayer("Ann");  // slot 0
    addPlayer("Bob");  // slot 1
  }
  PlayerRecord& ann = q3players[0];
  PlayerRecord& bob = q3players[1];
};

TEST_F(Teams, TeamJoinNamesTheTeamExactly) {
  assignTeam("Ann is on team RED");
  EXPECT_EQ(TEAM_RED, ann.team);
  assignTeam("Ann is on team BLUE");  // the last announcement wins
  EXPECT_EQ(TEAM_BLUE, ann.team);
  assignTeam("Ann is on team SPECTATOR");
  EXPECT_EQ(TEAM_BLUE, ann.team);
  assignTeam("Ann is on team REDS");
  EXPECT_EQ(TEAM_BLUE, ann.team);
  assignTeam("Ann is on team Red");
  EXPECT_EQ(TEAM_BLUE, ann.team);
  // The team word loses one trailing colour code like any name cut after a connector.
  assignTeam("Bob^7 is on team RED^7");
  EXPECT_EQ(TEAM_RED, bob.team);
  EXPECT_EQ(0, g_gametype);
}

TEST_F(Teams, TeamColouredEntryLines) {
  assignTeam("Ann^7 entered the game (^1RED^7)");
  EXPECT_EQ(TEAM_RED, ann.team);
  assignTeam("Bob^7 entered the game (^4BLUE^7)");
  EXPECT_EQ(TEAM_BLUE, bob.team);
  assignTeam("Bob^7 entered the game");  // no team suffix: nothing changes
  EXPECT_EQ(TEAM_BLUE, bob.team);
  EXPECT_EQ(0, g_gametype);
}

TEST_F(Teams, FlagAnnouncementsBetrayTheSideAndMakeTheGameCtf) {
  assignTeam("Ann^7 captured the BLUE flag!");
  EXPECT_EQ(TEAM_RED, ann.team);
  EXPECT_EQ(2, g_gametype);

  g_gametype = 1;
  assignTeam("Bob^7 got the RED flag!");
  EXPECT_EQ(TEAM_BLUE, bob.team);
  EXPECT_EQ(2, g_gametype);

  assignTeam("Ann^7 returned the BLUE flag!");  // switched sides
  EXPECT_EQ(TEAM_BLUE, ann.team);
  assignTeam("Bob^7 defends the RED base");
  EXPECT_EQ(TEAM_RED, bob.team);
}

TEST_F(Teams, UnknownPlayerLandsInTheSinkSlot) {
  assignTeam("Zed^7 captured the BLUE flag!");
  EXPECT_EQ(TEAM_RED, q3players[NO_PLAYER].team);
  EXPECT_EQ(2, g_gametype);
  EXPECT_EQ(0, ann.team);
  EXPECT_EQ(0, bob.team);
  EXPECT_EQ(2, getTotalPlayers());

  assignTeam("Zed^7 entered the game (^4BLUE^7)");
  EXPECT_EQ(TEAM_BLUE, q3players[NO_PLAYER].team);
}

TEST_F(Teams, CountsPlayersPerTeam) {
  addPlayer("Cid");
  EXPECT_EQ(3, getTeamTotalPlayers(TEAM_NONE));
  EXPECT_EQ(0, getTeamTotalPlayers(TEAM_RED));

  ann.team = TEAM_RED;
  bob.team = TEAM_BLUE;
  q3players[2].team = TEAM_RED;
  q3players[NO_PLAYER].team = TEAM_RED;  // the sink is never a player
  EXPECT_EQ(2, getTeamTotalPlayers(TEAM_RED));
  EXPECT_EQ(1, getTeamTotalPlayers(TEAM_BLUE));
  EXPECT_EQ(0, getTeamTotalPlayers(TEAM_NONE));
}

}  // namespace
