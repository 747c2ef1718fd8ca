#include "sim/PValueBins.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/runtime/Assert.h"
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

// I_x(a, 1/2) for one a, with the logarithm of the beta function B(a, 1/2)
// computed once: the thresholds of a design evaluate it some thousand times.
class TTail {
 public:
  static double LnBeta(double a) { return LnGamma(a) + LnGamma(kB) - LnGamma(a + kB); }
  explicit TTail(double a) : TTail(a, LnBeta(a)) {}
  TTail(double a, double lnBeta) : a_(a), lnBeta_(lnBeta) {}

  double operator()(double x) const {
    if (x == 0 || x == 1) return x;
    // The front factor x^a (1 - x)^b / B(a, b).
    const double front = std::exp(a_ * std::log(x) + kB * std::log1p(-x) - lnBeta_);
    // The continued fraction converges fast only below the mean
    // (a+1)/(a+b+2); above it, I_x(a, b) = 1 - I_{1-x}(b, a).
    if (x < (a_ + 1) / (a_ + kB + 2)) return front * BetaFractionDouble(a_, kB, x) / a_;
    return 1 - front * BetaFractionDouble(kB, a_, 1 - x) / kB;
  }

 private:
  static constexpr double kB = 0.5;
  double a_;
  double lnBeta_;
};

// The smallest float x in [from, 1] for which `reaches`(tail(x)), a
// condition that, once true, stays true as x grows. 2 (not a float in
// range) when none.
template <class Reaches>
float FirstReaching(const TTail& tail, float from, Reaches reaches) {
  std::uint32_t lo = BitsOf(from), hi = BitsOf(1.0f) + 1;  // the answer is in [lo, hi]
  while (lo < hi) {
    const std::uint32_t mid = lo + (hi - lo) / 2;
    if (reaches(tail(FloatFromBits(mid))))
      hi = mid;
    else
      lo = mid + 1;
  }
  return lo > BitsOf(1.0f) ? 2.0f : FloatFromBits(lo);
}

}  // namespace

double TwoSidedTail(double a, double x) {
  if (!(a > 0 && a <= kMaxTailA && x >= 0 && x <= 1)) return kNaN;
  return TTail(a)(x);
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
  const TTail tail(a);
  // The tail grows with x, so each search starts where the one of the edge
  // below ended.
  float from = 0;
  for (int k = 0; k < kPBins - 1; ++k) {
    const double edge = PBinEdge(k + 1);
    // Every x up to below_[k] has a tail at most edge - guard; every x from
    // above_[k] on a tail at least edge + guard.
    const float first = FirstReaching(tail, from, [&](double p) { return p > edge - kPGuard; });
    below_[static_cast<std::size_t>(k)] = first > 1 ? 1.0f : std::nextafter(first, -1.0f);
    const float above =
        FirstReaching(tail, std::min(first, 1.0f), [&](double p) { return p >= edge + kPGuard; });
    above_[static_cast<std::size_t>(k)] = above;
    from = std::min(above, 1.0f);
  }
  // The binary searches of BinOfRange need both lists in order.
  valid_ =
      std::is_sorted(below_.begin(), below_.end()) && std::is_sorted(above_.begin(), above_.end());
}

int TPBinThresholds::BinOf(float x) const { return BinOfRange(x, x); }

int TPBinThresholds::BinOfRange(float lo, float hi) const {
  if (!valid_ || !(lo >= 0 && hi <= 1 && lo <= hi)) return -1;
  // The bin is the number of edges that p surely lies above at lo, provided
  // that up to hi it surely lies below all the others. Both thresholds grow
  // with the edge, so both counts are binary searches.
  const auto surelyAbove = std::upper_bound(above_.begin(), above_.end(), lo) - above_.begin();
  const auto maybeAbove = std::lower_bound(below_.begin(), below_.end(), hi) - below_.begin();
  return surelyAbove == maybeAbove ? static_cast<int>(surelyAbove) : -1;
}

double StudentTwoSidedP(double df, double t) {
  if (!(df > 0)) return kNaN;
  return TTail(df / 2)(df / (df + t * t));
}

TStudentPBins::TStudentPBins(double df) : df_(df), a_(df / 2), lnBeta_(TTail::LnBeta(df / 2)) {
  HALVORN_ASSERT(df > 0, "a t-test has degrees of freedom");
  constexpr double kGuard = 1e-12;
  const TTail tail(a_, lnBeta_);
  // The smallest x in [from, 1] whose p `reaches`, by bisection over the
  // doubles' bit patterns (which order non-negative doubles as integers).
  const auto firstReaching = [&](double from, auto reaches) {
    std::uint64_t lo = std::bit_cast<std::uint64_t>(from),
                  hi = std::bit_cast<std::uint64_t>(1.0) + 1;
    while (lo < hi) {
      const std::uint64_t mid = lo + (hi - lo) / 2;
      if (reaches(tail(std::bit_cast<double>(mid))))
        hi = mid;
      else
        lo = mid + 1;
    }
    return lo > std::bit_cast<std::uint64_t>(1.0) ? 2.0 : std::bit_cast<double>(lo);
  };
  double from = 0;
  for (std::size_t k = 0; k < below_.size(); ++k) {
    const double edge = PBinEdge(static_cast<int>(k) + 1);
    const double first = firstReaching(from, [&](double p) { return p > edge - kGuard; });
    below_[k] = first > 1 ? 1.0 : std::nextafter(first, -1.0);
    above_[k] = firstReaching(std::min(first, 1.0), [&](double p) { return p >= edge + kGuard; });
    from = std::min(above_[k], 1.0);
  }
  HALVORN_ASSERT(
      std::is_sorted(below_.begin(), below_.end()) && std::is_sorted(above_.begin(), above_.end()),
      "p grows with x");
}

int TStudentPBins::BinOf(double t) const {
  const double x = df_ / (df_ + t * t);
  if (x >= 0 && x <= 1) {
    const auto surelyAbove = std::upper_bound(above_.begin(), above_.end(), x) - above_.begin();
    const auto maybeAbove = std::lower_bound(below_.begin(), below_.end(), x) - below_.begin();
    if (surelyAbove == maybeAbove) return static_cast<int>(surelyAbove);
  }
  return PBin(TTail(a_, lnBeta_)(x));
}

int FastPBin(float df, float t) {
  const float a = TailA(df);
  if (!(a > 0 && a <= kMaxTailA)) return -1;
  return GuardedPBin(TwoSidedTail(a, TailX(df, t)));
}

}  // namespace halvorn
