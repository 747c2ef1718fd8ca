#include <gtest/gtest.h>

#include <cmath>

#include "platform/runtime/Exceptions.h"
#include "sim/Significance.h"

namespace halvorn {
namespace {

TEST(Significance, BinsAndTheirEdges) {
  // The single nearest 0.05 lies above the double 0.05: not significant.
  ASSERT_GT(static_cast<double>(0.05f), 0.05);
  const float below05 = std::nextafter(0.05f, 0.0f);  // the largest single under 0.05
  const struct {
    float p;
    int bin;
  } cases[] = {{-0.0f, 0},  {0.0f, 0},   {below05, 0},     {0.05f, 1}, {0.1f, 2},  {0.5f, 9},
               {0.52f, 10}, {0.95f, 18}, {0.9500001f, 19}, {1.0f, 19}, {1.5f, 19}, {-0.25f, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(PBin(c.p), c.bin) << c.p;
    EXPECT_EQ(CheckedPBin(c.p), c.bin) << c.p;
    EXPECT_EQ(IsSignificant(c.p), c.bin == 0) << c.p;
  }
  EXPECT_THROW(CheckedPBin(std::nanf("")), EInvalidOp);
  EXPECT_THROW(IsSignificant(std::nanf("")), EInvalidOp);
}

}  // namespace
}  // namespace halvorn
