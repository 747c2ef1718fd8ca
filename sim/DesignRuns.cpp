#include "sim/DesignRuns.h"

#include <cmath>

#include "platform/runtime/Exceptions.h"
#include "sim/RandomSource.h"
#include "sim/SeasonalSample.h"
#include "sim/StudentT.h"
#include "sim/TestKind.h"

namespace halvorn {
namespace {

int BinOf(const TPBinThresholds& thresholds, TTStatistic st) {
  return st.df == thresholds.Df() ? thresholds.BinOf(TailX(st.df, st.t)) : -1;
}

}  // namespace

std::shared_ptr<const TDesignRuns::TErrorTable> TDesignRuns::MakeErrorTable(double error) {
  auto table = std::make_shared<TErrorTable>(static_cast<std::size_t>(kErrorDraws));
  for (std::int32_t r = 0; r < kErrorDraws; ++r)
    (*table)[static_cast<std::size_t>(r)] = RelativeError(r, error);
  return table;
}

TDesignRuns::TDesignRuns(const SimParams& params, TShared shared)
    : n_(params.SampleCount),
      shared_(std::move(shared)),
      alike_(params.ErrorPctP == 0 && params.ErrorPctM == 0) {
  // The Run's own limit: the sample arrays hold 299 samples.
  if (n_ < 1 || n_ >= 300) throw EListError::IndexOutOfBounds(n_);
  levelP_.resize(static_cast<std::size_t>(n_));
  levelM_.resize(static_cast<std::size_t>(n_));
  for (std::int32_t i = 0; i < n_; ++i) {
    // The month as the Run computes it, for each series.
    const double tP = i * params.StepMonths + 1;
    const double tM = static_cast<double>(i * params.StepMonths) + 1.0;
    levelP_[static_cast<std::size_t>(i)] =
        SeasonalLevel(tP, params.PeriodMonths, params.BaselineP, params.AmplitudeP, params.PhaseP);
    levelM_[static_cast<std::size_t>(i)] =
        SeasonalLevel(tM, params.PeriodMonths, params.BaselineM, params.AmplitudeM, params.PhaseM);
  }
}

std::uint64_t TDesignRuns::Fill(std::uint64_t state, const std::vector<double>& levels,
                                const TErrorTable& errors, std::array<float, 301>& values) const {
  for (std::int32_t i = 0; i < n_; ++i) {
    state = NextRandomState(state);
    const std::int32_t r = RandomBelowOf(Random31Of(state), kErrorDraws);
    // The sample is at most (1 + 2) times a level of at most 400: its store
    // in single precision cannot overflow.
    values[static_cast<std::size_t>(i) + 1] = static_cast<float>(
        WithError(levels[static_cast<std::size_t>(i)], errors[static_cast<std::size_t>(r)]));
  }
  return state;
}

std::uint64_t TDesignRuns::JudgeOne(std::uint64_t state, TScratch& s, TPowerResult& into) const {
  state = Fill(state, levelP_, *shared_.ErrorsP, s.Before);
  state = Fill(state, levelM_, *shared_.ErrorsM, s.After);
  ++into.Runs;
  const auto n = static_cast<std::uint32_t>(n_);
  TPairMoments m;
  try {
    m = PairMoments(s.Before, s.After, n);
  } catch (const Exception&) {
    // Every test starts with these moments, so every test fails alike.
    for (auto& t : into.Tests) ++t.Failed;
    return state;
  }
  // Each test: its statistic, then the bin of its p, found from the
  // thresholds or the tail where that is safe and from the test's own p
  // where it is not. A trap anywhere fails that test alone.
  const auto judge = [&](int test, auto statistic, auto fastBin) {
    TTestCounts& counts = into.Tests[static_cast<std::size_t>(test)];
    try {
      const TTStatistic st = statistic();
      int bin = fastBin(st);
      if (bin < 0) bin = CheckedPBin(TwoSidedP(st.df, st.t));
      counts.Add(bin);
    } catch (const Exception&) {
      ++counts.Failed;
    }
  };
  judge(
      ttEqualVariance, [&] { return EqualStatistic(m.A, n, m.B, n); },
      [&](TTStatistic st) { return BinOf(*shared_.Pooled, st); });
  judge(
      ttUnequalVariance, [&] { return UnequalStatistic(m.A, n, m.B, n); },
      [&](TTStatistic st) { return UnequalBin(st); });
  judge(
      ttPaired, [&] { return PairedStatistic(m.A, m.B, m.CovarianceSum, n); },
      [&](TTStatistic st) { return BinOf(*shared_.Paired, st); });
  return state;
}

int TDesignRuns::UnequalBin(TTStatistic st) const {
  // Welch's df lies between n - 1 and 2 n - 2, and for a given t the tail
  // shrinks as df grows. So the tails at the paired and the pooled test's df
  // bound this test's tail from above and below; when both lie in one bin,
  // more than the guard from its edges, so does this one. The thresholds
  // judge the x of a df rounded to single, the bounds need the exact x: the
  // floats on either side of the rounded x enclose it.
  if (st.df >= shared_.Paired->Df() && st.df <= shared_.Pooled->Df()) {
    const auto bracket = [&](const TPBinThresholds& at) {
      const float x = TailX(at.Df(), st.t);
      const int lo = at.BinOf(std::nextafter(x, -1.0f)), hi = at.BinOf(std::nextafter(x, 2.0f));
      return lo == hi ? lo : -1;
    };
    const int upper = bracket(*shared_.Paired);
    if (upper >= 0 && upper == bracket(*shared_.Pooled)) return upper;
  }
  return FastPBin(st.df, st.t);
}

void TDesignRuns::Judge(std::uint64_t state, std::int64_t runs, TScratch& scratch,
                        const std::atomic<bool>& stop, TPowerResult& into) const {
  if (alike_ && runs > 0) {
    TPowerResult one;
    JudgeOne(state, scratch, one);
    into.Runs += runs;
    for (std::size_t t = 0; t < one.Tests.size(); ++t) into.Tests[t] += one.Tests[t].Times(runs);
    return;
  }
  for (std::int64_t j = 0; j < runs && !stop.load(std::memory_order_relaxed); ++j)
    state = JudgeOne(state, scratch, into);
}

}  // namespace halvorn
