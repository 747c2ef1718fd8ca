#include "sim/RankTests.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <mutex>
#include <utility>

#include "platform/runtime/Assert.h"
#include "sim/PValueBins.h"

namespace halvorn {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// 2 min(P(Z <= z), P(Z >= z)) for a standard normal Z.
double TwoSidedNormalP(double z) { return std::erfc(std::fabs(z) * M_SQRT1_2); }

// The continuity correction of a two-sided test: half a step towards the
// middle.
double Correction(double z) { return z > 0 ? 0.5 : z < 0 ? -0.5 : 0.0; }

// What the ranks of a test come to: twice its statistic (ranks are whole or
// halves), whether any values tie, and the sum of t^3 - t over the groups of
// t tied values.
struct TRanked {
  std::int64_t TwiceStatistic = 0;
  bool Ties = false;
  double TieSum = 0;

  void AddGroup(std::int64_t size) {
    if (size < 2) return;
    Ties = true;
    TieSum += static_cast<double>(size * size * size - size);
  }
};

TSampleTestResult RankSumP(const TRanked& r, std::size_t sizeA, std::size_t sizeB,
                           const TRankSumNull* exact) {
  const double w = static_cast<double>(r.TwiceStatistic) / 2;
  if (exact && !r.Ties) return {w, exact->TwoSidedP(r.TwiceStatistic / 2)};
  const auto m = static_cast<double>(sizeA), n = static_cast<double>(sizeB);
  const double z = w - m * n / 2;
  const double sigma = std::sqrt((m * n / 12) * ((m + n + 1) - r.TieSum / ((m + n) * (m + n - 1))));
  const double p = TwoSidedNormalP((z - Correction(z)) / sigma);
  return {w, p, std::isnan(p) ? "every value is tied" : nullptr};
}

TSampleTestResult SignedRankP(const TRanked& r, std::size_t count, bool hadZeros) {
  const double v = static_cast<double>(r.TwiceStatistic) / 2;
  const auto n = static_cast<double>(count);
  if (count > 0 && count < kExactBelow && !r.Ties && !hadZeros)
    return {v, SignedRankNull().TwoSidedP(static_cast<int>(count), r.TwiceStatistic / 2)};
  const double z = v - n * (n + 1) / 4;
  const double sigma = std::sqrt(n * (n + 1) * (2 * n + 1) / 24 - r.TieSum / 48);
  const double p = TwoSidedNormalP((z - Correction(z)) / sigma);
  return {v, p, std::isnan(p) ? "every pair's difference is zero" : nullptr};
}

// The average rank, doubled, of each value of `values` among them all, by
// counting (the definition, not a sort).
std::vector<std::int64_t> TwiceAverageRanks(std::span<const double> values, TRanked& ranked) {
  std::vector<std::int64_t> ranks;
  ranks.reserve(values.size());
  for (const double v : values) {
    std::int64_t below = 0, equal = 0;
    for (const double u : values) {
      below += u < v;
      equal += u == v;
    }
    // Ranks below + 1 .. below + equal, whose mean doubled is this.
    ranks.push_back(2 * below + equal + 1);
    // Each group of t is met t times; t^3 - t = t (t^2 - 1).
    if (equal > 1) {
      ranked.Ties = true;
      ranked.TieSum += static_cast<double>(equal * equal - 1);
    }
  }
  return ranks;
}

void RequireFinite(std::span<const double> values) {
  for (const double v : values) HALVORN_ASSERT(std::isfinite(v), "a sample is a finite number");
}

}  // namespace

TRankSumNull::TRankSumNull(int m, int n) : m_(m), n_(n) {
  HALVORN_ASSERT(m >= 0 && n >= 0 && m < kExactBelow && n < kExactBelow,
                 "the exact null is made for small samples");
  // ways[j][u]: the orderings of i values of a and j of b in which u pairs
  // have the a value above. The largest value is a's, above all j of b's, or
  // b's, above none of a's. Counts reach C(98, 49), 2.5e28: extended
  // precision keeps them to 19 digits, far beyond a double's p.
  std::vector<std::vector<long double>> ways(static_cast<std::size_t>(n) + 1, {1.0L});
  for (int i = 1; i <= m; ++i)
    for (std::size_t j = 0; j <= static_cast<std::size_t>(n); ++j) {
      std::vector<long double> next(static_cast<std::size_t>(i) * j + 1, 0.0L);
      for (std::size_t u = 0; u < ways[j].size(); ++u) next[u + j] += ways[j][u];
      if (j > 0)
        for (std::size_t u = 0; u < ways[j - 1].size(); ++u) next[u] += ways[j - 1][u];
      ways[j] = std::move(next);
    }
  const std::vector<long double>& counts = ways[static_cast<std::size_t>(n)];
  // Each tail summed from its own end, so that neither is one minus the
  // other.
  std::vector<long double> lower(counts.size()), upper(counts.size());
  long double sum = 0;
  for (std::size_t u = 0; u < counts.size(); ++u) lower[u] = sum += counts[u];
  sum = 0;
  for (std::size_t u = counts.size(); u-- > 0;) upper[u] = sum += counts[u];
  const long double total = sum;
  const double middle = static_cast<double>(m) * n / 2;
  p_.resize(counts.size());
  for (std::size_t w = 0; w < counts.size(); ++w) {
    const double tail =
        static_cast<double>(static_cast<double>(w) > middle ? upper[w] / total : lower[w] / total);
    p_[w] = std::min(2 * tail, 1.0);
  }
}

