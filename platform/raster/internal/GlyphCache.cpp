#include "platform/raster/internal/GlyphCache.h"

#include <bit>

namespace halvorn {

std::size_t TGlyphCache::THash::operator()(const TGlyphKey& k) const {
  std::uint64_t h = std::bit_cast<std::uint64_t>(k.Angle);
  h ^= (std::uint64_t{k.Index} << 16 | k.Phase) * 0x9E3779B97F4A7C15ull;
  return static_cast<std::size_t>(h ^ (h >> 29));
}

}  // namespace halvorn
