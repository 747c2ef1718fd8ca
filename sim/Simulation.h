#pragma once
// The state of the simulation and the operations on it: the slider change
// handlers' effects and the Run, which regenerates both series, plots them,
// runs the selected t-test and shows the result.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/runtime/FloatOps.h"
#include "sim/RunSeries.h"
#include "sim/SampleGenerator.h"
#include "sim/SimParams.h"
#include "sim/TestTable.h"

namespace halvorn {

// Where a Run shows its result: the t and p edit boxes and the two
// significance labels.
class TRunResultView {
 public:
  virtual ~TRunResultView() = default;
  virtual void SetTText(const std::string& text) = 0;
  virtual void SetPText(const std::string& text) = 0;
  virtual void SetSignificanceVisible(bool visible) = 0;
};

// Which samples of a Run lay below the detection limit, addressed from 1 as
// the sample arrays.
struct TRunCensoring {
  std::span<const bool> Before, After;
  double Limit;
};

class TSimulation {
 public:
  // Capacity of each sample array; slots 1..SampleCount are used.
  static constexpr std::size_t kSampleCapacity = TSampleGenerator::kMaxSamples + 1;
  using SampleArray = std::array<float, kSampleCapacity>;
  // Which samples lie below the detection limit (their values are half of
  // it), addressed as the sample arrays.
  using CensoredArray = std::array<bool, kSampleCapacity>;
  using DrawnArray = std::array<double, TSampleGenerator::kMaxSamples>;

  // Every parameter at its slider's default.
  TSimulation() = default;

  const SimParams& Params() const { return params_; }
  const SampleArray& ValuesP() const { return valuesP_; }
  const SampleArray& ValuesM() const { return valuesM_; }
  const CensoredArray& CensoredP() const { return censoredP_; }
  const CensoredArray& CensoredM() const { return censoredM_; }
  // The censoring of the last Run's samples; none when its design had no
  // detection limit.
  std::optional<TRunCensoring> Censoring() const {
    if (!lastRunCensors_) return std::nullopt;
    return TRunCensoring{censoredP_, censoredM_, lastRunLimit_};
  }
  float ResultT() const { return resultT_; }
  float ResultP() const { return resultP_; }
  // The samples of the last Run as drawn, from 0 (the rank and log tests
  // judge these; the t-tests the single-precision arrays above).
  std::span<const double> DrawnP() const { return {drawnP_.data(), drawnCount_}; }
  std::span<const double> DrawnM() const { return {drawnM_.data(), drawnCount_}; }

  // A slider moved to `position`: writes its parameter and returns the text
  // of its value label (position x 5 for errors and amplitudes, the position
  // otherwise). Nothing is recomputed until the next Run.
  std::string SliderChanged(TSlider slider, int position) {
    return ApplySlider(params_, slider, position);
  }
  // The distribution of the errors of the next Runs.
  void SetErrorModel(TErrorModel model) { params_.ErrorModel = model; }

  // The Run: generates both series into the chart's series 0 and 1 and the
  // sample arrays, runs `test` and shows its statistic (t, or W or V of the
  // rank tests), p and the significance decision; with no test the previous
  // result is shown again. A rank or log test without a p fails the Run with
  // ETestUndefined. A failure (a
  // floating-point trap in the test) propagates after the view has been
  // cleared, so the window never shows a result that belongs to other
  // samples; the new series and samples stay.
  void Run(TRunChart& chart, std::optional<TTestKind> test, TRunResultView& view);

  // The text a result is shown with: fixed point, 3 decimals, locale
  // decimal separator.
  static std::string ResultText(float value);
  // The text of a rank or log test's statistic: W and V, whole or halves,
  // exactly; t as ResultText shows it.
  static std::string StatisticText(TTestKind test, double value);

 private:
  // The generator of the current design, made anew when the design changed.
  const TSampleGenerator& Samples();
  void GenerateOne(TRunChart& chart, const TSampleGenerator& samples,
                   TSampleGenerator::TSeries series, SampleArray& values, CensoredArray& censored,
                   DrawnArray& drawn);

  SimParams params_;
  std::optional<TSampleGenerator> samples_;
  SampleArray valuesP_{};
  SampleArray valuesM_{};
  CensoredArray censoredP_{};
  CensoredArray censoredM_{};
  bool lastRunCensors_ = false;
  double lastRunLimit_ = 0;
  DrawnArray drawnP_{}, drawnM_{};
  std::size_t drawnCount_ = 0;
  float resultT_ = 0;
  float resultP_ = 0;
  // The result of the last rank or log test, while it is the one shown.
  struct TDrawnResult {
    TTestKind Test;
    double Statistic, p;
  };
  std::optional<TDrawnResult> drawnResult_;
};

}  // namespace halvorn
