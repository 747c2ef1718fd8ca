#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "platform/runtime/MessageSinks.h"
#include "sim/PValueBins.h"
#include "sim/PowerResult.h"
#include "sim/RandomSource.h"
#include "sim/StudentT.h"

namespace halvorn {
namespace {

TEST(PowerResult, WilsonIntervalAgainstHandValues) {
  // (p + z^2/2n -+ z sqrt(p(1-p)/n + z^2/4n^2)) / (1 + z^2/n), worked out
  // separately in double precision.
  const struct {
    std::int64_t successes, trials;
    double lo, hi;
  } cases[] = {
      {412, 1000, 0.3818873112799578, 0.44278619821349985},
      {0, 10, 0.0, 0.2775327998628892},
      {10, 10, 0.7224672001371107, 1.0},
  };
  for (const auto& c : cases) {
    const TInterval i = WilsonInterval(c.successes, c.trials);
    EXPECT_NEAR(i.Lo, c.lo, 1e-12) << c.successes;
    EXPECT_NEAR(i.Hi, c.hi, 1e-12) << c.successes;
  }
  TPowerResult r;
  r.Runs = 1000;
  r.Tests[ttPaired].Significant = 412;
  EXPECT_EQ(r.Power(ttPaired), 0.412);
  EXPECT_EQ(r.Ci95(ttPaired).Lo, WilsonInterval(412, 1000).Lo);
}

TEST(PowerResult, BinsAndTheirEdges) {
  const float below05 = std::nextafter(0.05f, 0.0f);  // the largest single under 0.05
  const struct {
    float p;
    int bin;
  } cases[] = {{-0.0f, 0},  {below05, 0},     {0.05f, 1}, {0.1f, 2},  {0.5f, 9},  {0.52f, 10},
               {0.95f, 18}, {0.9500001f, 19}, {1.0f, 19}, {1.5f, 19}, {-0.25f, 0}};
  for (const auto& c : cases) EXPECT_EQ(PBin(c.p), c.bin) << c.p;
  // The single nearest 0.05 lies above the double 0.05: not significant.
  EXPECT_GT(static_cast<double>(0.05f), 0.05);
  EXPECT_THROW(CheckedPBin(std::nanf("")), EInvalidOp);
}

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

TEST(StudentT, PairMomentsAreTheTestsMoments) {
  // Random Runs, and series built so that sums of squares meet midpoints
  // between singles.
  std::mt19937_64 random(3);
  std::vector<std::pair<std::vector<float>, std::vector<float>>> cases;
  for (int k = 0; k < 300; ++k) {
    const int n = 3 + static_cast<int>(random() % 198);
    std::vector<float> a(n + 1), b(n + 1);
    for (int i = 1; i <= n; ++i) {
      a[i] = static_cast<float>(100 + (random() % 20001) * 0.01);
      b[i] = static_cast<float>(120 + (random() % 20001) * 0.001);
    }
    cases.emplace_back(a, b);
  }
  cases.push_back({{0, 1, 1 + 0x1p-12f, 1 - 0x1p-12f}, {0, 3, 3, 3}});
  cases.push_back({{0, 4096, 4096, 4097, 4095}, {0, 0, 0, 0, 0}});
  for (const auto& [a, b] : cases) {
    const auto n = static_cast<std::uint32_t>(a.size() - 1);
    const TPairMoments m = PairMoments(a, b, n);
    TMoments ma, mb;
    MeanAndVariance(a, n, ma.Mean, ma.Variance);
    MeanAndVariance(b, n, mb.Mean, mb.Variance);
    EXPECT_EQ(m.A.Mean, ma.Mean);
    EXPECT_EQ(m.A.Variance, ma.Variance);
    EXPECT_EQ(m.B.Mean, mb.Mean);
    EXPECT_EQ(m.B.Variance, mb.Variance);
    try {
      const TTStatistic fused = PairedStatistic(m.A, m.B, m.CovarianceSum, n);
      const TTStatistic reference = StudentTPairedStatistic(a, b, n);
      EXPECT_EQ(fused.t, reference.t);
    } catch (const EMathError&) {
      EXPECT_THROW(StudentTPairedStatistic(a, b, n), EMathError);
    }
  }
}

}  // namespace
}  // namespace halvorn
