#pragma once
// The tests that judge the samples as they were drawn, in double precision:
// the Wilcoxon rank-sum and signed-rank tests and the pooled t-test on the
// logarithms, each computed as R's wilcox.test and t.test compute it with
// their defaults, so that a student can check any Run with R.
//
// Each test is given twice: a plain function that ranks the samples as R
// does (every value's average rank), which the window's Run and the tool
// use, and the statistic from samples the caller has already ordered, which
// the power engine uses on every Run. Both end in the same p function, so
// they differ only in how the ranks are found.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "platform/runtime/Exceptions.h"
#include "sim/TestTable.h"

namespace halvorn {

// A test that has no p for these samples: every value tied, every pair's
// difference zero, a value with no logarithm.
class ETestUndefined : public EMathError {
 public:
  using EMathError::EMathError;
};

// A test's statistic (W, V or t) and its two-sided p; p is NaN when the test
// has none, and then Why says why.
struct TSampleTestResult {
  double Statistic;
  double p;
  const char* Why = nullptr;
};

// Below this many values in each sample, and without ties (and, for the
// signed-rank test, without zero differences), p comes from the exact null
// distribution; otherwise from the normal approximation with the tie and
// continuity corrections.
inline constexpr int kExactBelow = 50;

// The two-sided p of every W of the rank-sum test for samples of m and n
// values, from the exact distribution of the Mann-Whitney count: p(W) =
// min(1, 2 P(W' <= W)) below the middle and min(1, 2 P(W' >= W)) above it.
class TRankSumNull {
 public:
  TRankSumNull(int m, int n);
  int M() const { return m_; }
  int N() const { return n_; }
  double TwoSidedP(std::int64_t w) const { return p_[static_cast<std::size_t>(w)]; }

 private:
  int m_, n_;
  std::vector<double> p_;  // for W = 0 .. m n
};

// The null distribution for m and n below kExactBelow, made once per process
// and shared by every caller and thread.
std::shared_ptr<const TRankSumNull> RankSumNull(int m, int n);

// The two-sided p of every V of the signed-rank test for 1 .. kExactBelow - 1
// nonzero differences, made once per process.
class TSignedRankNull {
 public:
  TSignedRankNull();
  double TwoSidedP(int n, std::int64_t v) const {
    return p_[static_cast<std::size_t>(n)][static_cast<std::size_t>(v)];
  }

 private:
  std::vector<std::vector<double>> p_;  // [n][V], V = 0 .. n (n + 1) / 2
};
const TSignedRankNull& SignedRankNull();

// Wilcoxon rank-sum test of a against b: W is the sum of a's ranks in the
// pooled sample minus m (m + 1) / 2.
TSampleTestResult RankSumTest(std::span<const double> a, std::span<const double> b);
// The same from the pooled sample (a's values, then b's) and the places of
// its values in ascending order; `exact` is the null of the samples' sizes,
// or null when either has kExactBelow values or more.
TSampleTestResult RankSumOfOrdered(std::span<const double> pooled,
                                   std::span<const std::uint32_t> order, std::size_t sizeA,
                                   const TRankSumNull* exact);

// Samples of fewer than kCountingBelow values are ranked by comparing every
// pair, without a sort and without a branch on the values, which for so few
// is faster. That counting tells ties apart only by giving up: the two
// functions below give what the plain ones give, or nothing when two values
// (or two differences' magnitudes) tie or a difference is zero.
inline constexpr std::size_t kCountingBelow = 32;
std::optional<TSampleTestResult> RankSumWithoutTies(std::span<const double> a,
                                                    std::span<const double> b,
                                                    const TRankSumNull* exact);
std::optional<TSampleTestResult> SignedRankWithoutTies(std::span<const double> a,
                                                       std::span<const double> b);

// Wilcoxon signed-rank test of the pairs (a[i], b[i]): the differences
// a[i] - b[i], zeros dropped; V is the sum of the ranks of |difference| of
// the positive ones.
TSampleTestResult SignedRankTest(std::span<const double> a, std::span<const double> b);
// The same from the nonzero differences ordered by magnitude; `hadZeros`
// says whether zeros were dropped.
TSampleTestResult SignedRankOfOrdered(std::span<const double> differences, bool hadZeros);

// The pooled (equal-variance) t-test on the natural logarithms of a and b;
// no p when a value is 0 or less.
TSampleTestResult LogEqualTest(std::span<const double> a, std::span<const double> b);
// t and its degrees of freedom from the logarithms themselves, means and
// variances accumulated in extended precision as R accumulates them.
struct TLogStatistic {
  double t, df;
};
TLogStatistic PooledStatistic(std::span<const double> logA, std::span<const double> logB);

// Test `kind` (a rank or log test) on the samples as drawn.
TSampleTestResult DrawnSampleTest(TTestKind kind, std::span<const double> a,
                                  std::span<const double> b);

}  // namespace halvorn
