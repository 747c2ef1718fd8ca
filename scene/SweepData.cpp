#include "scene/SweepData.h"

#include <string>

#include "platform/runtime/Format.h"

namespace halvorn {

void WriteSweepData(std::ostream& out, TSlider slider, const std::vector<TSweepPoint>& sweep) {
  out << SliderInfo(slider).Option << ",position,runs";
  for (const TTestInfo& test : kTests)
    for (const char* column : {"significant", "failed", "power", "ci_low", "ci_high"})
      out << ',' << test.JsonKey << '_' << column;
  // The error columns come last, so that the earlier ones keep their places.
  for (const TTestInfo& test : kTests)
    for (const char* column : {"type_s", "type_m"}) out << ',' << test.JsonKey << '_' << column;
  out << '\n';
  for (const TSweepPoint& point : sweep) {
    const TPowerResult& r = point.Result;
    out << SliderValueText(SliderInfo(slider), point.Value) << ',' << point.Position << ','
        << r.Runs;
    for (const TTestInfo& test : kTests) {
      const TTestCounts& counts = r.Counts(test.Kind);
      const TInterval ci = r.Ci95(test.Kind);
      out << ',' << counts.Significant << ',' << counts.Failed << ','
          << ShortestText(r.Power(test.Kind)) << ',' << ShortestText(ci.Lo) << ','
          << ShortestText(ci.Hi);
    }
    for (const TTestInfo& test : kTests)
      for (const std::optional<double> v :
           {r.TypeS(test.Kind, point.LevelDifference), r.TypeM(test.Kind, point.LevelDifference)})
        out << ',' << (v ? ShortestText(*v) : "");
    out << '\n';
  }
}

}  // namespace halvorn
