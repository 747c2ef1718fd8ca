#include <gtest/gtest.h>

#include "sim/RandomSource.h"

namespace halvorn {
namespace {

TEST(RandomSource, StartUpSeedingGivesTheDocumentedState) {
  static_assert(SeededRandomState(1) == 22695478u);
  SeedRandom(1);
  EXPECT_EQ(RandomState, 22695478u);
}

TEST(RandomSource, FirstDrawsAfterStart) {
  SeedRandom(1);
  EXPECT_EQ(NextRandom31(), 1410184549);
  SeedRandom(1);
  const int expected[] = {14044, 10977, 13208, 13105};
  for (int e : expected) EXPECT_EQ(RandomBelow(20001), e);
}

TEST(RandomSource, ResultIsTheHighHalfWithoutItsTopBit) {
  // A state whose successor has every high bit set must still give a
  // non-negative value, and RandomBelow must then stay in range.
  RandomState = 0xFFFFFFFF00000000ull;
  const std::uint64_t next = RandomState * 1486058704437ull + 1u;
  EXPECT_EQ(NextRandom31(), static_cast<std::int32_t>((next >> 32) & 0x7FFFFFFF));
  for (int i = 0; i < 1000; ++i) {
    const int r = RandomBelow(20001);
    ASSERT_GE(r, 0);
    ASSERT_LT(r, 20001);
  }
}

TEST(RandomSource, RandomBelowZeroDrawsNothing) {
  SeedRandom(1);
  EXPECT_EQ(RandomBelow(0), 0);
  EXPECT_EQ(RandomState, 22695478u);
}

}  // namespace
}  // namespace halvorn

namespace halvorn {
namespace {

TEST(RandomSource, JumpAheadIsThatManySteps) {
  for (std::uint64_t start : {0ull, 22695478ull, 0xFFFFFFFFFFFFFFFFull}) {
    std::uint64_t state = start;
    for (std::uint64_t draws = 0; draws < 3000; ++draws) {
      ASSERT_EQ(JumpAhead(start, draws), state) << draws;
      state = NextRandomState(state);
    }
    // Counts compose and wrap with the period of 2^64.
    EXPECT_EQ(JumpAhead(JumpAhead(start, 1ull << 40), 12345),
              JumpAhead(start, (1ull << 40) + 12345));
    EXPECT_EQ(NextRandomState(JumpAhead(start, ~0ull)), start);
  }
  static_assert(JumpAhead(SeededRandomState(1), 1) == NextRandomState(SeededRandomState(1)));
}

}  // namespace
}  // namespace halvorn
