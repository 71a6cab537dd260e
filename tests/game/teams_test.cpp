// Teams read off team joins, team-coloured entries and flag announcements (head counts per team
// show end to end: the padding of tdm-uneven-teams, the game type of tdm-four-players).
#include "game/teams.h"

#include <gtest/gtest.h>

#include "players_test_support.h"

namespace {

class Teams : public testing::Test {
 protected:
  void SetUp() override { players_test::freshGame({"Ann", "Bob"}); }
};

TEST_F(Teams, EachLineSetsOrKeepsOneTeamAndTheLastOneWins) {
  // Applied in order to the same two players; the team each line leaves and the game type.
  const struct {
    const char* line;
    int slot, team, gametype;
  } steps[] = {
      {"Ann is on team RED", 0, TEAM_RED, 0},
      {"Ann is on team BLUE", 0, TEAM_BLUE, 0},
      {"Ann is on team SPECTATOR", 0, TEAM_BLUE, 0},  // only RED and BLUE, exactly
      {"Ann is on team REDS", 0, TEAM_BLUE, 0},
      {"Ann is on team Red", 0, TEAM_BLUE, 0},
      {"Bob^7 is on team RED^7", 1, TEAM_RED, 0},  // the team word loses one trailing colour code
      {"Ann^7 entered the game (^1RED^7)", 0, TEAM_RED, 0},
      {"Bob^7 entered the game (^4BLUE^7)", 1, TEAM_BLUE, 0},
      {"Bob^7 entered the game", 1, TEAM_BLUE, 0},  // no team suffix: nothing changes
      // A flag announcement names the actor's side and makes the game capture the flag.
      {"Ann^7 captured the BLUE flag!", 0, TEAM_RED, 2},
      {"Bob^7 got the RED flag!", 1, TEAM_BLUE, 2},
      {"Ann^7 returned the BLUE flag!", 0, TEAM_BLUE, 2},
      {"Bob^7 defends the RED base", 1, TEAM_RED, 2},
  };
  for (const auto& s : steps) {
    assignTeam(testGame(), lineOf(s.line), lineSlots());
    EXPECT_EQ(s.team, players()[s.slot].team) << s.line;
    EXPECT_EQ(s.gametype, testGame().state.g_gametype) << s.line;
  }
}

TEST_F(Teams, UnknownPlayerLandsInTheSinkSlot) {
  testGame().state.g_gametype = 1;
  assignTeam(testGame(), lineOf("Zed^7 captured the BLUE flag!"), lineSlots());
  EXPECT_EQ(TEAM_RED, players()[NO_PLAYER].team);
  EXPECT_EQ(2, testGame().state.g_gametype);  // even from a team deathmatch
  EXPECT_EQ(0, players()[0].team + players()[1].team);
  EXPECT_EQ(2, players().getTotalPlayers());
}

}  // namespace
