#pragma once
// The Runs of one design, judged as the window's Run judges them but faster:
// what does not change from Run to Run (each sample's seasonal level, the
// degrees of freedom of the pooled and the paired test, hence the x
// thresholds of their p bins) is worked out once per design.

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "sim/PValueBins.h"
#include "sim/PowerResult.h"
#include "sim/SimParams.h"
#include "sim/StudentT.h"

namespace halvorn {

class TDesignRuns {
 public:
  // The sample arrays of one Run, addressed from 1 as the tests address
  // them; one per thread.
  struct TScratch {
    std::array<float, 301> Before{}, After{};
  };

  // RelativeError(r, error) for every draw r, for one series' error: one
  // table lookup per sample instead of three extended multiplications.
  using TErrorTable = std::vector<double>;
  static std::shared_ptr<const TErrorTable> MakeErrorTable(double error);

  // What a design's Runs share with other designs: the error tables of its
  // two series, and the p bin thresholds of df = 2 n - 2 (pooled) and
  // n - 1 (paired), which depend on the sample count alone.
  struct TShared {
    std::shared_ptr<const TErrorTable> ErrorsP, ErrorsM;
    std::shared_ptr<const TPBinThresholds> Pooled, Paired;
  };

  // Raises EListError for a sample count the Run refuses.
  TDesignRuns(const SimParams& params, TShared shared);

  static float PooledDf(const SimParams& p) { return static_cast<float>(2 * p.SampleCount - 2); }
  static float PairedDf(const SimParams& p) { return static_cast<float>(p.SampleCount - 1); }

  int SampleCount() const { return n_; }
  // Draws per Run: every Run draws one value per sample of each series.
  std::uint64_t DrawsPerRun() const { return 2 * static_cast<std::uint64_t>(n_); }

  // Adds the outcome of `runs` consecutive Runs, the first starting from
  // `state`, to `into`; returns early, having added fewer, once `stop` is
  // set. Messages of the statistics must be silenced by the caller.
  void Judge(std::uint64_t state, std::int64_t runs, TScratch& scratch,
             const std::atomic<bool>& stop, TPowerResult& into) const;

  // With no error in either series every Run draws but gives the same
  // samples, so one Run stands for all.
  bool EveryRunAlike() const { return alike_; }

 private:
  // The Run starting from `state` (its outcome added to `into`); returns the
  // state after it.
  std::uint64_t JudgeOne(std::uint64_t state, TScratch& scratch, TPowerResult& into) const;
  int UnequalBin(TTStatistic st) const;
  std::uint64_t Fill(std::uint64_t state, const std::vector<double>& levels,
                     const TErrorTable& errors, std::array<float, 301>& values) const;

  std::int32_t n_;
  std::vector<double> levelP_, levelM_;  // the seasonal level of each sample
  TShared shared_;
  bool alike_;
};

}  // namespace halvorn
