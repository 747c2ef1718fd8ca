#pragma once
// The sliders of a design, as one table: what each slider sets, its range
// and default, the controls of the window that show it and the option of the
// command-line tool that stands for it. The first nine are the main window's;
// the others set the measurement model and sit in the model window.
// Everything else (the parameters' defaults, the windows' slider rows, the
// tool's options and help, the power sweeps) is derived from this table.

#include <array>
#include <cstddef>
#include <span>
#include <string>

namespace halvorn {

// The sliders, in the order of the table.
enum class TSlider {
  ErrorP,
  ErrorM,
  AmpliP,
  AmpliM,
  FasiP,
  FasiM,
  Dif,
  Step,
  Samples,
  Correlation,
  YearVariation,
  DetectionLimit
};

struct TSliderInfo {
  TSlider Slider;
  const char* Control;  // the scroll bar of the window
  const char* Label;    // the label that shows the slider's value
  const char* Title;    // the window's title of the slider's row
  const char* Series;   // the caption of the series' box; null for both series
  const char* Option;   // the tool's option, without dashes
  const char* JsonKey;  // the design's field in the tool's JSON
  const char* ValueName;
  const char* Description;
  int Min, Max;  // slider positions
  int Scale;     // the value a position stands for is position x Scale
  int Default;   // position
  // The value is shown in units of 10^-Decimals: a correlation of 50 reads
  // "0.50".
  int Decimals = 0;
  bool Model = false;  // an option of the measurement model

  constexpr int ValueAt(int position) const { return position * Scale; }
  // A value in the units shown: 0.5 for a correlation of 50.
  constexpr double Shown(int value) const {
    double v = value;
    for (int d = 0; d < Decimals; ++d) v /= 10;
    return v;
  }
  constexpr int MinValue() const { return ValueAt(Min); }
  constexpr int MaxValue() const { return ValueAt(Max); }
  constexpr int DefaultValue() const { return ValueAt(Default); }
  constexpr int PositionCount() const { return Max - Min + 1; }
};

// The captions of the two series' boxes.
inline constexpr const char* kBeforeCaption = "Πριν";
inline constexpr const char* kAfterCaption = "Μετά";

inline constexpr std::array<TSliderInfo, 12> kSliders{{
    {TSlider::ErrorP, "ErrorP", "LErrorP", "Σφάλμα(%)", kBeforeCaption, "error-before",
     "error_before", "PCT", "Maximum measurement error before, percent.", 0, 40, 5, 2},
    {TSlider::ErrorM, "ErrorM", "LErrorM", "Σφάλμα(%)", kAfterCaption, "error-after", "error_after",
     "PCT", "Maximum measurement error after, percent.", 0, 40, 5, 2},
    {TSlider::AmpliP, "AmpliP", "LAmpliP", "Εύρος(%)", kBeforeCaption, "amplitude-before",
     "amplitude_before", "V", "Seasonal amplitude before.", 0, 20, 5, 8},
    {TSlider::AmpliM, "AmpliM", "LAmpliM", "Εύρος(%)", kAfterCaption, "amplitude-after",
     "amplitude_after", "V", "Seasonal amplitude after.", 0, 20, 5, 8},
    {TSlider::FasiP, "FasiP", "LFasiP", "Φάση", kBeforeCaption, "phase-before", "phase_before", "M",
     "Month of the seasonal maximum before.", 1, 12, 1, 6},
    {TSlider::FasiM, "FasiM", "LFasiM", "Φάση", kAfterCaption, "phase-after", "phase_after", "M",
     "Month of the seasonal maximum after.", 1, 12, 1, 6},
    {TSlider::Dif, "Dif", "LDif", "Διαφορά Πριν-Μετά (%)", nullptr, "difference", "difference",
     "PCT", "Difference between before and after, percent.", 0, 200, 1, 20},
    {TSlider::Step, "Step", "LStep", "Μήνες μεταξύ δειγμάτων", nullptr, "step", "step", "MONTHS",
     "Months between samples.", 1, 6, 1, 1},
    {TSlider::Samples, "Samples", "LSamples", "Αριθμός δειγμάτων", nullptr, "samples", "samples",
     "N", "Number of samples per series.", 3, 200, 1, 12},
    {TSlider::Correlation, "Correlation", "LCorrelation", "Αυτοσυσχέτιση ρ", nullptr, "correlation",
     "correlation", "R", "Month-to-month correlation of the errors of a series.", 0, 19, 5, 0, 2,
     true},
    {TSlider::YearVariation, "YearVariation", "LYearVariation", "Διακύμανση ετών (%)", nullptr,
     "year-variation", "year_variation", "PCT",
     "Year-to-year variation of a series' level, percent (standard deviation).", 0, 10, 5, 0, 0,
     true},
    {TSlider::DetectionLimit, "DetectionLimit", "LDetectionLimit", "Όριο ανίχνευσης", nullptr,
     "detection-limit", "detection_limit", "V",
     "Detection limit in the parameter's units; below it a sample is censored (0: none).", 0, 30, 5,
     0, 0, true},
}};

// The main window's sliders: the first rows of the table.
inline constexpr std::size_t kWindowSliderCount = 9;
constexpr std::span<const TSliderInfo> WindowSliders() {
  return std::span(kSliders).first(kWindowSliderCount);
}
// The measurement model's sliders: the rest.
constexpr std::span<const TSliderInfo> ModelSliders() {
  return std::span(kSliders).subspan(kWindowSliderCount);
}

constexpr const TSliderInfo& SliderInfo(TSlider slider) {
  return kSliders[static_cast<std::size_t>(slider)];
}

// The slider whose window control or tool option is `name`; null when none.
const TSliderInfo* FindSliderByControl(const std::string& name);
const TSliderInfo* FindSliderByOption(const std::string& name);

// The slider's parameter as the window names it: its row's title, followed
// for a series' slider by the caption of the series' box ("Φάση Πριν").
std::string SliderCaption(TSlider slider);

// A slider's value as its label and the tool show it, with "." as the
// decimal separator: "10", "0.50".
std::string SliderValueText(const TSliderInfo& info, int value);

}  // namespace halvorn
