#pragma once
// Sorting the samples of a Run for the rank tests. The few hundred samples
// of a long design are ordered by a two-pass radix sort on the leading bits
// of their values rounded to single precision (rounding keeps the order, so
// only values whose leading bits agree can remain out of order), finished
// by an insertion pass that puts those in their exact order. Comparison
// sorting, whose branches on random data are mispredicted half the time, is
// several times slower there; short arrays go to std::sort, which is faster
// for them.

#include <cstddef>
#include <cstdint>
#include <span>

namespace halvorn {

// Writes `in` sorted ascending to `out` (as many values; no NaN; -0 and +0
// are equal and come in either order; at most 65536 values). `scratch`
// holds twice as many integers.
void SortByValue(std::span<const double> in, std::span<double> out,
                 std::span<std::uint32_t> scratch);

// Writes `in` sorted by magnitude to `out`; values of equal magnitude come
// in no particular order.
void SortByMagnitude(std::span<const double> in, std::span<double> out,
                     std::span<std::uint32_t> scratch);

}  // namespace halvorn
