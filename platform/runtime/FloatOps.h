#pragma once
// Floating-point operations with the trapping behaviour of the program's FPU
// environment (invalid operation, division by zero and overflow unmasked).
//
// The processor's control word is never changed; instead each operation that
// would trap checks its operands and raises the matching exception before it
// produces a result. Arithmetic that cannot trap is written as plain long
// double arithmetic. Quiet NaNs pass through arithmetic without a trap, as on
// the FPU; only an ordered comparison or an integer conversion of a NaN traps.

#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/runtime/Exceptions.h"

namespace halvorn {

using Extended = long double;
static_assert(std::numeric_limits<Extended>::digits == 64,
              "Halvorn needs an 80-bit extended long double (64-bit significand)");

// a / b: a finite non-zero over zero is a division by zero; 0/0 and inf/inf
// are invalid operations.
inline Extended FDiv(Extended a, Extended b) {
  if (std::isnan(a) || std::isnan(b)) return a / b;
  if (b == 0) {
    if (a == 0) throw EInvalidOp();
    if (!std::isinf(a)) throw EZeroDivide();
  } else if (std::isinf(a) && std::isinf(b)) {
    throw EInvalidOp();
  }
  return a / b;
}

// a * b: zero times infinity is invalid.
inline Extended FMul(Extended a, Extended b) {
  if ((a == 0 && std::isinf(b)) || (std::isinf(a) && b == 0)) throw EInvalidOp();
  return a * b;
}

// Storing into single or double precision: a finite value whose rounded
// result does not fit is an overflow; infinities and NaNs store unchanged.
inline float ToSingle(Extended v) {
  const float f = static_cast<float>(v);
  if (std::isinf(f) && std::isfinite(v)) throw EOverflow();
  return f;
}

inline double ToDouble(Extended v) {
  const double d = static_cast<double>(v);
  if (std::isinf(d) && std::isfinite(v)) throw EOverflow();
  return d;
}

// Ordered comparisons: a NaN operand is an invalid operation.
inline void CheckOrdered(Extended a, Extended b) {
  if (std::isnan(a) || std::isnan(b)) throw EInvalidOp();
}
inline bool FLess(Extended a, Extended b) { return CheckOrdered(a, b), a < b; }
inline bool FLessEq(Extended a, Extended b) { return CheckOrdered(a, b), a <= b; }
inline bool FGreater(Extended a, Extended b) { return CheckOrdered(a, b), a > b; }
inline bool FGreaterEq(Extended a, Extended b) { return CheckOrdered(a, b), a >= b; }
inline bool FEqual(Extended a, Extended b) { return CheckOrdered(a, b), a == b; }

// Conversion to a 64-bit integer, rounding half to even (the FPU's default
// rounding) or toward zero; a NaN, an infinity or a value outside the 64-bit
// range is an invalid operation.
inline std::int64_t CheckedInt64(Extended v) {
  if (!(v >= -9223372036854775808.0L && v < 9223372036854775808.0L)) throw EInvalidOp();
  return static_cast<std::int64_t>(v);
}
inline std::int64_t Round(Extended v) {
  if (std::isnan(v)) throw EInvalidOp();
  return CheckedInt64(std::nearbyint(v));
}
// The same for a double, the common case (pixel positions), without the
// library's extended rounding: below 2^51 in magnitude, adding and removing
// 1.5 * 2^52 leaves the nearest integer, ties to even, in the default
// rounding mode that the program never changes.
inline std::int64_t Round(double v) {
  constexpr double kShift = 0x1.8p52;
  if (std::fabs(v) < 0x1p51) return static_cast<std::int64_t>((v + kShift) - kShift);
  return Round(static_cast<Extended>(v));
}
inline std::int64_t Trunc(Extended v) {
  if (std::isnan(v)) throw EInvalidOp();
  return CheckedInt64(std::trunc(v));
}

}  // namespace halvorn
