// Glicko-2: one rating period of one player, steps 1 to 8 of Glickman's worked example.
#include "kx-site/glicko2.h"

#include <cmath>

namespace kxsite {

namespace {

// Converts between the Glicko scale (1500 / 350) and the Glicko-2 scale (0 / 2.0148).
constexpr double kScale = 173.7178;
// The convergence tolerance of the volatility iteration.
constexpr double kEpsilon = 0.000001;
// The iteration converges in a handful of steps for any sane input; the cap only keeps a
// pathological one (NaN, infinities) from looping.
constexpr int kMaxIterations = 1000;
constexpr double kPi = 3.14159265358979323846;

double g(double phi) { return 1.0 / std::sqrt(1.0 + 3.0 * phi * phi / (kPi * kPi)); }

double expectedScore(double mu, double muJ, double phiJ) {
  return 1.0 / (1.0 + std::exp(-g(phiJ) * (mu - muJ)));
}

// Step 5: the new volatility, by the Illinois algorithm on f(x) = 0.
double newVolatility(double sigma, double phi, double v, double delta, double tau) {
  const double a = std::log(sigma * sigma);
  const double phi2 = phi * phi;
  const double delta2 = delta * delta;
  auto f = [&](double x) {
    const double ex = std::exp(x);
    const double d = phi2 + v + ex;
    return ex * (delta2 - phi2 - v - ex) / (2.0 * d * d) - (x - a) / (tau * tau);
  };
  double bigA = a;
  double bigB;
  if (delta2 > phi2 + v) {
    bigB = std::log(delta2 - phi2 - v);
  } else {
    int k = 1;
    while (f(a - k * tau) < 0 && k < kMaxIterations) ++k;
    bigB = a - k * tau;
  }
  double fA = f(bigA);
  double fB = f(bigB);
  for (int i = 0; std::fabs(bigB - bigA) > kEpsilon && i < kMaxIterations; ++i) {
    const double bigC = bigA + (bigA - bigB) * fA / (fB - fA);
    const double fC = f(bigC);
    if (fC * fB <= 0) {
      bigA = bigB;
      fA = fB;
    } else {
      fA = fA / 2.0;
    }
    bigB = bigC;
    fB = fC;
  }
  return std::exp(bigA / 2.0);
}

}  // namespace

Glicko ratePeriod(const Glicko& before, const std::vector<GlickoResult>& results, double tau) {
  // Step 2.
  const double mu = (before.rating - kInitialRating) / kScale;
  const double phi = before.rd / kScale;
  const double sigma = before.volatility;

  // Steps 3 and 4: the estimated variance and the estimated improvement.
  double vInverse = 0;
  double improvementSum = 0;
  for (const GlickoResult& r : results) {
    const double muJ = (r.opponentRating - kInitialRating) / kScale;
    const double phiJ = r.opponentRd / kScale;
    const double e = expectedScore(mu, muJ, phiJ);
    const double gJ = g(phiJ);
    vInverse += gJ * gJ * e * (1.0 - e);
    improvementSum += gJ * (r.score - e);
  }

  Glicko after = before;
  // A player without games, or whose games tell nothing because every expected score is
  // certain (ratings thousands of points apart), keeps rating and volatility; only the
  // deviation grows.
  if (!(vInverse > 0) || !std::isfinite(vInverse)) {
    after.rd = std::sqrt(phi * phi + sigma * sigma) * kScale;
    return after;
  }
  const double v = 1.0 / vInverse;
  const double delta = v * improvementSum;

  // Steps 5 to 7.
  const double sigmaNew = newVolatility(sigma, phi, v, delta, tau);
  const double phiStar = std::sqrt(phi * phi + sigmaNew * sigmaNew);
  const double phiNew = 1.0 / std::sqrt(1.0 / (phiStar * phiStar) + 1.0 / v);
  const double muNew = mu + phiNew * phiNew * improvementSum;

  // Step 8.
  after.rating = kScale * muNew + kInitialRating;
  after.rd = kScale * phiNew;
  after.volatility = sigmaNew;
  return after;
}

}  // namespace kxsite