std::shared_ptr<const TRankSumNull> RankSumNull(int m, int n) {
  static std::mutex mutex;
  static std::map<std::pair<int, int>, std::shared_ptr<const TRankSumNull>> made;
  const std::lock_guard lock(mutex);
  auto& null = made[{m, n}];
  if (!null) null = std::make_shared<const TRankSumNull>(m, n);
  return null;
}

TSignedRankNull::TSignedRankNull() : p_(kExactBelow) {
  // ways[v]: the subsets of the ranks 1 .. n that sum to v; at most 2^49,
  // exact in 64 bits, and each tail times 2^-n exact in a double.
  std::vector<std::uint64_t> ways{1};
  for (int n = 1; n < kExactBelow; ++n) {
    ways.resize(ways.size() + static_cast<std::size_t>(n), 0);
    for (std::size_t v = ways.size(); v-- > static_cast<std::size_t>(n);)
      ways[v] += ways[v - static_cast<std::size_t>(n)];
    std::vector<std::uint64_t> lower(ways.size()), upper(ways.size());
    std::uint64_t sum = 0;
    for (std::size_t v = 0; v < ways.size(); ++v) lower[v] = sum += ways[v];
    sum = 0;
    for (std::size_t v = ways.size(); v-- > 0;) upper[v] = sum += ways[v];
    const double middle = n * (n + 1.0) / 4, scale = std::ldexp(1.0, -n);
    auto& p = p_[static_cast<std::size_t>(n)];
    p.resize(ways.size());
    for (std::size_t v = 0; v < ways.size(); ++v) {
      const double tail =
          static_cast<double>(static_cast<double>(v) > middle ? upper[v] : lower[v]) * scale;
      p[v] = std::min(2 * tail, 1.0);
    }
  }
}

const TSignedRankNull& SignedRankNull() {
  static const TSignedRankNull null;
  return null;
}

TSampleTestResult RankSumTest(std::span<const double> a, std::span<const double> b) {
  RequireFinite(a);
  RequireFinite(b);
  std::vector<double> pooled(a.begin(), a.end());
  pooled.insert(pooled.end(), b.begin(), b.end());
  TRanked ranked;
  const std::vector<std::int64_t> ranks = TwiceAverageRanks(pooled, ranked);
  const auto m = static_cast<std::int64_t>(a.size());
  for (std::size_t i = 0; i < a.size(); ++i) ranked.TwiceStatistic += ranks[i];
  ranked.TwiceStatistic -= m * (m + 1);
  const bool small = a.size() < kExactBelow && b.size() < kExactBelow;
  const auto exact =
      small ? RankSumNull(static_cast<int>(a.size()), static_cast<int>(b.size())) : nullptr;
  return RankSumP(ranked, a.size(), b.size(), exact.get());
}

TSampleTestResult RankSumOfSorted(std::span<const double> a, std::span<const double> b,
                                  const TRankSumNull* exact) {
  HALVORN_ASSERT(!exact || (exact->M() == static_cast<int>(a.size()) &&
                            exact->N() == static_cast<int>(b.size())),
                 "the exact null is that of the samples' sizes");
  // Through both in step, a group of equal values at a time: each a value
  // in a group lies above the b values before it and level with the group's
  // own, which count a half.
  TRanked ranked;
  std::size_t i = 0, j = 0;
  while (i < a.size() || j < b.size()) {
    const double v = j == b.size() || (i < a.size() && a[i] < b[j]) ? a[i] : b[j];
    std::size_t inA = 0, inB = 0;
    while (i + inA < a.size() && a[i + inA] == v) ++inA;
    while (j + inB < b.size() && b[j + inB] == v) ++inB;
    HALVORN_ASSERT(inA + inB > 0, "the samples are sorted numbers");
    ranked.TwiceStatistic += static_cast<std::int64_t>(inA * (2 * j + inB));
    ranked.AddGroup(static_cast<std::int64_t>(inA + inB));
    i += inA;
    j += inB;
  }
  return RankSumP(ranked, a.size(), b.size(), exact);
}

