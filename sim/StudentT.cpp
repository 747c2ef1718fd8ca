#include "sim/StudentT.h"

#include <bit>
#include <cfloat>
#include <cmath>

#include "platform/runtime/Assert.h"
#include "platform/runtime/Exceptions.h"
#include "platform/runtime/MathFunctions.h"
#include "platform/runtime/MessageSinks.h"

namespace halvorn {
namespace {

using E = Extended;

// Samples are addressed from 1, so slot n must exist.
void CheckSampleCount(std::span<const float> data, std::uint32_t n) {
  if (n >= data.size()) throw EListError::IndexOutOfBounds(static_cast<int>(n));
}

// The Lentz floor: a quantity whose magnitude, taken in double, is below
// 1e-30 is replaced by the single nearest 1e-30, so no denominator vanishes.
float Floored(float q) {
  constexpr float kTiny = 1e-30f;
  return std::fabs(static_cast<double>(q)) < 1e-30 ? kTiny : q;
}

}  // namespace

float TailA(float df) { return ToSingle(0.5L * df); }

float TailX(float df, float t) { return ToSingle(FDiv(df, df + static_cast<E>(t) * t)); }

float TwoSidedP(float df, float t) {
  // The two-sided tail of Student's t is I_{df/(df+t^2)}(df/2, 1/2).
  const float halfDf = TailA(df);
  const float x = TailX(df, t);
  return ToSingle(IncompleteBeta(halfDf, 0.5f, x));
}

namespace {

// The steps of the second pass that sum products: the product of two
// singles is exact in extended precision, the sum is rounded to extended
// and then stored in single precision.
float AddSquare(float s2, float dev) {
  return ToSingle(static_cast<E>(s2) + static_cast<E>(dev) * dev);
}
float AddProduct(float sum, float a, float meanA, float b, float meanB) {
  return ToSingle(sum + (static_cast<E>(a) - meanA) * (static_cast<E>(b) - meanB));
}

// AddSquare in double precision where that is provably the same. The
// product is exact in double (48 bits), so only the sum's rounding differs:
// to double here, to extended there. Every single and every midpoint
// between two singles is a double and an extended value, and rounding is
// monotone, so neither rounding crosses one: both land between the same two
// midpoints as the exact sum, hence round to the same single, unless one
// lands on a midpoint. The extended rounding lands on one only when the exact
// sum lies within 2^-64 of it, and then so does the double rounding; so it
// is enough that the double sum is no midpoint. (Single normal range only:
// there the single keeps 24 of the double's 53 significant bits.)
float AddSquareFast(float s2, float dev) {
  const double sum = static_cast<double>(s2) + static_cast<double>(dev) * dev;
  const std::uint64_t dropped = std::bit_cast<std::uint64_t>(sum) & 0x1FFFFFFFu;
  if (dropped == 0x10000000u || !(sum == 0 || (sum >= 0x1p-125 && sum < 0x1p127)))
    return AddSquare(s2, dev);
  return static_cast<float>(sum);
}

// The second pass sums the deviations too: s1 would be 0 with exact
// arithmetic, and s1 * s1 / n removes the rounding error of the mean.
float VarianceOf(float s1, float s2, E count) {
  return ToSingle(FDiv(s2 - FDiv(static_cast<E>(s1) * s1, count), count - 1));
}

}  // namespace

void MeanAndVariance(std::span<const float> data, std::uint32_t n, float& mean, float& variance) {
  CheckSampleCount(data, n);
  const E count = n;
  float m = 0;
  for (std::uint32_t k = 1; k <= n; ++k) m = ToSingle(static_cast<E>(m) + data[k]);
  m = ToSingle(FDiv(m, count));

  float s1 = 0, s2 = 0;
  for (std::uint32_t k = 1; k <= n; ++k) {
    const float dev = ToSingle(static_cast<E>(data[k]) - m);
    s1 = ToSingle(static_cast<E>(s1) + dev);
    s2 = AddSquare(s2, dev);
  }
  variance = VarianceOf(s1, s2, count);
  mean = m;
}

// The sums below are float arithmetic, which must round to single precision
// at every operation (SSE arithmetic, not the x87's wider registers).
static_assert(FLT_EVAL_METHOD == 0, "single-precision arithmetic must be evaluated in single");

TPairMoments PairMoments(std::span<const float> a, std::span<const float> b, std::uint32_t n) {
  CheckSampleCount(a, n);
  CheckSampleCount(b, n);
  // The sum, difference and quotient of two singles, computed in extended
  // precision and rounded to single, is the single-precision result: a
  // double rounding is harmless for these operations when the wider
  // significand has at least 2 * 24 + 2 bits, and extended has 64. So the
  // means, deviations and s1 are single-precision arithmetic here. Only an
  // overflow differs (the store traps, single arithmetic gives infinity);
  // then MeanAndVariance itself raises it.
  const E count = n;
  float sumA = 0, sumB = 0;
  for (std::uint32_t k = 1; k <= n; ++k) {
    sumA += a[k];
    sumB += b[k];
  }
  const float meanA = sumA / static_cast<float>(n), meanB = sumB / static_cast<float>(n);
  if (!std::isfinite(meanA) || !std::isfinite(meanB)) {
    TPairMoments m;
    MeanAndVariance(a, n, m.A.Mean, m.A.Variance);
    MeanAndVariance(b, n, m.B.Mean, m.B.Variance);
    return m;  // not reached: the overflow has been raised
  }
  float s1A = 0, s2A = 0, s1B = 0, s2B = 0, cov = 0;
  for (std::uint32_t k = 1; k <= n; ++k) {
    const float devA = a[k] - meanA, devB = b[k] - meanB;
    s1A += devA;
    s1B += devB;
    s2A = AddSquareFast(s2A, devA);
    s2B = AddSquareFast(s2B, devB);
    cov = AddProduct(cov, a[k], meanA, b[k], meanB);
  }
  return {{meanA, VarianceOf(s1A, s2A, count)}, {meanB, VarianceOf(s1B, s2B, count)}, cov};
}

Extended LogGamma(float x) {
  double y = x;
  double tmp = ToDouble(static_cast<E>(x) + 5.5);
  tmp = ToDouble(tmp - (static_cast<E>(x) + 0.5) * Ln(tmp));
  double ser = kLogGammaSeries;
  for (double c : kLogGammaCoefficients) {
    y = ToDouble(static_cast<E>(y) + 1);
    ser = ToDouble(ser + FDiv(c, y));
  }
  // 2.5066282746310007 is the double nearest sqrt(2 pi).
  return Ln(ToDouble(FDiv(static_cast<E>(2.5066282746310007) * ser, x))) - tmp;
}

Extended BetaFraction(float a, float b, float x) {
  const float qab = ToSingle(static_cast<E>(a) + b);
  const float qap = ToSingle(static_cast<E>(a) + 1);
  const float qam = ToSingle(static_cast<E>(a) - 1);
  float c = 1;
  float d = Floored(ToSingle(1 - FDiv(static_cast<E>(qab) * x, qap)));
  d = ToSingle(FDiv(1, d));
  float h = d;
  for (int m = 1; m <= kBetaFractionIterations; ++m) {
    const int m2 = 2 * m;
    // Even step of the recurrence: d_{2m} = m (b - m) x / ((a + 2m - 1)(a + 2m)).
    float aa = ToSingle(FDiv(static_cast<E>(m) * (static_cast<E>(b) - m) * x,
                             (static_cast<E>(qam) + m2) * (static_cast<E>(a) + m2)));
    d = Floored(ToSingle(1 + static_cast<E>(aa) * d));
    c = Floored(ToSingle(1 + FDiv(aa, c)));
    d = ToSingle(FDiv(1, d));
    h = ToSingle(static_cast<E>(h) * d * c);
    // Odd step: d_{2m+1} = -(a + m)(a + b + m) x / ((a + 2m)(a + 2m + 1)).
    aa = ToSingle(FDiv(-(static_cast<E>(a) + m) * (static_cast<E>(qab) + m) * x,
                       (static_cast<E>(a) + m2) * (static_cast<E>(qap) + m2)));
    d = Floored(ToSingle(1 + static_cast<E>(aa) * d));
    c = Floored(ToSingle(1 + FDiv(aa, c)));
    d = ToSingle(FDiv(1, d));
    const float del = ToSingle(static_cast<E>(d) * c);
    h = ToSingle(static_cast<E>(h) * del);
    if (FLess(std::fabs(static_cast<double>(del) - 1.0), kBetaFractionTolerance)) return h;
  }
  ShowModalMessage("problem with a, b, ... in routine betacf");
  return kBetaFractionFailed;
}

Extended IncompleteBeta(float a, float b, float x) {
  // Reported, then computed with the same arguments anyway.
  if (FLess(x, 0) || FGreater(x, 1)) ShowModalMessage("problem with a, b, ... in routine betai");

  float bt = 0;
  if (!FEqual(x, 0) && !FEqual(x, 1)) {
    // bt = x^a (1 - x)^b / B(a, b), through the logarithms of the gammas.
    const float g1 = ToSingle(LogGamma(ToSingle(static_cast<E>(a) + b)));
    const float g2 = ToSingle(g1 - LogGamma(a));
    const float g3 = ToSingle(g2 - LogGamma(b));
    const double u = ToDouble(static_cast<E>(a) * Ln(x) + g3);
    bt = ToSingle(Exp(ToDouble(static_cast<E>(b) * Ln(ToDouble(1 - static_cast<E>(x))) + u)));
  }

  // The continued fraction converges fast only below the mean (a+1)/(a+b+2);
  // above it, the symmetry I_x(a, b) = 1 - I_{1-x}(b, a) is used instead.
  if (FLess(x, FDiv(static_cast<E>(a) + 1, static_cast<E>(a) + b + 2))) {
    const Extended cf = BetaFraction(a, b, x);
    if (cf == kBetaFractionFailed) throw EPValueUndefined();
    return FDiv(cf * bt, a);
  }
  const Extended cf = BetaFraction(b, a, ToSingle(1 - static_cast<E>(x)));
  if (cf == kBetaFractionFailed) throw EPValueUndefined();
  return 1 - FDiv(cf * bt, b);
}

TMoments Moments(std::span<const float> data, std::uint32_t n) {
  TMoments m;
  MeanAndVariance(data, n, m.Mean, m.Variance);
  return m;
}

TTStatistic EqualStatistic(TMoments a, std::uint32_t nA, TMoments b, std::uint32_t nB) {
  const float df = static_cast<float>(static_cast<std::int64_t>(nA) + nB - 2);
  const float pooled =
      ToSingle(FDiv(static_cast<E>(nA - 1) * a.Variance + static_cast<E>(nB - 1) * b.Variance, df));
  const Extended se = Sqrt(ToDouble(static_cast<E>(pooled) * (FDiv(1, nA) + FDiv(1, nB))));
  return {ToSingle(FDiv(static_cast<E>(a.Mean) - b.Mean, se)), df};
}

TTStatistic UnequalStatistic(TMoments a, std::uint32_t nA, TMoments b, std::uint32_t nB) {
  const Extended se = Sqrt(ToDouble(FDiv(a.Variance, nA) + FDiv(b.Variance, nB)));
  const float t = ToSingle(FDiv(static_cast<E>(a.Mean) - b.Mean, se));
  const float sum = ToSingle(FDiv(a.Variance, nA) + FDiv(b.Variance, nB));
  const float q1 = ToSingle(FDiv(a.Variance, nA));
  const float q2 = ToSingle(FDiv(b.Variance, nB));
  // Welch-Satterthwaite: a constant series contributes q = 0 and df falls to
  // the other series' n - 1.
  const float df =
      ToSingle(FDiv(static_cast<E>(sum) * sum,
                    FDiv(static_cast<E>(q1) * q1, nA - 1) + FDiv(static_cast<E>(q2) * q2, nB - 1)));
  return {t, df};
}

TTStatistic PairedStatistic(TMoments ma, TMoments mb, float covarianceSum, std::uint32_t n) {
  const float df = static_cast<float>(n - 1);
  const float cov = ToSingle(FDiv(covarianceSum, df));
  // Rounding can make the variance of the differences slightly negative when
  // the series differ by an almost constant amount: the square root then
  // reports a domain error and gives NaN, which traps at the first comparison.
  const float sd = ToSingle(
      Sqrt(ToDouble(FDiv(static_cast<E>(ma.Variance) + mb.Variance - 2 * static_cast<E>(cov), n))));
  return {ToSingle(FDiv(static_cast<E>(ma.Mean) - mb.Mean, sd)), df};
}

TTStatistic PairedStatistic(std::span<const float> a, TMoments ma, std::span<const float> b,
                            TMoments mb, std::uint32_t n) {
  float cov = 0;
  for (std::uint32_t k = 1; k <= n; ++k) cov = AddProduct(cov, a[k], ma.Mean, b[k], mb.Mean);
  return PairedStatistic(ma, mb, cov, n);
}

TTStatistic StudentTEqualStatistic(std::span<const float> a, std::uint32_t nA,
                                   std::span<const float> b, std::uint32_t nB) {
  const TMoments ma = Moments(a, nA);
  return EqualStatistic(ma, nA, Moments(b, nB), nB);
}

TTStatistic StudentTUnequalStatistic(std::span<const float> a, std::uint32_t nA,
                                     std::span<const float> b, std::uint32_t nB) {
  const TMoments ma = Moments(a, nA);
  return UnequalStatistic(ma, nA, Moments(b, nB), nB);
}

TTStatistic StudentTPairedStatistic(std::span<const float> a, std::span<const float> b,
                                    std::uint32_t n) {
  const TMoments ma = Moments(a, n);
  const TMoments mb = Moments(b, n);
  return PairedStatistic(a, ma, b, mb, n);
}

namespace {

// A test is its statistic followed by the p value; t and p are written only
// once both exist.
void Finish(TTStatistic s, float& t, float& p) {
  p = TwoSidedP(s.df, s.t);
  t = s.t;
}

}  // namespace

TTStatistic TestStatistic(TTestKind kind, std::span<const float> a, std::span<const float> b,
                          std::uint32_t n) {
  switch (kind) {
    case TTestKind::EqualVariance:
      return StudentTEqualStatistic(a, n, b, n);
    case TTestKind::UnequalVariance:
      return StudentTUnequalStatistic(a, n, b, n);
    case TTestKind::Paired:
      return StudentTPairedStatistic(a, b, n);
    case TTestKind::RankSum:
    case TTestKind::SignedRank:
    case TTestKind::LogEqual:
      break;
  }
  HALVORN_UNREACHABLE("a t-test has a t statistic");
}

TTStatistic TestStatistic(TTestKind kind, const TPairMoments& m, std::uint32_t n) {
  switch (kind) {
    case TTestKind::EqualVariance:
      return EqualStatistic(m.A, n, m.B, n);
    case TTestKind::UnequalVariance:
      return UnequalStatistic(m.A, n, m.B, n);
    case TTestKind::Paired:
      return PairedStatistic(m.A, m.B, m.CovarianceSum, n);
    case TTestKind::RankSum:
    case TTestKind::SignedRank:
    case TTestKind::LogEqual:
      break;
  }
  HALVORN_UNREACHABLE("a t-test has a t statistic");
}

TTestResult RunTest(TTestKind kind, std::span<const float> a, std::span<const float> b,
                    std::uint32_t n) {
  const TTStatistic s = TestStatistic(kind, a, b, n);
  return {s.t, TwoSidedP(s.df, s.t)};
}

void StudentTEqual(std::span<const float> a, std::uint32_t nA, std::span<const float> b,
                   std::uint32_t nB, float& t, float& p) {
  Finish(StudentTEqualStatistic(a, nA, b, nB), t, p);
}

void StudentTUnequal(std::span<const float> a, std::uint32_t nA, std::span<const float> b,
                     std::uint32_t nB, float& t, float& p) {
  Finish(StudentTUnequalStatistic(a, nA, b, nB), t, p);
}

void StudentTPaired(std::span<const float> a, std::span<const float> b, std::uint32_t n, float& t,
                    float& p) {
  Finish(StudentTPairedStatistic(a, b, n), t, p);
}

}  // namespace halvorn
