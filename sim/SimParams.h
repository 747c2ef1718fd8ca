#pragma once
#include <cstdint>

namespace halvorn {

// The parameters that the sliders set. Suffix P: the before series; suffix
// M: the after series. The defaults agree with the layout's slider positions.
struct SimParams {
  double ErrorPctP = 10;  // maximum relative error, percent of the level
  double ErrorPctM = 10;
  double BaselineP = 100;  // fixed
  double BaselineM = 120;  // derived from DifPct and BaselineP
  double AmplitudeP = 40;  // absolute height added to the baseline
  double AmplitudeM = 40;
  double PhaseP = 6;  // month of the seasonal maximum
  double PhaseM = 6;
  double PeriodMonths = 12;
  double DifPct = 20;  // before/after difference, percent
  std::int32_t StepMonths = 1;
  std::int32_t SampleCount = 12;
};

}  // namespace halvorn
