#include "sim/NormalDeviates.h"

#include <cmath>

#include "platform/runtime/Assert.h"

namespace halvorn {

double InverseNormal(double p) {
  HALVORN_ASSERT(p > 0 && p < 1, "a quantile of a probability strictly between 0 and 1");
  // P. J. Acklam's rational approximations, with relative error below
  // 1.2e-9: one for the central region, one for each tail.
  constexpr double a[] = {-3.969683028665376e+01, 2.209460984245205e+02,  -2.759285104469687e+02,
                          1.383577518672690e+02,  -3.066479806614716e+01, 2.506628277459239e+00};
  constexpr double b[] = {-5.447609879822406e+01, 1.615858368580409e+02, -1.556989798598866e+02,
                          6.680131188771972e+01, -1.328068155288572e+01};
  constexpr double c[] = {-7.784894002430293e-03, -3.223964580411365e-01, -2.400758277161838e+00,
                          -2.549732539343734e+00, 4.374664141464968e+00,  2.938163982698783e+00};
  constexpr double d[] = {7.784695709041462e-03, 3.224671290700398e-01, 2.445134137142996e+00,
                          3.754408661907416e+00};
  constexpr double kLow = 0.02425;
  double x;
  if (p < kLow) {
    const double q = std::sqrt(-2 * std::log(p));
    x = (((((c[0] * q + c[1]) * q + c[2]) * q + c[3]) * q + c[4]) * q + c[5]) /
        ((((d[0] * q + d[1]) * q + d[2]) * q + d[3]) * q + 1);
  } else if (p <= 1 - kLow) {
    const double q = p - 0.5, r = q * q;
    x = (((((a[0] * r + a[1]) * r + a[2]) * r + a[3]) * r + a[4]) * r + a[5]) * q /
        (((((b[0] * r + b[1]) * r + b[2]) * r + b[3]) * r + b[4]) * r + 1);
  } else {
    const double q = std::sqrt(-2 * std::log1p(-p));
    x = -(((((c[0] * q + c[1]) * q + c[2]) * q + c[3]) * q + c[4]) * q + c[5]) /
        ((((d[0] * q + d[1]) * q + d[2]) * q + d[3]) * q + 1);
  }
  // One step of Halley's method on Phi(x) - p, with Phi from erfc, which
  // keeps its relative accuracy in the lower tail.
  constexpr double kSqrt2 = 1.4142135623730951, kSqrt2Pi = 2.5066282746310002;
  const double e = 0.5 * std::erfc(-x / kSqrt2) - p;
  const double u = e * kSqrt2Pi * std::exp(x * x / 2);
  return x - u / (1 + x * u / 2);
}

const TDeviateTable& NormalDeviates() {
  static const TDeviateTable table = [] {
    // The lower half and its mirror image: the deviates are exactly
    // symmetric, and the upper tail keeps the lower tail's accuracy.
    TDeviateTable t;
    const std::size_t last = t.size() - 1;
    for (std::size_t r = 0; r <= last / 2; ++r) {
      t[r] = r == last / 2 ? 0.0 : InverseNormal((static_cast<double>(r) + 0.5) / kErrorDraws);
      t[last - r] = -t[r];
    }
    return t;
  }();
  return table;
}

const TDeviateTable& UniformDeviates() {
  static const TDeviateTable table = [] {
    // The draws 0 .. N - 1 (N = 20001) have variance (N^2 - 1) / 12.
    const double n = kErrorDraws, sd = std::sqrt((n * n - 1) / 12);
    TDeviateTable t;
    for (std::size_t r = 0; r < t.size(); ++r) t[r] = (static_cast<double>(r) - 10000) / sd;
    return t;
  }();
  return table;
}

}  // namespace halvorn
