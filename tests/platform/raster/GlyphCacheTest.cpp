// The glyph cache assembles texts from glyphs rasterised one at a time; these
// tests hold it to the pixels Qt paints for the whole text in one call
// (emboldened and turned the same way), over the texts and fonts the
// program's chart and window draw, and pin the emboldening of small bold.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/raster/FontEngine.h"
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

TEST(Embolden, RunsGrowRightUnlessAGapWouldCloseOrTheAdvanceEnds) {
  const struct {
    std::vector<TInkSpan> in, out;
  } rows[] = {
      {{{0, 2, 3}}, {{0, 2, 4}}},                        // a stem of one pixel
      {{{0, 8, 9}}, {{0, 8, 9}}},                        // at the end of the advance
      {{{0, 0, 1}, {0, 3, 4}}, {{0, 0, 2}, {0, 3, 5}}},  // "n": #..# -> ##.##
      {{{0, 0, 1}, {0, 2, 3}}, {{0, 0, 1}, {0, 2, 4}}},  // letters a pixel apart
      {{{1, 5, 6}, {0, 4, 6}, {0, 0, 2}, {0, 1, 3}}, {{0, 0, 3}, {0, 4, 7}, {1, 5, 7}}},
  };
  for (const auto& r : rows) {
    std::vector<TInkSpan> spans = r.in;
    Embolden(spans, 9);
    ASSERT_EQ(spans.size(), r.out.size());
    for (std::size_t i = 0; i < spans.size(); ++i)
      EXPECT_TRUE(spans[i].Y == r.out[i].Y && spans[i].X0 == r.out[i].X0 &&
                  spans[i].X1 == r.out[i].X1)
          << i << ": " << spans[i].Y << " " << spans[i].X0 << ".." << spans[i].X1;
  }
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

}  // namespace
}  // namespace halvorn
