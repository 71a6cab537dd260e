// The outputs of a finished game, as the run builds them.
#include "run/game.h"

#include <gtest/gtest.h>

#include <string>

#include "../out/html_test_support.h"
#include "base/scratch_pool.h"
#include "run/config.h"

namespace {

using html_test::addPlayer;

// The pool figure of the run summary has always counted the cut of each quote a page shows.
TEST(GameOutputs, EachQuoteShownInAPlayerBlockCountsOneScratchString) {
  html_test::ScratchDirectory dir;
  Config config;
  config.g_config_make_weapon_stats = "no";
  config.g_config_header_file = "no-such-header.html";
  config.g_config_footer_file = "no-such-footer.html";
  GameOutputs outputs(config.pageOptions());
  GameResult game;
  game.runStamp = "2001-08-10,12-00-00";
  game.gameId = 1001;
  addPlayer(game, "R", TEAM_RED).quote = "gg";
  addPlayer(game, "B", TEAM_BLUE).quote = "wp";
  addPlayer(game, "S", TEAM_BLUE);            // said nothing
  addPlayer(game, "N", TEAM_NONE).quote = "hi";  // has no block
  for (const auto& [type, cuts] : {std::pair{GT_TDM, 2}, std::pair{GT_FFA, 0}}) {
    resetScratchPool();
    game.gameType = type;
    testing::internal::CaptureStdout();
    EXPECT_TRUE(outputs.write(game, nullptr));
    EXPECT_EQ("-------------------------------------<done>---------\n\n", testing::internal::GetCapturedStdout());
    EXPECT_EQ(cuts, liveMallocs()) << type;
  }
}

}  // namespace
