#include <gtest/gtest.h>

#include "platform/runtime/Assert.h"

namespace halvorn {
namespace {

int Checked(int divisor) {
  HALVORN_ASSERT(divisor != 0, "a divisor is never 0 here");
  return 12 / divisor;
}

TEST(AssertDeathTest, ABrokenInvariantStopsWithItsPlaceAndReason) {
  EXPECT_EQ(Checked(4), 3);
  EXPECT_DEATH(Checked(0),
               "AssertTest.cpp:[0-9]+: invariant broken: a divisor is never 0 here "
               "\\(divisor != 0\\)");
}

}  // namespace
}  // namespace halvorn
