// Every fast path of the raster against its general path on the same
// inputs. Lines and boxes copied into a rectangular clip are written
// directly; the same clip given as a polygon of the same pixels, or a raster
// operation that on white gives what a copy gives (pmMask), sends the same
// drawing through the clip test and raster operation of every pixel. The
// arithmetic of wide lines is held to the library's and to a plain search.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "RasterScene.h"
#include "platform/raster/internal/LineStepping.h"

namespace halvorn {
namespace {

using testing::TScene;

enum TPath { kFast, kPolygonClip, kMaskOnWhite };
const char* const kPathNames[] = {"rectangular clip", "polygon clip", "pmMask on white"};

using TDrawing = std::function<void(TDeviceContext&)>;

std::vector<TColor> Drawn(TPath path, TRect clip, const TDrawing& draw) {
  TScene s(48, 40);
  if (path == kPolygonClip) {
    const TPoint corners[] = {{clip.Left, clip.Top},
                              {clip.Right, clip.Top},
                              {clip.Right, clip.Bottom},
                              {clip.Left, clip.Bottom}};
    s.dc.SetClipPolygon(corners);
  } else {
    s.dc.SetClipRect(clip);
  }
  s.dc.SetRop2(path == kMaskOnWhite ? pmMask : pmCopy);
  draw(s.dc);
  std::vector<TColor> pixels;
  for (int y = 0; y < s.bitmap.Height(); ++y)
    for (int x = 0; x < s.bitmap.Width(); ++x) pixels.push_back(s.At(x, y));
  return pixels;
}

struct TCase {
  std::string name;
  TDrawing draw;
};

std::vector<TCase> Cases() {
  std::vector<TCase> cases;
  const auto line = [](TPoint a, TPoint b) {
    return [a, b](TDeviceContext& dc) {
      dc.MoveTo(a.X, a.Y);
      dc.LineTo(b.X, b.Y);
    };
  };
  const auto name = [](const char* what, TPoint a, TPoint b) {
    return std::string(what) + " (" + std::to_string(a.X) + "," + std::to_string(a.Y) + ")-(" +
           std::to_string(b.X) + "," + std::to_string(b.Y) + ")";
  };
  // One-pixel horizontal and vertical lines, both ways, reaching out of the
  // clip: grids, axes and frames, solid, dashed and dotted, gaps opaque or not.
  const TPoint straight[][2] = {{{2, 5}, {45, 5}},
                                {{45, 9}, {1, 9}},
                                {{7, 1}, {7, 38}},
                                {{11, 38}, {11, 0}},
                                {{-20, 20}, {70, 20}}};
  const struct {
    const char* name;
    TLogPen pen;
    int bkMode;
  } pens[] = {{"solid", {psSolid, 1, clBlack, false}, TRANSPARENT},
              {"dash", {psDash, 1, clRed, false}, TRANSPARENT},
              {"dot opaque", {psDot, 1, clBlack, false}, OPAQUE},
              {"dash-dot opaque", {psDashDot, 0, clBlue, false}, OPAQUE},
              {"alternate", {psSolid, 1, clBlack, true}, OPAQUE}};
  for (const auto& p : pens)
    for (const auto& l : straight)
      cases.push_back({name(p.name, l[0], l[1]), [p, draw = line(l[0], l[1])](TDeviceContext& dc) {
                         dc.SelectPen(p.pen);
                         dc.SetBkMode(p.bkMode);
                         dc.SetBkColor(clLime);
                         draw(dc);
                       }});
  // Solid boxes without a frame (markers), inside, cut and with their corners
  // given the other way round.
  const TRect boxes[] = {{5, 5, 20, 15}, {30, 30, 60, 50}, {20, 10, 8, 3}, {-5, -5, 4, 4}};
  for (const TRect& b : boxes)
    cases.push_back({name("box", {b.Left, b.Top}, {b.Right, b.Bottom}), [b](TDeviceContext& dc) {
                       dc.SelectPen(TLogPen{psClear, 1, clBlack, false});
                       dc.SelectBrush(TLogBrush{bsSolid, clRed});
                       dc.Rectangle(b.Left, b.Top, b.Right, b.Bottom);
                     }});
  // Wide strokes: slanted (their rows between the caps are stepped), steep,
  // shallow and reaching out of the clip.
  const TPoint slanted[][2] = {{{5, 5}, {40, 30}},  {{40, 3}, {8, 36}},    {{2, 20}, {46, 24}},
                               {{24, 1}, {27, 39}}, {{-10, -4}, {60, 50}}, {{20, 20}, {20, 20}}};
  for (const int w : {2, 3, 4, 5, 8})
    for (const auto& l : slanted)
      cases.push_back({name(("width " + std::to_string(w)).c_str(), l[0], l[1]),
                       [w, draw = line(l[0], l[1])](TDeviceContext& dc) {
                         dc.SelectPen(TLogPen{psSolid, w, clBlue, false});
                         draw(dc);
                       }});
  return cases;
}

TEST(FastPath, LinesAndBoxesDrawAsThroughTheGeneralPath) {
  const std::vector<TColor> blank = Drawn(kFast, TRect{0, 0, 48, 40}, [](TDeviceContext&) {});
  const TRect clips[] = {{0, 0, 48, 40}, {3, 2, 40, 35}};
  for (const TCase& c : Cases())
    for (const TRect& clip : clips) {
      const std::vector<TColor> fast = Drawn(kFast, clip, c.draw);
      EXPECT_NE(fast, blank) << c.name;
      for (const TPath general : {kPolygonClip, kMaskOnWhite})
        EXPECT_EQ(Drawn(general, clip, c.draw), fast)
            << c.name << " through the " << kPathNames[general] << " within " << clip.Left << ","
            << clip.Top << "," << clip.Right << "," << clip.Bottom;
    }
}

TEST(FastPath, FloorAndCeilWithoutLibraryCallsAreTheLibrarys) {
  const double inf = std::numeric_limits<double>::infinity();
  // Halves, the largest fractions, both sides of 2^52 where the quick
  // conversion ends, and infinities; each with both signs.
  const double magnitudes[] = {
      0.0,       0.5,          1.0,    2.5,        1e-300,        0.49999999999999994,
      123456.75, 0x1p52 - 0.5, 0x1p52, 0x1p52 + 1, 0x1p62 + 4096, 1e300,
      inf};
  for (const double m : magnitudes)
    for (const double v : {m, -m}) {
      EXPECT_EQ(Floor(v), std::floor(v)) << v;
      EXPECT_EQ(Ceil(v), std::ceil(v)) << v;
    }
  EXPECT_TRUE(std::isnan(Floor(std::nan(""))));
  EXPECT_TRUE(std::isnan(Ceil(std::nan(""))));
}

// The stepped columns lo <= s X + t <= hi of successive rows against the
// columns a plain search finds in each row.
TEST(FastPath, TheBandStepperStepsTheColumnsOfEachRow) {
  int rows = 0;
  for (const int s : {1, -1, 2, -3, 7, -40})
    for (const int t : {0, 17, -95})
      for (const int dt : {0, 5, -13, 29, -80})
        for (const int reach : {0, 3, 41}) {
          TBandStepper stepper(s, t, dt, -reach, reach);
          for (int row = 0; row < 12; ++row, stepper.Next(), ++rows) {
            const int tr = t + row * dt;
            int first = 1, last = 0;
            bool any = false;
            for (int x = -1200; x <= 1200; ++x) {
              if (s * x + tr < -reach || s * x + tr > reach) continue;
              if (!any) first = x;
              last = x;
              any = true;
            }
            if (!any) {
              EXPECT_LT(stepper.Last(), stepper.First()) << s << " " << tr << " " << reach;
              continue;
            }
            EXPECT_EQ(stepper.First(), first) << s << " " << tr << " " << reach;
            EXPECT_EQ(stepper.Last(), last) << s << " " << tr << " " << reach;
          }
        }
  EXPECT_EQ(rows, 6 * 3 * 5 * 3 * 12);
}

}  // namespace
}  // namespace halvorn
