#include "sim/SliderTable.h"

namespace halvorn {
namespace {

const TSliderInfo* FindSlider(const std::string& name, const char* TSliderInfo::*field) {
  for (const TSliderInfo& s : kSliders)
    if (name == s.*field) return &s;
  return nullptr;
}

}  // namespace

const TSliderInfo* FindSliderByControl(const std::string& name) {
  return FindSlider(name, &TSliderInfo::Control);
}

const TSliderInfo* FindSliderByOption(const std::string& name) {
  return FindSlider(name, &TSliderInfo::Option);
}

std::string SliderCaption(TSlider slider) {
  const TSliderInfo& info = SliderInfo(slider);
  return info.Series ? std::string(info.Title) + " " + info.Series : info.Title;
}

}  // namespace halvorn
