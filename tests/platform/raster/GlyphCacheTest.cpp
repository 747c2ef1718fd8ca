// The glyph cache assembles texts from glyphs rasterised one at a time; these
// tests hold it to the pixels Qt paints for the whole text in one call
// (emboldened and turned the same way), over the texts and fonts the
// program's chart and window draw, whether a text is drawn for the first
// time or again from its kept ink; they pin the emboldening of small bold
// and the bounds of what a face keeps.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/raster/internal/FontEngine.h"
#include "platform/raster/internal/GlyphCache.h"
#include "platform/runtime/FloatFormat.h"

namespace halvorn {
namespace {

TLogFont Font(const char* face, int height, int weight) {
  TLogFont f;
  f.FaceName = face;
  f.Height = height;
  f.Weight = weight;
  return f;
}

// Axis labels of ranges from thousandths to millions, negative ones and
// thousands separators included, as the axes format them.
std::vector<std::string> AxisLabels() {
  const TFormatSettings greek{",", "."};
  std::vector<std::string> labels;
  for (const long double step : {0.001L, 0.025L, 0.5L, 1.0L, 2.5L, 20.0L, 250.0L, 5000.0L, 1e6L})
    for (const int k : {-3, -1, 0, 1, 4})
      labels.push_back(FormatFloat("#,##0.###", k * step, greek));
  return labels;
}

std::vector<bool> Pixels(const std::vector<TInkSpan>& spans, TRect box) {
  std::vector<bool> pixels(static_cast<std::size_t>(box.Width() * box.Height()));
  for (const TInkSpan& s : spans) {
    EXPECT_TRUE(s.Y >= box.Top && s.Y < box.Bottom && s.X0 >= box.Left && s.X1 <= box.Right);
    for (int x = s.X0; x < s.X1; ++x)
      pixels[static_cast<std::size_t>((s.Y - box.Top) * box.Width() + x - box.Left)] = true;
  }
  return pixels;
}

TEST(GlyphCache, AssembledTextsMatchTextsPaintedWhole) {
  const TLogFont fonts[] = {Font("Arial", -11, FW_NORMAL),
                            Font("Arial", -11, FW_BOLD),
                            Font("Arial", -12, FW_BOLD),
                            Font("MS Sans Serif", -11, FW_NORMAL),
                            Font("MS Sans Serif", -13, FW_BOLD),
                            Font("MS Sans Serif", -16, FW_BOLD),
                            Font("Times New Roman", -14, FW_NORMAL),
                            Font("Courier New", -12, FW_NORMAL)};
  std::vector<std::string> texts = AxisLabels();
  for (const char* t : {"Χρόνος (μήνες)", "Τιμή παραμέτρου", "Πριν", "Μετά", "W", "Wg", "fi AV To",
                        "Ά ή ώ ΐ ΰ", "12 Wall", "Ελληνικά και English", "abc שלום 123", "a\tb"})
    texts.emplace_back(t);
  const double angles[] = {0, 90, 180, 270, 30, 45, 12.5};
  // Boxes that hold the whole text, and boxes that cut it with the frame's
  // origin inside and outside them, with the baselines of the alignments.
  // Qt's positions at angles other than right ones depend on where the
  // origin lies, so each case moves it a little.
  struct TPlace {
    TRect box;
    int originX, originY;
  };
  const TPlace places[] = {
      {{0, 0, 160, 160}, 50, 50}, {{70, 60, 130, 110}, 0, 0}, {{90, 80, 160, 160}, -30, -20}};
  std::vector<TInkSpan> assembled, whole;
  int cases = 0, failures = 0;
  for (const TLogFont& font : fonts) {
    TFontFace face(font);
    for (const std::string& text : texts)
      for (const double angle : angles)
        for (const TPlace& place : places) {
          const int width = face.Extent(text).cx;
          // Left, centre and right; top, baseline and bottom alignment.
          const int baseX[] = {0, -width / 2, -width};
          const int baseY[] = {face.Ascent(), 0, face.Ascent() - face.Extent(text).cy};
          ++cases;
          const TTextFrame frame{place.box,
                                 static_cast<double>(place.originX + cases * 7 % 61),
                                 static_cast<double>(place.originY + cases * 11 % 53),
                                 angle,
                                 baseX[cases % 3],
                                 baseY[cases / 3 % 3]};
          assembled.clear();
          whole.clear();
          face.Ink(text, frame, assembled);
          face.InkPaintedWhole(text, frame, whole);
          if (Pixels(assembled, place.box) != Pixels(whole, place.box) && ++failures <= 10)
            ADD_FAILURE() << font.FaceName << " " << font.Height << " weight " << font.Weight
                          << " \"" << text << "\" at " << angle << " degrees, box at "
                          << place.box.Left << "," << place.box.Top << ", origin " << frame.OriginX
                          << "," << frame.OriginY << ", base " << frame.BaseX << "," << frame.BaseY;
        }
  }
  EXPECT_EQ(failures, 0);
}

int StemWidth(const std::vector<TInkSpan>& spans) {
  int widest = 0;
  for (const TInkSpan& s : spans) widest = std::max(widest, s.X1 - s.X0);
  return widest;
}

// Bold text at the chart's sizes has two-pixel stems, as on the program's
// platform, while its advances stay those of the bold face; larger bold and
// regular text keep Qt's stems.
TEST(Embolden, SmallBoldHasTwoPixelStems) {
  const struct {
    int height, weight, stem;
  } rows[] = {{-11, FW_BOLD, 2},
              {-12, FW_BOLD, 2},
              {-11, FW_NORMAL, 1},
              {-16, FW_BOLD, 2},
              {-20, FW_BOLD, 3}};
  for (const auto& r : rows) {
    TFontFace face(Font("Arial", r.height, r.weight));
    const TTextFrame frame{{0, 0, 60, 40}, 5, 5, 0, 0, face.Ascent()};
    std::vector<TInkSpan> ink;
    face.Ink("l", frame, ink);
    EXPECT_EQ(StemWidth(ink), r.stem) << r.height << " weight " << r.weight;
    EXPECT_EQ(face.Extent("Τιμή παραμέτρου").cx,
              QFontMetrics(face.Font()).horizontalAdvance(QStringLiteral("Τιμή παραμέτρου")));
  }
}

// At right angles text is the upright text turned, pixel for pixel, with the
// glyphs' hinting and emboldening; Qt would rasterise them turned.
TEST(Embolden, TextAtRightAnglesIsTheUprightTextTurned) {
  for (const int weight : {FW_NORMAL, FW_BOLD}) {
    TFontFace face(Font("Arial", -11, weight));
    const TRect box{0, 0, 120, 120};
    std::vector<TInkSpan> upright;
    face.Ink("Τιμή παραμέτρου", TTextFrame{box, 60, 60, 0, 0, 0}, upright);
    const std::vector<bool> expected = Pixels(upright, box);
    for (const int turns : {1, 2, 3}) {
      std::vector<TInkSpan> turned;
      face.Ink("Τιμή παραμέτρου", TTextFrame{box, 60, 60, 90.0 * turns, 0, 0}, turned);
      const std::vector<bool> pixels = Pixels(turned, box);
      // Turning the device pixel back a quarter at a time gives the upright one.
      std::vector<bool> back(pixels.size());
      for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 120; ++x) {
          int u = x, v = y;
          for (int t = 0; t < turns; ++t) std::tie(u, v) = std::pair{119 - v, u};
          back[static_cast<std::size_t>(v * 120 + u)] =
              pixels[static_cast<std::size_t>(y * 120 + x)];
        }
      EXPECT_EQ(back, expected) << "weight " << weight << ", " << turns * 90 << " degrees";
    }
  }
}

// Texts drawn again are moved from their kept ink (turned ink kept per
// quarter turn) instead of assembled from glyphs: every drawing, the first,
// the second and later ones, at every right angle and place, gives the
// pixels Qt paints for the whole text. Only texts drawn again keep ink.
TEST(GlyphCache, KeptInkDrawsTheTextPaintedWhole) {
  const struct {
    TLogFont font;
    const char* text;
  } rows[] = {{Font("Arial", -11, FW_NORMAL), "1.250"},
              {Font("Arial", -11, FW_BOLD), "Τιμή παραμέτρου"},
              {Font("MS Sans Serif", -13, FW_BOLD), "Wg 12"}};
  const double angles[] = {0, 0, 90, 90, 180, 270, 270, 0, 180};
  const TRect box{0, 0, 140, 140};
  for (const auto& r : rows) {
    TFontFace face(r.font);
    std::vector<TInkSpan> drawn, whole;
    for (std::size_t i = 0; i < std::size(angles); ++i) {
      const TTextFrame frame{box,
                             60.0 + static_cast<double>(i % 3),
                             70.0 - static_cast<double>(i % 4),
                             angles[i],
                             -static_cast<int>(i % 2) * 7,
                             face.Ascent() - static_cast<int>(i % 3) * 2};
      drawn.clear();
      whole.clear();
      face.Ink(r.text, frame, drawn);
      face.InkPaintedWhole(r.text, frame, whole);
      EXPECT_EQ(Pixels(drawn, box), Pixels(whole, box))
          << r.font.Weight << " \"" << r.text << "\" drawing " << i << " at " << angles[i];
      EXPECT_EQ(face.Kept().Inks, i == 0 ? 0u : 1u) << "drawing " << i;
    }
  }
}

// A face keeps at most TFontFace::kMaxLayouts texts: the next one empties
// it, the kept ink going with the layouts, and a text laid out again draws
// as before.
TEST(GlyphCache, TheLayoutsOfAFaceAreBounded) {
  TFontFace face(Font("Arial", -11, FW_NORMAL));
  const TRect box{0, 0, 80, 30};
  const TTextFrame frame{box, 5, 5, 0, 0, face.Ascent()};
  std::vector<TInkSpan> first, again;
  face.Ink("Wall", frame, first);
  face.Ink("Wall", frame, first);
  EXPECT_EQ(face.Kept().Inks, 1u);
  for (std::size_t i = face.Kept().Layouts; i < TFontFace::kMaxLayouts; ++i)
    face.Extent(std::to_string(i));
  EXPECT_EQ(face.Kept().Layouts, TFontFace::kMaxLayouts);
  EXPECT_EQ(face.Kept().Inks, 1u);
  face.Extent("one more");
  EXPECT_EQ(face.Kept().Layouts, 1u);
  EXPECT_EQ(face.Kept().Inks, 0u);
  face.Ink("Wall", frame, again);
  EXPECT_EQ(Pixels(again, box), Pixels(first, box));
}

// The glyph cache holds at most kCapacity glyphs; the next one empties it.
TEST(GlyphCache, TheGlyphCacheIsBounded) {
  TGlyphCache cache;
  int rasterised = 0;
  const auto glyph = [&](std::uint32_t index) -> const std::vector<TInkRun>& {
    return cache.Runs(TGlyphKey{0, index, 0}, [&] {
      ++rasterised;
      return std::vector<TInkRun>{TInkRun{0, 0, static_cast<std::int16_t>(index % 7 + 1)}};
    });
  };
  for (std::uint32_t i = 0; i < TGlyphCache::kCapacity; ++i) glyph(i);
  EXPECT_EQ(cache.Size(), TGlyphCache::kCapacity);
  EXPECT_EQ(glyph(5).front().X1, 6);
  EXPECT_EQ(rasterised, static_cast<int>(TGlyphCache::kCapacity));
  glyph(TGlyphCache::kCapacity);
  EXPECT_EQ(cache.Size(), 1u);
  glyph(5);
  EXPECT_EQ(rasterised, static_cast<int>(TGlyphCache::kCapacity) + 2);
  // The angle and the phase tell glyphs apart as well as the index.
  cache.Runs(TGlyphKey{90, 5, 0}, [&] { return std::vector<TInkRun>{}; });
  cache.Runs(TGlyphKey{0, 5, 1}, [&] { return std::vector<TInkRun>{}; });
  EXPECT_EQ(cache.Size(), 4u);
}

}  // namespace
}  // namespace halvorn
