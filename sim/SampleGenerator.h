#pragma once
// The samples of a design's Runs, drawn the one way that the window's Run and
// the power engine share. What does not change from Run to Run (each
// sample's month and seasonal level) is worked out once per design; every
// sample then takes exactly one draw of the random source, before series
// samples in order, then the after series.

#include <array>
#include <cstdint>
#include <exception>
#include <memory>
#include <vector>

#include "sim/RandomSource.h"
#include "sim/SeasonalSample.h"
#include "sim/SimParams.h"

namespace halvorn {

// The draws of the window's Run: the thread's own random source.
struct TThreadDraws {
  std::int32_t Next() { return RandomBelow(kErrorDraws); }
};

// The same sequence followed from a state of the caller's own, leaving the
// thread's source alone (the power engine's workers).
struct TStateDraws {
  std::uint64_t State;
  std::int32_t Next() {
    State = NextRandomState(State);
    return RandomBelowOf(Random31Of(State), kErrorDraws);
  }
};

class TSampleGenerator {
 public:
  enum TSeries { sBefore = 0, sAfter = 1 };
  // The sample arrays of a Run hold one slot more than this (slot 0 unused).
  static constexpr std::int32_t kMaxSamples = 299;

  // RelativeError(r, error) for every draw r of one error: one lookup per
  // sample instead of three extended multiplications, for callers that
  // draw many Runs.
  using TErrorTable = std::vector<double>;
  static std::shared_ptr<const TErrorTable> MakeErrorTable(double error);
  struct TErrorTables {
    std::shared_ptr<const TErrorTable> Before, After;
  };

  // Raises EListError for a sample count above kMaxSamples (or negative).
  // With tables, they must be those of the design's two errors.
  explicit TSampleGenerator(const SimParams& params, TErrorTables tables = {});

  // Whether `params` gives the same samples from the same draws: the design
  // of every series compared bit for bit (0 and -0 are different errors).
  bool Serves(const SimParams& params) const;

  std::int32_t SampleCount() const { return n_; }
  // Every Run draws one value per sample of each series.
  std::uint64_t DrawsPerRun() const { return 2 * static_cast<std::uint64_t>(n_); }
  // With no error in either series every Run draws but gives the same
  // samples.
  bool EveryRunAlike() const { return alike_; }

  // The month of sample i (0-based) of a design sampled every `step` months.
  static constexpr double Month(std::int32_t i, std::int32_t step) { return i * step + 1; }

  // Draws the samples of one series in order, calling sink(i, month, value)
  // for each. A level that traps raises its failure before the sample's
  // draw, as computing that sample by itself would.
  template <class Draws, class Sink>
  void Fill(TSeries series, Draws& draws, Sink&& sink) const {
    const TSeriesPlan& s = series_[series];
    const double* levels = s.Levels.data();
    const double* months = months_.data();
    const std::int32_t end = s.TrapAt < 0 ? n_ : s.TrapAt;
    // One loop per way of finding a draw's error, so that neither the choice
    // nor the table's address is looked up again for every sample.
    const auto each = [&](auto errorOf) {
      for (std::int32_t i = 0; i < end; ++i) {
        const auto k = static_cast<std::size_t>(i);
        sink(i, months[k], WithError(levels[k], errorOf(draws.Next())));
      }
    };
    if (s.Errors) {
      const double* table = s.Errors->data();
      each([table](std::int32_t r) { return table[r]; });
    } else {
      each([error = s.Design.Error](std::int32_t r) { return RelativeError(r, error); });
    }
    if (end < n_) std::rethrow_exception(s.Trap);
  }

 private:
  struct TSeriesDesign {
    double Baseline, Amplitude, Phase, Error;
  };
  struct TSeriesPlan {
    TSeriesDesign Design;
    std::vector<double> Levels;  // up to the first that traps
    std::int32_t TrapAt = -1;    // the sample whose level traps; -1 for none
    std::exception_ptr Trap;
    std::shared_ptr<const TErrorTable> Errors;
  };
  static std::array<TSeriesDesign, 2> DesignsOf(const SimParams& params);

  double period_;
  std::int32_t step_, n_;
  bool alike_;
  std::vector<double> months_;
  std::array<TSeriesPlan, 2> series_;
};

}  // namespace halvorn
