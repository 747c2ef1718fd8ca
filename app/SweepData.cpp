#include "app/SweepData.h"

#include <charconv>
#include <string>

namespace halvorn {
namespace {

// The tests by the names of the tool's --test option.
constexpr const char* kTestKeys[kTestCount] = {"equal", "unequal", "paired"};

// The shortest text that reads back as the same double.
std::string Shortest(double v) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
  return std::string(buffer, result.ptr);
}

}  // namespace

void WriteSweepData(std::ostream& out, TSlider slider, const std::vector<TSweepPoint>& sweep) {
  out << SliderSpec(slider).Option << ",position,runs";
  for (const char* test : kTestKeys)
    for (const char* column : {"significant", "failed", "power", "ci_low", "ci_high"})
      out << ',' << test << '_' << column;
  out << '\n';
  for (const TSweepPoint& point : sweep) {
    const TPowerResult& r = point.Result;
    out << point.Value << ',' << point.Position << ',' << r.Runs;
    for (int test = 0; test < kTestCount; ++test) {
      const TTestCounts& counts = r.Tests[static_cast<std::size_t>(test)];
      const TInterval ci = r.Ci95(test);
      out << ',' << counts.Significant << ',' << counts.Failed << ',' << Shortest(r.Power(test))
          << ',' << Shortest(ci.Lo) << ',' << Shortest(ci.Hi);
    }
    out << '\n';
  }
}

}  // namespace halvorn
