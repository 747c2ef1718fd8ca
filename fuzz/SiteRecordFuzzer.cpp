// A site's monitoring record: any bytes either read and fit, or are refused
// with EConvertError. Another exception escapes and ends the run as a
// finding; a fit that succeeds must be finite, with its level positive (a
// fitted level below zero in some month is refused) and its settings where
// the sliders can go.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/runtime/Exceptions.h"
#include "sim/SiteFit.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace halvorn;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  TSiteRecord record;
  try {
    record = TSiteRecord::Parse(text);
  } catch (const EConvertError& e) {
    Require(e.what()[0] != 0);
    return 0;
  }
  Require(!record.Samples().empty() && record.MonthsSpanned() >= TSiteRecord::kMinMonths);
  for (const TSiteSample& s : record.Samples())
    Require(s.Month >= 1 && s.Month <= 12 && std::isfinite(s.Value) && s.Value >= 0);
  TSiteFit fit;
  try {
    fit = FitSite(record);
  } catch (const EConvertError& e) {
    Require(e.what()[0] != 0);
    return 0;
  }
  for (const double v :
       {fit.Level, fit.AmplitudePct, fit.Phase, fit.ErrorCvPct, fit.ErrorPct, fit.Correlation,
        fit.YearVariationPct, fit.DetectionLimit, fit.ScaledDetectionLimit})
    Require(std::isfinite(v));
  Require(fit.Level > 0 && fit.AmplitudePct >= 0 && fit.Phase >= 1 && fit.Phase < 13);
  Require(fit.ErrorCvPct >= 0 && fit.YearVariationPct >= 0 && std::abs(fit.Correlation) < 1);
  Require(fit.SampleCount == static_cast<std::int32_t>(record.Samples().size()));
  Require(fit.MonthsSpanned == record.MonthsSpanned());
  for (const TSliderInfo& o : kSliders) {
    const int v = SliderValue(fit.Settings, o.Slider);
    Require(v >= o.MinValue() && v <= o.MaxValue());
  }
  return 0;
}
