#pragma once
// Standard normal deviates from the window's random draws. A draw r of
// RandomBelow(20001) stands for the probability (r + 1/2) / 20001, the middle
// of its twenty-thousandth, and its deviate is the standard normal quantile
// there. So each draw still gives one sample, and the deviates reach
// +-4.0556 (r = 0 and 20000), where a true normal goes beyond once in about
// 20000 samples: the tails are cut there.

#include <array>
#include <cstdint>

#include "sim/SeasonalSample.h"

namespace halvorn {

// The standard normal quantile Phi^-1(p) for 0 < p < 1, to about 1e-15
// relative: a rational approximation refined by one step of Halley's method
// on the complementary error function.
double InverseNormal(double p);

using TDeviateTable = std::array<double, static_cast<std::size_t>(kErrorDraws)>;

// The deviate of every draw: InverseNormal((r + 0.5) / 20001).
const TDeviateTable& NormalDeviates();

// Every draw made a standardised uniform deviate: (r - 10000) over the
// standard deviation of the draws, so mean 0 and variance 1.
const TDeviateTable& UniformDeviates();

}  // namespace halvorn
