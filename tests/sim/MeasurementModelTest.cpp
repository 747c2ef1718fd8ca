// The measurement model's statistics, checked on fixed seeds with generous
// tolerances: the deviates against R's qnorm, the samples' distributions
// against their settings, and the false alarms that correlation and
// year-to-year variation cause against their theory.

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <vector>

#include "sim/NormalDeviates.h"
#include "sim/PowerEngine.h"
#include "sim/SampleGenerator.h"

namespace halvorn {
namespace {

SimParams Design(std::initializer_list<std::pair<TSlider, int>> positions,
                 TErrorModel errors = TErrorModel::Uniform) {
  SimParams p;
  for (auto [slider, position] : positions) ApplySlider(p, slider, position);
  p.ErrorModel = errors;
  return p;
}

// The samples of `runs` Runs of the before series, run by run.
std::vector<std::vector<TSampleGenerator::TSample>> BeforeSamples(const SimParams& p, int runs) {
  const TSampleGenerator g(p);
  TStateDraws draws{SeededRandomState(1)};
  std::vector<std::vector<TSampleGenerator::TSample>> all;
  for (int run = 0; run < runs; ++run) {
    all.emplace_back();
    g.Fill(TSampleGenerator::sBefore, draws,
           [&](std::int32_t, const TSampleGenerator::TSample& s) { all.back().push_back(s); });
    g.Fill(TSampleGenerator::sAfter, draws, [](auto...) {});
  }
  return all;
}

TEST(MeasurementModel, DeviatesAreRsNormalQuantiles) {
  // qnorm(p) of R 4.2 (r-base-core), printed with 17 digits.
  const struct {
    double p, quantile;
  } cases[] = {{0.5 / 20001, -4.0556386667024578}, {1.5 / 20001, -3.7910818650149274},
               {0.975, 1.95996398454005361},       {0.9, 1.28155156554460081},
               {0.3, -0.52440051270804067},        {1e-10, -6.36134090240405570}};
  for (const auto& c : cases)
    EXPECT_NEAR(InverseNormal(c.p), c.quantile, 1e-13 * std::fabs(c.quantile)) << c.p;
  const TDeviateTable& z = NormalDeviates();
  EXPECT_EQ(z[0], InverseNormal(0.5 / 20001));
  EXPECT_EQ(z[10000], 0.0);
  EXPECT_EQ(z[20000], -z[0]);
  // Cut at +-4.06, the tails leave a variance of 0.999934 (R: mean(z^2)).
  const double variance = std::inner_product(z.begin(), z.end(), z.begin(), 0.0) / z.size();
  EXPECT_NEAR(variance, 0.99993384400617447, 1e-12);
  const TDeviateTable& u = UniformDeviates();
  EXPECT_NEAR(std::inner_product(u.begin(), u.end(), u.begin(), 0.0) / u.size(), 1.0, 1e-12);
}

// Without a seasonal swing every sample's level is 100.
struct TMoments {
  double Mean, Sd, Lag1;
};
TMoments MomentsOf(const std::vector<std::vector<TSampleGenerator::TSample>>& runs) {
  double sum = 0, squares = 0, lagged = 0;
  std::size_t n = 0, pairs = 0;
  for (const auto& run : runs)
    for (std::size_t i = 0; i < run.size(); ++i) {
      const double v = run[i].Value - 100;
      sum += v;
      squares += v * v;
      ++n;
      if (i > 0) {
        lagged += v * (run[i - 1].Value - 100);
        ++pairs;
      }
    }
  const double variance = squares / n - (sum / n) * (sum / n);
  return {100 + sum / n, std::sqrt(variance), lagged / pairs / variance};
}

TEST(MeasurementModel, SamplesHaveTheDistributionsOfTheirSettings) {
  using S = TSlider;
  const auto flat = [](std::initializer_list<std::pair<TSlider, int>> more) {
    std::vector<std::pair<TSlider, int>> p = {{S::AmpliP, 0}, {S::Samples, 200}};
    p.insert(p.end(), more);
    return p;
  };
  const struct {
    const char* name;
    std::vector<std::pair<TSlider, int>> positions;
    TErrorModel errors;
    TMoments expected;
  } cases[] = {
      // Mean and standard deviation of the lognormal factor over the
      // deviates (R: exp(s z - s^2/2), s^2 = log(1.09)).
      {"lognormal, 30 %", flat({{S::ErrorP, 6}}), TErrorModel::Lognormal, {99.99964, 29.9967, 0}},
      {"normal, 20 %", flat({{S::ErrorP, 4}}), TErrorModel::Normal, {100, 20, 0}},
      // A uniform error of at most 20 % has a standard deviation of 20/sqrt(3).
      {"uniform, 20 %, rho 0.6",
       flat({{S::ErrorP, 4}, {S::Correlation, 12}}),
       TErrorModel::Uniform,
       {100, 20 / std::sqrt(3.0), 0.6}},
      {"normal, rho 0.6 every 2 months",
       flat({{S::ErrorP, 4}, {S::Correlation, 12}, {S::Step, 2}}),
       TErrorModel::Normal,
       {100, 20, 0.36}},
  };
  for (const auto& c : cases) {
    SimParams p;
    for (auto [slider, position] : c.positions) ApplySlider(p, slider, position);
    p.ErrorModel = c.errors;
    const TMoments m = MomentsOf(BeforeSamples(p, 500));
    EXPECT_NEAR(m.Mean, c.expected.Mean, 0.3) << c.name;
    EXPECT_NEAR(m.Sd, c.expected.Sd, 0.02 * c.expected.Sd) << c.name;
    EXPECT_NEAR(m.Lag1, c.expected.Lag1, 0.02) << c.name;
  }
}

TEST(MeasurementModel, CensoringAndYearsFollowTheirDistributions) {
  using S = TSlider;
  // Normal errors of 20 % about 100, a limit of 80: Phi(-1) = 0.158655
  // censored, each shown at 40.
  const auto censored = BeforeSamples(
      Design({{S::AmpliP, 0}, {S::Samples, 200}, {S::ErrorP, 4}, {S::DetectionLimit, 16}},
             TErrorModel::Normal),
      500);
  int count = 0, total = 0;
  for (const auto& run : censored)
    for (const auto& s : run) {
      ++total;
      if (s.Censored) {
        ++count;
        EXPECT_EQ(s.Value, 40);
      } else {
        EXPECT_GE(s.Value, 80);
      }
    }
  EXPECT_NEAR(static_cast<double>(count) / total, 0.158655, 0.005);
  // No error and a year-to-year variation of 20 %: the samples of a
  // calendar year share one level, 100 (1 + 0.2 z), z normal.
  const auto years = BeforeSamples(
      Design({{S::AmpliP, 0}, {S::Samples, 36}, {S::ErrorP, 0}, {S::YearVariation, 4}}), 3000);
  std::vector<std::vector<TSampleGenerator::TSample>> firsts;
  for (const auto& run : years) {
    for (int year = 0; year < 3; ++year)
      for (int month = 1; month < 12; ++month)
        ASSERT_EQ(run[12 * year + month].Value, run[12 * year].Value);
    firsts.push_back({run[0], run[12], run[24]});
  }
  const TMoments m = MomentsOf(firsts);
  EXPECT_NEAR(m.Mean, 100, 0.3);
  EXPECT_NEAR(m.Sd, 20, 0.5);
  EXPECT_NEAR(m.Lag1, 0, 0.03);  // the years are independent
}

double PooledFalseAlarm(const SimParams& p) {
  TPowerPool pool(2);
  return ComputePower({p, SeededRandomState(1), 4000}, pool).Power(TTestKind::EqualVariance);
}

TEST(MeasurementModel, CorrelationAndYearsRaiseTheFalseAlarmsAndSparserSamplingLowersThem) {
  using S = TSlider;
  // Independent series of 200 normal samples each, no difference: the mean
  // of an AR(1) series has its variance inflated by (1 + rho)/(1 - rho), so
  // the pooled test exceeds 1.96 with probability
  // 2 (1 - Phi(1.96 sqrt((1 - rho)/(1 + rho)))) (R: pnorm).
  const struct {
    int position;
    double expected;
  } rhos[] = {{0, 0.05}, {10, 0.25779989454098828}, {16, 0.51354140742253485}};
  for (const auto& r : rhos)
    EXPECT_NEAR(PooledFalseAlarm(Design({{S::AmpliP, 0},
                                         {S::AmpliM, 0},
                                         {S::Dif, 0},
                                         {S::Samples, 200},
                                         {S::Correlation, r.position}},
                                        TErrorModel::Normal)),
                r.expected, 0.03)
        << r.position;
  // Two years of monthly samples at rho = 0.8: a sample every six months
  // correlates 0.8^6 = 0.26 with the next, and the false alarms fall.
  double previous = 1;
  for (int step : {1, 3, 6}) {
    const double rate = PooledFalseAlarm(Design({{S::AmpliP, 0},
                                                 {S::AmpliM, 0},
                                                 {S::Dif, 0},
                                                 {S::Samples, 24},
                                                 {S::Step, step},
                                                 {S::Correlation, 16}},
                                                TErrorModel::Normal));
    EXPECT_LT(rate, previous) << step;
    previous = rate;
  }
  EXPECT_LT(previous, 0.16);
  // One year against another: their levels differ by the years' own
  // variation, which the pooled test takes for a change.
  EXPECT_GT(PooledFalseAlarm(
                Design({{S::AmpliP, 0}, {S::AmpliM, 0}, {S::Dif, 0}, {S::YearVariation, 4}})),
            0.5);
}

}  // namespace
}  // namespace halvorn
