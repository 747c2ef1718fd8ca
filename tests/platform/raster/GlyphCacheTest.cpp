// The glyph cache assembles texts from glyphs rasterised one at a time; these
// tests hold it to the pixels Qt paints for the whole text in one call, over
// the texts and fonts the program's chart and window draw.

#include <gtest/gtest.h>

#include <string>
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

}  // namespace
}  // namespace halvorn
