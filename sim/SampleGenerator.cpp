#include "sim/SampleGenerator.h"

#include <cmath>
#include <cstring>

#include "platform/runtime/Assert.h"
#include "platform/runtime/Exceptions.h"

namespace halvorn {

std::shared_ptr<const TSampleGenerator::TErrorTable> TSampleGenerator::MakeErrorTable(
    double error) {
  auto table = std::make_shared<TErrorTable>(static_cast<std::size_t>(kErrorDraws));
  for (std::int32_t r = 0; r < kErrorDraws; ++r)
    (*table)[static_cast<std::size_t>(r)] = RelativeError(r, error);
  return table;
}

std::array<TSampleGenerator::TSeriesDesign, 2> TSampleGenerator::DesignsOf(const SimParams& p) {
  return {{{p.BaselineP, p.AmplitudeP, p.PhaseP, p.ErrorPctP},
           {p.BaselineM, p.AmplitudeM, p.PhaseM, p.ErrorPctM}}};
}

TSampleGenerator::TSampleGenerator(const SimParams& params, TErrorTables tables)
    : period_(params.PeriodMonths),
      step_(params.StepMonths),
      n_(params.SampleCount),
      alike_(params.ErrorPctP == 0 && params.ErrorPctM == 0 && params.YearVariationPct == 0) {
  if (n_ < 0 || n_ > kMaxSamples) throw EListError::IndexOutOfBounds(n_);
  const auto n = static_cast<std::size_t>(n_);
  model_.Default = params.DefaultModel();
  model_.Errors = params.ErrorModel;
  model_.Correlation = params.Correlation;
  model_.A = std::pow(params.Correlation, step_);
  model_.B = std::sqrt(1 - model_.A * model_.A);
  model_.YearSd = params.YearVariationPct / 100;
  model_.Limit = params.DetectionLimit;
  months_.resize(n);
  startsYear_.resize(n);
  for (std::int32_t i = 0; i < n_; ++i) {
    const auto k = static_cast<std::size_t>(i);
    months_[k] = Month(i, step_);
    // Calendar years are months 1-12, 13-24, ...
    const std::int32_t year = (i * step_) / 12;
    startsYear_[k] = i == 0 || year != ((i - 1) * step_) / 12;
    years_ += startsYear_[k] ? 1 : 0;
  }
  const auto designs = DesignsOf(params);
  const std::shared_ptr<const TErrorTable> errors[2] = {std::move(tables.Before),
                                                        std::move(tables.After)};
  // The standard deviation of the uniform draws' relative error per percent
  // of maximum error: sd(r) / 10000 / 100, sd(r)^2 = (20001^2 - 1) / 12.
  const double uniformSdPerPct = std::sqrt((20001.0 * 20001.0 - 1) / 12) / 10000 / 100;
  for (int s = 0; s < 2; ++s) {
    TSeriesPlan& plan = series_[static_cast<std::size_t>(s)];
    plan.Design = designs[static_cast<std::size_t>(s)];
    plan.Errors = errors[s];
    HALVORN_ASSERT(!plan.Errors || plan.Errors->size() == static_cast<std::size_t>(kErrorDraws),
                   "an error table holds one error per draw");
    plan.Cv = plan.Design.Error / 100;
    plan.UniformSd = plan.Design.Error * uniformSdPerPct;
    plan.Sigma = std::sqrt(std::log1p(plan.Cv * plan.Cv));
    plan.HalfSigma2 = plan.Sigma * plan.Sigma / 2;
    plan.Levels.reserve(n);
    try {
      for (std::int32_t i = 0; i < n_; ++i) {
        plan.TrapAt = i;
        plan.Levels.push_back(SeasonalLevel(months_[static_cast<std::size_t>(i)], period_,
                                            plan.Design.Baseline, plan.Design.Amplitude,
                                            plan.Design.Phase));
      }
      plan.TrapAt = -1;
    } catch (const Exception&) {
      plan.Trap = std::current_exception();
    }
  }
}

bool TSampleGenerator::Serves(const SimParams& params) const {
  // Compared bit for bit: a value that compares equal may still be another
  // (0 and -0).
  const auto same = [](const auto& a, const auto& b) { return std::memcmp(&a, &b, sizeof a) == 0; };
  const auto designs = DesignsOf(params);
  return params.SampleCount == n_ && params.StepMonths == step_ &&
         same(params.PeriodMonths, period_) && same(designs[0], series_[0].Design) &&
         same(designs[1], series_[1].Design) && params.ErrorModel == model_.Errors &&
         same(params.Correlation, model_.Correlation) &&
         same(params.YearVariationPct / 100, model_.YearSd) &&
         same(params.DetectionLimit, model_.Limit);
}

}  // namespace halvorn
