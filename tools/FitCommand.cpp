#include "tools/FitCommand.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

#include "platform/runtime/Exceptions.h"
#include "platform/runtime/Format.h"

namespace halvorn {
namespace {

// The record's level, whose size nothing bounds: four significant digits
// at least, the shortest exact text where fixed point would be unreadable.
std::string SignificantText(double v) {
  if (v == 0) return "0";
  const int exponent = static_cast<int>(std::floor(std::log10(std::abs(v))));
  if (exponent < -5 || exponent > 8) return ShortestText(v);
  return FixedText(v, std::max(0, 3 - exponent));
}

// A slider's value where the fit's settings put it: the same for both series.
std::string DesignText(const TSiteFit& fit, TSlider slider) {
  return SliderValueText(SliderInfo(slider), SliderValue(fit.Settings, slider));
}

// One estimate as both reports write it.
struct TFitRow {
  const char* Label;
  const char* JsonKey;
  std::string Estimate;      // for the text
  std::string EstimateJson;  // exact, or a JSON string
  std::string Design;        // the value the design takes, as its slider writes it
  std::string Note;          // text only
  std::string ExtraJson;     // further fields of the estimate's object
};

std::vector<TFitRow> FitRows(const TSiteFit& f) {
  const std::string model = ErrorModelInfo(f.ErrorModel).Key;
  const std::string designModel = ErrorModelInfo(f.Settings.ErrorModel).Key;
  return {
      {"baseline", "baseline", SignificantText(f.Level), ShortestText(f.Level),
       ShortestText(f.Settings.BaselineP), "the record's level is the design's baseline", ""},
      {"amplitude (%)", "amplitude", FixedText(f.AmplitudePct, 2), ShortestText(f.AmplitudePct),
       DesignText(f, TSlider::AmpliP), "", ""},
      {"phase (month)", "phase", FixedText(f.Phase, 2), ShortestText(f.Phase),
       DesignText(f, TSlider::FasiP), "", ""},
      {"error (%)", "error", FixedText(f.ErrorPct, 2), ShortestText(f.ErrorPct),
       DesignText(f, TSlider::ErrorP),
       f.ErrorModel == TErrorModel::Uniform
           ? "the maximum; coefficient of variation " + FixedText(f.ErrorCvPct, 2) + " %"
           : "the coefficient of variation",
       ", \"cv\": " + ShortestText(f.ErrorCvPct)},
      {"error model", "error_model", model, "\"" + model + "\"", designModel, "", ""},
      {"correlation", "correlation", FixedText(f.Correlation, 2), ShortestText(f.Correlation),
       DesignText(f, TSlider::Correlation), "", ""},
      {"year variation (%)", "year_variation", FixedText(f.YearVariationPct, 2),
       ShortestText(f.YearVariationPct), DesignText(f, TSlider::YearVariation), "", ""},
      {"detection limit", "detection_limit", ShortestText(f.DetectionLimit),
       ShortestText(f.DetectionLimit), DesignText(f, TSlider::DetectionLimit),
       f.DetectionLimit > 0
           ? FixedText(f.ScaledDetectionLimit, 2) + " at the design's baseline of 100"
           : "no value censored",
       ", \"scaled\": " + ShortestText(f.ScaledDetectionLimit)},
  };
}

std::string PadLeft(const std::string& s, std::size_t width) {
  return s.size() >= width ? s : std::string(width - s.size(), ' ') + s;
}

std::string PadRight(const std::string& s, std::size_t width) {
  return s.size() >= width ? s : s + std::string(width - s.size(), ' ');
}

// The record's fit, or none after saying why on standard error, the line
// starting with the command or option that named the file.
std::optional<TSiteFit> FitOrExplain(const std::string& path, const char* who) {
  try {
    return FitRecordFile(path);
  } catch (const EInOutError& e) {
    std::fprintf(stderr, "halvorn-cli: %s: %s\n", who, e.what());
  } catch (const EConvertError& e) {
    std::fprintf(stderr, "halvorn-cli: %s: %s\n", who, e.what());
  }
  return std::nullopt;
}

}  // namespace

TSiteFit FitRecordFile(const std::string& path) {
  try {
    return FitSite(TSiteRecord::ReadFile(path));
  } catch (const EConvertError& e) {
    throw EConvertError("\"" + path + "\": " + e.Message());
  }
}

std::string FitText(const TSiteFit& fit) {
  std::string s = Fmt("record: %d samples over %d months\n", fit.SampleCount, fit.MonthsSpanned);
  s += PadLeft("estimate", 30) + PadLeft("design", 9) + "\n";
  for (const TFitRow& row : FitRows(fit)) {
    s += PadRight(row.Label, 20) + PadLeft(row.Estimate, 10) + PadLeft(row.Design, 9);
    s += row.Note.empty() ? "\n" : "   " + row.Note + "\n";
  }
  return s +
         "the design takes the setting nearest each estimate, for both series "
         "(run and power: --from FILE)\n";
}

std::string FitJson(const TSiteFit& fit) {
  std::string s = "{";
  for (const TFitRow& row : FitRows(fit)) {
    const bool quoted = row.EstimateJson.front() == '"';
    s +=
        Fmt("\"%s\": {\"estimate\": %s%s, \"design\": %s}, ", row.JsonKey, row.EstimateJson.c_str(),
            row.ExtraJson.c_str(), (quoted ? "\"" + row.Design + "\"" : row.Design).c_str());
  }
  return s + Fmt("\"months\": %d, \"samples\": %d}\n", fit.MonthsSpanned, fit.SampleCount);
}

TCliOptions WithFittedSettings(const TCliOptions& options, const TSiteFit& fit) {
  TCliOptions started = options;
  started.Settings.clear();
  const auto given = [&](TSlider slider) {
    return std::ranges::any_of(options.Settings,
                               [&](const TCliSetting& s) { return s.Slider == slider; });
  };
  for (const TSliderInfo& o : kSliders) {
    // A record tells nothing of the design's difference, step or samples.
    if (o.Slider == TSlider::Dif || o.Slider == TSlider::Step || o.Slider == TSlider::Samples ||
        given(o.Slider))
      continue;
    started.Settings.push_back({o.Slider, SliderValue(fit.Settings, o.Slider) / o.Scale});
  }
  started.Settings.insert(started.Settings.end(), options.Settings.begin(), options.Settings.end());
  if (!options.ErrorModelGiven) started.ErrorModel = fit.Settings.ErrorModel;
  return started;
}

int RunFitCommand(const TCliOptions& options) {
  const std::optional<TSiteFit> fit = FitOrExplain(options.RecordPath, "fit");
  if (!fit) return 1;
  const std::string out =
      options.Format == TCliOptions::TFormat::Json ? FitJson(*fit) : FitText(*fit);
  std::fputs(out.c_str(), stdout);
  return 0;
}

bool StartFromRecord(TCliOptions& options) {
  if (options.RecordPath.empty()) return true;
  const std::optional<TSiteFit> fit = FitOrExplain(options.RecordPath, "--from");
  if (fit) options = WithFittedSettings(options, *fit);
  return fit.has_value();
}

}  // namespace halvorn
