#include "sim/PValueBins.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "sim/StudentT.h"

namespace halvorn {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// ln G(x) for x > 0 (the reentrant form: worker threads call it at once).
double LnGamma(double x) {
  int sign;
  return lgamma_r(x, &sign);
}

// The continued fraction of I_x(a, b) by the modified Lentz method, to
// double precision; NaN if it does not converge.
double BetaFractionDouble(double a, double b, double x) {
  constexpr double kTiny = 1e-300;
  const auto floored = [](double q) { return std::fabs(q) < kTiny ? kTiny : q; };
  const double qab = a + b, qap = a + 1, qam = a - 1;
  double c = 1;
  double d = 1 / floored(1 - qab * x / qap);
  double h = d;
  for (int m = 1; m <= 1000; ++m) {
    const int m2 = 2 * m;
    double aa = m * (b - m) * x / ((qam + m2) * (a + m2));
    d = 1 / floored(1 + aa * d);
    c = floored(1 + aa / c);
    h *= d * c;
    aa = -(a + m) * (qab + m) * x / ((a + m2) * (qap + m2));
    d = 1 / floored(1 + aa * d);
    c = floored(1 + aa / c);
    const double del = d * c;
    h *= del;
    if (std::fabs(del - 1) < 1e-15) return h;
  }
  return kNaN;
}

// The neighbouring floats of x in [0, 1], by their bit patterns (which
// order non-negative floats as integers).
float FloatFromBits(std::uint32_t bits) { return std::bit_cast<float>(bits); }
std::uint32_t BitsOf(float x) { return std::bit_cast<std::uint32_t>(x); }

// The smallest float x in [0, 1] for which `reaches`(TwoSidedTail(a, x)),
// a condition that, once true, stays true as x grows. 2 (not a float in
// range) when none.
template <class Reaches>
float FirstReaching(double a, Reaches reaches) {
  std::uint32_t lo = BitsOf(0.0f), hi = BitsOf(1.0f) + 1;  // the answer is in [lo, hi]
  while (lo < hi) {
    const std::uint32_t mid = lo + (hi - lo) / 2;
    if (reaches(TwoSidedTail(a, FloatFromBits(mid))))
      hi = mid;
    else
      lo = mid + 1;
  }
  return lo > BitsOf(1.0f) ? 2.0f : FloatFromBits(lo);
}

}  // namespace

double TwoSidedTail(double a, double x) {
  if (!(a > 0 && a <= kMaxTailA && x >= 0 && x <= 1)) return kNaN;
  if (x == 0 || x == 1) return x;
  constexpr double b = 0.5;
  // The front factor x^a (1 - x)^b / B(a, b).
  const double lnBeta = LnGamma(a) + LnGamma(b) - LnGamma(a + b);
  const double front = std::exp(a * std::log(x) + b * std::log1p(-x) - lnBeta);
  // The continued fraction converges fast only below the mean (a+1)/(a+b+2);
  // above it, I_x(a, b) = 1 - I_{1-x}(b, a).
  if (x < (a + 1) / (a + b + 2)) return front * BetaFractionDouble(a, b, x) / a;
  return 1 - front * BetaFractionDouble(b, a, 1 - x) / b;
}

int GuardedPBin(double p) {
  if (!(p >= 0 && p <= 1)) return -1;
  // The nearest edge is that of the bin p falls in or the one above it.
  int bin = static_cast<int>(p * 20);
  if (bin > kPBins - 1) bin = kPBins - 1;
  if (bin > 0 && p - PBinEdge(bin) <= kPGuard) return -1;
  if (bin < kPBins - 1 && PBinEdge(bin + 1) - p <= kPGuard) return -1;
  return bin;
}

TPBinThresholds::TPBinThresholds(float df) : df_(df) {
  const double a = TailA(df);
  valid_ = a > 0 && a <= kMaxTailA;
  if (!valid_) return;
  for (int k = 0; k < kPBins - 1; ++k) {
    const double edge = PBinEdge(k + 1);
    // Every x up to below_[k] has a tail at most edge - guard; every x from
    // above_[k] on a tail at least edge + guard.
    const float first = FirstReaching(a, [&](double p) { return p > edge - kPGuard; });
    below_[static_cast<std::size_t>(k)] = first > 1 ? 1.0f : std::nextafter(first, -1.0f);
    above_[static_cast<std::size_t>(k)] =
        FirstReaching(a, [&](double p) { return p >= edge + kPGuard; });
  }
}

int TPBinThresholds::BinOf(float x) const {
  if (!valid_ || !(x >= 0 && x <= 1)) return -1;
  // The bin is the number of edges that p surely lies above, provided that
  // p surely lies below all the others.
  int surelyAbove = 0, maybeAbove = 0;
  for (std::size_t k = 0; k < below_.size(); ++k) {
    surelyAbove += x >= above_[k];
    maybeAbove += x > below_[k];
  }
  return surelyAbove == maybeAbove ? surelyAbove : -1;
}

int FastPBin(float df, float t) {
  const float a = TailA(df);
  if (!(a > 0 && a <= kMaxTailA)) return -1;
  return GuardedPBin(TwoSidedTail(a, TailX(df, t)));
}

int CheckedPBin(float p) {
  CheckOrdered(p, 0.05);
  return PBin(p);
}

}  // namespace halvorn
