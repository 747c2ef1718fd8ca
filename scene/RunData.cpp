#include "scene/RunData.h"

#include <charconv>
#include <string>

namespace halvorn {
namespace {

// The shortest text that reads back as the same double.
std::string Shortest(double v) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
  return std::string(buffer, result.ptr);
}

}  // namespace

void WriteRunData(std::ostream& out, const TChartSeries& before, const TChartSeries& after) {
  out << "month,before,after\n";
  for (int i = 0; i < before.PointCount(); ++i) {
    out << Shortest(before.XValueAt(i)) << ',' << Shortest(before.YValueAt(i)) << ','
        << (i < after.PointCount() ? Shortest(after.YValueAt(i)) : std::string()) << '\n';
  }
}

}  // namespace halvorn
