#include "app/PowerCharts.h"

#include <algorithm>

#include "app/ChartStyle.h"

namespace halvorn {

namespace {

// One colour and marker per test, apart from the main chart's blue and
// orange series so that nobody reads a test as "before" or "after", and
// dark enough to stand out on the chart's light grey. The last marker is
// drawn with lines, in the pen.
constexpr std::array<TColor, kTestCount> kTestColors = {0xC06000, clRed,  clGreen,
                                                        clPurple, clTeal, 0x13458B};
constexpr std::array<TSeriesPointerStyle, kTestCount> kTestMarkers = {
    psRectangle, psCircle, psTriangle, psDownTriangle, psDiamond, psDiagCross};
// The curves are drawn in the table's order, each over the ones before.
// Curves often coincide (the pooled and the Welch test with equal sample
// counts; every test at 0 and 100 %): the markers shrink in drawing order,
// so that the rim of each covered marker stays visible around the next.
constexpr std::array<int, kTestCount> kTestMarkerSizes = {5, 4, 4, 3, 3, 2};
// The power axis reaches a little beyond 0 and 100 %, so that a curve at
// either end is drawn inside the frame rather than on it.
constexpr double kPowerAxisMargin = 4;
// The p chart's axis reaches a little past 1, and its share axis a little
// above the tallest bar.
constexpr double kPAxisMargin = 0.02;
constexpr double kBarHeadroom = 1.08;
constexpr TColor kDimmed = clSilver;

}  // namespace

// --- TPowerCurveChart ----------------------------------------------------------

TPowerCurveChart::TPowerCurveChart() {
  ConfigureCommonChart(chart_, "", "Ισχύς (%)");
  FixAxis(chart_.LeftAxis(), -kPowerAxisMargin, 100 + kPowerAxisMargin, 10);
  for (const TTestInfo& test : kTests) {
    const std::size_t i = TestIndex(test.Kind);
    TLineSeries& curve = curves_[i];
    ConfigureLine(curve, chart_, kTestColors[i], 2);
    curve.SetTitle(LegendTitle(test.Caption));
    TSeriesPointer& pointer = curve.Pointer();
    pointer.SetVisible(true);
    pointer.SetStyle(kTestMarkers[i]);
    pointer.SetHorizSize(kTestMarkerSizes[i]);
    pointer.SetVertSize(kTestMarkerSizes[i]);
    pointer.Pen().SetVisible(kTestMarkers[i] == psDiagCross);
  }
  ConfigureGuide(target_, chart_, clFuchsia, psDash);
  ConfigureGuide(current_, chart_, clBlack, psDot);
}

void TPowerCurveChart::SetParameter(TSlider slider, const std::string& caption) {
  if (slider != slider_) ClearCurves();
  slider_ = slider;
  chart_.BottomAxis().Title().SetCaption(caption);
  SetTarget(targetPercent_);
}

void TPowerCurveChart::ShowSweep(const std::vector<TSweepPoint>& sweep) {
  ClearCurves();
  for (const TTestInfo& test : kTests)
    for (const TSweepPoint& point : sweep)
      curves_[TestIndex(test.Kind)].AppendXY(SliderInfo(slider_).Shown(point.Value),
                                             100 * point.Result.Power(test.Kind), "", clAutoColor);
  SetDimmed(false);
}

void TPowerCurveChart::SetTestShown(TTestKind test, bool shown) {
  curves_[TestIndex(test)].SetActive(shown);
}

void TPowerCurveChart::ClearCurves() {
  for (TLineSeries& curve : curves_) curve.ClearPoints();
}

void TPowerCurveChart::SetDimmed(bool dimmed) {
  for (std::size_t test = 0; test < curves_.size(); ++test) {
    const TColor color = dimmed ? kDimmed : kTestColors[test];
    TLineSeries& curve = curves_[test];
    curve.SetSeriesColor(color);
    curve.LinePen().SetColor(color);
  }
}

void TPowerCurveChart::SetTarget(int percent) {
  targetPercent_ = percent;
  const TSliderInfo& info = SliderInfo(slider_);
  target_.ClearPoints();
  target_.AppendXY(info.Shown(info.MinValue()), percent, "", clAutoColor);
  target_.AppendXY(info.Shown(info.MaxValue()), percent, "", clAutoColor);
}

void TPowerCurveChart::SetCurrentValue(int value) {
  const double x = SliderInfo(slider_).Shown(value);
  current_.ClearPoints();
  current_.AppendXY(x, 0, "", clAutoColor);
  current_.AppendXY(x, 100, "", clAutoColor);
}

// --- TPValueChart --------------------------------------------------------------

TPValueChart::TPValueChart() {
  ConfigureCommonChart(chart_, "", "Run (%)");
  chart_.BottomAxis().Title().SetCaption("p");
  // The axis reaches past 1: the labels are found by stepping down from the
  // largest multiple of 0.1 at most the maximum, and 1 / 0.1 falls a hair
  // short of 10 in binary, so a maximum of exactly 1 would lose its label.
  FixAxis(chart_.BottomAxis(), 0, 1 + kPAxisMargin, 0.1);
  FixAxis(chart_.LeftAxis(), 0, 1, 0);
  ConfigureLine(design_, chart_, clBlue, 2);
  design_.SetStairs(true);

  ConfigureLine(null_, chart_, clGray, 1);
  null_.SetStairs(true);
  null_.SetTitle(LegendTitle("διαφορά 0 %"));
  ConfigureLine(boundary_, chart_, clRed, 1);
  boundary_.LinePen().SetStyle(psDash);
  boundary_.SetTitle(LegendTitle("p = 0.05"));
}

namespace {

// The outline of a histogram: up from (0, 0), one step per bin, down to
// (1, 0); returns the highest bin.
double AppendBins(TLineSeries& series, const TPowerResult& result, TTestKind test) {
  const TTestCounts& counts = result.Counts(test);
  series.AppendXY(0, 0, "", clAutoColor);
  double highest = 0;
  double share = 0;
  for (int bin = 0; bin < kPBins; ++bin) {
    share = result.Runs
                ? 100.0 * static_cast<double>(counts.PHistogram[static_cast<std::size_t>(bin)]) /
                      static_cast<double>(result.Runs)
                : 0;
    highest = std::max(highest, share);
    series.AppendXY(bin / 20.0, share, "", clAutoColor);
  }
  series.AppendXY(1, share, "", clAutoColor);
  series.AppendXY(1, 0, "", clAutoColor);
  return highest;
}

}  // namespace

void TPValueChart::Show(const TPowerResult& design, int differencePercent,
                        const TPowerResult& noDifference, TTestKind test) {
  Clear();
  design_.SetTitle(LegendTitle("διαφορά " + std::to_string(differencePercent) + " %"));
  const double highest =
      std::max(AppendBins(design_, design, test), AppendBins(null_, noDifference, test));
  boundary_.AppendXY(0.05, 0, "", clAutoColor);
  boundary_.AppendXY(0.05, highest, "", clAutoColor);
  // Room above the tallest bar, so that no bar runs into the frame.
  chart_.LeftAxis().SetMaximum(std::max(1.0, highest * kBarHeadroom));
  chart_.Title().SetText({std::string("Κατανομή του p: ") + TestInfo(test).Caption});
}

void TPValueChart::Clear() {
  design_.ClearPoints();
  null_.ClearPoints();
  boundary_.ClearPoints();
}

// --- TLastPChart ---------------------------------------------------------------

TLastPChart::TLastPChart() {
  ConfigureCommonChart(chart_, "", "p");
  chart_.BottomAxis().Title().SetCaption("Run");
  // A little room beyond 0 and 1, so that marks at either end show whole.
  FixAxis(chart_.LeftAxis(), -0.04, 1.04, 0.5);
  ConfigureMarks(significant_, chart_, clRed);
  ConfigureMarks(notSignificant_, chart_, clBlue);
  ConfigureGuide(boundary_, chart_, clRed, psDash);
  Show(TRunHistory());
}

void TLastPChart::Show(const TRunHistory& history) {
  significant_.ClearPoints();
  notSignificant_.ClearPoints();
  boundary_.ClearPoints();
  const auto capacity = static_cast<std::int64_t>(TRunHistory::kCapacity);
  const std::int64_t last = std::max(history.Runs(), capacity);
  const double from = static_cast<double>(last - capacity + 1), to = static_cast<double>(last);
  FixAxis(chart_.BottomAxis(), from - 0.5, to + 0.5, 0);
  boundary_.AppendXY(from - 0.5, 0.05, "", clAutoColor);
  boundary_.AppendXY(to + 0.5, 0.05, "", clAutoColor);
  int below = 0;
  for (const TRunP& mark : history.Marks()) {
    (mark.Significant ? significant_ : notSignificant_)
        .AppendXY(static_cast<double>(mark.Run), mark.P, "", clAutoColor);
    below += mark.Significant;
  }
  // The legend counts the marks; the title names the test of the last.
  const auto& marks = history.Marks();
  const std::string of = " από " + std::to_string(marks.size());
  significant_.SetTitle(LegendTitle("p < 0.05: " + std::to_string(below) + of));
  notSignificant_.SetTitle(
      LegendTitle("p ≥ 0.05: " + std::to_string(static_cast<int>(marks.size()) - below) + of));
  chart_.Title().SetText({marks.empty() ? std::string("p των επόμενων Run: πατήστε Run")
                                        : "p των τελευταίων Run: " +
                                              std::string(TestInfo(marks.back().Test).Caption)});
}

}  // namespace halvorn
