#include "sim/SimParams.h"

namespace halvorn {

std::string ApplySlider(SimParams& params, TSlider slider, int position) {
  // The label shows the integer product, the parameter the double product
  // of the position and the slider's scale.
  const double value = static_cast<double>(position) * SliderSpec(slider).Scale;
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
  }
  return std::to_string(SliderSpec(slider).ValueAt(position));
}

}  // namespace halvorn
