#include "sim/SimParams.h"

#include <cmath>

namespace halvorn {

std::string ApplySlider(SimParams& params, TSlider slider, int position) {
  // The label shows the integer product, the parameter the double product
  // of the position and the slider's scale.
  const double value = static_cast<double>(position) * SliderInfo(slider).Scale;
  switch (slider) {
    case TSlider::ErrorP:
      params.ErrorPctP = value;
      break;
    case TSlider::ErrorM:
      params.ErrorPctM = value;
      break;
    case TSlider::AmpliP:
      params.AmplitudeP = value;
      break;
    case TSlider::AmpliM:
      params.AmplitudeM = value;
      break;
    case TSlider::FasiP:
      params.PhaseP = value;
      break;
    case TSlider::FasiM:
      params.PhaseM = value;
      break;
    case TSlider::Dif:
      params.DifPct = value;
      params.BaselineM = AfterBaseline(params.DifPct, params.BaselineP);
      break;
    case TSlider::Step:
      params.StepMonths = position;
      break;
    case TSlider::Samples:
      params.SampleCount = position;
      break;
    case TSlider::Correlation:
      params.Correlation = value / 100;
      break;
    case TSlider::YearVariation:
      params.YearVariationPct = value;
      break;
    case TSlider::DetectionLimit:
      params.DetectionLimit = value;
      break;
  }
  const TSliderInfo& info = SliderInfo(slider);
  return SliderValueText(info, info.ValueAt(position));
}

int SliderValue(const SimParams& p, TSlider slider) {
  switch (slider) {
    case TSlider::ErrorP:
      return static_cast<int>(std::lround(p.ErrorPctP));
    case TSlider::ErrorM:
      return static_cast<int>(std::lround(p.ErrorPctM));
    case TSlider::AmpliP:
      return static_cast<int>(std::lround(p.AmplitudeP));
    case TSlider::AmpliM:
      return static_cast<int>(std::lround(p.AmplitudeM));
    case TSlider::FasiP:
      return static_cast<int>(std::lround(p.PhaseP));
    case TSlider::FasiM:
      return static_cast<int>(std::lround(p.PhaseM));
    case TSlider::Dif:
      return static_cast<int>(std::lround(p.DifPct));
    case TSlider::Step:
      return p.StepMonths;
    case TSlider::Samples:
      return p.SampleCount;
    case TSlider::Correlation:
      return static_cast<int>(std::lround(p.Correlation * 100));
    case TSlider::YearVariation:
      return static_cast<int>(std::lround(p.YearVariationPct));
    case TSlider::DetectionLimit:
      return static_cast<int>(std::lround(p.DetectionLimit));
  }
  return 0;
}

}  // namespace halvorn
