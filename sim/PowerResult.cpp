#include "sim/PowerResult.h"

#include <algorithm>
#include <cmath>

namespace halvorn {

TInterval WilsonInterval(std::int64_t successes, std::int64_t trials) {
  // The quantile of the standard normal distribution at 0.975.
  constexpr double z = 1.959963984540054;
  const double n = static_cast<double>(trials);
  const double p = static_cast<double>(successes) / n;
  const double z2n = z * z / n;
  const double centre = (p + z2n / 2) / (1 + z2n);
  const double half = z / (1 + z2n) * std::sqrt(p * (1 - p) / n + z2n / (4 * n));
  // At 0 and at n successes one end is exactly 0 or 1; rounding must not put
  // it a hair outside.
  return {successes == 0 ? 0.0 : std::max(0.0, centre - half),
          successes == trials ? 1.0 : std::min(1.0, centre + half)};
}

TRunEstimate TRunEstimate::Of(double sumBefore, double sumAfter, int n) {
  // One division per Run: this is on the engine's hot path.
  const double difference = (sumAfter - sumBefore) / n;
  HALVORN_ASSERT(std::isfinite(difference), "samples are finite");
  return {(difference > 0) - (difference < 0),
          static_cast<std::int64_t>(std::abs(difference) * kScale + 0.5)};
}

TTestCounts& TTestCounts::operator+=(const TTestCounts& o) {
  Significant += o.Significant;
  NotSignificant += o.NotSignificant;
  Failed += o.Failed;
  for (std::size_t k = 0; k < PHistogram.size(); ++k) PHistogram[k] += o.PHistogram[k];
  NegativeEstimates += o.NegativeEstimates;
  PositiveEstimates += o.PositiveEstimates;
  EstimateMagnitudes += o.EstimateMagnitudes;
  return *this;
}

TTestCounts TTestCounts::Times(std::int64_t runs) const {
  TTestCounts c;
  c.Significant = Significant * runs;
  c.NotSignificant = NotSignificant * runs;
  c.Failed = Failed * runs;
  for (std::size_t k = 0; k < PHistogram.size(); ++k) c.PHistogram[k] = PHistogram[k] * runs;
  c.NegativeEstimates = NegativeEstimates * runs;
  c.PositiveEstimates = PositiveEstimates * runs;
  c.EstimateMagnitudes = EstimateMagnitudes * runs;
  return c;
}

double TPowerResult::Power(TTestKind test) const {
  return Runs == 0 ? 0.0
                   : static_cast<double>(Counts(test).Significant) / static_cast<double>(Runs);
}

TInterval TPowerResult::Ci95(TTestKind test) const {
  if (Runs == 0) return {0, 1};
  return WilsonInterval(Counts(test).Significant, Runs);
}

std::optional<double> TPowerResult::TypeS(TTestKind test, double trueDifference) const {
  const TTestCounts& c = Counts(test);
  if (trueDifference == 0 || c.Significant == 0) return std::nullopt;
  const std::int64_t wrong = trueDifference > 0 ? c.NegativeEstimates : c.PositiveEstimates;
  return static_cast<double>(wrong) / static_cast<double>(c.Significant);
}

std::optional<double> TPowerResult::TypeM(TTestKind test, double trueDifference) const {
  const TTestCounts& c = Counts(test);
  if (trueDifference == 0 || c.Significant == 0) return std::nullopt;
  return static_cast<double>(c.EstimateMagnitudes) / TRunEstimate::kScale /
         static_cast<double>(c.Significant) / std::abs(trueDifference);
}

TPowerResult& TPowerResult::operator+=(const TPowerResult& o) {
  Runs += o.Runs;
  for (std::size_t i = 0; i < Tests.size(); ++i) Tests[i] += o.Tests[i];
  return *this;
}

}  // namespace halvorn
