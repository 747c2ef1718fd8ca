// Where the labels of an axis go, without a chart: the label count for a
// label size, the step for that count and the values that get a label.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "chart/LabelSteps.h"

namespace halvorn {
namespace {

TEST(LabelSteps, StepAndValuesForRangeAndRoom) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  // A step that a double holds exactly, so that its multiples are exact.
  constexpr double kStep = 1.0 / 1024;
  const struct {
    const char* name;
    double min, max;
    int span, size;  // pixels along the axis, and of the widest label
    double increment;
    int separation;
    bool roundFirst;
    double step;
    std::size_t count;  // label values, from first down to last
    double first, last;
  } cases[] = {
      {"reversed range: its step, no labels", 5, 1, 800, 50, 0, 10, true, 1, 0, 0, 0},
      {"tiny range: small decades", 0, 2.5e-11, 800, 50, 0, 10, true, 2e-12, 13, 2.4e-11, 0},
      {"huge range: walks the decades", 0, 1e12, 800, 50, 0, 10, true, 1e11, 11, 1e12, 0},
      {"zero-straddling range", -1, 0.9, 300, 20, 0.3, 10, true, 0.3, 7, 0.9, -0.9},
      {"straddling, first label the maximum", -0.95, 0.95, 300, 20, 0.5, 10, false, 0.5, 4, 0.95,
       -0.55},
      {"RoundFirstLabel: a multiple of the step", 0.5, 3.7, 300, 20, 0, 10, true, 1, 3, 3, 1},
      {"without it: the maximum", 0.5, 3.7, 300, 20, 0, 10, false, 1, 4, 3.7, 0.7},
      {"a negative maximum rounds below itself", -4.5, -2.5, 300, 20, 0, 10, true, 1, 2, -3, -4},
      {"a range of one value: that value", 0, 0, 100, 10, 0, 10, true, 1e-12, 1, 0, 0},
      {"one value a hair below zero: zero", -1e-30, -1e-30, 100, 10, 0, 10, true, 1e-12, 1, 0, 0},
      {"just under 10000 steps: all labels", 0, 9999 * kStep, 800, 50, kStep, 0, true, kStep, 10000,
       9999 * kStep, 0},
      {"10000 steps: no labels", 0, 10000 * kStep, 800, 50, kStep, 0, true, kStep, 0, 0, 0},
      {"no separation keeps 1 however crowded", 0, 1200, 800, 50, 0, 0, true, 1, 1201, 1200, 0},
      {"a set increment grows along the nice steps", 0, 100, 800, 50, 3, 10, true, 10, 11, 100, 0},
      {"below one label: the smallest step", 0, 100, 20, 50, 5, 10, true, 1e-12, 0, 0, 0},
      {"quotient 2147483647 is not rounded: grows", 0, 2147483647, 2147483647, 1, 0, 10, true, 2, 0,
       0, 0},
      {"quotient just below it is rounded: fits", 0, 2147483646, 2147483647, 1, 0, 10, true, 1, 0,
       0, 0},
      {"quotients beyond 32 bits grow the step", 0, 3e9, 16, 1, 0, 10, true, 2e8, 16, 3e9, 0},
      {"an infinite range: no step fits", 0, inf, 800, 50, 0, 10, true, inf, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const int count = LabelCountForSize(c.span, c.size, c.separation);
    const double step = LabelStepForCount(c.max - c.min, count, c.increment, c.separation);
    if (std::isinf(c.step))
      EXPECT_EQ(step, c.step);
    else
      EXPECT_NEAR(step, c.step, c.step * 1e-9);
    const std::vector<double> values = LabelValues(c.min, c.max, step, c.roundFirst);
    ASSERT_EQ(values.size(), c.count);
    if (values.empty()) continue;
    EXPECT_NEAR(values.front(), c.first, step * 1e-6);
    EXPECT_NEAR(values.back(), c.last, step * 1e-6);
    for (std::size_t i = 1; i < values.size(); ++i)
      EXPECT_NEAR(values[i - 1] - values[i], step, step * 1e-6) << "#" << i;
    // Subtracting the step drifts; a label that stands for zero must still
    // be +0, or it would read "-0".
    for (const double v : values) {
      if (std::fabs(v) < step * 1e-6) {
        EXPECT_TRUE(v == 0 && !std::signbit(v)) << v;
      }
    }
  }
}

}  // namespace
}  // namespace halvorn
