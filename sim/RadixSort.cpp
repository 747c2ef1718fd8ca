#include "sim/RadixSort.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <utility>

#include "platform/runtime/Assert.h"

namespace halvorn {
namespace {

// Below this many values a comparison sort is the faster.
constexpr std::size_t kRadixFrom = 64;

// A 32-bit key whose unsigned order is the order of the floats: negative
// floats have every bit flipped, the others the sign bit set.
std::uint32_t OrderedKey(float f) {
  const auto bits = std::bit_cast<std::uint32_t>(f);
  return bits & 0x8000'0000u ? ~bits : bits | 0x8000'0000u;
}

template <class Key, class Less>
void Sort(std::span<const double> in, std::span<double> out, std::span<std::uint32_t> scratch,
          Key key, Less less) {
  const std::size_t n = in.size();
  HALVORN_ASSERT(out.size() >= n, "the output holds every value");
  if (n < kRadixFrom) {
    std::copy(in.begin(), in.end(), out.begin());
    std::sort(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(n), less);
    return;
  }
  HALVORN_ASSERT(scratch.size() >= 2 * n && n <= 0x10000, "the scratch holds two places a value");
  // The float keys, and their range.
  std::uint32_t* from = scratch.data();
  std::uint32_t* to = scratch.data() + n;
  std::uint32_t lowest = 0xFFFF'FFFFu, highest = 0;
  for (std::size_t i = 0; i < n; ++i) {
    from[i] = key(in[i]);
    lowest = std::min(lowest, from[i]);
    highest = std::max(highest, from[i]);
  }
  // Two byte passes order the keys by their 16 leading bits within the
  // range: a relative resolution of about 2^-15 for samples within a few
  // powers of two. Each value as that digit in the high half and its place
  // in the low.
  const int shift = std::max(0, static_cast<int>(std::bit_width(highest - lowest)) - 16);
  std::array<std::array<std::uint32_t, 256>, 2> counts{};
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint32_t digit = (from[i] - lowest) >> shift;
    from[i] = digit << 16 | static_cast<std::uint32_t>(i);
    ++counts[0][digit & 0xFF];
    ++counts[1][digit >> 8];
  }
  for (std::size_t b = 0; b < 2; ++b) {
    std::array<std::uint32_t, 256>& c = counts[b];
    const unsigned byteShift = 16 + 8 * static_cast<unsigned>(b);
    std::uint32_t start = 0;
    for (std::uint32_t& count : c) start += std::exchange(count, start);
    for (std::size_t i = 0; i < n; ++i) to[c[(from[i] >> byteShift) & 0xFF]++] = from[i];
    std::swap(from, to);
  }
  for (std::size_t i = 0; i < n; ++i) out[i] = in[from[i] & 0xFFFFu];
  // Values whose keys share the leading bits may still be out of order: an
  // insertion pass, which on sorted runs costs one comparison per value.
  for (std::size_t i = 1; i < n; ++i) {
    const double v = out[i];
    std::size_t j = i;
    for (; j > 0 && less(v, out[j - 1]); --j) out[j] = out[j - 1];
    out[j] = v;
  }
}

}  // namespace

void SortByValue(std::span<const double> in, std::span<double> out,
                 std::span<std::uint32_t> scratch) {
  Sort(
      in, out, scratch, [](double v) { return OrderedKey(static_cast<float>(v)); },
      [](double x, double y) { return x < y; });
}

void SortByMagnitude(std::span<const double> in, std::span<double> out,
                     std::span<std::uint32_t> scratch) {
  Sort(
      in, out, scratch, [](double v) { return OrderedKey(static_cast<float>(std::fabs(v))); },
      [](double x, double y) { return std::fabs(x) < std::fabs(y); });
}

}  // namespace halvorn
