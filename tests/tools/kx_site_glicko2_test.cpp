// Glicko-2 ratings: the paper's worked example and a period without games.
#include "kx-site/glicko2.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kxsite {
namespace {

TEST(Glicko2, ReproducesThePapersWorkedExample) {
  // Glickman's example: a 1500 / 200 / 0.06 player beats a 1400 / 30 player and loses to a
  // 1550 / 100 and a 1700 / 300 player. The paper's result is 1464.06, 151.52, 0.05999.
  const Glicko after = ratePeriod(Glicko{1500, 200, 0.06}, {{1400, 30, 1}, {1550, 100, 0}, {1700, 300, 0}});
  EXPECT_NEAR(1464.06, after.rating, 0.01);
  EXPECT_NEAR(151.52, after.rd, 0.01);
  EXPECT_NEAR(0.05999, after.volatility, 0.00001);
}

TEST(Glicko2, APlayerWithoutGamesOnlyGrowsLessCertain) {
  // phi = 200 / 173.7178 = 1.1512925; sqrt(phi^2 + 0.06^2) = sqrt(1.3254744 + 0.0036)
  // = 1.1528549, times 173.7178 = 200.2714.
  const Glicko after = ratePeriod(Glicko{1500, 200, 0.06}, {});
  EXPECT_EQ(1500, after.rating);
  EXPECT_NEAR(200.2714, after.rd, 0.0001);
  EXPECT_EQ(0.06, after.volatility);
}

TEST(Glicko2, ANewPlayersDeviationGrowsTheSameWay) {
  // phi = 350 / 173.7178 = 2.0147619; sqrt(4.0592654 + 0.0036) = 2.0156551 -> 350.1552.
  const Glicko after = ratePeriod(Glicko{}, {});
  EXPECT_NEAR(350.1552, after.rd, 0.0001);
}

}  // namespace
}  // namespace kxsite
