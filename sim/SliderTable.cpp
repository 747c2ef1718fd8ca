#include "sim/SliderTable.h"

namespace halvorn {
namespace {

const TSliderSpec* FindSlider(const std::string& name, const char* TSliderSpec::*field) {
  for (const TSliderSpec& s : kSliders)
    if (name == s.*field) return &s;
  return nullptr;
}

}  // namespace

const TSliderSpec* FindSliderByControl(const std::string& name) {
  return FindSlider(name, &TSliderSpec::Control);
}

const TSliderSpec* FindSliderByOption(const std::string& name) {
  return FindSlider(name, &TSliderSpec::Option);
}

}  // namespace halvorn
