#include "chart/LabelSteps.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/runtime/FloatOps.h"

namespace halvorn {
namespace {

// Labels cover at most this many steps; a finer step shows none.
constexpr double kMaxLabelSteps = 10000;

// Below this quotient of range and step the label count is rounded; above
// it the step just grows.
constexpr double kMaxRoundedQuotient = 2147483647.0;

// Label values within this fraction of the step of zero are zero. Each
// subtraction of the step rounds by at most half an ulp of a value no larger
// than the k steps still to go, so k steps drift by less than k^2 * 2^-53 of
// a step: under 5.6e-9 of one within the 10000-step limit. A rounded first
// label makes every value a whole multiple of the step, so nothing but zero
// lies this close to it; a label counted from an unrounded maximum that
// comes this close stands for zero too, its pixel a hundred-millionth of
// the label spacing away.
constexpr double kZeroSnap = 1e-8;

// The next nice step, or twice x where rounding brought the nice step back
// to x itself, which would never fit.
double GrowStep(double x) {
  const double next = NextNiceStep(x);
  return next > x ? next : 2 * x;
}

// The value as a label shows it: a hair beside zero (of either sign, or a
// negative zero) is zero, so that it is written "0" rather than "-0".
double SnapToZero(double value, double step) {
  return std::fabs(value) < kZeroSnap * step ? 0.0 : value;
}

}  // namespace

double NextNiceStep(double x) {
  if (!(x > 0) || !std::isfinite(x)) return x;
  if (x >= 10) return static_cast<double>(10 * NextNiceStep(static_cast<double>(x * 0.1L)));
  if (x < 1) return static_cast<double>(0.1L * NextNiceStep(static_cast<double>(x * 10.0L)));
  if (x < 2) return 2;
  if (x < 5) return 5;
  return 10;
}

int LabelCountForSize(int spanPixels, int size, int separation) {
  if (size <= 0) return 1;
  if (separation > 0) size += static_cast<int>(Round(separation * 0.01L * size));
  return static_cast<int>(Round(static_cast<Extended>(spanPixels) / size));
}

double LabelStepForCount(double rangeSize, int count, double increment, int separation) {
  if (count < 1) return kMinLabelStep;
  double step = increment > 0 ? increment : (std::fabs(rangeSize) >= 1 ? 1.0 : kMinLabelStep);
  if (separation > 0) {
    std::int64_t n = static_cast<std::int64_t>(count) + 1;
    // An infinite range never fits; the growing step stops once it has
    // overflowed too.
    while (n > count && std::isfinite(step)) {
      const double q = rangeSize / step;
      if (std::fabs(q) < kMaxRoundedQuotient) {
        n = Round(q);
        if (n > count) step = GrowStep(step);
      } else {
        step = GrowStep(step);
      }
    }
  }
  return std::max(step, kMinLabelStep);
}

std::vector<double> LabelValues(double rangeMin, double rangeMax, double step,
                                bool roundFirstLabel) {
  std::vector<double> values;
  if (!(step > 0) || FLess(rangeMax, rangeMin)) return values;
  if (!(std::fabs((rangeMax - rangeMin) / step) < kMaxLabelSteps)) return values;
  // The quotient is truncated in floating point: a range far beyond the
  // 64-bit integers still gets its labels.
  double v = rangeMin == rangeMax || !roundFirstLabel
                 ? rangeMax
                 : static_cast<double>(std::trunc(static_cast<Extended>(rangeMax) / step) * step);
  // Near the limits of double precision a step may be too small to change
  // the value; the sequence then ends instead of repeating itself.
  while (v > rangeMax) {
    const double next = v - step;
    if (!(next < v)) return values;
    v = next;
  }
  const double stop = static_cast<double>((rangeMin - 1e-12L) / 1.000000000001L);
  while (v >= stop) {
    values.push_back(SnapToZero(v, step));
    const double next = v - step;
    if (!(next < v)) break;
    v = next;
  }
  return values;
}

}  // namespace halvorn
