// The OSP end-of-match report: read from the log stream, figures overwritten or added, and where the scan stops.
#include "osp/osp_report.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "log/match_info.h"
#include "players/player_table.h"
#include "run/game.h"
#include "run/main_loop.h"
#include "run/scratch_pool.h"

namespace {

class OspReport : public testing::Test {
 protected:
  void SetUp() override {
    initPlayers();
    initGlobals();
    g_mod = 0;
    resetScratchPool();
    fp.close();
    addPlayer("^1Ann");  // slot 0, stripped name Ann
    addPlayer("^4Bob");  // slot 1, stripped name Bob
  }
  void TearDown() override {
    fp.close();
    if (!path_.empty()) std::remove(path_.c_str());
  }

  // Makes `log` the log being read, from its first line.
  void openLog(const std::string& log) {
    path_ = testing::TempDir() + "kx_osp_report_" +
            testing::UnitTest::GetInstance()->current_test_info()->name() + ".log";
    std::FILE* f = std::fopen(path_.c_str(), "wb");
    std::fwrite(log.data(), 1, log.size(), f);
    std::fclose(f);
    ASSERT_TRUE(fp.open(path_.c_str()));
  }

  // Runs the scan and returns what it printed.
  std::string scan() {
    testing::internal::CaptureStdout();
    scanOspStats();
    return testing::internal::GetCapturedStdout();
  }

  // The lines the main loop would read next.
  std::vector<std::string> rest() {
    std::vector<std::string> lines;
    char buf[kLineBufferSize];
    while (fp.readLine(buf)) lines.emplace_back(buf);
    return lines;
  }

  PlayerRecord& ann = q3players[0];
  PlayerRecord& bob = q3players[1];
  PlayerRecord& sink = q3players[NO_PLAYER];

