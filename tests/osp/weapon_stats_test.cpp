// One-line OSP accuracy records: which rows add to which player's shots, hits and damage.
#include "osp/weapon_stats.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "osp_test_support.h"

namespace {

using osp_test::figures;
using osp_test::kNoFigures;

// Registered as the name cutters give them: one trailing colour code already dropped.
class WeaponStats : public osp_test::TwoPlayers {
 protected:
  WeaponStats() : TwoPlayers("^1Ann", "Bob") {}
};

TEST_F(WeaponStats, RowsAddToTheFiguresAndAccumulate) {
  scanWeaponStats("Bob^7 accuracy statistics Railgun 20 7");
  scanWeaponStats("Bob^7 accuracy statistics Railgun 20 7");  // read twice: doubled
  scanWeaponStats("Bob^7 accuracy statistics MachineGun 100 30");
  scanWeaponStats("Bob^7 accuracy statistics Given 1350");
  scanWeaponStats("Bob^7 accuracy statistics Recvd 980");
  scanWeaponStats("Bob^7 accuracy statistics Recvd -20");  // taken as %d reads it
  // "Railgun " comes before "BFG " in the table although it comes later in the row.
  scanWeaponStats("Bob^7 accuracy statistics BFG 10 5 Railgun ");
  // Railgun 7 + 7 + 5 hits of 20 + 20 + 10 shots, no BFG; totals 19 + 30 = 49 hits,
  // 50 + 100 = 150 shots; received 980 - 20 = 960.
  EXPECT_EQ("1: 30/100, 6: 19/50, total 49/150, given 1350, rcvd 960", figures(bob));
  EXPECT_EQ(kNoFigures, figures(ann));
}

TEST_F(WeaponStats, IncompleteOrUnknownRowsChangeNothing) {
  static PlayerRecord before[kTableSlots];
  std::memcpy(static_cast<void*>(before), q3players, sizeof before);
  for (const char* line : {
           "Bob^7 accuracy statistics Railgun 20",    // one number only
           "Bob^7 accuracy statistics Railgun:20 7",  // the keyword needs its blank
           "Bob^7 accuracy statistics Given lots",
           "Bob^7 accuracy statistics Hook 20 7",  // no keyword
           // Keyword present but not first: the parse starts at "Total" and reads no number.
           "Bob^7 accuracy statistics Total Railgun 20 7",
           // Without the marker (here without its trailing blank) nothing is read at all.
           "Bob^7 accuracy statistics",
           "Bob^7 accuracy Railgun 20 7",
       }) {
    scanWeaponStats(line);
    EXPECT_EQ(0, std::memcmp(before, q3players, sizeof before)) << line;
  }
}

TEST_F(WeaponStats, PlayerIsTheFullNameWithColourCodes) {
  // "Ann" without her leading ^1 is not the registered raw name: the figures go to the sink.
  scanWeaponStats("Ann accuracy statistics Railgun 20 7");
  scanWeaponStats("Stranger accuracy statistics Given 50");
  EXPECT_EQ("6: 7/20, total 7/20, given 50, rcvd 0", figures(sink));
  EXPECT_EQ(kNoFigures, figures(bob));

  scanWeaponStats("^1Ann^7 accuracy statistics Plasmagun 80 40");
  EXPECT_EQ("7: 40/80, total 40/80, given 0, rcvd 0", figures(ann));
}

}  // namespace
