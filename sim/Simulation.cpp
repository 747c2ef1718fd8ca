#include "sim/Simulation.h"

#include <cstring>

#include "platform/runtime/Exceptions.h"
#include "platform/runtime/FloatFormat.h"
#include "sim/RandomSource.h"
#include "sim/SeasonalSample.h"
#include "sim/StudentT.h"

namespace halvorn {

void TSimulation::GenerateSeries(TRunChart& chart) {
  // Every before sample is drawn before any after sample.
  if (params_.SampleCount >= static_cast<std::int32_t>(kSampleCapacity))
    throw EListError::IndexOutOfBounds(params_.SampleCount);
  GenerateOne(chart, 0, params_.BaselineP, params_.AmplitudeP, params_.PhaseP, params_.ErrorPctP,
              valuesP_);
  GenerateOne(chart, 1, params_.BaselineM, params_.AmplitudeM, params_.PhaseM, params_.ErrorPctM,
              valuesM_);
}

const double* TSimulation::Levels(TLevels& levels, double baseline, double amplitude,
                                  double phase) {
  const std::array<double, 5> design{static_cast<double>(params_.PeriodMonths),
                                     static_cast<double>(params_.StepMonths), baseline, amplitude,
                                     phase};
  // Compared bit for bit: a value that compares equal may still be
  // another (0 and -0).
  if (levels.Count == params_.SampleCount &&
      std::memcmp(levels.Design.data(), design.data(), sizeof design) == 0)
    return levels.Values.data();
  levels.Count = -1;
  try {
    for (std::int32_t i = 0; i < params_.SampleCount; ++i)
      levels.Values[static_cast<std::size_t>(i)] = SeasonalLevel(
          i * params_.StepMonths + 1, params_.PeriodMonths, baseline, amplitude, phase);
  } catch (...) {
    return nullptr;
  }
  levels.Design = design;
  levels.Count = params_.SampleCount;
  return levels.Values.data();
}

void TSimulation::GenerateOne(TRunChart& chart, int index, double baseline, double amplitude,
                              double phase, double error, SampleArray& values) {
  const double* levels = Levels(levels_[static_cast<std::size_t>(index)], baseline, amplitude, phase);
  // The series is fetched from the chart for every point, and the sample
  // count and step read at every step, as the window's Run does.
  chart.SeriesAt(index).ClearPoints();
  for (std::int32_t i = 0; i < params_.SampleCount; ++i) {
    const double t = i * params_.StepMonths + 1;
    const double v =
        levels != nullptr
            ? WithError(levels[i], RelativeError(RandomBelow(kErrorDraws), error))
            : SeasonalSample(t, params_.PeriodMonths, baseline, amplitude, phase, error);
    chart.SeriesAt(index).AppendXY(t, v);
    values[static_cast<std::size_t>(i) + 1] = ToSingle(v);
  }
}

void TSimulation::Run(TRunChart& chart, int testIndex, TRunResultView& view) {
  try {
    GenerateSeries(chart);
    const auto n = static_cast<std::uint32_t>(params_.SampleCount);
    switch (testIndex) {
      case ttEqualVariance:
        StudentTEqual(valuesP_, n, valuesM_, n, resultT_, resultP_);
        break;
      case ttUnequalVariance:
        StudentTUnequal(valuesP_, n, valuesM_, n, resultT_, resultP_);
        break;
      case ttPaired:
        StudentTPaired(valuesP_, valuesM_, n, resultT_, resultP_);
        break;
      default:
        break;  // no test: the previous result stays
    }
    view.SetTText(ResultText(resultT_));
    view.SetPText(ResultText(resultP_));
    view.SetSignificanceVisible(IsSignificant(resultP_));
  } catch (...) {
    view.SetTText("");
    view.SetPText("");
    view.SetSignificanceVisible(false);
    throw;
  }
}

std::string TSimulation::ResultText(float value) { return FloatToStrFixed(value, 15, 3); }

}  // namespace halvorn
