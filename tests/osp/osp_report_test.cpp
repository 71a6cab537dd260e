// The OSP end-of-match report: read from the log, figures overwritten or added, where it stops.
#include "osp/osp_report.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "log/match_info.h"
#include "osp_test_support.h"
#include "run/main_loop.h"

namespace {

using Lines = std::vector<std::string>;

using osp_test::figures;
using osp_test::kNoFigures;

// Ann and Bob are registered with colour codes: their stripped names are "Ann" and "Bob".
class OspReport : public osp_test::TwoPlayers {
 protected:
  OspReport() : TwoPlayers("^1Ann", "^4Bob") {}
  void SetUp() override {
    TwoPlayers::SetUp();
    g_run.g_mod = 1;
    g_run.fp.close();
  }
  void TearDown() override {
    g_run.fp.close();
    std::remove(path_.c_str());
  }

  // Makes `log` the log being read and runs the scan on it; returns what the scan printed.
  std::string scan(const std::string& log) {
    path_ = testing::TempDir() + "kx_osp_report_" +
            testing::UnitTest::GetInstance()->current_test_info()->name() + ".log";
    std::FILE* f = std::fopen(path_.c_str(), "wb");
    std::fwrite(log.data(), 1, log.size(), f);
    std::fclose(f);
    EXPECT_TRUE(g_run.fp.open(path_.c_str()));
    testing::internal::CaptureStdout();
    scanOspStats();
    return testing::internal::GetCapturedStdout();
  }

  // The lines the main loop would read next.
  static Lines rest() {
    Lines lines;
    char buf[kLineBufferSize];
    while (g_run.fp.readLine(buf)) lines.emplace_back(buf);
    return lines;
  }

 private:
  std::string path_;
};

TEST_F(OspReport, DoesNothingWithoutOsp) {
  g_run.g_mod = 0;
  EXPECT_EQ("", scan("Accuracy info for: Bob\nRailgun: 50.0 5/10\nMATCH COMPLETE\n"));
  EXPECT_EQ(kNoFigures, figures(bob));
  EXPECT_EQ(3u, rest().size());  // not a single line read
}

TEST_F(OspReport, RowsOfUnknownOrMissingPlayersGoToTheSink) {
  scan("Railgun: 50.0 1/2\n"  // before any block
       "Accuracy info for: Stranger\n"
       "Plasmagun: 25.0 10/40\n"
       "Total damage rcvd: 640\n"
       "Accuracy info for: ^1Ann\n"
       "Plasmagun: 50.0 20/40\n"
       "MATCH COMPLETE\n");
  EXPECT_EQ("6: 1/2, 7: 10/40, total 11/42, given 0, rcvd 640", figures(sink));
  EXPECT_EQ("7: 20/40, total 20/40, given 0, rcvd 0", figures(ann));
  EXPECT_EQ(kNoFigures, figures(bob));
}

TEST_F(OspReport, FirstKeywordDecidesAndIncompleteRowsAreSkipped) {
  scan("Accuracy info for: Bob\n"
       "Railgun: 50.0 10/20 BFG\n"  // both keywords: a railgun row
       "Shotgun: n/a\n"
       // Colons from the first to the last are replaced as one span, leaving
       // "LightningGun 30": the row does not convert.
       "LightningGun: 10.0 1/10 at 12:30\n"
       "^3Total damage rcvd^7: 640\n"  // colour codes do not hide a row
       "MATCH COMPLETE\n");
  EXPECT_EQ("6: 10/20, total 10/20, given 0, rcvd 640", figures(bob));
}

TEST_F(OspReport, EachStopLineIsConsumedAndEndsTheScan) {
  scan("Accuracy info for: Bob\n^4Bob^7 entered the game\nRailgun: 50.0 1/2\n");
  EXPECT_EQ(kNoFigures, figures(bob));
  EXPECT_EQ(Lines{"Railgun: 50.0 1/2\n"}, rest());

  scan("----- CL_Shutdown -----\nnext\n");
  EXPECT_EQ(Lines{"next\n"}, rest());

  // A stop line that is also a row is applied before the scan stops.
  scan("Accuracy info for: Bob\nTotal damage given: 700 MATCH COMPLETE\nnext\n");
  EXPECT_EQ(700, bob.damageGiven);
  EXPECT_EQ(Lines{"next\n"}, rest());
}

TEST_F(OspReport, EndOfLogInsideTheReportKeepsTheRowsRead) {
  EXPECT_EQ("\nscanning OSP stats:\n",
            scan("Accuracy info for: Bob\nRailgun: 50.0 5/10\nTotal damage given: 300"));
  EXPECT_EQ("6: 5/10, total 5/10, given 300, rcvd 0", figures(bob));
  EXPECT_EQ(Lines{}, rest());
}

}  // namespace
