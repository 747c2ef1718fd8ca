#pragma once
// The runtime's pseudo-random source: a 64-bit linear congruential generator
// whose state is seeded at process start and never reseeded afterwards, so
// every process start yields the same sequence of draws.

#include <cstdint>

namespace halvorn {

// The state after the start-up seeding with `seed`: the low 32-bit half is
// set to the seed and advanced once by the 32-bit rule low * 22695477 + 1,
// the high half is 0.
constexpr std::uint64_t SeededRandomState(std::uint32_t seed) {
  return static_cast<std::uint32_t>(seed * 22695477u + 1u);
}

// One state per thread; only the GUI thread draws. Starts as seeded with 1.
extern thread_local std::uint64_t RandomState;

// Re-runs the start-up seeding (tests and independent command-line runs).
void SeedRandom(std::uint32_t seed);

// Advances the state and returns its bits 32..62: a value in 0 .. 2^31 - 1.
inline std::int32_t NextRandom31() {
  RandomState = RandomState * 1486058704437ull + 1u;
  return static_cast<std::int32_t>((RandomState >> 32) & 0x7FFFFFFFu);
}

// 0 for n = 0, otherwise NextRandom31() mod n, a value in 0 .. n - 1.
inline std::int32_t RandomBelow(std::int32_t n) {
  if (n == 0) return 0;
  return NextRandom31() % n;
}

}  // namespace halvorn
