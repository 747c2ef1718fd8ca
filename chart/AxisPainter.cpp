#include "chart/AxisPainter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "chart/CanvasStateSaver.h"
#include "chart/CanvasTools.h"
#include "chart/ChartAxis.h"
#include "chart/ChartSeries.h"
#include "chart/CustomAxisPanel.h"
#include "platform/runtime/FloatOps.h"

namespace halvorn {
namespace {

// The side of the plot rectangle an axis lies on: the bottom or (far) top
// for a horizontal axis, the left or (far) right for a vertical one.
struct TAxisSide {
  bool Horizontal;
  bool Far;

  // The rectangle's edge on this side.
  constexpr int Edge(const TRect& rect) const {
    if (Horizontal) return Far ? rect.Top : rect.Bottom;
    return Far ? rect.Right : rect.Left;
  }
  // Takes size off the rectangle on this side: the near bottom and the far
  // right move inward by decreasing.
  constexpr void Shrink(TRect& rect, int size) const {
    int& edge = Horizontal ? (Far ? rect.Top : rect.Bottom) : (Far ? rect.Right : rect.Left);
    edge += Horizontal == Far ? size : -size;
  }
  // pos moved by `by` away from the plot: down from the bottom, up from the
  // top, left of the left side and right of the right side.
  constexpr int Outward(int pos, int by) const { return Horizontal != Far ? pos + by : pos - by; }
};

TAxisSide SideOf(const TCustomChartAxis& axis) { return {axis.IsHorizontal(), axis.OnFarSide()}; }

// Text alignment flags of the labels and titles: right-top, left-top,
// centre-top, centre-bottom.
constexpr unsigned kAlign[] = {2, 0, 6, 14};

// The lines of a text, split at the line separator; a trailing separator
// ends the last line rather than starting an empty one, and an empty text
// has none.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find(kLineSeparator, start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// The alignment of a text at angle on this side, with its anchor moved by
// half a line where the angle centres the text across the axis; left, top
// for angles other than the four right ones.
unsigned AlignText(TAxisSide side, int angle, int half, int& x, int& y) {
  const int h = side.Horizontal ? 1 : 0;
  const int f = side.Far ? 1 : 0;
  switch (angle) {
    case 0:
      if (!side.Horizontal) y -= half;
      return kAlign[2 * h + f];
    case 90:
      if (side.Horizontal) x -= half;
      return kAlign[side.Horizontal ? f : 2 + (1 - f)];
    case 180:
      if (!side.Horizontal) y += half;
      return kAlign[2 * h + (1 - f)];
    case 270:
      if (side.Horizontal) x += half;
      return kAlign[side.Horizontal ? 1 - f : 2 + f];
    default:
      return 0;
  }
}

// Moves the anchor back by the block of `count` lines of height fh
// (negative at 180 and 270 degrees), so that stepping one line before each
// line lays the block out from the anchor.
void ShiftBlock(TAxisSide side, int angle, int fh, int count, int& x, int& y) {
  const auto spread = [&] { return static_cast<int>(Round(fh * 0.5L * (count + 1))); };
  if (side.Horizontal) {
    if (angle == 0) y -= side.Far ? count * fh : fh;
    if (angle == 180) y -= side.Far ? fh : count * fh;
    if (angle == 90 || angle == 270) x -= spread();
  } else {
    if (angle == 0 || angle == 180) y -= spread();
    if (angle == 90) x -= side.Far ? fh : count * fh;
    if (angle == 270) x -= side.Far ? count * fh : fh;
  }
}

}  // namespace

TAxisPainter::TAxisPainter(TCustomChartAxis& axis)
    : axis_(axis), chart_(axis.ParentChart()), canvas_(axis.ParentChart().Canvas()) {}

int TAxisPainter::Depth() const { return axis_.OnFarSide() ? chart_.Width3D() : 0; }

// --- Measures ------------------------------------------------------------------

bool TAxisPainter::AngleAlongAxis(int angle) const {
  const bool level = angle == 0 || angle == 180;
  const bool upright = angle == 90 || angle == 270;
  return axis_.IsHorizontal() ? level : upright;
}

int TAxisPainter::LabelExtent(double value) {
  const TMultiLineWidth m = MultiLineWidth(canvas_, axis_.LabelText(value));
  // A label standing across the axis takes its line heights along it.
  const int angle = axis_.LabelsAngle();
  const bool upright = angle == 90 || angle == 270;
  const bool level = angle == 0 || angle == 180;
  if (axis_.IsHorizontal() ? upright : level) return canvas_.TextLineHeight() * m.Lines;
  return m.Width;
}

double TAxisPainter::LabelStep() {
  return axis_.LabelStepForSize(
      std::max(LabelExtent(axis_.RangeMin()), LabelExtent(axis_.RangeMax())));
}

int TAxisPainter::TitleSizeAcross() {
  if (axis_.TitleSize() != 0) return axis_.TitleSize();
  TChartAxisTitle& title = axis_.Title();
  SelectFont(canvas_, title.Font());
  // A caption running along the axis takes one line across it.
  if (AngleAlongAxis(title.Angle())) return canvas_.TextLineHeight();
  return canvas_.TextWidth(title.Caption());
}

int TAxisPainter::LabelsSizeAcross() {
  if (axis_.LabelsSize() != 0) return axis_.LabelsSize();
  SelectFont(canvas_, axis_.LabelsFont());
  if (AngleAlongAxis(axis_.LabelsAngle())) return canvas_.TextLineHeight();
  switch (axis_.EffectiveLabelStyle()) {
    case talValue:
      return ValueLabelWidth();
    case talText:
      return PointLabelsWidth();
    default:
      // Series in this engine carry no mark texts to measure.
      return 0;
  }
}

int TAxisPainter::ValueLabelWidth() {
  double low = axis_.RangeMin(), high = axis_.RangeMax();
  if (axis_.RoundFirstLabel() || (axis_.ShowsDateTime() && axis_.ExactDateTime())) {
    const double step = LabelStep();
    low = static_cast<double>(std::trunc(static_cast<Extended>(low) / step) * step);
    high = static_cast<double>(std::trunc(static_cast<Extended>(high) / step) * step);
  }
  // The measure is of the plain value texts, whatever the chart's label
  // hook would make of them.
  const TAxisLabelFormat& format = axis_.LabelFormat();
  const int width = std::max(MultiLineWidth(canvas_, format.Lines(format.Number(low))).Width,
                             MultiLineWidth(canvas_, format.Lines(format.Number(high))).Width);
  return width + canvas_.TextWidth(" ");
}

int TAxisPainter::PointLabelsWidth() {
  int width = 0;
  for (const TChartSeries* series : chart_.SeriesList()) {
    if (!series->Active() || !series->UsesAxis(axis_)) continue;
    for (int i = 0; i < series->PointCount(); ++i)
      width = std::max(width, MultiLineWidth(canvas_, series->PointLabel(i)).Width);
  }
  return width;
}

int TAxisPainter::TickSizeAcross() const {
  const TChartPen& line = axis_.Axis();
  int size =
      (line.Visible() ? line.Width() : 0) + (axis_.Ticks().Visible() ? axis_.TickLength() : 0);
  if (axis_.MinorTicks().Visible()) size = std::max(size, axis_.MinorTickLength());
  return size;
}

// --- Layout ------------------------------------------------------------------------

int TAxisPainter::ShiftByPosition(int pos, const TRect& rect) const {
  const double percent = axis_.PositionPercent();
  if (percent == 0) return pos;
  const bool horizontal = axis_.IsHorizontal();
  const int extent = horizontal ? rect.Bottom - rect.Top : rect.Right - rect.Left;
  std::int64_t offset = Round(percent * 0.01L * extent);
  if (axis_.OnFarSide()) offset = -offset;
  return static_cast<int>(horizontal ? pos - offset : pos + offset);
}

void TAxisPainter::ClaimSpace(TRect& rect, bool inflate, int wallSize) {
  const TAxisSide side = SideOf(axis_);
  const int tickSize = TickSizeAcross() + wallSize;
  if (!inflate) {
    axis_.SetAxisLinePos(ShiftByPosition(side.Edge(rect), rect));
    axis_.SetLabelsPos(side.Outward(axis_.AxisLinePos(), tickSize));
    axis_.SetTitlePos(side.Outward(axis_.LabelsPos(), axis_.Labels() ? LabelsSizeAcross() : 0));
    return;
  }
  if (!axis_.Title().Caption().empty()) {
    side.Shrink(rect, TitleSizeAcross());
    axis_.SetTitlePos(axis_.IsDepth() ? rect.Right : side.Edge(rect));
  }
  if (axis_.Labels()) {
    side.Shrink(rect, LabelsSizeAcross());
    axis_.SetLabelsPos(side.Edge(rect));
  }
  if (tickSize > 0) side.Shrink(rect, tickSize);
  axis_.SetTitlePos(ShiftByPosition(axis_.TitlePos(), rect));
  axis_.SetLabelsPos(ShiftByPosition(axis_.LabelsPos(), rect));
}

// --- Text ------------------------------------------------------------------------

void TAxisPainter::DrawAxisText(int x, int y, std::string_view text, int angle) {
  const std::vector<std::string_view> lines = SplitLines(text);
  if (lines.empty()) return;
  const TAxisSide side = SideOf(axis_);
  int fh = canvas_.TextLineHeight();
  const unsigned align = AlignText(side, angle, fh / 2, x, y);
  if (angle == 180 || angle == 270) fh = -fh;
  ShiftBlock(side, angle, fh, static_cast<int>(lines.size()), x, y);
  // Every other text of the chart is written left, top.
  const TCanvasStateSaver keepAlign(canvas_, TCanvasStateSaver::kTextAlign);
  canvas_.SetTextAlign(align);
  const int z = Depth();
  for (std::string_view line : lines) {
    if (angle == 0) {
      y += fh;
      canvas_.TextOutAtDepth(x, y, z, line);
      continue;
    }
    if (angle == 90 || angle == 270) x += fh;
    if (angle == 180) y += fh;
    canvas_.RotatedTextOutAtDepth(x, y, z, line, angle);
  }
}

void TAxisPainter::DrawTitle() {
  TChartAxisTitle& title = axis_.Title();
  if (title.Caption().empty()) return;
  // The title's font and clear brush are its own; the labels select theirs.
  const TCanvasStateSaver keepTools(canvas_, TCanvasStateSaver::kTools);
  SelectFont(canvas_, title.Font());
  canvas_.Brush().SetColor(chart_.Color());
  canvas_.Brush().SetStyle(bsClear);
  const int centre = axis_.CenterPixel(), pos = axis_.TitlePos();
  if (axis_.IsHorizontal())
    DrawAxisText(centre, pos, title.Caption(), title.Angle());
  else
    DrawAxisText(pos, centre, title.Caption(), title.Angle());
}

// --- Labels ------------------------------------------------------------------------

void TAxisPainter::RecordTick(std::vector<int>& ticks, int pos) const {
  if (ticks.size() < static_cast<std::size_t>(kMaxAxisTicks)) ticks.push_back(pos);
}

void TAxisPainter::DrawLabel(int pos, std::string_view text, std::vector<int>& ticks) {
  if (axis_.TickOnLabelsOnly()) RecordTick(ticks, pos);
  SelectFont(canvas_, axis_.LabelsFont());
  canvas_.Brush().SetColor(chart_.Color());
  canvas_.Brush().SetStyle(bsClear);
  if (axis_.IsHorizontal())
    DrawAxisText(pos, axis_.LabelsPos(), text, axis_.LabelsAngle());
  else
    DrawAxisText(axis_.LabelsPos(), pos, text, axis_.LabelsAngle());
}

bool TAxisPainter::OnAxis(int pos) const {
  return axis_.LabelsOnAxis() || (axis_.StartPixel() < pos && pos < axis_.EndPixel());
}

void TAxisPainter::DrawValueLabels(double step, std::vector<int>& ticks) {
  for (const double v : axis_.LabelValues(step)) {
    const int pos = axis_.ValueToPixel(v);
    if (!OnAxis(pos)) continue;
    if (!axis_.TickOnLabelsOnly()) RecordTick(ticks, pos);
    if (axis_.Labels()) DrawLabel(pos, axis_.LabelText(v), ticks);
  }
}

void TAxisPainter::DrawPointLabels(std::vector<int>& ticks) {
  SelectFont(canvas_, axis_.LabelsFont());
  // Where the last drawn label lies and half its room, enlarged by the
  // separation: a label that would overlap it is left out.
  bool anyDrawn = false;
  int lastPos = 0, lastHalf = 0;
  const int separation = axis_.LabelsSeparation();
  for (TChartSeries* series : chart_.SeriesList()) {
    if (!series->Active() || !series->UsesAxis(axis_)) continue;
    for (int i = 0; i < series->PointCount(); ++i) {
      const double value = axis_.IsHorizontal() ? series->XValueAt(i) : series->YValueAt(i);
      if (value < axis_.RangeMin() || value > axis_.RangeMax()) continue;
      const std::string text = PointLabelText(*series, i);
      const int pos = axis_.ValueToPixel(value);
      if (!OnAxis(pos)) continue;
      const TMultiLineWidth m = MultiLineWidth(canvas_, text);
      const int size = axis_.IsHorizontal() ? m.Width : canvas_.TextLineHeight() * m.Lines;
      const int halfSize = static_cast<int>(Round(size * 0.5L * (1 + separation * 0.02L)));
      if (separation > 0 && anyDrawn && std::abs(pos - lastPos) < halfSize + lastHalf) continue;
      if (!axis_.TickOnLabelsOnly()) RecordTick(ticks, pos);
      if (axis_.Labels()) DrawLabel(pos, text, ticks);
      anyDrawn = true;
      lastPos = pos;
      lastHalf = halfSize;
    }
  }
}

std::string TAxisPainter::PointLabelText(TChartSeries& series, int index) {
  std::string text = series.PointLabel(index);
  if (chart_.OnGetAxisLabel) chart_.OnGetAxisLabel(axis_, &series, index, text);
  return axis_.LabelFormat().Lines(std::move(text));
}

// --- Lines ------------------------------------------------------------------------

void TAxisPainter::CrossLine(int t, int a, int b) {
  if (axis_.IsHorizontal())
    canvas_.VLineAtDepth(t, a, b, Depth());
  else
    canvas_.HLineAtDepth(a, b, t, Depth());
}

void TAxisPainter::GridLine(int t) {
  const TRect& r = chart_.ChartRect();
  if (axis_.IsHorizontal())
    canvas_.VerticalLine(t, r.Top, r.Bottom);
  else
    canvas_.HorizontalLine(r.Left, r.Right, t);
}

std::vector<int> TAxisPainter::MinorTickPositions(const std::vector<int>& ticks) const {
  std::vector<int> marks;
  const int m = axis_.MinorTickCount();
  // A quotient of integers rounds alike in double and extended precision:
  // it is a half exactly or lies far from one, beyond either's rounding.
  const auto part = [m](int k, int d) {
    return static_cast<int>(Round(static_cast<double>(k) * d / (m + 1)));
  };
  if (ticks.size() >= 2) {
    // Beyond the outermost labels, with the spacing of the first interval.
    const int d = ticks[1] - ticks[0];
    for (int k = 1; k <= m; ++k) {
      marks.push_back(ticks.front() - part(k, d));
      marks.push_back(ticks.back() + part(k, d));
    }
  }
  for (std::size_t i = 1; i < ticks.size(); ++i)
    for (int j = 1; j <= m; ++j) marks.push_back(ticks[i] - part(j, ticks[i] - ticks[i - 1]));
  std::erase_if(marks, [this](int p) { return !(axis_.StartPixel() < p && p < axis_.EndPixel()); });
  return marks;
}

void TAxisPainter::DrawLines(const std::vector<int>& ticks) {
  const int a = axis_.AxisLinePos();
  const int out = SideOf(axis_).Outward(0, 1);  // +1 or -1: away from the plot
  if (axis_.Axis().Visible()) {
    canvas_.SelectPen(axis_.Axis());
    if (axis_.IsHorizontal())
      canvas_.HLineAtDepth(axis_.StartPixel(), axis_.EndPixel(), a, Depth());
    else
      canvas_.VLineAtDepth(a, axis_.StartPixel(), axis_.EndPixel(), Depth());
  }
  if (axis_.Ticks().Visible()) {
    canvas_.SelectPen(axis_.Ticks());
    for (const int t : ticks) CrossLine(t, a + out, a + out + out * axis_.TickLength());
  }
  if (axis_.Grid().Visible()) DrawGrid(ticks);
  if (axis_.TicksInner().Visible()) {
    canvas_.SelectPen(axis_.TicksInner());
    for (const int t : ticks) CrossLine(t, a - out, a - out - out * axis_.TickInnerLength());
  }
  if (ticks.empty()) return;
  if (axis_.MinorTicks().Visible()) {
    canvas_.SelectPen(axis_.MinorTicks());
    for (const int p : MinorTickPositions(ticks))
      CrossLine(p, a + out, a + out + out * axis_.MinorTickLength());
  }
  if (axis_.MinorGrid().Visible()) {
    canvas_.SelectPen(axis_.MinorGrid());
    for (const int p : MinorTickPositions(ticks)) GridLine(p);
  }
}

void TAxisPainter::DrawGrid(const std::vector<int>& ticks) {
  canvas_.Brush().SetStyle(bsClear);
  // What follows the grid has always found an opaque background, whatever
  // came before it; the grid borrows a transparent one, so that the gaps
  // of a dotted grid stay unpainted.
  canvas_.SetBackgroundMode(OPAQUE);
  const TCanvasStateSaver keepOpaque(canvas_, TCanvasStateSaver::kBackMode);
  canvas_.SetBackgroundMode(TRANSPARENT);
  canvas_.SelectPen(axis_.Grid());
  if (axis_.Grid().Color() == clAutoColor) canvas_.Pen().SetColor(0x808080);
  if (!axis_.GridCentered()) {
    for (const int t : ticks) GridLine(t);
    return;
  }
  for (std::size_t i = 1; i < ticks.size(); ++i)
    GridLine(static_cast<int>(Round((static_cast<Extended>(ticks[i]) + ticks[i - 1]) * 0.5L)));
}

// --- The whole axis ------------------------------------------------------------------

void TAxisPainter::DrawAxis(bool setLinePos) {
  SelectFont(canvas_, axis_.LabelsFont());
  const double step = LabelStep();
  if (setLinePos) {
    const TRect& rect = chart_.ChartRect();
    axis_.SetAxisLinePos(ShiftByPosition(SideOf(axis_).Edge(rect), rect));
  }
  DrawTitle();
  std::vector<int> ticks;
  ticks.reserve(kMaxAxisTicks);
  if (step > 0 && axis_.RangeMax() >= axis_.RangeMin()) {
    switch (axis_.EffectiveLabelStyle()) {
      case talValue:
        DrawValueLabels(step, ticks);
        break;
      case talText:
        DrawPointLabels(ticks);
        break;
      default:
        break;
    }
  }
  DrawLines(ticks);
}

}  // namespace halvorn
