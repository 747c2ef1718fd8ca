#pragma once
#include <cstdint>

namespace halvorn {

// a * b / d without intermediate overflow, to the nearest integer with halves
// rounded away from zero. A zero divisor, or a result outside the 32-bit range,
// gives -1, as the platform function does.
constexpr int MulDiv(int a, int b, int d) {
  if (d == 0) return -1;
  const std::int64_t p = static_cast<std::int64_t>(a) * b;
  const bool negative = (p < 0) != (d < 0);
  const std::uint64_t up = p < 0 ? static_cast<std::uint64_t>(-p) : static_cast<std::uint64_t>(p);
  const std::uint64_t ud = d < 0 ? static_cast<std::uint64_t>(-static_cast<std::int64_t>(d))
                                 : static_cast<std::uint64_t>(d);
  const std::uint64_t q = (up + ud / 2) / ud;
  if (q > 0x7FFFFFFFull + (negative ? 1u : 0u)) return -1;
  return negative ? static_cast<int>(-static_cast<std::int64_t>(q)) : static_cast<int>(q);
}

}  // namespace halvorn
