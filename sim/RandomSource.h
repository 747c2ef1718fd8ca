#pragma once
// The runtime's pseudo-random source: a 64-bit linear congruential generator
// whose state is seeded at process start and never reseeded afterwards, so
// every process start yields the same sequence of draws.
//
// The step and the value of a draw are also offered on a state of the
// caller's own, so that a computation can follow the sequence from any point
// without touching the thread's state.

#include <cstdint>

namespace halvorn {

inline constexpr std::uint64_t kRandomMultiplier = 1486058704437ull;  // 346 * 2^32 + 20021
inline constexpr std::uint64_t kRandomIncrement = 1;

// The state after the start-up seeding with `seed`: the low 32-bit half is
// set to the seed and advanced once by the 32-bit rule low * 22695477 + 1,
// the high half is 0.
constexpr std::uint64_t SeededRandomState(std::uint32_t seed) {
  return static_cast<std::uint32_t>(seed * 22695477u + 1u);
}

// One step of the generator, modulo 2^64.
constexpr std::uint64_t NextRandomState(std::uint64_t state) {
  return state * kRandomMultiplier + kRandomIncrement;
}

// The value a state gives: its bits 32..62, in 0 .. 2^31 - 1.
constexpr std::int32_t Random31Of(std::uint64_t state) {
  return static_cast<std::int32_t>((state >> 32) & 0x7FFFFFFFu);
}

// The state `draws` steps after `state`, in O(log draws). A step is the
// affine map s -> m s + c modulo 2^64, and affine maps compose into affine
// maps, so the map of 2^k steps is squared from that of 2^(k-1) steps.
// Counts wrap modulo 2^64, as the generator's period is 2^64.
constexpr std::uint64_t JumpAhead(std::uint64_t state, std::uint64_t draws) {
  std::uint64_t mul = kRandomMultiplier, add = kRandomIncrement;  // the map of 2^k steps
  for (; draws != 0; draws >>= 1) {
    if (draws & 1) state = state * mul + add;
    add = add * mul + add;
    mul = mul * mul;
  }
  return state;
}

// One state per thread; only the GUI thread draws. Starts as seeded with 1.
extern thread_local std::uint64_t RandomState;

// Re-runs the start-up seeding (tests and independent command-line runs).
void SeedRandom(std::uint32_t seed);

// Advances the state and returns its bits 32..62: a value in 0 .. 2^31 - 1.
inline std::int32_t NextRandom31() {
  RandomState = NextRandomState(RandomState);
  return Random31Of(RandomState);
}

// 0 for n = 0, otherwise the drawn value mod n, a value in 0 .. n - 1.
constexpr std::int32_t RandomBelowOf(std::int32_t random31, std::int32_t n) {
  return n == 0 ? 0 : random31 % n;
}

// 0 for n = 0 (nothing is drawn), otherwise NextRandom31() mod n.
inline std::int32_t RandomBelow(std::int32_t n) {
  if (n == 0) return 0;
  return RandomBelowOf(NextRandom31(), n);
}

}  // namespace halvorn