TSampleTestResult SignedRankTest(std::span<const double> a, std::span<const double> b) {
  HALVORN_ASSERT(a.size() == b.size(), "the test pairs the samples");
  RequireFinite(a);
  RequireFinite(b);
  std::vector<double> differences, magnitudes;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (const double d = a[i] - b[i]; d != 0) {
      differences.push_back(d);
      magnitudes.push_back(std::fabs(d));
    }
  TRanked ranked;
  const std::vector<std::int64_t> ranks = TwiceAverageRanks(magnitudes, ranked);
  for (std::size_t i = 0; i < differences.size(); ++i)
    if (differences[i] > 0) ranked.TwiceStatistic += ranks[i];
  return SignedRankP(ranked, differences.size(), differences.size() < a.size());
}

TSampleTestResult SignedRankOfOrdered(std::span<const double> differences, bool hadZeros) {
  TRanked ranked;
  for (std::size_t k = 0; k < differences.size();) {
    const double magnitude = std::fabs(differences[k]);
    std::size_t size = 0;
    std::int64_t positive = 0;
    for (; k + size < differences.size() && std::fabs(differences[k + size]) == magnitude; ++size)
      positive += differences[k + size] > 0;
    HALVORN_ASSERT(size > 0 && magnitude > 0, "the differences are nonzero numbers in order");
    // The group holds ranks k + 1 .. k + size, whose mean doubled is this.
    ranked.TwiceStatistic += positive * static_cast<std::int64_t>(2 * k + size + 1);
    ranked.AddGroup(static_cast<std::int64_t>(size));
    k += size;
  }
  return SignedRankP(ranked, differences.size(), hadZeros);
}

namespace {

// The mean as R takes it: summed in extended precision, then corrected by
// the mean of the deviations from it.
long double Mean(std::span<const double> x) {
  long double sum = 0;
  for (const double v : x) sum += v;
  long double mean = sum / static_cast<long double>(x.size());
  if (std::isfinite(static_cast<double>(mean))) {
    long double deviations = 0;
    for (const double v : x) deviations += v - mean;
    mean += deviations / static_cast<long double>(x.size());
  }
  return mean;
}

// The sum of squared deviations from the mean (the sample variance times
// n - 1), each deviation and square in double precision and their sum in
// extended.
double SquaredDeviations(std::span<const double> x, double mean) {
  long double sum = 0;
  for (const double v : x) {
    const double d = v - mean;
    sum += d * d;
  }
  return static_cast<double>(sum / static_cast<long double>(x.size() - 1)) *
         static_cast<double>(x.size() - 1);
}

}  // namespace

TLogStatistic PooledStatistic(std::span<const double> logA, std::span<const double> logB) {
  const auto nx = static_cast<double>(logA.size()), ny = static_cast<double>(logB.size());
  const double df = nx + ny - 2;
  const auto mx = static_cast<double>(Mean(logA)), my = static_cast<double>(Mean(logB));
  double v = 0;
  if (logA.size() > 1) v += SquaredDeviations(logA, mx);
  if (logB.size() > 1) v += SquaredDeviations(logB, my);
  v /= df;
  const double standardError = std::sqrt(v * (1 / nx + 1 / ny));
  // Samples that are constant up to rounding give no t.
  if (!(standardError >=
        10 * std::numeric_limits<double>::epsilon() * std::max(std::fabs(mx), std::fabs(my))))
    return {kNaN, df};
  return {(mx - my) / standardError, df};
}

TSampleTestResult LogEqualTest(std::span<const double> a, std::span<const double> b) {
  std::vector<double> logA, logB;
  for (const auto& [from, to] : {std::pair{a, &logA}, std::pair{b, &logB}})
    for (const double v : from) {
      if (!(v > 0)) return {kNaN, kNaN, "a value is 0 or less and has no logarithm"};
      to->push_back(std::log(v));
    }
  const TLogStatistic st = PooledStatistic(logA, logB);
  const double p = StudentTwoSidedP(st.df, st.t);
  return {st.t, p, std::isnan(p) ? "the logarithms are constant" : nullptr};
}

TSampleTestResult DrawnSampleTest(TTestKind kind, std::span<const double> a,
                                  std::span<const double> b) {
  switch (kind) {
    case TTestKind::RankSum:
      return RankSumTest(a, b);
    case TTestKind::SignedRank:
      return SignedRankTest(a, b);
    case TTestKind::LogEqual:
      return LogEqualTest(a, b);
    default:
      HALVORN_UNREACHABLE("the t-tests judge the samples as stored");
  }
}

}  // namespace halvorn
