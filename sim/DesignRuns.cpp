#include "sim/DesignRuns.h"

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

TDesignRuns::TDesignRuns(const SimParams& params, std::shared_ptr<const TPBinThresholds> pooled,
                         std::shared_ptr<const TPBinThresholds> paired)
    : n_(params.SampleCount),
      errorP_(params.ErrorPctP),
      errorM_(params.ErrorPctM),
      pooled_(std::move(pooled)),
      paired_(std::move(paired)),
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
                                double error, std::array<float, 301>& values) const {
  for (std::int32_t i = 0; i < n_; ++i) {
    state = NextRandomState(state);
    const std::int32_t r = RandomBelowOf(Random31Of(state), kErrorDraws);
    values[static_cast<std::size_t>(i) + 1] =
        ToSingle(WithError(levels[static_cast<std::size_t>(i)], RelativeError(r, error)));
  }
  return state;
}

std::uint64_t TDesignRuns::JudgeOne(std::uint64_t state, TScratch& s, TPowerResult& into) const {
  state = Fill(state, levelP_, errorP_, s.Before);
  state = Fill(state, levelM_, errorM_, s.After);
  ++into.Runs;
  const auto n = static_cast<std::uint32_t>(n_);
  TMoments mP, mM;
  try {
    mP = Moments(s.Before, n);
    mM = Moments(s.After, n);
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
      ttEqualVariance, [&] { return EqualStatistic(mP, n, mM, n); },
      [&](TTStatistic st) { return BinOf(*pooled_, st); });
  judge(
      ttUnequalVariance, [&] { return UnequalStatistic(mP, n, mM, n); },
      [&](TTStatistic st) { return FastPBin(st.df, st.t); });
  judge(
      ttPaired, [&] { return PairedStatistic(s.Before, mP, s.After, mM, n); },
      [&](TTStatistic st) { return BinOf(*paired_, st); });
  return state;
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
