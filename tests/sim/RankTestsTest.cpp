#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/runtime/MessageSinks.h"
#include "sim/PValueBins.h"
#include "sim/RadixSort.h"
#include "sim/RandomSource.h"
#include "sim/RankTests.h"
#include "sim/Simulation.h"

namespace halvorn {
namespace {

class TNoChart : public TRunChart, TRunSeries {
 public:
  TRunSeries& SeriesAt(int) override { return *this; }
  void ClearPoints() override {}
  void AppendXY(double, double) override {}
};
class TNoView : public TRunResultView {
 public:
  void SetTText(const std::string&) override {}
  void SetPText(const std::string&) override {}
  void SetSignificanceVisible(bool) override {}
};

void ExpectRelativelyNear(double actual, double expected, const char* what) {
  EXPECT_NEAR(actual, expected, 1e-12 * std::fabs(expected)) << what;
}

// The first Run of each design, as `halvorn-cli run --runs 1 --data` writes
// it, read by R 4.2 (Debian's r-base-core) and judged there with
// wilcox.test(before, after), wilcox.test(before, after, paired = TRUE) and
// t.test(log(before), log(after), var.equal = TRUE), all with their defaults
// (the exact nulls below 50 values without ties, the normal approximation
// otherwise).
TEST(RankTests, AgreeWithRsWilcoxAndTTestOnTheToolsRuns) {
  using S = TSlider;
  struct TCase {
    const char* name;
    std::vector<std::pair<TSlider, int>> positions;
    TErrorModel errors;
    double w, pW, v, pV, t, pT;
  };
  // The cases are laid out by hand, a case to a few lines.
  // clang-format off
  const TCase cases[] = {
      {"defaults: exact nulls",
       {},
       TErrorModel::Uniform,
       44,
       0.11350232752844142,
       0,
       0.00048828125000000033,
       -1.7228040183957434,
       0.098953635902664844},
      {"60 samples: normal approximations",
       {{S::Samples, 60}},
       TErrorModel::Uniform,
       1078,
       0.00015254280855737506,
       3,
       1.9448956770948354e-11,
       -4.2227191458884823,
       4.7717813198839685e-05},
      {"no error: seasonal levels tie",
       {{S::ErrorP, 0}, {S::ErrorM, 0}},
       TErrorModel::Uniform,
       42,
       0.087078833181524221,
       0,
       0.00062692521632841803,
       -1.6927169930094823,
       0.10462497616681746},
      {"limit 90, no difference: censored ties and zero differences",
       {{S::DetectionLimit, 18}, {S::Dif, 0}, {S::Samples, 30}},
       TErrorModel::Uniform,
       453,
       0.96952671206102869,
       72,
       0.57128867359992785,
       -0.057255087672513645,
       0.95453879260274443},
      {"lognormal 40 %, limit 40",
       {{S::ErrorP, 8}, {S::ErrorM, 8}, {S::DetectionLimit, 8}, {S::Samples, 24}},
       TErrorModel::Lognormal,
       201,
       0.074315735248753872,
       77,
       0.036649227142334054,
       -1.9003737101581912,
       0.063661892510774171},
      {"49 samples, step 2: the largest exact",
       {{S::Samples, 49}, {S::Step, 2}},
       TErrorModel::Uniform,
       790,
       0.0032928736055626399,
       0,
       3.5527136788005049e-15,
       -3.5356090586328008,
       0.00062815243613007909},
      {"50 samples: the smallest approximate",
       {{S::Samples, 50}},
       TErrorModel::Uniform,
       748,
       0.00054571697491079859,
       0,
       7.7904922072184232e-10,
       -3.8586834864111998,
       0.00020425229670550065},
      {"normal, correlated, varying years",
       {{S::Correlation, 16}, {S::YearVariation, 4}, {S::Samples, 36}},
       TErrorModel::Normal,
       620,
       0.75821564355591631,
       271,
       0.33814954335684894,
       -0.4461963263599818,
       0.6568326437487243},
      {"8 samples, no difference",
       {{S::Dif, 0}, {S::Samples, 8}},
       TErrorModel::Uniform,
       30,
       0.87847707847707834,
       16,
       0.84375000000000011,
       0.033365249210490222,
       0.97385435229667983},
  };
  // clang-format on
  const TSilentMessages quiet;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TSimulation sim;
    for (auto [slider, position] : c.positions) sim.SliderChanged(slider, position);
    sim.SetErrorModel(c.errors);
    RandomState = SeededRandomState(1);
    TNoChart chart;
    TNoView view;
    try {
      sim.Run(chart, TTestKind::RankSum, view);
    } catch (const EMathError&) {
    }
    const TSampleTestResult w = RankSumTest(sim.DrawnP(), sim.DrawnM());
    const TSampleTestResult v = SignedRankTest(sim.DrawnP(), sim.DrawnM());
    const TSampleTestResult t = LogEqualTest(sim.DrawnP(), sim.DrawnM());
    EXPECT_EQ(w.Statistic, c.w);
    ExpectRelativelyNear(w.p, c.pW, "rank-sum p");
    EXPECT_EQ(v.Statistic, c.v);
    ExpectRelativelyNear(v.p, c.pV, "signed-rank p");
    ExpectRelativelyNear(t.Statistic, c.t, "log t");
    ExpectRelativelyNear(t.p, c.pT, "log p");
  }
}

// The exact nulls and Student's p against R's pwilcox, psignrank and pt.
TEST(RankTests, NullsAndTailsAgreeWithR) {
  ExpectRelativelyNear(TRankSumNull(5, 5).TwoSidedP(2), 3.1746031746031744e-02,
                       "2 pwilcox(2, 5, 5)");
  ExpectRelativelyNear(TRankSumNull(7, 6).TwoSidedP(30), 2.3426573426573427e-01,
                       "2 pwilcox(29, 7, 6, lower.tail = FALSE)");
  ExpectRelativelyNear(SignedRankNull().TwoSidedP(10, 8), 4.8828125e-02, "2 psignrank(8, 10)");
  const struct {
    double df, t, p;
  } tails[] = {{3, 0.5, 6.5144796484815104e-01},
               {22, 2.1, 4.7417696831746813e-02},
               {98, 7.3, 7.6475491517748842e-11},
               {398, 30, 3.2796729421221096e-104}};
  for (const auto& c : tails) ExpectRelativelyNear(StudentTwoSidedP(c.df, -c.t), c.p, "2 pt");
}

// The engine ranks sorted samples; the window's Run ranks by counting.
// Both give the same statistic and p, bit for bit, with and without ties,
// zero differences and exact nulls.
TEST(RankTests, TheSortedRankingIsThePlainOne) {
  std::mt19937_64 random(7);
  for (const int n : {1, 2, 5, 12, 49, 50, 120}) {
    for (const int levels : {3, 40, 0}) {  // 0: continuous, no ties
      SCOPED_TRACE(std::to_string(n) + " samples, " + std::to_string(levels) + " levels");
      const auto draw = [&] {
        return levels ? static_cast<double>(random() % static_cast<unsigned>(levels))
                      : std::uniform_real_distribution<double>(1, 2)(random);
      };
      for (int trial = 0; trial < 20; ++trial) {
        std::vector<double> a(static_cast<std::size_t>(n)), b(a.size());
        for (std::size_t i = 0; i < a.size(); ++i) a[i] = draw(), b[i] = draw();
        std::vector<double> pooled = a, ordered, sorted(a.size());
        pooled.insert(pooled.end(), b.begin(), b.end());
        std::vector<std::uint32_t> scratch(2 * pooled.size());
        const auto exact = n < kExactBelow ? RankSumNull(n, n) : nullptr;
        const TSampleTestResult plainW = RankSumTest(a, b);
        const TSampleTestResult sortedW =
            RankSumOfOrdered(pooled, OrderByValue(pooled, scratch), a.size(), exact.get());
        EXPECT_EQ(plainW.Statistic, sortedW.Statistic);
        EXPECT_TRUE(plainW.p == sortedW.p || (std::isnan(plainW.p) && std::isnan(sortedW.p)));
        std::vector<double> differences;
        for (std::size_t i = 0; i < a.size(); ++i)
          if (a[i] != b[i]) differences.push_back(a[i] - b[i]);
        SortByMagnitude(differences, sorted, scratch);
        sorted.resize(differences.size());
        const TSampleTestResult plainV = SignedRankTest(a, b);
        const TSampleTestResult sortedV = SignedRankOfOrdered(sorted, sorted.size() < a.size());
        EXPECT_EQ(plainV.Statistic, sortedV.Statistic);
        EXPECT_TRUE(plainV.p == sortedV.p || (std::isnan(plainV.p) && std::isnan(sortedV.p)));
        // Counting gives the same where nothing ties, and nothing where
        // something does.
        if (static_cast<std::size_t>(n) >= kCountingBelow) continue;
        const auto countedW = RankSumWithoutTies(a, b, exact.get());
        const auto countedV = SignedRankWithoutTies(a, b);
        EXPECT_EQ(countedW.has_value(),
                  std::set<double>(pooled.begin(), pooled.end()).size() == pooled.size());
        if (countedW) {
          EXPECT_EQ(countedW->p, plainW.p);
          EXPECT_EQ(countedW->Statistic, plainW.Statistic);
        }
        if (countedV) {
          EXPECT_EQ(countedV->p, plainV.p);
          EXPECT_EQ(countedV->Statistic, plainV.Statistic);
        }
        EXPECT_TRUE(countedV.has_value() || levels != 0);
      }
    }
  }
}

// Samples that leave a test without a p, each for that test alone.
TEST(RankTests, SamplesWithoutAPSayWhy) {
  const std::vector<double> twos{2, 2, 2}, threes{3, 3, 3}, mixed{1, 2, 3}, withZero{0, 2, 3};
  const auto undefined = [](const TSampleTestResult& r) {
    return std::isnan(r.p) && r.Why != nullptr;
  };
  EXPECT_TRUE(undefined(RankSumTest(twos, twos)));  // every value tied
  EXPECT_FALSE(undefined(RankSumTest(twos, threes)));
  EXPECT_TRUE(undefined(SignedRankTest(mixed, mixed)));  // every difference zero
  EXPECT_FALSE(undefined(SignedRankTest(twos, threes)));
  EXPECT_TRUE(undefined(LogEqualTest(withZero, mixed)));  // no logarithm
  EXPECT_TRUE(undefined(LogEqualTest(twos, threes)));     // constant logarithms
  EXPECT_FALSE(undefined(LogEqualTest(mixed, threes)));
  EXPECT_FALSE(undefined(RankSumTest(withZero, mixed)));
}

// The log test's bins from thresholds are those of its p, at and around
// every edge's crossing.
TEST(RankTests, TheLogTestsBinsAreThoseOfItsP) {
  for (const double df : {2.0, 22.0, 98.0, 398.0}) {
    SCOPED_TRACE(df);
    const TStudentPBins bins(df);
    for (int k = 1; k < kPBins; ++k) {
      // The t whose p is the edge, by bisection (p falls as t grows).
      double lo = 0, hi = 1e3;
      for (int i = 0; i < 200; ++i) {
        const double mid = (lo + hi) / 2;
        (StudentTwoSidedP(df, mid) > PBinEdge(k) ? lo : hi) = mid;
      }
      for (double t = lo, i = 0; i < 40; ++i, t = std::nextafter(t, 0.0))
        for (const double signed_t : {t, -t, t * (1 + 1e-9), t * (1 - 1e-6)})
          ASSERT_EQ(bins.BinOf(signed_t), PBin(StudentTwoSidedP(df, signed_t))) << signed_t;
    }
    for (const double t : {0.0, 1e-300, 1e300, 0.3, 5.0})
      EXPECT_EQ(bins.BinOf(t), PBin(StudentTwoSidedP(df, t))) << t;
  }
}

}  // namespace
}  // namespace halvorn
