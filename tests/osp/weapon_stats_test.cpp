// One-line OSP accuracy records: which rows add to which player's shots, hits and damage.
#include "osp/weapon_stats.h"

#include <gtest/gtest.h>

#include "log/match_info.h"
#include "players/player_table.h"
#include "run/game.h"
#include "run/main_loop.h"
#include "run/scratch_pool.h"

namespace {

class WeaponStats : public testing::Test {
 protected:
  void SetUp() override {
    initPlayers();
    initGlobals();
    g_mod = 0;
    resetScratchPool();
    fp.close();
    // Registered as the name cutters give them: one trailing colour code already dropped.
    addPlayer("^1Ann");  // slot 0
    addPlayer("Bob");    // slot 1
  }
  PlayerRecord& ann = q3players[0];
  PlayerRecord& bob = q3players[1];
  PlayerRecord& sink = q3players[NO_PLAYER];
};

TEST_F(WeaponStats, WeaponRowAddsShotsAndHitsAndAccumulates) {
  scanWeaponStats("Bob^7 accuracy statistics Railgun 20 7");
  EXPECT_EQ(20, bob.shots[6]);
  EXPECT_EQ(7, bob.hits[6]);
  EXPECT_EQ(20, bob.totalShots);
  EXPECT_EQ(7, bob.totalHits);

  scanWeaponStats("Bob^7 accuracy statistics Railgun 20 7");
  EXPECT_EQ(40, bob.shots[6]);
  EXPECT_EQ(14, bob.hits[6]);
  EXPECT_EQ(40, bob.totalShots);
  EXPECT_EQ(14, bob.totalHits);

  // Another weapon adds to the same totals: 40 + 100, 14 + 30.
  scanWeaponStats("Bob^7 accuracy statistics MachineGun 100 30");
  EXPECT_EQ(100, bob.shots[1]);
  EXPECT_EQ(30, bob.hits[1]);
  EXPECT_EQ(140, bob.totalShots);
  EXPECT_EQ(44, bob.totalHits);
  EXPECT_EQ(0, ann.totalShots);
}

TEST_F(WeaponStats, DamageRowsAddToTheirTotal) {
  scanWeaponStats("Bob^7 accuracy statistics Given 1350");
  scanWeaponStats("Bob^7 accuracy statistics Recvd 980");
  scanWeaponStats("Bob^7 accuracy statistics Recvd -20");  // taken as %d reads it
  EXPECT_EQ(1350, bob.damageGiven);
  EXPECT_EQ(960, bob.damageReceived);
  EXPECT_EQ(0, bob.totalShots);
}

TEST_F(WeaponStats, IncompleteOrUnknownRowsChangeNothing) {
  scanWeaponStats("Bob^7 accuracy statistics Railgun 20");    // one number only
  scanWeaponStats("Bob^7 accuracy statistics Railgun:20 7");  // keyword needs its blank
  scanWeaponStats("Bob^7 accuracy statistics Given lots");
  scanWeaponStats("Bob^7 accuracy statistics Hook 20 7");     // no keyword
  // Keyword present but not first: the parse starts at "Total" and cannot read a number.
  scanWeaponStats("Bob^7 accuracy statistics Total Railgun 20 7");
  // Without the marker (here without its trailing blank) nothing is read at all.
  scanWeaponStats("Bob^7 accuracy statistics");
  scanWeaponStats("Bob^7 accuracy Railgun 20 7");
  EXPECT_EQ(0, bob.shots[6]);
  EXPECT_EQ(0, bob.hits[6]);
  EXPECT_EQ(0, bob.totalShots);
  EXPECT_EQ(0, bob.totalHits);
  EXPECT_EQ(0, bob.damageGiven);
  EXPECT_EQ(0, sink.totalShots);
}

TEST_F(WeaponStats, FirstKeywordInTableOrderDecides) {
  // "Railgun " comes before "BFG " in the table although it comes later in the row.
  scanWeaponStats("Bob^7 accuracy statistics BFG 10 5 Railgun ");
  EXPECT_EQ(10, bob.shots[6]);
  EXPECT_EQ(5, bob.hits[6]);
  EXPECT_EQ(0, bob.shots[8]);
  EXPECT_EQ(0, bob.hits[8]);
}

TEST_F(WeaponStats, PlayerIsTheFullNameWithColourCodes) {
  // "Ann" without her leading ^1 is not the registered raw name: the figures go to the sink.
  scanWeaponStats("Ann accuracy statistics Railgun 20 7");
  scanWeaponStats("Stranger accuracy statistics Given 50");
  EXPECT_EQ(20, sink.shots[6]);
  EXPECT_EQ(7, sink.hits[6]);
  EXPECT_EQ(50, sink.damageGiven);
  EXPECT_EQ(0, bob.shots[6]);
  EXPECT_EQ(0, ann.shots[6]);
  EXPECT_EQ(0, bob.damageGiven);

  scanWeaponStats("^1Ann^7 accuracy statistics Plasmagun 80 40");
  EXPECT_EQ(80, ann.shots[7]);
  EXPECT_EQ(40, ann.hits[7]);
}

}  // namespace
