#pragma once
// The glyphs of one face as rasterised once per angle and sub-pixel phase,
// kept as runs of ink so that writing a known text is lookups and span fills.
// The cache is bounded: a chart needs a few hundred glyphs of a face, and a
// full cache is emptied and fills again with what is in use.

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/runtime/Assert.h"

namespace halvorn {

// A glyph's ink as runs relative to the pixel its origin falls in.
struct TInkRun {
  std::int16_t Dy = 0;
  std::int16_t X0 = 0;
  std::int16_t X1 = 0;
};

struct TGlyphKey {
  double Angle = 0;
  std::uint32_t Index = 0;
  std::uint16_t Phase = 0;  // x and y sub-pixel phase, 6 bits each
  friend bool operator==(const TGlyphKey&, const TGlyphKey&) = default;
};

class TGlyphCache {
 public:
  static constexpr std::size_t kCapacity = 8192;

  // The glyph's runs, made by rasterise() (which returns them) when they are
  // not kept. The reference is valid until the next Runs.
  template <typename Rasterise>
  const std::vector<TInkRun>& Runs(const TGlyphKey& key, Rasterise&& rasterise) {
    if (auto it = glyphs_.find(key); it != glyphs_.end()) return it->second;
    if (glyphs_.size() >= kCapacity) glyphs_.clear();
    std::vector<TInkRun> runs = std::forward<Rasterise>(rasterise)();
    const std::vector<TInkRun>& kept = glyphs_.emplace(key, std::move(runs)).first->second;
    HALVORN_ASSERT(glyphs_.size() <= kCapacity, "the glyph cache keeps its bound");
    return kept;
  }

  std::size_t Size() const { return glyphs_.size(); }

 private:
  struct THash {
    std::size_t operator()(const TGlyphKey& k) const;
  };
  std::unordered_map<TGlyphKey, std::vector<TInkRun>, THash> glyphs_;
};

}  // namespace halvorn
