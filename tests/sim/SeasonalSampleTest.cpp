#include <gtest/gtest.h>

#include <cmath>

#include "sim/RandomSource.h"
#include "sim/SeasonalSample.h"

namespace halvorn {
namespace {

// Sets the random state so that the next draw of RandomBelow(20001) is r,
// by stepping the generator backwards from a state with the wanted high half.
void NextDrawWillBe(int r) {
  constexpr std::uint64_t kMultiplier = 1486058704437ull;
  std::uint64_t inverse = 1;  // Newton iteration for the inverse modulo 2^64
  for (int i = 0; i < 6; ++i) inverse *= 2 - kMultiplier * inverse;
  const std::uint64_t wanted = static_cast<std::uint64_t>(r) << 32;
  RandomState = (wanted - 1) * inverse;
}

TEST(SeasonalSample, FirstDefaultSampleOfTheFirstRun) {
  SeedRandom(1);
  // Month 1 of the before series: r = 14044, e = 0.04044,
  // s = 100 + 40 cos(-5 pi / 6) = 65.358984, result 68.002101.
  EXPECT_NEAR(SeasonalSample(1, 12, 100, 40, 6, 10), 68.002101, 5e-7);
}

TEST(SeasonalSample, ErrorTermAtTheEndsAndMiddleOfTheDraws) {
  const struct {
    int r;
    double factor;
  } cases[] = {{10000, 1.0}, {0, 0.9}, {20000, 1.1}};
  for (const auto& c : cases) {
    NextDrawWillBe(c.r);
    // At t = phase the wave is at its maximum, 100 + 40 exactly.
    EXPECT_NEAR(SeasonalSample(6, 12, 100, 40, 6, 10), 140 * c.factor, 1e-12) << "r = " << c.r;
  }
  NextDrawWillBe(10000);
  EXPECT_EQ(SeasonalSample(6, 12, 100, 40, 6, 10), 140.0);
}

TEST(SeasonalSample, ZeroErrorReproducesTheWaveAndStillDraws) {
  SeedRandom(1);
  EXPECT_EQ(SeasonalSample(6, 12, 100, 40, 6, 0), 140.0);
  EXPECT_EQ(RandomState, SeededRandomState(1) * 1486058704437ull + 1u);
  // Six months after the phase the level is at its minimum.
  EXPECT_NEAR(SeasonalSample(12, 12, 100, 40, 6, 0), 60.0, 1e-12);
  EXPECT_EQ(SeasonalSample(3, 12, 100, 0, 6, 0), 100.0);
}

TEST(SeasonalSample, WaveIsRoundedToDoubleBeforeTheErrorIsApplied) {
  // With error 0 the result is exactly the double nearest amplitude*cos(x)+b
  // computed from the double angle x, not from the exact angle.
  SeedRandom(1);
  const double x = static_cast<double>((6.283185307179586L / 12) * (1 - 6.0L));
  const double s = static_cast<double>(40 * std::cos(static_cast<long double>(x)) + 100);
  EXPECT_EQ(SeasonalSample(1, 12, 100, 40, 6, 0), s);
}

}  // namespace
}  // namespace halvorn
