#include "sim/RandomSource.h"

namespace halvorn {

thread_local std::uint64_t RandomState = SeededRandomState(1);

void SeedRandom(std::uint32_t seed) { RandomState = SeededRandomState(seed); }

}  // namespace halvorn
