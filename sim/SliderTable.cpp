#include "sim/SliderTable.h"

#include <cstdlib>

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

std::string SliderValueText(const TSliderInfo& info, int value) {
  if (info.Decimals == 0) return std::to_string(value);
  int unit = 1;
  for (int d = 0; d < info.Decimals; ++d) unit *= 10;
  const std::string fraction = std::to_string(std::abs(value) % unit);
  return (value < 0 ? "-" : "") + std::to_string(std::abs(value) / unit) + "." +
         std::string(static_cast<std::size_t>(info.Decimals) - fraction.size(), '0') + fraction;
}

std::string SliderCaption(TSlider slider) {
  const TSliderInfo& info = SliderInfo(slider);
  return info.Series ? std::string(info.Title) + " " + info.Series : info.Title;
}

}  // namespace halvorn