 private:
  std::string path_;
};

TEST_F(OspReport, ReportOverwritesWeaponFiguresAndAddsToTotals) {
  g_mod = 1;
  bob.totalShots = 50;  // from one-line records earlier in the game
  bob.shots[1] = 999;
  bob.damageGiven = 5;
  openLog(
      "Map: q3dm6\n"
      "Accuracy info for: ^4Bob^7\n"
      "MachineGun: 23.5 47/200\n"
      "Gauntlet: 100.0 3/3\n"
      "Total damage given: 1890\n"
      "MATCH COMPLETE\n"
      "^4Bob^7 entered the game\n");
  EXPECT_EQ("\nscanning OSP stats:\nMAP: q3dm6\n", scan());

  EXPECT_EQ(47, bob.hits[1]);
  EXPECT_EQ(200, bob.shots[1]);  // overwritten, not 999 + 200
  EXPECT_EQ(3, bob.hits[0]);     // the gauntlet row sets its hits only
  EXPECT_EQ(1890, bob.damageGiven);
  EXPECT_EQ(47, bob.totalHits);    // 0 + 47; the gauntlet's 3 are not counted
  EXPECT_EQ(250, bob.totalShots);  // 50 + 200
  EXPECT_EQ("q3dm6", g_mapname.view());
  EXPECT_EQ(0, ann.totalShots);

  // The line that ended the report was consumed; the main loop goes on after it.
  EXPECT_EQ(std::vector<std::string>{"^4Bob^7 entered the game\n"}, rest());
}

TEST_F(OspReport, DoesNothingWithoutOsp) {
  openLog("Accuracy info for: Bob\nRailgun: 50.0 5/10\nMATCH COMPLETE\n");
  EXPECT_EQ("", scan());
  EXPECT_EQ(0, bob.shots[6]);
  EXPECT_EQ(3u, rest().size());  // not a single line read
}

TEST_F(OspReport, MapNameIsStoredInLowerCase) {
  g_mod = 1;
  openLog("Map: Q3Tourney2\nMATCH COMPLETE\n");
  EXPECT_EQ("\nscanning OSP stats:\nMAP: q3tourney2\n", scan());
  EXPECT_EQ("q3tourney2", g_mapname.view());
}

TEST_F(OspReport, RowsOfUnknownOrMissingPlayersGoToTheSink) {
  g_mod = 1;
  openLog(
      "Railgun: 50.0 1/2\n"  // before any block
      "Accuracy info for: Stranger\n"
      "Plasmagun: 25.0 10/40\n"
      "Total damage rcvd: 640\n"
      "Accuracy info for: ^1Ann\n"
      "Plasmagun: 50.0 20/40\n"
      "MATCH COMPLETE\n");
  scan();
  EXPECT_EQ(1, sink.hits[6]);
  EXPECT_EQ(2, sink.shots[6]);
  EXPECT_EQ(10, sink.hits[7]);
  EXPECT_EQ(40, sink.shots[7]);
  EXPECT_EQ(640, sink.damageReceived);
  EXPECT_EQ(11, sink.totalHits);  // 1 + 10
  EXPECT_EQ(42, sink.totalShots);  // 2 + 40
  EXPECT_EQ(20, ann.hits[7]);
  EXPECT_EQ(40, ann.shots[7]);
  EXPECT_EQ(0, ann.damageReceived);
  EXPECT_EQ(0, bob.totalShots);
}

TEST_F(OspReport, FirstKeywordDecidesAndIncompleteRowsAreSkipped) {
  g_mod = 1;
  openLog(
      "Accuracy info for: Bob\n"
      "Railgun: 50.0 10/20 BFG\n"  // both keywords: a railgun row
      "Shotgun: n/a\n"
      // Colons from the first to the last are replaced as one span, leaving
      // "LightningGun 30": the row does not convert.
      "LightningGun: 10.0 1/10 at 12:30\n"
      "^3Total damage rcvd^7: 640\n"  // colour codes do not hide a row
      "MATCH COMPLETE\n");
  scan();
  EXPECT_EQ(10, bob.hits[6]);
  EXPECT_EQ(20, bob.shots[6]);
  EXPECT_EQ(0, bob.shots[8]);
  EXPECT_EQ(0, bob.shots[2]);
  EXPECT_EQ(0, bob.shots[5]);
  EXPECT_EQ(0, bob.hits[5]);
  EXPECT_EQ(640, bob.damageReceived);
  EXPECT_EQ(20, bob.totalShots);
  EXPECT_EQ(10, bob.totalHits);
}

TEST_F(OspReport, EachStopLineIsConsumedAndEndsTheScan) {
  g_mod = 1;
  openLog(
      "Accuracy info for: Bob\n"
      "^4Bob^7 entered the game\n"
      "Railgun: 50.0 1/2\n");
  scan();
  EXPECT_EQ(0, bob.shots[6]);
  EXPECT_EQ(std::vector<std::string>{"Railgun: 50.0 1/2\n"}, rest());

  openLog("----- CL_Shutdown -----\nnext\n");
  scan();
  EXPECT_EQ(std::vector<std::string>{"next\n"}, rest());

  // A stop line that is also a row is applied before the scan stops.
  openLog("Accuracy info for: Bob\nTotal damage given: 700 MATCH COMPLETE\nnext\n");
  scan();
  EXPECT_EQ(700, bob.damageGiven);
  EXPECT_EQ(std::vector<std::string>{"next\n"}, rest());
}

TEST_F(OspReport, EndOfLogInsideTheReportKeepsTheRowsRead) {
  g_mod = 1;
  openLog("Accuracy info for: Bob\nRailgun: 50.0 5/10\nTotal damage given: 300");
  EXPECT_EQ("\nscanning OSP stats:\n", scan());
  EXPECT_EQ(5, bob.hits[6]);
  EXPECT_EQ(10, bob.shots[6]);
  EXPECT_EQ(300, bob.damageGiven);
  EXPECT_EQ(std::vector<std::string>{}, rest());
}

TEST_F(OspReport, ScratchStringsAreReleasedLineByLine) {
  g_mod = 1;
  // Each 60-character row takes about 180 scratch strings to strip; 20 of them would
  // overflow the 999-entry pool if it were not emptied after every line.
  std::string log = "Accuracy info for: Bob\n";
  for (int i = 0; i < 20; ++i) log += "Railgun: 50.0 5/10                                          \n";
  log += "MATCH COMPLETE\n";
  openLog(log);
  EXPECT_EQ("\nscanning OSP stats:\n", scan());  // no "cant store anymore"
  EXPECT_EQ(10, bob.shots[6]);
  EXPECT_EQ(200, bob.totalShots);  // 20 rows of 10 shots
}

}  // namespace
