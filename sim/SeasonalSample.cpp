#include "sim/SeasonalSample.h"

#include "platform/runtime/MathFunctions.h"
#include "sim/RandomSource.h"

namespace halvorn {

double SeasonalLevel(double t, double period, double baseline, double amplitude, double phase) {
  // The double nearest 2 pi; each intermediate is computed in extended
  // precision and rounded to double only where it is stored.
  constexpr double kTwoPi = 6.283185307179586;
  const double x = ToDouble(FDiv(kTwoPi, period) * (static_cast<Extended>(t) - phase));
  return ToDouble(static_cast<Extended>(amplitude) * Cos(x) + baseline);
}

double SeasonalSample(double t, double period, double baseline, double amplitude, double phase,
                      double error) {
  const double s = SeasonalLevel(t, period, baseline, amplitude, phase);
  return WithError(s, RelativeError(RandomBelow(kErrorDraws), error));
}

}  // namespace halvorn
