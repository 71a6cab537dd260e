// Glicko-2 ratings as in Glickman's "Example of the Glicko-2 system": one rating period at a
// time, on the Glicko scale (1500 / 350) outside, the Glicko-2 scale inside.
#pragma once

#include <vector>

namespace kxsite {

constexpr double kGlickoTau = 0.5;
constexpr double kInitialRating = 1500;
constexpr double kInitialRd = 350;
constexpr double kInitialVolatility = 0.06;

struct Glicko {
  double rating = kInitialRating;
  double rd = kInitialRd;
  double volatility = kInitialVolatility;
};

// One result of a period: the opponent's rating and deviation from before the period, and
// the score (1 won, 0.5 drawn, 0 lost).
struct GlickoResult {
  double opponentRating = 0, opponentRd = 0;
  double score = 0;
};

// The player's rating after one period with these results. With none, only the deviation
// grows, as the paper says for a player who did not compete.
Glicko ratePeriod(const Glicko& before, const std::vector<GlickoResult>& results,
                  double tau = kGlickoTau);

}  // namespace kxsite
