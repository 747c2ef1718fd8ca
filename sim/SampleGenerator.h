#pragma once
// The samples of a design's Runs, drawn the one way that the window's Run and
// the power engine share. What does not change from Run to Run (each
// sample's month and seasonal level) is worked out once per design; every
// sample then takes exactly one draw of the random source, before series
// samples in order, then the after series.

#include <array>
#include <cmath>
#include <cstdint>
#include <exception>
#include <memory>
#include <vector>

#include "sim/NormalDeviates.h"
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

  // One sample of a Run: its month, and its value, which for a censored
  // sample is half the detection limit, as the tests take it.
  struct TSample {
    double Month;
    double Value;
    bool Censored;
  };

  // Raises EListError for a sample count above kMaxSamples (or negative).
  // With tables, they must be those of the design's two errors.
  explicit TSampleGenerator(const SimParams& params, TErrorTables tables = {});

  // Whether `params` gives the same samples from the same draws: the design
  // of every series and the measurement model compared bit for bit (0 and
  // -0 are different errors).
  bool Serves(const SimParams& params) const;

  std::int32_t SampleCount() const { return n_; }
  // Every Run draws one value per sample of each series, and with a
  // year-to-year variation one more at the start of each calendar year of
  // each series.
  std::uint64_t DrawsPerRun() const {
    return 2 * (static_cast<std::uint64_t>(n_) + (model_.YearSd > 0 ? years_ : 0));
  }
  // Every Run draws but gives the same samples: no error in either series
  // and no year effect.
  bool EveryRunAlike() const { return alike_; }

  // The month of sample i (0-based) of a design sampled every `step` months.
  static constexpr double Month(std::int32_t i, std::int32_t step) { return i * step + 1; }

  // Draws the samples of one series in order, calling sink(i, sample) for
  // each. A level that traps raises its failure before the sample's draw, as
  // computing that sample by itself would.
  template <class Draws, class Sink>
  void Fill(TSeries series, Draws& draws, Sink&& sink) const {
    const TSeriesPlan& s = series_[series];
    const std::int32_t end = s.TrapAt < 0 ? n_ : s.TrapAt;
    if (model_.Default)
      FillDefault(s, end, draws, sink);
    else
      FillModel(s, end, draws, sink);
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
    // The relative error's standard deviation per unit of standardised
    // error: the error percentage as a coefficient of variation, and the
    // standard deviation of the uniform error of that maximum.
    double Cv = 0, UniformSd = 0;
    // The lognormal's sigma, and sigma^2 / 2, which keeps its mean at 1.
    double Sigma = 0, HalfSigma2 = 0;
  };
  struct TModelPlan {
    bool Default = true;
    TErrorModel Errors = TErrorModel::Uniform;
    double Correlation = 0;
    // Standardised errors step months apart: e' = A e + B d, d the draw's
    // deviate, so that they correlate A = rho^step with variance 1.
    double A = 0, B = 1;
    double YearSd = 0;  // Y / 100
    double Limit = 0;
  };
  static std::array<TSeriesDesign, 2> DesignsOf(const SimParams& params);

  // The specified model: independent uniform errors.
  template <class Draws, class Sink>
  void FillDefault(const TSeriesPlan& s, std::int32_t end, Draws& draws, Sink& sink) const {
    const double* levels = s.Levels.data();
    const double* months = months_.data();
    // One loop per way of finding a draw's error, so that neither the choice
    // nor the table's address is looked up again for every sample.
    const auto each = [&](auto errorOf) {
      for (std::int32_t i = 0; i < end; ++i) {
        const auto k = static_cast<std::size_t>(i);
        sink(i, TSample{months[k], WithError(levels[k], errorOf(draws.Next())), false});
      }
    };
    if (s.Errors) {
      const double* table = s.Errors->data();
      each([table](std::int32_t r) { return table[r]; });
    } else {
      each([error = s.Design.Error](std::int32_t r) { return RelativeError(r, error); });
    }
  }

  // Any other model: the value of a sample from its level, its draw and its
  // standardised error is chosen once per series, as is whether the errors
  // are correlated.
  template <class Draws, class Sink>
  void FillModel(const TSeriesPlan& s, std::int32_t end, Draws& draws, Sink& sink) const {
    const bool correlated = model_.A != 0;
    switch (model_.Errors) {
      case TErrorModel::Uniform:
        if (correlated)
          FillEach(
              s, end, draws, sink, UniformDeviates(),
              [&s](double level, std::int32_t, double e) { return level * (1 + s.UniformSd * e); });
        else
          FillEach(s, end, draws, sink, UniformDeviates(),
                   [&s](double level, std::int32_t r, double) {
                     return WithError(level, s.Errors ? (*s.Errors)[static_cast<std::size_t>(r)]
                                                      : RelativeError(r, s.Design.Error));
                   });
        break;
      case TErrorModel::Normal:
        FillEach(s, end, draws, sink, NormalDeviates(),
                 [&s](double level, std::int32_t, double e) { return level * (1 + s.Cv * e); });
        break;
      case TErrorModel::Lognormal:
        FillEach(s, end, draws, sink, NormalDeviates(), [&s](double level, std::int32_t, double e) {
          return level * std::exp(s.Sigma * e - s.HalfSigma2);
        });
        break;
    }
  }

  template <class Draws, class Sink, class ValueOf>
  void FillEach(const TSeriesPlan& s, std::int32_t end, Draws& draws, Sink& sink,
                const TDeviateTable& deviates, ValueOf valueOf) const {
    const TDeviateTable& normal = NormalDeviates();
    const double a = model_.A, b = model_.B, yearSd = model_.YearSd, limit = model_.Limit;
    double e = 0, year = 1;
    for (std::int32_t i = 0; i < end; ++i) {
      const auto k = static_cast<std::size_t>(i);
      double level = s.Levels[k];
      if (yearSd > 0) {
        if (startsYear_[k]) year = 1 + yearSd * normal[static_cast<std::size_t>(draws.Next())];
        level *= year;
      }
      const std::int32_t r = draws.Next();
      const double d = deviates[static_cast<std::size_t>(r)];
      // Each series starts from the stationary distribution.
      e = i == 0 ? d : a * e + b * d;
      const double v = valueOf(level, r, e);
      const bool censored = limit > 0 && v < limit;
      sink(i, TSample{months_[k], censored ? limit / 2 : v, censored});
    }
  }

  double period_;
  std::int32_t step_, n_;
  bool alike_;
  TModelPlan model_;
  std::vector<double> months_;
  std::vector<char> startsYear_;  // sample i is the first of its calendar year
  std::uint64_t years_ = 0;       // calendar years a series spans
  std::array<TSeriesPlan, 2> series_;
};

}  // namespace halvorn
