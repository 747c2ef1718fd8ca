// The span geometry of text on tiny inputs: emboldening, quarter turns about
// the pen's start, and placing into the box a text may ink.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "platform/raster/internal/InkSpans.h"

namespace halvorn {
namespace {

using TPixels = std::set<std::pair<int, int>>;  // (x, y)

TPixels PixelsOf(const std::vector<TInkSpan>& spans) {
  TPixels pixels;
  for (const TInkSpan& s : spans)
    for (int x = s.X0; x < s.X1; ++x)
      EXPECT_TRUE(pixels.insert({x, s.Y}).second) << x << "," << s.Y;
  return pixels;
}

TEST(InkSpans, EmboldenGrowsRunsRightUnlessAGapWouldCloseOrTheAdvanceEnds) {
  const struct {
    std::vector<TInkSpan> in, out;
  } rows[] = {
      {{{0, 2, 3}}, {{0, 2, 4}}},                        // a stem of one pixel
      {{{0, 8, 9}}, {{0, 8, 9}}},                        // at the end of the advance
      {{{0, 0, 1}, {0, 3, 4}}, {{0, 0, 2}, {0, 3, 5}}},  // "n": #..# -> ##.##
      {{{0, 0, 1}, {0, 2, 3}}, {{0, 0, 1}, {0, 2, 4}}},  // letters a pixel apart
      {{{1, 5, 6}, {0, 4, 6}, {0, 0, 2}, {0, 1, 3}}, {{0, 0, 3}, {0, 4, 7}, {1, 5, 7}}},
      {{{0, 3, 4}, {0, 3, 4}}, {{0, 3, 5}}},  // glyphs inking the same pixel
      {{}, {}},
  };
  for (const auto& r : rows) {
    std::vector<TInkSpan> spans = r.in;
    Embolden(spans, 9);
    EXPECT_EQ(spans, r.out) << "from " << r.in.size() << " spans";
  }
}

TEST(InkSpans, QuarterTurnsAboutThePenStart) {
  // Counter-clockwise on the y-down device: the pixel right of and below the
  // start, (0, 0), goes to (0, -1), (-1, -1) and (-1, 0).
  const struct {
    int turns;
    std::vector<TInkSpan> upright;
    TPixels turned;
  } rows[] = {
      {0, {{0, 0, 1}}, {{0, 0}}},
      {1, {{0, 0, 1}}, {{0, -1}}},
      {2, {{0, 0, 1}}, {{-1, -1}}},
      {3, {{0, 0, 1}}, {{-1, 0}}},
      // A run becomes a column; a column of two rows becomes one run.
      {1, {{0, 0, 3}}, {{0, -1}, {0, -2}, {0, -3}}},
      {1, {{0, 2, 3}, {1, 2, 3}}, {{0, -3}, {1, -3}}},
      {3, {{0, 2, 3}, {1, 2, 3}}, {{-1, 2}, {-2, 2}}},
      // An "L" above the baseline, with a hole in its column.
      {1, {{-3, 0, 1}, {-1, 0, 3}}, {{-3, -1}, {-1, -1}, {-1, -2}, {-1, -3}}},
      {2, {{-3, 0, 1}, {-1, 0, 3}}, {{-1, 2}, {-1, 0}, {-2, 0}, {-3, 0}}},
      {3, {{-3, 0, 1}, {-1, 0, 3}}, {{2, 0}, {0, 0}, {0, 1}, {0, 2}}},
      {1, {}, {}},
  };
  for (const auto& r : rows) {
    const std::vector<TInkSpan> turned = TurnedAboutStart(r.turns, r.upright);
    EXPECT_EQ(PixelsOf(turned), r.turned) << r.turns << " turns of " << r.upright.size();
    // Text painted whole is painted upright over the pixels that turn into
    // its box: turning each pixel back must give the upright ink.
    TPixels back;
    for (const auto& [x, y] : PixelsOf(turned)) {
      const TPoint p = UnturnPixel(r.turns, TPoint{0, 0}, x, y);
      back.insert({p.X, p.Y});
    }
    EXPECT_EQ(back, PixelsOf(r.upright)) << r.turns << " turns back";
  }
}

TEST(InkSpans, PlaceMovesToTheOriginAndClipsToTheBox) {
  const std::vector<TInkSpan> ink = {{0, -2, 3}, {1, 0, 1}, {-1, 0, 2}};
  const struct {
    TTextFrame frame;
    int dx, dy;
    std::vector<TInkSpan> placed;
  } rows[] = {
      {{{10, 20, 30, 40}, 5, 5, 0, 0, 0}, 0, 0, {{25, 13, 18}, {26, 15, 16}, {24, 15, 17}}},
      {{{10, 20, 30, 40}, 5, 5, 0, 0, 0}, 2, -1, {{24, 15, 20}, {25, 17, 18}, {23, 17, 19}}},
      // Cut at the box's left and top edges; a row outside is dropped.
      {{{10, 20, 30, 40}, 1, 0, 0, 0, 0}, 0, 0, {{20, 10, 14}, {21, 11, 12}}},
      // Cut at the right and bottom edges.
      {{{10, 20, 16, 22}, 5, 1, 0, 0, 0}, 0, 0, {{21, 13, 16}, {20, 15, 16}}},
      {{{10, 20, 30, 40}, 40, 5, 0, 0, 0}, 0, 0, {}},
  };
  for (const auto& r : rows) {
    std::vector<TInkSpan> out = {{-7, -7, -6}};  // Place appends
    Place(r.frame, r.dx, r.dy, ink, out);
    std::vector<TInkSpan> expected = {{-7, -7, -6}};
    expected.insert(expected.end(), r.placed.begin(), r.placed.end());
    EXPECT_EQ(out, expected) << "origin " << r.frame.OriginX << "," << r.frame.OriginY << " moved "
                             << r.dx << "," << r.dy;
  }
}

}  // namespace
}  // namespace halvorn
