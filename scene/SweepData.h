#pragma once
// The points of a power sweep as a CSV file: one row per slider position
// with the slider's value, the Runs per point and, per test, the counts of
// significant and failed Runs, the power and its 95 % interval, then per
// test the type S and M errors (empty where undefined). Numbers are
// written in full double precision with "." as the decimal separator
// whatever the locale, so any program reads them back exactly.

#include <ostream>
#include <vector>

#include "sim/PowerEngine.h"

namespace halvorn {

void WriteSweepData(std::ostream& out, TSlider slider, const std::vector<TSweepPoint>& sweep);

}  // namespace halvorn
