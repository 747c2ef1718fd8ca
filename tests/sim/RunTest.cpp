#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/runtime/Exceptions.h"
#include "sim/RandomSource.h"
#include "sim/Simulation.h"
#include "sim/SliderTable.h"

namespace halvorn {
namespace {

class TRecordedResult : public TRunResultView {
 public:
  void SetTText(const std::string& text) override { t = text; }
  void SetPText(const std::string& text) override { p = text; }
  void SetSignificanceVisible(bool visible) override { significant = visible; }
  std::string t = "stale", p = "stale";
  bool significant = true;
};

// The two series of a chart, as plain lists of points.
class TRecordedChart : public TRunChart {
 public:
  struct TSeries final : TRunSeries {
    void ClearPoints() override { points.clear(); }
    void AppendXY(double x, double y) override { points.emplace_back(x, y); }
    int PointCount() const { return static_cast<int>(points.size()); }
    double XValueAt(int i) const { return points.at(static_cast<std::size_t>(i)).first; }
    double YValueAt(int i) const { return points.at(static_cast<std::size_t>(i)).second; }
    std::vector<std::pair<double, double>> points;
  };
  TRunSeries& SeriesAt(int index) override {
    if (index < 0 || index > 1) throw EListError::IndexOutOfBounds(index);
    return series[index];
  }
  TSeries& Before() { return series[0]; }
  TSeries& After() { return series[1]; }
  TSeries series[2];
};

class RunTest : public ::testing::Test {
 protected:
  void SetUp() override { SeedRandom(1); }
  TRecordedChart chart_;
  TSimulation sim_;
  TRecordedResult view_;
};

TEST_F(RunTest, FirstRunOfEachTestInAFreshProcess) {
  const struct {
    TTestKind test;
    const char *t, *p;
    bool significant;
  } cases[] = {{TTestKind::EqualVariance, "-1.650", "0.113", false},
               {TTestKind::UnequalVariance, "-1.650", "0.113", false},
               {TTestKind::Paired, "-8.742", "0.000", true}};
  for (const auto& c : cases) {
    SeedRandom(1);
    TRecordedChart chart;
    TSimulation sim;
    TRecordedResult view;
    sim.Run(chart, c.test, view);
    EXPECT_EQ(view.t, c.t);
    EXPECT_EQ(view.p, c.p);
    EXPECT_EQ(view.significant, c.significant);
  }
}

TEST_F(RunTest, SeriesAndSampleArraysHoldTheSameSamples) {
  sim_.Run(chart_, TTestKind::EqualVariance, view_);
  ASSERT_EQ(chart_.Before().PointCount(), 12);
  ASSERT_EQ(chart_.After().PointCount(), 12);
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(chart_.Before().XValueAt(i), i + 1);
    EXPECT_EQ(chart_.After().XValueAt(i), i + 1);
    // The arrays hold the chart's doubles rounded to single precision.
    EXPECT_EQ(sim_.ValuesP()[i + 1], static_cast<float>(chart_.Before().YValueAt(i)));
    EXPECT_EQ(sim_.ValuesM()[i + 1], static_cast<float>(chart_.After().YValueAt(i)));
  }
  EXPECT_NEAR(chart_.Before().YValueAt(0), 68.002101, 5e-7);
  EXPECT_NE(static_cast<double>(sim_.ValuesP()[1]), chart_.Before().YValueAt(0));
}

TEST_F(RunTest, SecondRunDrawsNewSamplesAtTheSameMonths) {
  sim_.Run(chart_, TTestKind::EqualVariance, view_);
  const double first = chart_.Before().YValueAt(0);
  const std::string firstT = view_.t;
  sim_.Run(chart_, TTestKind::EqualVariance, view_);
  EXPECT_EQ(chart_.Before().PointCount(), 12);
  EXPECT_EQ(chart_.Before().XValueAt(11), 12);
  EXPECT_NE(chart_.Before().YValueAt(0), first);
  EXPECT_NE(view_.t, firstT);
}

// Runs of one design share work; a slider moved between two Runs must still
// give the second Run exactly the samples of a first Run of the new design
// from the same generator state.
TEST_F(RunTest, ASliderMovedBetweenRunsIsSeenByTheNextRun) {
  for (const TSliderInfo& spec : kSliders) {
    const int position = spec.Default == spec.Max ? spec.Min : spec.Default + 1;
    TSimulation sim;
    TRecordedChart chart;
    sim.Run(chart, TTestKind::EqualVariance, view_);
    sim.Run(chart, TTestKind::EqualVariance, view_);
    const std::uint64_t state = RandomState;
    sim.SliderChanged(spec.Slider, position);
    sim.Run(chart, TTestKind::EqualVariance, view_);

    TSimulation fresh;
    TRecordedChart expected;
    fresh.SliderChanged(spec.Slider, position);
    RandomState = state;
    fresh.Run(expected, TTestKind::EqualVariance, view_);
    EXPECT_EQ(chart.Before().points, expected.Before().points) << spec.Control;
    EXPECT_EQ(chart.After().points, expected.After().points) << spec.Control;
  }
}

TEST_F(RunTest, LongestDesignEndsAtMonth1195) {
  sim_.SliderChanged(TSlider::Step, 6);
  sim_.SliderChanged(TSlider::Samples, 200);
  sim_.Run(chart_, TTestKind::EqualVariance, view_);
  ASSERT_EQ(chart_.After().PointCount(), 200);
  EXPECT_EQ(chart_.Before().XValueAt(199), 1195);
  EXPECT_EQ(chart_.After().XValueAt(199), 1195);
}

TEST_F(RunTest, FailedRunShowsNoResultButKeepsTheNewSeries) {
  sim_.Run(chart_, TTestKind::EqualVariance, view_);
  const float t = sim_.ResultT(), p = sim_.ResultP();
  ASSERT_EQ(view_.t, "-1.650");
  for (TSlider s : {TSlider::ErrorP, TSlider::ErrorM, TSlider::AmpliP, TSlider::AmpliM})
    sim_.SliderChanged(s, 0);
  EXPECT_THROW(sim_.Run(chart_, TTestKind::EqualVariance, view_), EZeroDivide);
  EXPECT_EQ(view_.t, "");
  EXPECT_EQ(view_.p, "");
  EXPECT_FALSE(view_.significant);
  EXPECT_EQ(sim_.ResultT(), t);
  EXPECT_EQ(sim_.ResultP(), p);
  // The constant series were plotted before the test trapped.
  ASSERT_EQ(chart_.After().PointCount(), 12);
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(chart_.Before().YValueAt(i), 100);
    EXPECT_EQ(chart_.After().YValueAt(i), 120);
  }
  // A following Run with other settings works.
  sim_.SliderChanged(TSlider::ErrorP, 2);
  sim_.Run(chart_, TTestKind::EqualVariance, view_);
  EXPECT_FALSE(view_.t.empty());
}

TEST_F(RunTest, NoTestSelectedKeepsThePreviousResult) {
  sim_.Run(chart_, TTestKind::Paired, view_);
  sim_.Run(chart_, TestAt(-1), view_);
  EXPECT_EQ(view_.t, "-8.742");
  EXPECT_EQ(view_.p, "0.000");
  EXPECT_TRUE(view_.significant);
}

}  // namespace
}  // namespace halvorn
