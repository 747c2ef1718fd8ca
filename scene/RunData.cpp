#include "scene/RunData.h"

#include <string>

#include "platform/runtime/Format.h"

namespace halvorn {
namespace {

// Whether sample i (0-based) of a series is censored, as "1" or "0"; empty
// beyond the series.
std::string CensoredText(std::span<const bool> flags, int i, int count) {
  if (i >= count || static_cast<std::size_t>(i) + 1 >= flags.size()) return "";
  return flags[static_cast<std::size_t>(i) + 1] ? "1" : "0";
}

}  // namespace

void WriteRunData(std::ostream& out, const TChartSeries& before, const TChartSeries& after,
                  const std::optional<TRunCensoring>& censoring) {
  out << "month,before,after" << (censoring ? ",before_censored,after_censored" : "") << '\n';
  for (int i = 0; i < before.PointCount(); ++i) {
    out << ShortestText(before.XValueAt(i)) << ',' << ShortestText(before.YValueAt(i)) << ','
        << (i < after.PointCount() ? ShortestText(after.YValueAt(i)) : std::string());
    if (censoring)
      out << ',' << CensoredText(censoring->Before, i, before.PointCount()) << ','
          << CensoredText(censoring->After, i, after.PointCount());
    out << '\n';
  }
}

}  // namespace halvorn
