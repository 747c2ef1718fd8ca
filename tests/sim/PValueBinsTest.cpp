// The p bins decided without the test's p, against the test's own p.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "platform/runtime/MessageSinks.h"
#include "sim/PValueBins.h"
#include "sim/StudentT.h"

namespace halvorn {
namespace {

// The fast bins never disagree with the bin of the test's own p: for the
// thresholds of a fixed df, and for the tail of any df. The t values crowd
// where p crosses an edge, in and around the guard bands.
TEST(PValueBins, FastBinsAreTheBinsOfTheTestsOwnP) {
  const TSilentMessages quiet;
  std::mt19937_64 random(11);
  int decided = 0, total = 0;
  for (float df : {2.0f, 3.0f, 11.0f, 22.0f, 37.5f, 99.0f, 199.0f, 398.0f}) {
    const TPBinThresholds thresholds(df);
    std::uniform_real_distribution<double> near(-3 * kPGuard, 3 * kPGuard);
    for (int k = 0; k < 1200; ++k) {
      // A t whose tail is near a random edge, then the neighbouring singles.
      const int edge = 1 + static_cast<int>(random() % (kPBins - 1));
      double lo = 0, hi = 1000;
      const double target = PBinEdge(edge) + near(random);
      for (int i = 0; i < 60; ++i) {
        const double mid = (lo + hi) / 2;
        (TwoSidedTail(df / 2, df / (df + mid * mid)) > target ? lo : hi) = mid;
      }
      float t = static_cast<float>(lo);
      for (int step = 0; step < 3; ++step, t = std::nextafter(t, 1000.0f)) {
        const int expected = CheckedPBin(TwoSidedP(df, t));
        const int fixed = thresholds.BinOf(TailX(df, t));
        const int any = FastPBin(df, t);
        ++total;
        if (fixed >= 0) {
          ++decided;
          EXPECT_EQ(fixed, expected) << df << " " << t;
        }
        if (any >= 0) {
          EXPECT_EQ(any, expected) << df << " " << t;
        }
      }
    }
  }
  // Most t near an edge are still decided without the test's p.
  EXPECT_GT(decided, total / 3);
}

TEST(PValueBins, TailAgainstTheTestsP) {
  // Known tails of Student's t: the 0.975 quantile with 10 df is 2.228139,
  // with 1 df (a = 0.5) the tail is 1 - 2 atan(t) / pi.
  EXPECT_NEAR(TwoSidedTail(5, 10 / (10 + 2.228139 * 2.228139)), 0.05, 1e-7);
  EXPECT_NEAR(TwoSidedTail(0.5, 1 / (1 + 3.0 * 3.0)), 1 - 2 * std::atan(3.0) / M_PI, 1e-12);
  EXPECT_TRUE(std::isnan(TwoSidedTail(kMaxTailA + 1, 0.5)));
  // Outside the guard bands no threshold table leaves anything undecided.
  EXPECT_EQ(GuardedPBin(0.525), 10);
  EXPECT_EQ(GuardedPBin(0.05 + kPGuard / 2), -1);
  EXPECT_EQ(GuardedPBin(1.0), 19);
}

// The bound the guard rests on: over the whole range of df (every design
// has at most 200 samples per series) and of t, the test's p lies within
// kPValueError of the mathematical tail at the same single-precision
// arguments. The grid is dense where p changes fast.
TEST(PValueBins, TheTestsPIsWithinTheStatedErrorOfTheTail) {
  const TSilentMessages quiet;
  double largest = 0;
  for (float df = 1; df <= 2 * kMaxTailA; df += df < 30 ? 0.25f : df < 100 ? 1.0f : 3.0f) {
    for (float t = 0; t < 60; t += t < 8 ? 0.01f : 0.5f) {
      const double tail = TwoSidedTail(TailA(df), TailX(df, t));
      const double error = std::fabs(TwoSidedP(df, t) - tail);
      largest = std::max(largest, error);
      ASSERT_LE(error, kPValueError) << "df " << df << ", t " << t;
    }
  }
  // ln G(a + 1/2) stays below 1024, where a single keeps the rounding of
  // the front factor's logarithm at 2^-15 or less.
  EXPECT_LT(LogGamma(kMaxTailA + 0.5f), 1024);
  // The bound is not slack to the point of hiding a change of the routine.
  EXPECT_GT(largest, kPValueError / 10);
}

}  // namespace
}  // namespace halvorn
