#pragma once
// Two-sample Student t-tests with their two-sided p values.
//
// Samples are single-precision arrays addressed from 1 to n (slot 0 is
// ignored); every named intermediate is stored in single precision unless the
// implementation says double, and the arithmetic inside one formula runs in
// extended precision. Bad arguments and a continued fraction that does not
// converge are reported through the modal message sink.

#include <cstdint>
#include <span>

#include "platform/runtime/FloatOps.h"
#include "sim/TestTable.h"

namespace halvorn {

// Mean and variance of data[1..n] in two passes, with the rounding-error
// correction term of the second pass.
void MeanAndVariance(std::span<const float> data, std::uint32_t n, float& mean, float& variance);

// ln Gamma(x) for x > 0, Lanczos approximation with six terms: ln of
// sqrt(2 pi) (kLogGammaSeries + sum of c_j / (x + 1 + j)) / x, minus
// (x + 5.5) - (x + 0.5) ln(x + 5.5). Its relative error is below 2e-10 for
// x > 0, far below the single precision it is stored in.
inline constexpr double kLogGammaSeries = 1.000000000190015;
inline constexpr double kLogGammaCoefficients[6] = {76.18009172947146,    -86.50532032941678,
                                                    24.01409824083091,    -1.231739572450155,
                                                    0.001208650973866179, -5.395239384953e-06};
Extended LogGamma(float x);

// The continued fraction of the incomplete beta function (modified Lentz).
// It stops when a step changes the value by a factor within
// kBetaFractionTolerance of 1, and returns kBetaFractionFailed after
// reporting when kBetaFractionIterations do not reach that.
inline constexpr int kBetaFractionIterations = 100;
inline constexpr double kBetaFractionTolerance = 3e-7;
inline constexpr Extended kBetaFractionFailed = -100;
Extended BetaFraction(float a, float b, float x);

// The regularised incomplete beta function I_x(a, b). Raises EPValueUndefined
// when its continued fraction fails, rather than building a value on the
// failure sentinel.
Extended IncompleteBeta(float a, float b, float x);

// The two-sided p value of t with df degrees of freedom:
// IncompleteBeta(TailA(df), 0.5, TailX(df, t)). Its two arguments that vary
// are offered apart, so that a caller can tell which p it would get.
float TailA(float df);           // 0.5 * df, in single precision
float TailX(float df, float t);  // df / (df + t * t), in single precision
float TwoSidedP(float df, float t);

// A test's statistic before its p value: t (sign of mean A minus mean B) and
// the degrees of freedom.
struct TTStatistic {
  float t;
  float df;
};

// The statistics from the samples' means and variances, which every test
// computes first (the samples themselves serve only the paired covariance).
// Given the moments of MeanAndVariance, each gives exactly what the statistic
// of the samples below gives, traps included.
struct TMoments {
  float Mean, Variance;
};
TMoments Moments(std::span<const float> data, std::uint32_t n);
TTStatistic EqualStatistic(TMoments a, std::uint32_t nA, TMoments b, std::uint32_t nB);
TTStatistic UnequalStatistic(TMoments a, std::uint32_t nA, TMoments b, std::uint32_t nB);
TTStatistic PairedStatistic(std::span<const float> a, TMoments ma, std::span<const float> b,
                            TMoments mb, std::uint32_t n);

// Both series' moments and the sum of the products of their deviations (the
// paired test's covariance before its division by n - 1), in one pass for
// the means and one for the rest: exactly what MeanAndVariance of each and
// the paired statistic's own loop give.
struct TPairMoments {
  TMoments A, B;
  float CovarianceSum;
};
TPairMoments PairMoments(std::span<const float> a, std::span<const float> b, std::uint32_t n);
TTStatistic PairedStatistic(TMoments ma, TMoments mb, float covarianceSum, std::uint32_t n);

TTStatistic StudentTEqualStatistic(std::span<const float> a, std::uint32_t nA,
                                   std::span<const float> b, std::uint32_t nB);
TTStatistic StudentTUnequalStatistic(std::span<const float> a, std::uint32_t nA,
                                     std::span<const float> b, std::uint32_t nB);
TTStatistic StudentTPairedStatistic(std::span<const float> a, std::span<const float> b,
                                    std::uint32_t n);

// The statistic of test `kind` on the samples, as the window's Run computes
// it, and the same from the moments of the pair (which give exactly what the
// samples give), as the power engine computes it for every test at once.
TTStatistic TestStatistic(TTestKind kind, std::span<const float> a, std::span<const float> b,
                          std::uint32_t n);
TTStatistic TestStatistic(TTestKind kind, const TPairMoments& m, std::uint32_t n);

// A test's outcome: t (sign of mean A minus mean B) and its two-sided p.
struct TTestResult {
  float t;
  float p;
};
// Test `kind` on two samples of n values each: its statistic, then p.
TTestResult RunTest(TTestKind kind, std::span<const float> a, std::span<const float> b,
                    std::uint32_t n);

// The three tests write t (sign of mean A minus mean B) and p. A trapped
// floating-point condition raises before either is written, so on failure
// both keep what they held.
//
// Independent samples with a pooled variance.
void StudentTEqual(std::span<const float> a, std::uint32_t nA, std::span<const float> b,
                   std::uint32_t nB, float& t, float& p);
// Independent samples with unequal variances (Welch-Satterthwaite df).
void StudentTUnequal(std::span<const float> a, std::uint32_t nA, std::span<const float> b,
                     std::uint32_t nB, float& t, float& p);
// Paired samples.
void StudentTPaired(std::span<const float> a, std::span<const float> b, std::uint32_t n, float& t,
                    float& p);

}  // namespace halvorn
