#pragma once
// One simulated measurement: a seasonal cosine around a baseline, multiplied
// by a random relative error. The level and the error are separate steps so
// that a caller drawing many Runs of one design can compute the levels once;
// SeasonalSample is their composition and what the Run calls.

#include <cstdint>

#include "platform/runtime/FloatOps.h"

namespace halvorn {

// The number of equally likely error draws: r is 0 .. 20000.
inline constexpr std::int32_t kErrorDraws = 20001;

// The seasonal level at month t: a cosine of the given period around the
// baseline, peaking at t = phase. Draws nothing.
double SeasonalLevel(double t, double period, double baseline, double amplitude, double phase);

// The relative error of draw r for a maximum error of `error` percent:
// (r - 10000) * 0.0001 * error * 0.01, left to right with extended
// constants, so it spans [-error %, +error %] in steps of error / 1 000 000.
inline double RelativeError(std::int32_t r, double error) {
  return ToDouble((static_cast<Extended>(r) - 10000) * 0.0001L * error * 0.01L);
}

// The level with the relative error e applied.
inline double WithError(double level, double e) {
  return ToDouble((1 + static_cast<Extended>(e)) * level);
}

// One measurement at month t with an error of at most `error` percent.
// Draws exactly one value from the random source.
double SeasonalSample(double t, double period, double baseline, double amplitude, double phase,
                      double error);

}  // namespace halvorn
