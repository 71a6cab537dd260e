// The game record as data: figures, marks, log text and the places a page shows nothing.
#include "out/game_record.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "html_test_support.h"
#include "read/means_of_death.h"

namespace {

using html_test::addPlayer;

bool holds(const std::string& record, const std::string& fragment) {
  return record.find(fragment) != std::string::npos;
}

TEST(GameRecord, ATeamGameWithMarksQuotesAndLogBytes) {
  GameResult game;
  game.gameType = GT_CA;
  game.caRoundsRed = 7;
  game.caRoundsBlue = 5;
  game.mapName = "q3dm6";
  game.label = "CA_[AB]_vs_BLUE";
  game.gameId = 1002;
  game.runStamp = "2001-08-10,12-00-00";
  game.logName = "logs/night \"1\".log";
  game.spanInLog = true;
  game.firstByte = 100;
  game.lastByte = 299;
  PlayerRecord& ann = addPlayer(game, "^1Ann", TEAM_RED);
  ann.frags = 3;
  ann.kills = 4;
  ann.teamKills = 1;
  ann.skill = 4.888f;  // shown with two decimals, as on the page
  ann.killTable[WP_RAILGUN][1] = 4;
  ann.killTable[WP_RAILGUN][2] = 4;  // the totals column of two players
  ann.killTable[kAllWeapons][1] = 4;
  ann.quote = "a quote of more than sixty-one characters, of which only the first 61 show";
  ann.awards[21] = 1;  // best killer
  ann.awards[6] = 1;   // best killer with rail gun
  PlayerRecord& bob = addPlayer(game, "Bo\xE9^7<font color=#CC6600>&nbsp;x</font>", TEAM_BLUE);
  bob.marks.nameEnd = 3;
  bob.marks.left = true;
  bob.name = "Bo\xE9";
  bob.deathTable[WP_RAILGUN][2] = 4;
  bob.deathTable[kAllWeapons][0] = 4;
  game.worstEnemy[1] = 0;
  game.easiestPrey[0] = 1;

  std::string record;
  writeGameRecord(game, "m.html", "", record);
  EXPECT_EQ('\n', record.back());
  for (const char* fragment : {
           "{\"format\":1,\"game_id\":1002,\"processed\":\"2001-08-10T12:00:00\"",
           "\"pages\":{\"main\":\"m.html\",\"weapons\":null}",
           "\"label\":\"CA_[AB]_vs_BLUE\",\"game_type\":\"ca\",\"map\":\"q3dm6\"",
           "\"name\":\"logs/night \\\"1\\\".log\",\"kind\":\"client\",\"first_byte\":100,\"last_byte\":299",
           // Clan Arena's banner figures are the rounds won.
           "\"teams\":[{\"side\":\"red\",\"score\":7,\"players\":1},{\"side\":\"blue\",\"score\":5,\"players\":1}]",
           "{\"name\":\"^1Ann\",\"plain_name\":\"Ann\",\"team\":\"red\",\"score\":3,\"kills\":4,\"deaths\":0,"
           "\"suicides\":0,\"team_kills\":1,\"skill\":4.89,",
           "\"awards\":[\"best killer\",\"best killer with rail gun\"]",
           "\"weapons\":[{\"weapon\":\"Rail Gun\",\"code\":6,\"kills\":4,\"deaths\":0,\"shots\":0,\"hits\":0}]",
           "\"opponents\":[{\"name\":\"Bo\\u00e9\",\"plain_name\":\"Bo\\u00e9\",\"kills\":4,\"deaths\":0}]",
           "\"quote\":\"a quote of more than sixty-one characters, of which only the \"",
           // The leave mark is a fact beside the name, never markup in it.
           "{\"name\":\"Bo\\u00e9\",\"plain_name\":\"Bo\\u00e9\",\"team\":\"blue\"",
           "\"nemesis\":\"Ann\",\"favourite_victim\":\"Bo\\u00e9\",\"quote\":null,"
           "\"marks\":{\"left\":true,\"rejoined\":0,\"merged_with\":null,\"team_guessed\":false,\"blank_name\":false}}",
       }) {
    EXPECT_TRUE(holds(record, fragment)) << fragment << "\nin " << record;
  }
  EXPECT_FALSE(holds(record, "CC6600"));
}

// Read from a converted log whose offsets in the log are not known (the pre-parser left none),
// the offsets it has are the converted log's: the record shows none rather than wrong ones.
TEST(GameRecord, AServerLogWithoutItsOffsetsShowsNoneAndAFreeForAllNoTeams) {
  GameResult game;
  game.serverLog = true;
  game.spanInLog = false;
  game.firstByte = 5;
  game.lastByte = 9;
  std::snprintf(game.fingerprint, sizeof game.fingerprint, "%s", "0123456789abcdef0123456789abcdef");
  PlayerRecord& p = addPlayer(game, "Zed", TEAM_NONE);
  p.marks.mergedWith = "Zed_the_long_cut";
  p.marks.rejoined = 2;
  std::string record;
  writeGameRecord(game, "a_main.html", "a_wpn.html", record);
  EXPECT_TRUE(holds(record, "\"kind\":\"server\",\"first_byte\":null,\"last_byte\":null,"
                            "\"fingerprint\":\"0123456789abcdef0123456789abcdef\"},\"teams\":[],"));
  EXPECT_TRUE(holds(record, "\"weapons\":\"a_wpn.html\""));
  EXPECT_TRUE(holds(record, "\"rejoined\":2,\"merged_with\":\"Zed_the_long_cut\""));
  // Nothing to show is an empty list, not a missing key.
  EXPECT_TRUE(holds(record, "\"awards\":[],\"weapons\":[],\"opponents\":[]"));
  EXPECT_EQ("kalimostats_X_1001_FFA_PUB_game.json",
            gameRecordName("kalimostats_X_1001_FFA_PUB_main.html", "html"));
}

}  // namespace
