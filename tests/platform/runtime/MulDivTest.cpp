#include <gtest/gtest.h>

#include <climits>

#include "platform/runtime/MulDiv.h"

namespace halvorn {
namespace {

TEST(MulDiv, RoundsHalvesAwayFromZeroWithoutOverflow) {
  const struct {
    int a, b, d, expected;
  } cases[] = {
      {5, 393, 100, 20},  // 19.65
      {5, 873, 100, 44},  // 43.65
      {3, 829, 100, 25},  // 24.87
      {1, 1, 2, 1},       // 0.5 away from zero
      {-1, 1, 2, -1},     // -0.5 away from zero
      {1, 3, 2, 2},       // 1.5
      {5, 5, -2, -13},    // -12.5
      {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
      {INT_MAX, 2, 1, -1},  // result beyond 32 bits
      {7, 9, 0, -1},        // zero divisor
  };
  for (const auto& c : cases)
    EXPECT_EQ(MulDiv(c.a, c.b, c.d), c.expected) << c.a << " * " << c.b << " / " << c.d;
  static_assert(MulDiv(5, 393, 100) == 20);
}

}  // namespace
}  // namespace halvorn
