#pragma once
// When a Run's test is significant, and the bins of its p: one rule for the
// window's Run, the tool and the power engine.

#include "platform/runtime/FloatOps.h"

namespace halvorn {

// p is widened from single precision and compared with the double 0.05: p at
// or below it is significant, so the single nearest 0.05, which lies above
// it, is not.
inline constexpr double kSignificanceLevel = 0.05;

// The p histogram has 20 bins of width 0.05. Bin 0 holds exactly the
// significant Runs. Bin k (1 .. 19) holds the Runs whose widened p is greater
// than the double nearest k/20 and not greater than the double nearest
// (k + 1)/20; bin 19 also holds every p above 0.95, p >= 1 included.
inline constexpr int kPBins = 20;

// The double nearest k/20, the upper edge of bin k - 1 (k = 1 .. 19).
constexpr double PBinEdge(int k) { return k / 20.0; }
static_assert(PBinEdge(1) == kSignificanceLevel, "bin 0 holds the significant p");

// The bin of a p value (a t-test's single-precision p widened exactly): the
// number of edges it lies above. A NaN p lies above none.
constexpr int PBin(double p) {
  int bin = 0;
  while (bin < kPBins - 1 && p > PBinEdge(bin + 1)) ++bin;
  return bin;
}

// The bin of a p a test gave; a NaN p is the invalid operation that
// comparing it with the level traps on.
inline int CheckedPBin(float p) {
  CheckOrdered(p, kSignificanceLevel);
  return PBin(p);
}

// Whether a test's p is significant; raises EInvalidOp for a NaN p.
inline bool IsSignificant(float p) { return CheckedPBin(p) == 0; }

}  // namespace halvorn
