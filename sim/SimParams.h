#pragma once
#include <cstdint>
#include <string>

#include "sim/SliderTable.h"

namespace halvorn {

// The after baseline follows the difference: 0.01 is an extended constant
// and the expression is rounded to double once.
constexpr double AfterBaseline(double difPct, double baselineP) {
  return static_cast<double>(0.01L * difPct * baselineP + baselineP);
}

// The parameters of a design: what the sliders set, each defaulting to its
// slider's default position. Suffix P: the before series; suffix M: the
// after series.
struct SimParams {
  static constexpr double Default(TSlider s) { return SliderInfo(s).DefaultValue(); }

  double ErrorPctP = Default(TSlider::ErrorP);  // maximum relative error, percent of the level
  double ErrorPctM = Default(TSlider::ErrorM);
  double BaselineP = 100;  // fixed
  double BaselineM = AfterBaseline(Default(TSlider::Dif), 100);
  double AmplitudeP = Default(TSlider::AmpliP);  // absolute height added to the baseline
  double AmplitudeM = Default(TSlider::AmpliM);
  double PhaseP = Default(TSlider::FasiP);  // month of the seasonal maximum
  double PhaseM = Default(TSlider::FasiM);
  double PeriodMonths = 12;               // fixed
  double DifPct = Default(TSlider::Dif);  // before/after difference, percent
  std::int32_t StepMonths = SliderInfo(TSlider::Step).DefaultValue();
  std::int32_t SampleCount = SliderInfo(TSlider::Samples).DefaultValue();

  friend bool operator==(const SimParams&, const SimParams&) = default;
};

// The effect of moving a slider to `position`: writes its parameter (the
// after baseline follows the difference) and returns the text of its value
// label.
std::string ApplySlider(SimParams& params, TSlider slider, int position);

// The value the slider's label shows for the design (position x scale).
int SliderValue(const SimParams& params, TSlider slider);

}  // namespace halvorn
