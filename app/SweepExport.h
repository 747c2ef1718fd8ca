#pragma once
// The power window's exports: the curve chart as a picture with the design
// written under it, or the sweep as data. The file dialog offers the two as
// file types; a name that says which by its extension is taken at its word,
// any other gets the chosen type's extension.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/raster/Bitmap.h"
#include "sim/SimParams.h"

namespace halvorn {

enum class TSweepExport { Picture, Data };

struct TExportTarget {
  TSweepExport Kind;
  std::string Path;
  friend bool operator==(const TExportTarget&, const TExportTarget&) = default;
};

// The file type filters of the save dialog, in the order of TSweepExport,
// and the type a filter stands for.
std::vector<std::string> SweepExportFilters();
TSweepExport SweepExportOfFilter(const std::string& filter);

// What saving at `path` with `chosen` picked in the dialog writes, and where:
// a name ending in .png or .csv (any case) is that type; any other gets the
// chosen type's extension appended.
TExportTarget ExportTargetFor(const std::string& path, TSweepExport chosen);

// What the picture's caption says: the sweep's settings, the design (every
// slider and the measurement model) and when it was computed.
struct TSweepCaption {
  SimParams Params;
  TSlider Slider = TSlider::Dif;
  std::int64_t RunsPerPoint = 0;
  int TargetPercent = 0;
  std::string When;  // "2026-12-09 20:15"
};

// The caption's lines for a picture `width` pixels wide, measured on `canvas`
// in its current font: the settings, then the design's items, wrapped.
std::vector<std::string> SweepCaptionLines(const TSweepCaption& caption, TCanvas& canvas,
                                           int width);

// The chart's picture with the caption written in a white band below it.
void DrawCaptionedPicture(const TBitmap& chart, const TSweepCaption& caption, TBitmap& picture);

// The local time now, as the caption writes it.
std::string CaptionTimeNow();

}  // namespace halvorn
