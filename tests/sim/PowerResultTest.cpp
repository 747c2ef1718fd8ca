#include <gtest/gtest.h>

#include "sim/PowerResult.h"

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
  r.Counts(TTestKind::Paired).Significant = 412;
  EXPECT_EQ(r.Power(TTestKind::Paired), 0.412);
  EXPECT_EQ(r.Ci95(TTestKind::Paired).Lo, WilsonInterval(412, 1000).Lo);
  EXPECT_EQ(r.Power(TTestKind::EqualVariance), 0);
}

TEST(PowerResult, RunEstimatesInFixedPoint) {
  // The difference of the means in units of 1e-5, rounded half away from 0.
  const struct {
    double sumBefore, sumAfter;
    int n, sign;
    std::int64_t magnitude;
  } cases[] = {
      {300, 330, 3, 1, 1000000},           {330, 300, 3, -1, 1000000}, {12, 12, 4, 0, 0},
      {0, 3.0000000000000004e-5, 3, 1, 1}, {0, -0.0000149, 1, -1, 1},  {0, 0.0000049, 1, 1, 0},
      {1e8, 0, 100, -1, 100000000000}};
  for (const auto& c : cases) {
    const TRunEstimate e = TRunEstimate::Of(c.sumBefore, c.sumAfter, c.n);
    EXPECT_EQ(e.Sign, c.sign) << c.sumAfter;
    EXPECT_EQ(e.Magnitude, c.magnitude) << c.sumAfter;
  }
}

TEST(PowerResult, TypeSAndMFromTheSignificantRunsEstimates) {
  TPowerResult r;
  r.Runs = 10;
  TTestCounts& c = r.Counts(TTestKind::Paired);
  // Four significant Runs estimating +3, +5, -1 and 0; two not significant,
  // whose estimates count for nothing.
  for (const double estimate : {3.0, 5.0, -1.0, 0.0}) c.Add(0, TRunEstimate::Of(0, estimate, 1));
  for (const double estimate : {-70.0, 70.0}) c.Add(4, TRunEstimate::Of(0, estimate, 1));
  EXPECT_EQ(c.Significant, 4);
  EXPECT_EQ(c.NotSignificant, 2);
  const struct {
    double trueDifference;
    std::optional<double> typeS, typeM;
  } cases[] = {{2, 0.25, 9.0 / 4 / 2}, {-4, 0.5, 9.0 / 4 / 4}, {0, {}, {}}};
  for (const auto& k : cases) {
    EXPECT_EQ(r.TypeS(TTestKind::Paired, k.trueDifference), k.typeS) << k.trueDifference;
    EXPECT_EQ(r.TypeM(TTestKind::Paired, k.trueDifference), k.typeM) << k.trueDifference;
  }
  // No significant Run: nothing to say.
  EXPECT_EQ(r.TypeS(TTestKind::EqualVariance, 2), std::nullopt);
  EXPECT_EQ(r.TypeM(TTestKind::EqualVariance, 2), std::nullopt);
  // Copies and sums carry the estimates: the shares stay.
  TPowerResult sum = r;
  sum += r;
  const TTestCounts times = c.Times(2);
  EXPECT_EQ(sum.Counts(TTestKind::Paired), times);
  EXPECT_EQ(times.EstimateMagnitudes, 1800000);
  EXPECT_EQ(times.NegativeEstimates, 2);
  EXPECT_EQ(times.PositiveEstimates, 4);
  EXPECT_EQ(sum.TypeS(TTestKind::Paired, 2), 0.25);
}

}  // namespace
}  // namespace halvorn
