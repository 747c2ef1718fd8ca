#include "app/SweepExport.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <ctime>
#include <filesystem>

#include "app/ModelWindow.h"
#include "app/PowerWindowLayout.h"
#include "platform/forms/FormLayout.h"
#include "sim/SliderTable.h"

namespace halvorn {
namespace {

struct TExportType {
  TSweepExport Kind;
  const char* Extension;
  const char* Filter;
};
constexpr TExportType kExportTypes[] = {
    {TSweepExport::Picture, ".png", "Εικόνα PNG (*.png)"},
    {TSweepExport::Data, ".csv", "Πίνακας CSV (*.csv)"},
};

const TExportType& TypeOf(TSweepExport kind) {
  return *std::ranges::find(kExportTypes, kind, &TExportType::Kind);
}

constexpr int kCaptionMargin = 8;
constexpr int kCaptionLineHeight = 16;
const TFontLayout kCaptionFont{"Arial", -11, false, clBlack};

}  // namespace

std::vector<std::string> SweepExportFilters() {
  std::vector<std::string> filters;
  for (const TExportType& type : kExportTypes) filters.emplace_back(type.Filter);
  return filters;
}

TSweepExport SweepExportOfFilter(const std::string& filter) {
  for (const TExportType& type : kExportTypes)
    if (filter == type.Filter) return type.Kind;
  return TSweepExport::Picture;
}

TExportTarget ExportTargetFor(const std::string& path, TSweepExport chosen) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::ranges::transform(extension, extension.begin(),
                         [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const TExportType& type : kExportTypes)
    if (extension == type.Extension) return {type.Kind, path};
  return {chosen, path + TypeOf(chosen).Extension};
}

std::vector<std::string> SweepCaptionLines(const TSweepCaption& caption, TCanvas& canvas,
                                           int width) {
  std::vector<std::string> lines = {
      "Halvorn · Ισχύς του σχεδιασμού · " + caption.When,
      "Παράμετρος: " + SliderCaption(caption.Slider) + " · " + GroupedCount(caption.RunsPerPoint) +
          " Run ανά σημείο · στόχος " + std::to_string(caption.TargetPercent) + " %"};
  // The design: every slider but the swept one, whose value the axis shows.
  std::vector<std::string> items;
  for (const TSliderInfo& info : kSliders)
    if (info.Slider != caption.Slider)
      items.push_back(SliderCaption(info.Slider) + " " +
                      SliderValueText(info, SliderValue(caption.Params, info.Slider)));
  const std::string model = ModelSummary(caption.Params);
  if (!model.empty()) items.push_back(model);
  std::string line = "Σχεδιασμός: ";
  bool first = true;
  for (const std::string& item : items) {
    const std::string longer = line + (first ? "" : " · ") + item;
    if (!first && canvas.TextWidth(longer) > width - 2 * kCaptionMargin) {
      lines.push_back(line);
      line = item;
    } else {
      line = longer;
    }
    first = false;
  }
  lines.push_back(line);
  return lines;
}

void DrawCaptionedPicture(const TBitmap& chart, const TSweepCaption& caption, TBitmap& picture) {
  // Measured in the caption's font before the picture has its final size.
  picture.Recreate(chart.Width(), 1, TPixelFormat::pf32bit);
  TCanvas& canvas = picture.Canvas();
  LoadFont(canvas.Font(), kCaptionFont);
  const std::vector<std::string> lines = SweepCaptionLines(caption, canvas, chart.Width());
  const int band = 2 * kCaptionMargin + kCaptionLineHeight * static_cast<int>(lines.size());
  picture.Recreate(chart.Width(), chart.Height() + band, TPixelFormat::pf32bit);
  canvas.Draw(0, 0, chart);
  canvas.Brush().SetStyle(bsClear);
  for (std::size_t i = 0; i < lines.size(); ++i)
    canvas.TextOut(kCaptionMargin,
                   chart.Height() + kCaptionMargin + kCaptionLineHeight * static_cast<int>(i),
                   lines[i]);
}

std::string CaptionTimeNow() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
  return text;
}

}  // namespace halvorn
