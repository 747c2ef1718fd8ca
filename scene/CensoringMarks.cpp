#include "scene/CensoringMarks.h"

#include <algorithm>

namespace halvorn {
namespace {

// Hollow markers, drawn over their series' own in its colour (set when
// shown: the series may be coloured after the marks are made).
void ConfigureMarks(TLineSeries& marks) {
  marks.SetShowInLegend(false);
  marks.LinePen().SetVisible(false);
  TSeriesPointer& pointer = marks.Pointer();
  pointer.SetVisible(true);
  pointer.SetStyle(psRectangle);
  pointer.SetHorizSize(4);
  pointer.SetVertSize(4);
  pointer.Brush().SetColor(clWhite);
  pointer.Pen().SetVisible(true);
  pointer.Pen().SetColor(clAutoColor);
  pointer.Pen().SetWidth(2);
}

// The points of `series` whose samples are censored (flags addressed from 1).
void MarkCensored(TLineSeries& marks, const TLineSeries& series, std::span<const bool> flags) {
  marks.SetSeriesColor(series.SeriesColor());
  marks.ClearPoints();
  for (int i = 0; i < series.PointCount(); ++i)
    if (static_cast<std::size_t>(i) + 1 < flags.size() && flags[static_cast<std::size_t>(i) + 1])
      marks.AppendXY(series.XValueAt(i), series.YValueAt(i), "", clAutoColor);
}

}  // namespace

TCensoringMarks::TCensoringMarks(TCustomAxisPanel& chart, const TLineSeries& before,
                                 const TLineSeries& after)
    : chart_(chart), before_(before), after_(after) {
  ConfigureMarks(beforeMarks_);
  ConfigureMarks(afterMarks_);
  // Dashed and green, apart from the dotted black grid it may lie on.
  limit_.SetShowInLegend(false);
  limit_.SetSeriesColor(clGreen);
  limit_.LinePen().SetColor(clGreen);
  limit_.LinePen().SetStyle(psDash);
  limit_.Pointer().SetVisible(false);
}

void TCensoringMarks::Attach(bool attach) {
  if (attach == Shown()) return;
  // After the Run's series, so that the marks are drawn over their points.
  for (TLineSeries* series : {&limit_, &beforeMarks_, &afterMarks_})
    series->SetParentChart(attach ? &chart_ : nullptr);
}

void TCensoringMarks::Show(const std::optional<TRunCensoring>& censoring) {
  if (!censoring || before_.PointCount() == 0) {
    Attach(false);
    return;
  }
  Attach(true);
  MarkCensored(beforeMarks_, before_, censoring->Before);
  MarkCensored(afterMarks_, after_, censoring->After);
  // The limit across the months the Run sampled.
  double first = before_.XValueAt(0), last = before_.XValueAt(before_.PointCount() - 1);
  if (after_.PointCount() > 0) {
    first = std::min(first, after_.XValueAt(0));
    last = std::max(last, after_.XValueAt(after_.PointCount() - 1));
  }
  limit_.ClearPoints();
  limit_.AppendXY(first, censoring->Limit, "", clAutoColor);
  limit_.AppendXY(last, censoring->Limit, "", clAutoColor);
}

}  // namespace halvorn
