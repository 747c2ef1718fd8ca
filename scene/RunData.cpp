#include "scene/RunData.h"

#include <string>

#include "platform/runtime/Format.h"

namespace halvorn {

void WriteRunData(std::ostream& out, const TChartSeries& before, const TChartSeries& after) {
  out << "month,before,after\n";
  for (int i = 0; i < before.PointCount(); ++i) {
    out << ShortestText(before.XValueAt(i)) << ',' << ShortestText(before.YValueAt(i)) << ','
        << (i < after.PointCount() ? ShortestText(after.YValueAt(i)) : std::string()) << '\n';
  }
}

}  // namespace halvorn
