#include "sim/Simulation.h"

#include <cmath>
#include <string>

#include "platform/runtime/FloatFormat.h"
#include "sim/RankTests.h"
#include "sim/Significance.h"
#include "sim/StudentT.h"

namespace halvorn {

const TSampleGenerator& TSimulation::Samples() {
  // Runs of an unchanged design share the generator and its levels.
  if (!samples_ || !samples_->Serves(params_)) {
    samples_.reset();
    samples_.emplace(params_);
  }
  return *samples_;
}

void TSimulation::GenerateOne(TRunChart& chart, const TSampleGenerator& samples,
                              TSampleGenerator::TSeries series, SampleArray& values,
                              CensoredArray& censored, DrawnArray& drawn) {
  TThreadDraws draws;
  // The series is fetched from the chart for every point, and each point is
  // plotted before the next sample is drawn, so a failure leaves the points
  // drawn so far.
  chart.SeriesAt(series).ClearPoints();
  samples.Fill(series, draws, [&](std::int32_t i, const TSampleGenerator::TSample& s) {
    chart.SeriesAt(series).AppendXY(s.Month, s.Value);
    values[static_cast<std::size_t>(i) + 1] = ToSingle(s.Value);
    censored[static_cast<std::size_t>(i) + 1] = s.Censored;
    drawn[static_cast<std::size_t>(i)] = s.Value;
  });
}

void TSimulation::Run(TRunChart& chart, std::optional<TTestKind> test, TRunResultView& view) {
  try {
    // Every before sample is drawn before any after sample.
    const TSampleGenerator& samples = Samples();
    lastRunCensors_ = params_.DetectionLimit > 0;
    lastRunLimit_ = params_.DetectionLimit;
    drawnCount_ = 0;
    GenerateOne(chart, samples, TSampleGenerator::sBefore, valuesP_, censoredP_, drawnP_);
    GenerateOne(chart, samples, TSampleGenerator::sAfter, valuesM_, censoredM_, drawnM_);
    drawnCount_ = static_cast<std::size_t>(samples.SampleCount());
    if (test && !IsTTest(*test)) {
      const TSampleTestResult r = DrawnSampleTest(*test, DrawnP(), DrawnM());
      if (std::isnan(r.p)) throw ETestUndefined(std::string("The test has no p value: ") + r.Why);
      drawnResult_ = TDrawnResult{*test, r.Statistic, r.p};
    } else if (test) {
      const TTestResult r =
          RunTest(*test, valuesP_, valuesM_, static_cast<std::uint32_t>(params_.SampleCount));
      resultT_ = r.t;
      resultP_ = r.p;
      drawnResult_.reset();
    }
    if (drawnResult_) {
      view.SetTText(StatisticText(drawnResult_->Test, drawnResult_->Statistic));
      view.SetPText(FloatToStrFixed(drawnResult_->p, 15, 3));
      view.SetSignificanceVisible(PBin(drawnResult_->p) == 0);
    } else {
      view.SetTText(ResultText(resultT_));
      view.SetPText(ResultText(resultP_));
      view.SetSignificanceVisible(IsSignificant(resultP_));
    }
  } catch (...) {
    view.SetTText("");
    view.SetPText("");
    view.SetSignificanceVisible(false);
    throw;
  }
}

std::string TSimulation::ResultText(float value) { return FloatToStrFixed(value, 15, 3); }

std::string TSimulation::StatisticText(TTestKind test, double value) {
  if (test == TTestKind::RankSum || test == TTestKind::SignedRank)
    return FloatToStrFixed(value, 15, value == std::floor(value) ? 0 : 1);
  return FloatToStrFixed(value, 15, 3);
}

}  // namespace halvorn
