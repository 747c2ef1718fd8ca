// The power engine against the window's own Run, and its threads.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <span>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "platform/runtime/MessageSinks.h"
#include "sim/PowerEngine.h"
#include "sim/RandomSource.h"
#include "sim/RankTests.h"
#include "sim/SeasonalSample.h"
#include "sim/Simulation.h"
#include "sim/StudentT.h"

namespace halvorn {
namespace {

struct TDesign {
  const char* name;
  std::vector<std::pair<TSlider, int>> positions;
  TErrorModel errors = TErrorModel::Uniform;
};

SimParams ParamsOf(const TDesign& d) {
  SimParams p;
  for (auto [slider, position] : d.positions) ApplySlider(p, slider, position);
  p.ErrorModel = d.errors;
  return p;
}

// A Run's estimate of the difference from its samples as drawn.
TRunEstimate EstimateOf(std::span<const double> before, std::span<const double> after) {
  double sumBefore = 0, sumAfter = 0;
  for (const double v : before) sumBefore += v;
  for (const double v : after) sumAfter += v;
  return TRunEstimate::Of(sumBefore, sumAfter, static_cast<int>(before.size()));
}

// What `runs` Runs after `skip` Runs from `state` give when each is drawn
// sample by sample (SeasonalSample, from the thread's source, as the
// window's Run draws) and judged by each test's own function: a trap fails
// the test, otherwise p goes into its bin (bin 0 exactly when the window
// shows the significance labels).
TPowerResult ReferenceRuns(const TDesign& design, std::uint64_t state, int runs, int skip) {
  const TSilentMessages quiet;
  const SimParams p = ParamsOf(design);
  const auto n = static_cast<std::uint32_t>(p.SampleCount);
  TPowerResult r;
  r.Runs = runs;
  RandomState = state;
  std::array<float, 300> before{}, after{};
  std::vector<double> drawnBefore(n), drawnAfter(n);
  for (int run = 0; run < skip + runs; ++run) {
    for (auto [values, drawn, baseline, amplitude, phase, error] :
         {std::tuple(&before, &drawnBefore, p.BaselineP, p.AmplitudeP, p.PhaseP, p.ErrorPctP),
          std::tuple(&after, &drawnAfter, p.BaselineM, p.AmplitudeM, p.PhaseM, p.ErrorPctM)})
      for (std::uint32_t i = 0; i < n; ++i) {
        (*drawn)[i] = SeasonalSample(static_cast<double>(i * p.StepMonths + 1), p.PeriodMonths,
                                     baseline, amplitude, phase, error);
        (*values)[i + 1] = ToSingle((*drawn)[i]);
      }
    if (run < skip) continue;
    const TRunEstimate estimate = EstimateOf(drawnBefore, drawnAfter);
    for (const TTestInfo& test : kTests) {
      TTestCounts& counts = r.Counts(test.Kind);
      if (!IsTTest(test.Kind)) {
        const double pv = DrawnSampleTest(test.Kind, drawnBefore, drawnAfter).p;
        if (std::isnan(pv))
          ++counts.Failed;
        else
          counts.Add(PBin(pv), estimate);
        continue;
      }
      float t = 0, pv = 0;
      try {
        switch (test.Kind) {
          case TTestKind::EqualVariance:
            StudentTEqual(before, n, after, n, t, pv);
            break;
          case TTestKind::UnequalVariance:
            StudentTUnequal(before, n, after, n, t, pv);
            break;
          case TTestKind::Paired:
            StudentTPaired(before, after, n, t, pv);
            break;
          default:
            break;
        }
        counts.Add(CheckedPBin(pv), estimate);
      } catch (const Exception&) {
        ++counts.Failed;
      }
    }
  }
  return r;
}

const TDesign kDesigns[] = {
    {"defaults", {}},
    {"no difference", {{TSlider::Dif, 0}}},
    {"constant series",
     {{TSlider::ErrorP, 0}, {TSlider::ErrorM, 0}, {TSlider::AmpliP, 0}, {TSlider::AmpliM, 0}}},
    {"constant and equal series",
     {{TSlider::ErrorP, 0},
      {TSlider::ErrorM, 0},
      {TSlider::AmpliP, 0},
      {TSlider::AmpliM, 0},
      {TSlider::Dif, 0}}},
    {"no error, seasonal swing", {{TSlider::ErrorP, 0}, {TSlider::ErrorM, 0}}},
    {"constant before, noisy after",
     {{TSlider::ErrorP, 0}, {TSlider::AmpliP, 0}, {TSlider::AmpliM, 0}, {TSlider::ErrorM, 1}}},
    {"huge errors", {{TSlider::ErrorP, 40}, {TSlider::ErrorM, 40}, {TSlider::Dif, 3}}},
    {"200 samples, step 6", {{TSlider::Samples, 200}, {TSlider::Step, 6}, {TSlider::Dif, 2}}},
    {"differing phases",
     {{TSlider::FasiP, 1}, {TSlider::FasiM, 9}, {TSlider::AmpliM, 20}, {TSlider::Dif, 5}}},
    {"three samples", {{TSlider::Samples, 3}, {TSlider::ErrorM, 12}}},
    {"small difference, many samples", {{TSlider::Samples, 60}, {TSlider::Dif, 4}}},
};

TEST(PowerEngine, CountsAgreeWithTheReferenceRuns) {
  constexpr int kRuns = 600, kSkip = 3;
  const std::uint64_t state = SeededRandomState(1);
  TPowerPool one(1), three(3);
  for (const TDesign& d : kDesigns) {
    const TPowerResult expected = ReferenceRuns(d, state, kRuns, kSkip);
    const TPowerRequest request{ParamsOf(d), state, kRuns, kSkip};
    EXPECT_EQ(ComputePower(request, one), expected) << d.name;
    EXPECT_EQ(ComputePower(request, three), expected) << d.name;
  }
}

// The Run's chart and result boxes, discarded: only the Run's p counts.
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

// What the window's Runs show, each test pressing Run on the same samples.
TPowerResult WindowRuns(const TDesign& design, std::uint64_t state, int runs, int skip) {
  const TSilentMessages quiet;
  TNoChart chart;
  TNoView view;
  TPowerResult r;
  r.Runs = runs;
  for (const TTestInfo& test : kTests) {
    TSimulation sim;
    for (auto [slider, position] : design.positions) sim.SliderChanged(slider, position);
    sim.SetErrorModel(design.errors);
    RandomState = state;
    for (int run = 0; run < skip + runs; ++run) {
      try {
        sim.Run(chart, test.Kind, view);
        if (run >= skip)
          r.Counts(test.Kind).Add(
              IsTTest(test.Kind) ? CheckedPBin(sim.ResultP())
                                 : PBin(DrawnSampleTest(test.Kind, sim.DrawnP(), sim.DrawnM()).p),
              EstimateOf(sim.DrawnP(), sim.DrawnM()));
      } catch (const Exception&) {
        if (run >= skip) ++r.Counts(test.Kind).Failed;
      }
    }
  }
  return r;
}

// Every option of the measurement model, alone and together, on one and
// several threads.
TEST(PowerEngine, CountsOfEveryModelAgreeWithTheWindowsRuns) {
  using S = TSlider;
  const TDesign designs[] = {
      {"normal", {}, TErrorModel::Normal},
      {"lognormal, large error", {{S::ErrorP, 40}, {S::ErrorM, 30}}, TErrorModel::Lognormal},
      {"uniform, correlated, step 2", {{S::Correlation, 14}, {S::Step, 2}}},
      {"normal, strongly correlated, no swing",
       {{S::Correlation, 19}, {S::AmpliP, 0}, {S::AmpliM, 0}, {S::Dif, 0}},
       TErrorModel::Normal},
      {"year variation over five years", {{S::YearVariation, 4}, {S::Samples, 60}}},
      {"year variation, no error", {{S::YearVariation, 10}, {S::ErrorP, 0}, {S::ErrorM, 0}}},
      {"detection limit censoring most", {{S::DetectionLimit, 26}, {S::Dif, 0}}},
      {"detection limit, no error", {{S::DetectionLimit, 20}, {S::ErrorP, 0}, {S::ErrorM, 0}}},
      {"all together",
       {{S::Correlation, 10}, {S::YearVariation, 2}, {S::DetectionLimit, 14}, {S::Samples, 30}},
       TErrorModel::Lognormal},
  };
  constexpr int kRuns = 400, kSkip = 5;
  const std::uint64_t state = SeededRandomState(1);
  TPowerPool one(1), three(3);
  for (const TDesign& d : designs) {
    const TPowerResult expected = WindowRuns(d, state, kRuns, kSkip);
    const TPowerRequest request{ParamsOf(d), state, kRuns, kSkip};
    EXPECT_EQ(ComputePower(request, one), expected) << d.name;
    EXPECT_EQ(ComputePower(request, three), expected) << d.name;
  }
}

TEST(PowerEngine, KnownOutcomes) {
  TPowerPool pool(2);
  const std::uint64_t state = SeededRandomState(1);
  // The first Run with the defaults: t -1.650, p 0.113 for the pooled and
  // Welch tests (bin 2), p 0.000 for the paired test.
  const TPowerResult first = ComputePower({SimParams{}, state, 1}, pool);
  EXPECT_EQ(first.Counts(TTestKind::EqualVariance).PHistogram[2], 1);
  EXPECT_EQ(first.Counts(TTestKind::UnequalVariance).PHistogram[2], 1);
  EXPECT_EQ(first.Counts(TTestKind::Paired).Significant, 1);
  // Constant series divide by a zero standard error in every Run, with or
  // without logarithms; their ranks are all tied but still ordered.
  SimParams constant = ParamsOf(kDesigns[2]);
  const TPowerResult failed = ComputePower({constant, state, 1000000}, pool);
  for (const TTestInfo& test : kTests)
    EXPECT_EQ(failed.Counts(test.Kind).Failed,
              test.Kind == TTestKind::RankSum || test.Kind == TTestKind::SignedRank ? 0 : 1000000)
        << test.Key;
  // Nothing drawn from the thread's own source.
  RandomState = 12345;
  ComputePower({SimParams{}, state, 100}, pool);
  EXPECT_EQ(RandomState, 12345u);
}

TEST(PowerEngine, FalsePositivesAreTheDesignWithoutDifference) {
  TPowerPool pool(2);
  const TPowerRequest request{SimParams{}, SeededRandomState(1), 2000};
  TPowerRequest null = request;
  ApplySlider(null.Params, TSlider::Dif, 0);
  EXPECT_EQ(null.Params.BaselineM, 100);
  EXPECT_EQ(ComputeFalsePositive(request, pool), ComputePower(null, pool));
}

TEST(PowerEngine, ResultsDoNotDependOnTheThreads) {
  const TPowerRequest request{ParamsOf(kDesigns[1]), 0x0123456789ABCDEFull, 3000, 77};
  TPowerPool one(1);
  const TPowerResult expected = ComputePower(request, one);
  const auto sweep = SweepPower(request, TSlider::Samples, 3, 30, 3, one);
  for (int threads : {2, 5}) {
    TPowerPool pool(threads);
    EXPECT_EQ(ComputePower(request, pool), expected) << threads;
    const auto other = SweepPower(request, TSlider::Samples, 3, 30, 3, pool);
    ASSERT_EQ(other.size(), sweep.size());
    for (std::size_t i = 0; i < sweep.size(); ++i)
      EXPECT_EQ(other[i].Result, sweep[i].Result) << threads << " " << sweep[i].Value;
  }
}

TEST(PowerEngine, SweepPointsAreTheirDesignsFromTheSameState) {
  TPowerPool pool(2);
  const TPowerRequest base{SimParams{}, SeededRandomState(7), 500, 2};
  const auto sweep = SweepPower(base, TSlider::Dif, 0, 60, 30, pool);
  ASSERT_EQ(sweep.size(), 3u);
  for (const TSweepPoint& p : sweep) {
    TPowerRequest one = base;
    ApplySlider(one.Params, TSlider::Dif, p.Position);
    EXPECT_EQ(p.Value, p.Position);
    EXPECT_EQ(p.Result, ComputePower(one, pool)) << p.Value;
  }
  EXPECT_THROW(SweepPower(base, TSlider::Samples, 2, 10, 1, pool), EInvalidOperation);
  EXPECT_THROW(SweepPower(base, TSlider::Samples, 3, 10, 0, pool), EInvalidOperation);
}

// Sweeps of the paired test's significant Runs (of 100) at values 10, 20,
// ...: the ranges reaching 80 % and how the tool and the window write them.
TEST(PowerEngine, ValuesReachingAreTheRangesOfConsecutivePoints) {
  const auto sweepOf = [](std::vector<int> significant) {
    std::vector<TSweepPoint> sweep;
    for (std::size_t i = 0; i < significant.size(); ++i) {
      const int value = 10 * static_cast<int>(i + 1);
      sweep.push_back({value, value, {}});
      sweep.back().Result.Runs = 100;
      sweep.back().Result.Counts(TTestKind::Paired).Significant = significant[i];
    }
    return sweep;
  };
  const struct {
    const char* name;
    std::vector<int> significant;
    std::vector<TValueRange> ranges;
    const char *english, *greek;
  } cases[] = {
      {"rising", {10, 50, 80, 95}, {{30, 40, false, true}}, "from 30 on", "από 30 και πάνω"},
      {"falling", {99, 90, 79, 20}, {{10, 20, true, false}}, "up to 20", "έως 20"},
      {"hump", {10, 85, 90, 81, 40}, {{20, 40, false, false}}, "20–40", "20–40"},
      {"dip",
       {90, 50, 85},
       {{10, 10, true, false}, {30, 30, false, true}},
       "up to 10, from 30 on",
       "έως 10, από 30 και πάνω"},
      {"hump of one point", {10, 80, 10}, {{20, 20, false, false}}, "20", "20"},
      {"two humps",
       {0, 80, 0, 90, 90, 0},
       {{20, 20, false, false}, {40, 50, false, false}},
       "20, 40–50",
       "20, 40–50"},
      {"none", {79, 10, 0}, {}, "none in range", "καμία"},
      {"all", {80, 100, 80}, {{10, 30, true, true}}, "all", "όλες"},
      {"single point reaching", {80}, {{10, 10, true, true}}, "all", "όλες"},
      {"single point short", {79}, {}, "none in range", "καμία"},
      {"no points", {}, {}, "none in range", "καμία"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto sweep = sweepOf(c.significant);
    const auto ranges = ValuesReaching(sweep, TTestKind::Paired, TPowerTarget::Percent(80));
    EXPECT_EQ(ranges, c.ranges);
    EXPECT_EQ(ValuesReachingText(ranges, TSlider::Dif, kEnglishRangeWords), c.english);
    EXPECT_EQ(ValuesReachingText(ranges, TSlider::Dif, kGreekRangeWords), c.greek);
    // The other tests had no significant Run.
    EXPECT_TRUE(ValuesReaching(sweep, TTestKind::EqualVariance, {1, 0}).empty());
  }
  // Values as the slider's label writes them: the correlation in hundredths.
  EXPECT_EQ(ValuesReachingText({{5, 50, false, false}}, TSlider::Correlation, kEnglishRangeWords),
            "0.05–0.50");
  // Decimal targets are compared exactly: 999 of 1000 Runs reach 99.9 %
  // (the doubles 0.999 and 99.9 / 100 differ), not 99.91 %; 1 of 3 reaches
  // 33.333333 %.
  const struct {
    std::int64_t significant, runs, units;
    int decimals;
    bool reached;
  } targets[] = {{999, 1000, 999, 1, true}, {999, 1000, 9991, 2, false},
                 {1, 3, 33333333, 6, true}, {1, 3, 33333334, 6, false},
                 {0, 0, 1, 6, false},       {1000000, 1000000, 100, 0, true}};
  for (const auto& c : targets)
    EXPECT_EQ((TPowerTarget{c.units, c.decimals}.ReachedBy(c.significant, c.runs)), c.reached)
        << c.units << "e-" << c.decimals;
}

// Among the significant Runs of the pooled test, how often the estimate has
// the wrong sign (type S) and how much it exaggerates the difference (type
// M), against the theory of the design: normal errors of sd 10 % of the
// level (10 before, 10.2 to 12 after), no seasonal swing, 12 samples. The
// expected figures integrate the normal estimate over both sample variances
// in R (an R simulation of 400 000 designs agrees); the tolerances are four
// standard errors of the engine's 200 000 Runs, the standard deviation of
// |estimate| / difference among significant Runs from that simulation.
TEST(PowerEngine, TypeSAndMErrorsAgreeWithTheTheoryOfANormalDesign) {
  const struct {
    int difference;
    double power, typeS, typeM, sdM;
  } cases[] = {
      {2, 0.0750335, 0.1021603, 4.7788506, 0.957},  // low power: often wrong, much exaggerated
      {4, 0.15095315, 0.01317555, 2.54614118, 0.533},
      {20, 0.9884509, 2.6e-10, 1.006549, 0.218},  // near certain: right sign, no exaggeration
  };
  constexpr int kRuns = 200000;
  TPowerPool pool(3);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.difference);
    const TDesign design{"normal, no swing",
                         {{TSlider::AmpliP, 0}, {TSlider::AmpliM, 0}, {TSlider::Dif, c.difference}},
                         TErrorModel::Normal};
    const SimParams params = ParamsOf(design);
    ASSERT_EQ(LevelDifference(params), c.difference);
    const TPowerResult r = ComputePower({params, SeededRandomState(1), kRuns}, pool);
    const TTestKind test = TTestKind::EqualVariance;
    const double significant = static_cast<double>(r.Counts(test).Significant);
    EXPECT_NEAR(r.Power(test), c.power, 4 * std::sqrt(c.power * (1 - c.power) / kRuns));
    const std::optional<double> typeS = r.TypeS(test, c.difference);
    const std::optional<double> typeM = r.TypeM(test, c.difference);
    ASSERT_TRUE(typeS && typeM);
    EXPECT_NEAR(*typeS, c.typeS, 4 * std::sqrt(c.typeS * (1 - c.typeS) / significant));
    EXPECT_NEAR(*typeM, c.typeM, 4 * c.sdM / std::sqrt(significant));
    // The same Runs judged against a fall of the same size: every sign is
    // wrong that was right.
    EXPECT_NEAR(*r.TypeS(test, -c.difference), 1 - *typeS, 1e-12);
    EXPECT_EQ(*r.TypeM(test, -c.difference), *typeM);
  }
}

TEST(PowerEngine, StopsWhenAskedAndThePoolCarriesOn) {
  TPowerPool pool(2);
  TPowerRequest big{SimParams{}, 1, 10000000};
  ApplySlider(big.Params, TSlider::Samples, 200);
  // A stop asked for from the first progress report.
  std::stop_source source;
  int reports = 0;
  EXPECT_THROW(ComputePower(big, pool, source.get_token(),
                            [&](double fraction) {
                              ++reports;
                              EXPECT_LT(fraction, 1.0);
                              source.request_stop();
                            }),
               EPowerStopped);
  EXPECT_GE(reports, 1);
  // A token stopped before the start.
  EXPECT_THROW(ComputePower(big, pool, source.get_token()), EPowerStopped);
  // Two computations at once on one pool, from two threads, one stopped.
  std::stop_source other;
  std::jthread stopped([&] {
    EXPECT_THROW(ComputePower(big, pool, other.get_token(), [&](double) { other.request_stop(); }),
                 EPowerStopped);
  });
  const TPowerRequest small{SimParams{}, 1, 3000};
  TPowerPool reference(1);
  EXPECT_EQ(ComputePower(small, pool), ComputePower(small, reference));
}

TEST(PowerEngine, RefusesWhatTheRunRefuses) {
  TPowerPool pool(1);
  TPowerRequest r{SimParams{}, 1, 10};
  r.Params.SampleCount = 300;
  EXPECT_THROW(ComputePower(r, pool), EListError);
  r.Params.SampleCount = 12;
  r.Runs = -1;
  EXPECT_THROW(ComputePower(r, pool), EInvalidOperation);
  r.Runs = 0;
  EXPECT_EQ(ComputePower(r, pool).Runs, 0);
}

}  // namespace
}  // namespace halvorn
