#pragma once
#include <cstdint>
#include <string>

#include "sim/MeasurementModel.h"
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
//
// The measurement model's defaults are the model of independent, uniform,
// uncensored errors with no year effect, whose Runs they reproduce bit for
// bit. Otherwise:
//  - Normal and lognormal errors take the error percentage as their
//    coefficient of variation; the lognormal keeps the level as its mean.
//  - With a correlation rho, the standardised errors of a series follow an
//    AR(1) process month by month: samples `step` months apart correlate
//    rho^step, and each series starts from the stationary distribution.
//  - With a year-to-year variation Y, the level of each calendar year of a
//    series (months 1-12, 13-24, ...) is multiplied by 1 + Y/100 z, z a
//    standard normal deviate drawn at the start of that year.
//  - With a detection limit L > 0, a sample below L is censored, and the
//    tests take L/2 in its place.
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
  TErrorModel ErrorModel = TErrorModel::Uniform;
  double Correlation = 0;       // month to month, 0 to 0.95
  double YearVariationPct = 0;  // the standard deviation of a year's level factor, percent
  double DetectionLimit = 0;    // in the parameter's units; 0: none

  // Whether the measurement model is the default one.
  bool DefaultModel() const {
    return ErrorModel == TErrorModel::Uniform && Correlation == 0 && YearVariationPct == 0 &&
           DetectionLimit == 0;
  }

  friend bool operator==(const SimParams&, const SimParams&) = default;
};

// The true difference of a design, which its Runs estimate: the after
// baseline less the before baseline, in the parameter's units.
constexpr double LevelDifference(const SimParams& p) { return p.BaselineM - p.BaselineP; }

// The effect of moving a slider to `position`: writes its parameter (the
// after baseline follows the difference) and returns the text of its value
// label.
std::string ApplySlider(SimParams& params, TSlider slider, int position);

// The value the slider's label shows for the design (position x scale; in
// hundredths for the correlation).
int SliderValue(const SimParams& params, TSlider slider);

}  // namespace halvorn
