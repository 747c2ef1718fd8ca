#pragma once
// The t-tests, by the index of the window's test selector.

namespace halvorn {

enum TTestKind { ttEqualVariance = 0, ttUnequalVariance = 1, ttPaired = 2 };

inline constexpr int kTestCount = 3;

}  // namespace halvorn
