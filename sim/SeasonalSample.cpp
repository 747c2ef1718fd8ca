#include "sim/SeasonalSample.h"

#include "platform/runtime/FloatOps.h"
#include "platform/runtime/MathFunctions.h"
#include "sim/RandomSource.h"

namespace halvorn {

double SeasonalSample(double t, double period, double baseline, double amplitude, double phase,
                      double error) {
  // The double nearest 2 pi; each intermediate below is computed in extended
  // precision and rounded to double only where it is stored.
  constexpr double kTwoPi = 6.283185307179586;
  const double x = ToDouble(FDiv(kTwoPi, period) * (static_cast<Extended>(t) - phase));
  const double s = ToDouble(static_cast<Extended>(amplitude) * Cos(x) + baseline);

  const double r = RandomBelow(20001);
  // (r - 10000) * 0.0001 * error * 0.01, left to right, with extended constants:
  // e spans [-error %, +error %] in steps of error / 1 000 000.
  const double e = ToDouble((static_cast<Extended>(r) - 10000) * 0.0001L * error * 0.01L);
  return ToDouble((1 + static_cast<Extended>(e)) * s);
}

}  // namespace halvorn
