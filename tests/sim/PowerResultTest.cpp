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

}  // namespace
}  // namespace halvorn
