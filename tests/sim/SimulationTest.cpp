#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "sim/Simulation.h"

namespace halvorn {
namespace {

TEST(Simulation, DefaultsAgreeWithTheSliderLayout) {
  const TSimulation sim;
  const SimParams& p = sim.Params();
  EXPECT_EQ(p.ErrorPctP, 10);
  EXPECT_EQ(p.ErrorPctM, 10);
  EXPECT_EQ(p.AmplitudeP, 40);
  EXPECT_EQ(p.AmplitudeM, 40);
  EXPECT_EQ(p.PhaseP, 6);
  EXPECT_EQ(p.PhaseM, 6);
  EXPECT_EQ(p.DifPct, 20);
  EXPECT_EQ(p.StepMonths, 1);
  EXPECT_EQ(p.SampleCount, 12);
  EXPECT_EQ(p.PeriodMonths, 12);
  EXPECT_EQ(p.BaselineP, 100);
  EXPECT_EQ(p.BaselineM, 120);
  EXPECT_EQ(sim.ResultT(), 0);
  EXPECT_EQ(sim.ResultP(), 0);
}

TEST(Simulation, SlidersWriteTheirParameterAndLabel) {
  const struct {
    TSlider slider;
    int position;
    const char* label;
    double SimParams::*field;
    double value;
  } cases[] = {
      {TSlider::ErrorP, 7, "35", &SimParams::ErrorPctP, 35},
      {TSlider::ErrorM, 40, "200", &SimParams::ErrorPctM, 200},
      {TSlider::AmpliP, 0, "0", &SimParams::AmplitudeP, 0},
      {TSlider::AmpliM, 20, "100", &SimParams::AmplitudeM, 100},
      {TSlider::FasiP, 1, "1", &SimParams::PhaseP, 1},
      {TSlider::FasiM, 12, "12", &SimParams::PhaseM, 12},
      {TSlider::Dif, 200, "200", &SimParams::DifPct, 200},
  };
  for (const auto& c : cases) {
    TSimulation sim;
    EXPECT_EQ(sim.SliderChanged(c.slider, c.position), c.label);
    EXPECT_EQ(sim.Params().*c.field, c.value) << c.label;
  }
  TSimulation sim;
  EXPECT_EQ(sim.SliderChanged(TSlider::Step, 6), "6");
  EXPECT_EQ(sim.Params().StepMonths, 6);
  EXPECT_EQ(sim.SliderChanged(TSlider::Samples, 200), "200");
  EXPECT_EQ(sim.Params().SampleCount, 200);
}

// Reading a slider's value back from the design gives what its label shows,
// at every end of every slider.
TEST(Simulation, EverySlidersValueReadsBackFromTheDesign) {
  for (const TSliderInfo& info : kSliders) {
    for (int position : {info.Min, info.Default, info.Max}) {
      SimParams params;
      const std::string label = ApplySlider(params, info.Slider, position);
      EXPECT_EQ(SliderValue(params, info.Slider), info.ValueAt(position)) << info.Control;
      EXPECT_EQ(label, SliderValueText(info, info.ValueAt(position))) << info.Control;
    }
  }
  // The correlation reads in hundredths.
  const TSliderInfo& rho = SliderInfo(TSlider::Correlation);
  const struct {
    int value;
    const char* text;
  } texts[] = {{0, "0.00"}, {5, "0.05"}, {50, "0.50"}, {95, "0.95"}, {100, "1.00"}, {-5, "-0.05"}};
  for (const auto& t : texts) EXPECT_EQ(SliderValueText(rho, t.value), t.text);
  EXPECT_EQ(SliderValueText(SliderInfo(TSlider::Dif), 37), "37");
}

TEST(Simulation, OnlyTheDifferenceMovesTheAfterBaseline) {
  TSimulation sim;
  sim.SliderChanged(TSlider::Dif, 0);
  EXPECT_EQ(sim.Params().BaselineM, 100);
  for (TSlider s : {TSlider::ErrorP, TSlider::AmpliM, TSlider::FasiP, TSlider::Step}) {
    sim.SliderChanged(s, 3);
    EXPECT_EQ(sim.Params().BaselineM, 100);
  }
  // 0.01 * 37 * 100 + 100 with an extended 0.01, rounded once to double.
  sim.SliderChanged(TSlider::Dif, 37);
  EXPECT_EQ(sim.Params().BaselineM, static_cast<double>(0.01L * 37 * 100 + 100));
  EXPECT_EQ(sim.Params().BaselineM, 137);
}

}  // namespace
}  // namespace halvorn
