// The one generator of a design's samples against the plain per-sample
// formula, drawn from the thread's source in the Run's order.

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <vector>

#include "platform/runtime/Exceptions.h"
#include "sim/SampleGenerator.h"

namespace halvorn {
namespace {

struct TPoint {
  double Month, Value;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// One Run of the design drawn sample by sample with SeasonalSample.
std::vector<TPoint> PlainRun(const SimParams& p) {
  std::vector<TPoint> points;
  const double designs[2][4] = {{p.BaselineP, p.AmplitudeP, p.PhaseP, p.ErrorPctP},
                                {p.BaselineM, p.AmplitudeM, p.PhaseM, p.ErrorPctM}};
  for (const auto& d : designs)
    for (std::int32_t i = 0; i < p.SampleCount; ++i) {
      const double t = i * p.StepMonths + 1;
      points.push_back({t, SeasonalSample(t, p.PeriodMonths, d[0], d[1], d[2], d[3])});
    }
  return points;
}

template <class Draws>
std::vector<TPoint> GeneratedRun(const TSampleGenerator& g, Draws& draws) {
  std::vector<TPoint> points;
  for (auto series : {TSampleGenerator::sBefore, TSampleGenerator::sAfter})
    g.Fill(series, draws, [&](std::int32_t i, const TSampleGenerator::TSample& s) {
      EXPECT_EQ(static_cast<std::size_t>(i), points.size() % g.SampleCount());
      EXPECT_FALSE(s.Censored);
      points.push_back({s.Month, s.Value});
    });
  return points;
}

SimParams Design(std::initializer_list<std::pair<TSlider, int>> positions) {
  SimParams p;
  for (auto [slider, position] : positions) ApplySlider(p, slider, position);
  return p;
}

TEST(SampleGenerator, DrawsWhatThePlainFormulaDraws) {
  const SimParams designs[] = {
      Design({}),
      Design({{TSlider::Samples, 200}, {TSlider::Step, 6}, {TSlider::Dif, 150}}),
      Design({{TSlider::ErrorP, 0}, {TSlider::ErrorM, 40}, {TSlider::AmpliM, 0}}),
      Design({{TSlider::FasiP, 1}, {TSlider::FasiM, 12}, {TSlider::Samples, 3}}),
  };
  for (const SimParams& p : designs) {
    SeedRandom(1);
    const std::vector<TPoint> expected = PlainRun(p);
    const std::uint64_t after = RandomState;
    // From the thread's source, and from a state of its own with the error
    // tables the engine uses.
    SeedRandom(1);
    TThreadDraws thread;
    EXPECT_EQ(GeneratedRun(TSampleGenerator(p), thread), expected);
    EXPECT_EQ(RandomState, after);
    TStateDraws own{SeededRandomState(1)};
    const TSampleGenerator tabled(p, {TSampleGenerator::MakeErrorTable(p.ErrorPctP),
                                      TSampleGenerator::MakeErrorTable(p.ErrorPctM)});
    EXPECT_EQ(GeneratedRun(tabled, own), expected);
    EXPECT_EQ(own.State, after);
    EXPECT_EQ(tabled.DrawsPerRun(), 2u * static_cast<unsigned>(p.SampleCount));
  }
}

TEST(SampleGenerator, ALevelThatTrapsFailsBeforeItsDraw) {
  // Levels of 0.6 max + 0.5 max cos: month 1 is below the largest double,
  // month 2 (cos 30 degrees) overflows.
  SimParams p;
  p.BaselineP = 0.6 * DBL_MAX;
  p.AmplitudeP = 0.5 * DBL_MAX;
  p.PhaseP = 3;
  const TSampleGenerator g(p);
  TStateDraws draws{1};
  int filled = 0;
  EXPECT_THROW(g.Fill(TSampleGenerator::sBefore, draws, [&](auto...) { ++filled; }), EOverflow);
  EXPECT_EQ(filled, 1);
  EXPECT_EQ(draws.State, NextRandomState(1));
  // The other series is unaffected.
  g.Fill(TSampleGenerator::sAfter, draws, [&](auto...) { ++filled; });
  EXPECT_EQ(filled, 1 + p.SampleCount);
}

TEST(SampleGenerator, ServesTheDesignBitForBit) {
  const SimParams p = Design({{TSlider::ErrorP, 0}});
  const TSampleGenerator g(p);
  EXPECT_TRUE(g.Serves(p));
  SimParams other = p;
  other.DifPct = 99;  // the after baseline, which it moves, is what counts
  EXPECT_TRUE(g.Serves(other));
  const auto changed = [&](auto change) {
    SimParams q = p;
    change(q);
    return !g.Serves(q);
  };
  EXPECT_TRUE(changed([](SimParams& q) { q.ErrorPctP = -0.0; }));
  EXPECT_TRUE(changed([](SimParams& q) { q.ErrorPctM = 15; }));
  EXPECT_TRUE(changed([](SimParams& q) { q.BaselineM = 121; }));
  EXPECT_TRUE(changed([](SimParams& q) { q.AmplitudeP = 45; }));
  EXPECT_TRUE(changed([](SimParams& q) { q.PhaseM = 7; }));
  EXPECT_TRUE(changed([](SimParams& q) { q.StepMonths = 2; }));
  EXPECT_TRUE(changed([](SimParams& q) { q.SampleCount = 13; }));
  EXPECT_TRUE(changed([](SimParams& q) { q.PeriodMonths = 6; }));
}

TEST(SampleGenerator, RefusesWhatTheSampleArraysCannotHold) {
  for (std::int32_t n : {-1, TSampleGenerator::kMaxSamples + 1}) {
    SimParams p;
    p.SampleCount = n;
    EXPECT_THROW(TSampleGenerator{p}, EListError) << n;
  }
}

}  // namespace
}  // namespace halvorn
