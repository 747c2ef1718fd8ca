// The one pass over a pair of samples that starts every test of the power
// engine, against each test's own moments and statistic.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/runtime/Exceptions.h"
#include "sim/StudentT.h"

namespace halvorn {
namespace {

TEST(PairMoments, AreTheTestsMomentsAndGiveTheirStatistics) {
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
    // Every t-test's statistic from the moments is the one from the
    // samples, a trap included.
    for (const TTestInfo& test : WindowTests()) {
      try {
        const TTStatistic fused = TestStatistic(test.Kind, m, n);
        const TTStatistic reference = TestStatistic(test.Kind, a, b, n);
        EXPECT_EQ(fused.t, reference.t) << test.Caption;
        EXPECT_EQ(fused.df, reference.df) << test.Caption;
      } catch (const EMathError&) {
        EXPECT_THROW(TestStatistic(test.Kind, a, b, n), EMathError) << test.Caption;
      }
    }
  }
}

}  // namespace
}  // namespace halvorn
