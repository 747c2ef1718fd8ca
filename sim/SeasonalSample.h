#pragma once

namespace halvorn {

// One simulated measurement at month t: a cosine of the given period around
// the baseline, peaking at t = phase, multiplied by a random relative error of
// at most `error` percent. Draws exactly one value from the random source.
double SeasonalSample(double t, double period, double baseline, double amplitude, double phase,
                      double error);

}  // namespace halvorn
