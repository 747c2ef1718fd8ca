#include "sim/Simulation.h"

#include "chart/ChartSeries.h"
#include "chart/CustomAxisPanel.h"
#include "platform/runtime/FloatFormat.h"
#include "sim/SeasonalSample.h"
#include "sim/StudentT.h"

namespace halvorn {
namespace {

// BaselineM follows the difference: 0.01 is an extended constant and the
// expression is rounded to double once.
double AfterBaseline(double difPct, double baselineP) {
  return ToDouble(0.01L * difPct * baselineP + baselineP);
}

}  // namespace

TSimulation::TSimulation() {
  params_.ErrorPctP = 10;
  params_.ErrorPctM = 10;
  params_.AmplitudeP = 40;
  params_.AmplitudeM = 40;
  params_.PhaseP = 6;
  params_.PhaseM = 6;
  params_.DifPct = 20;
  params_.StepMonths = 1;
  params_.PeriodMonths = 12;
  params_.BaselineP = 100;
  params_.BaselineM = AfterBaseline(params_.DifPct, params_.BaselineP);
  params_.SampleCount = 12;
}

std::string TSimulation::SliderChanged(TSlider slider, int position) {
  // Errors and amplitudes move in steps of 5: the label shows the integer
  // product, the parameter the double product.
  const double scaled = static_cast<double>(position) * 5.0;
  switch (slider) {
    case TSlider::ErrorP:
      params_.ErrorPctP = scaled;
      return std::to_string(position * 5);
    case TSlider::ErrorM:
      params_.ErrorPctM = scaled;
      return std::to_string(position * 5);
    case TSlider::AmpliP:
      params_.AmplitudeP = scaled;
      return std::to_string(position * 5);
    case TSlider::AmpliM:
      params_.AmplitudeM = scaled;
      return std::to_string(position * 5);
    case TSlider::FasiP:
      params_.PhaseP = position;
      break;
    case TSlider::FasiM:
      params_.PhaseM = position;
      break;
    case TSlider::Dif:
      params_.DifPct = position;
      params_.BaselineM = AfterBaseline(params_.DifPct, params_.BaselineP);
      break;
    case TSlider::Step:
      params_.StepMonths = position;
      break;
    case TSlider::Samples:
      params_.SampleCount = position;
      break;
  }
  return std::to_string(position);
}

void TSimulation::GenerateSeries(TCustomAxisPanel& chart) {
  // Every before sample is drawn before any after sample. The parameters
  // are read afresh at every step, and the series fetched for every point.
  if (params_.SampleCount >= static_cast<std::int32_t>(kSampleCapacity))
    throw EListError::IndexOutOfBounds(params_.SampleCount);
  chart.SeriesAt(0)->ClearPoints();
  for (std::int32_t i = 0; i < params_.SampleCount; ++i) {
    const double t = i * params_.StepMonths + 1;
    const double v = SeasonalSample(t, params_.PeriodMonths, params_.BaselineP, params_.AmplitudeP,
                                    params_.PhaseP, params_.ErrorPctP);
    chart.SeriesAt(0)->AppendXY(t, v, "", clAutoColor);
    valuesP_[static_cast<std::size_t>(i) + 1] = ToSingle(v);
  }
  chart.SeriesAt(1)->ClearPoints();
  for (std::int32_t i = 0; i < params_.SampleCount; ++i) {
    const double t = static_cast<double>(i * params_.StepMonths) + 1.0;
    const double v = SeasonalSample(t, params_.PeriodMonths, params_.BaselineM, params_.AmplitudeM,
                                    params_.PhaseM, params_.ErrorPctM);
    chart.SeriesAt(1)->AppendXY(t, v, "", clAutoColor);
    valuesM_[static_cast<std::size_t>(i) + 1] = ToSingle(v);
  }
}

void TSimulation::Run(TCustomAxisPanel& chart, int testIndex, TRunResultView& view) {
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
