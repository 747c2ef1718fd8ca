#pragma once
// The p bin of a test, found without computing the test's p on most Runs.
//
// The test's p is IncompleteBeta(a, 0.5, x) with a = TailA(df) and
// x = TailX(df, t), both single precision. That routine works in single
// precision with logarithms of gamma functions stored as singles, so its p
// is not the mathematical tail probability of (a, x) but lies within
// kPValueError of it. TwoSidedTail gives the mathematical value in double
// precision, far more accurately than that. Wherever TwoSidedTail is more
// than kPGuard from every bin edge, the routine's p therefore lies in the
// same bin; only within kPGuard of an edge must the routine itself decide.
//
// The size of the routine's error, for a up to 200 (df up to 400: every
// design has at most 200 samples per series):
//  - LogGamma's own error (kLogGammaCoefficients) is below 2e-10 relative;
//    ln G(a + b) is stored as a single, and below 860 its rounding error is
//    at most 2^-15 = 3.1e-5, which scales the front factor by at most
//    1 + 3.1e-5;
//    the two other stored logarithms are below 4 in magnitude and add less
//    than 1e-6;
//  - the continued fraction converges within 15 iterations everywhere in
//    this range (its slowest point, x at (a + 1)/(a + 2.5), needs 12 at
//    kBetaFractionTolerance), well within kBetaFractionIterations, so its
//    roundings and truncation stay near 1e-6 relative;
//  - the final p is rounded to single (3e-8 absolute below 1).
// Every error is relative to p or to 1 - p, both at most 1, so the routine's
// p is within about 5e-5 of the mathematical value (the largest difference
// seen over two million random (df, t) is 4.7e-5). kPGuard is ten times that.

#include <array>

#include "sim/Significance.h"
#include "sim/StudentT.h"

namespace halvorn {

inline constexpr double kPValueError = 5e-5;
inline constexpr double kPGuard = 10 * kPValueError;

// What the analysis assumes of the routine: the fraction is never cut off
// before it converges, and converging leaves an error far below the bound.
static_assert(kBetaFractionIterations >= 15, "the fraction converges within 15 iterations");
static_assert(kBetaFractionTolerance <= kPValueError / 100,
              "the fraction's truncation is a small part of the error");

// The largest a for which the error analysis above holds.
inline constexpr float kMaxTailA = 200;

// I_x(a, 1/2) in double precision: the two-sided tail probability of
// Student's t with 2a degrees of freedom, x = df / (df + t^2). NaN when the
// arguments are outside 0 < a <= kMaxTailA, 0 <= x <= 1.
double TwoSidedTail(double a, double x);

// The bin of the mathematical tail probability `p` when it is more than
// kPGuard from every edge; -1 otherwise.
int GuardedPBin(double p);

// The p bin of the routine's p for every x of one df (the pooled and the
// paired test have one df per design): p grows with x, so each edge is a
// pair of thresholds on x, one on either side of its guard band.
class TPBinThresholds {
 public:
  explicit TPBinThresholds(float df);
  float Df() const { return df_; }
  // The bin of IncompleteBeta(TailA(df), 0.5, x); -1 when x is within an
  // edge's guard band (or not in [0, 1]) and the routine must decide.
  int BinOf(float x) const;
  // The bin that every x in [lo, hi] gives, or -1.
  int BinOfRange(float lo, float hi) const;

 private:
  float df_;
  bool valid_;                             // a within the range of the error analysis
  std::array<float, kPBins - 1> below_{};  // x <= below_[k]: p under edge k + 1
  std::array<float, kPBins - 1> above_{};  // x >= above_[k]: p over edge k + 1
};

// The bin of the routine's p for (df, t), or -1 when the routine must
// decide: for a df that changes from Run to Run (the unequal-variance test).
int FastPBin(float df, float t);

// The two-sided p of Student's t with df > 0 degrees of freedom in double
// precision, I_x(df / 2, 1/2) with x = df / (df + t^2): the p of the tests
// computed as the statistics packages compute them. NaN for a NaN t.
double StudentTwoSidedP(double df, double t);

// The bin of StudentTwoSidedP(df, t) for every t of one df, from thresholds
// on x where x is more than a guard from an edge's crossing, else from p
// itself. The guard, 1e-12 in p, is a thousand times the error of p, so the
// thresholds never decide a bin that p would not.
class TStudentPBins {
 public:
  explicit TStudentPBins(double df);
  double Df() const { return df_; }
  int BinOf(double t) const;

 private:
  double df_, a_, lnBeta_;
  std::array<double, kPBins - 1> below_{};  // x <= below_[k]: p under edge k + 1
  std::array<double, kPBins - 1> above_{};  // x >= above_[k]: p over edge k + 1
};

}  // namespace halvorn
