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

// The places of `in`'s values in the order `less` sorts them, at the start
// of `scratch`.
template <class Key, class Less>
std::span<const std::uint32_t> Order(std::span<const double> in, std::span<std::uint32_t> scratch,
                                     Key key, Less less) {
  const std::size_t n = in.size();
  HALVORN_ASSERT(scratch.size() >= 2 * n && n <= 0x10000, "the scratch holds two places a value");
  std::uint32_t* from = scratch.data();
  std::uint32_t* to = scratch.data() + n;
  const auto before = [&](std::uint32_t x, std::uint32_t y) { return less(in[x], in[y]); };
  if (n < kRadixFrom) {
    for (std::size_t i = 0; i < n; ++i) from[i] = static_cast<std::uint32_t>(i);
    std::sort(from, from + n, before);
    return {from, n};
  }
  // The float keys, and their range.
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
  // Values whose keys share the leading bits may still be out of order: an
  // insertion pass, which on sorted runs costs one comparison per value.
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint32_t place = from[i] & 0xFFFFu;
    std::size_t j = i;
    for (; j > 0 && before(place, from[j - 1]); --j) from[j] = from[j - 1];
    from[j] = place;
  }
  // The places are in the scratch's first or second half.
  if (from != scratch.data()) std::copy(from, from + n, scratch.data());
  return {scratch.data(), n};
}

// As types of their own, so that each sort is compiled with them inline.
struct TValueLess {
  bool operator()(double x, double y) const { return x < y; }
};
struct TMagnitudeLess {
  bool operator()(double x, double y) const { return std::fabs(x) < std::fabs(y); }
};
struct TValueKey {
  std::uint32_t operator()(double v) const { return OrderedKey(static_cast<float>(v)); }
};
struct TMagnitudeKey {
  std::uint32_t operator()(double v) const { return OrderedKey(static_cast<float>(std::fabs(v))); }
};

}  // namespace

std::span<const std::uint32_t> OrderByValue(std::span<const double> in,
                                            std::span<std::uint32_t> scratch) {
  return Order(in, scratch, TValueKey{}, TValueLess{});
}

void SortByMagnitude(std::span<const double> in, std::span<double> out,
                     std::span<std::uint32_t> scratch) {
  HALVORN_ASSERT(out.size() >= in.size(), "the output holds every value");
  const std::span<const std::uint32_t> order =
      Order(in, scratch, TMagnitudeKey{}, TMagnitudeLess{});
  for (std::size_t i = 0; i < order.size(); ++i) out[i] = in[order[i]];
}

}  // namespace halvorn
