#pragma once
// The arithmetic of the wide line's fast paths: rounding to whole pixels
// without library calls, and the columns between a stroke's two sides
// stepped from row to row by additions instead of divisions. Each gives what
// the plain arithmetic gives (std::floor and std::ceil, a floor division per
// row); the raster's tests compare them.

#include <cmath>
#include <cstdint>

namespace halvorn {

// std::floor and std::ceil without the library call that the baseline
// instruction set needs for them: below 2^52 in magnitude, a conversion to
// an integer and back is exact.
inline double Floor(double v) {
  if (!(std::fabs(v) < 0x1p52)) return std::floor(v);
  const auto t = static_cast<double>(static_cast<std::int64_t>(v));
  return t > v ? t - 1 : t;
}
inline double Ceil(double v) {
  if (!(std::fabs(v) < 0x1p52)) return std::ceil(v);
  const auto t = static_cast<double>(static_cast<std::int64_t>(v));
  return t < v ? t + 1 : t;
}

inline std::int64_t FloorDiv(std::int64_t n, std::int64_t d) {
  const std::int64_t q = n / d;
  return q * d > n ? q - 1 : q;
}

// The columns X with lo <= s X + t <= hi (s != 0) in successive rows, where t
// grows by dt from row to row: a ceiling and a floor of quotients by |s|,
// stepped by additions instead of divisions. Both come from one quotient:
// with n the numerator of the first column, First = -floor(n / |s|), and as
// hi - lo = K |s| + R0, Last = First + K - (1 if n mod |s| > R0). The
// callers' limits on coordinates keep every quantity within 32 bits, which
// lets the compiler keep the stepper in registers.
class TBandStepper {
 public:
  TBandStepper(std::int64_t s, std::int64_t t, std::int64_t dt, std::int64_t lo, std::int64_t hi)
      : den_(static_cast<int>(s > 0 ? s : -s)) {
    const std::int64_t n = s > 0 ? t - lo : hi - t, step = s > 0 ? dt : -dt;
    q_ = static_cast<int>(FloorDiv(n, den_));
    r_ = static_cast<int>(n - std::int64_t{q_} * den_);
    dq_ = static_cast<int>(FloorDiv(step, den_));
    dr_ = static_cast<int>(step - std::int64_t{dq_} * den_);
    width_ = static_cast<int>(FloorDiv(hi - lo, den_));
    widthRem_ = static_cast<int>(hi - lo - std::int64_t{width_} * den_);
  }
  int First() const { return -q_; }
  int Last() const { return -q_ + width_ - (r_ > widthRem_ ? 1 : 0); }
  // Without a branch: the carries follow the slope's digits, which a branch
  // predictor cannot. The remainder's chain from row to row is an addition,
  // a subtraction and a selection.
  void Next() {
    const int r = r_ + dr_;
    const int wrapped = r - den_;
    const bool carry = wrapped >= 0;
    r_ = carry ? wrapped : r;
    q_ += dq_ + carry;
  }

 private:
  int den_;
  int q_ = 0, r_ = 0, dq_ = 0, dr_ = 0;  // floor(n / den), n mod den, and their steps
  int width_ = 0, widthRem_ = 0;         // floor((hi - lo) / den), (hi - lo) mod den
};

}  // namespace halvorn
