#include "app/SiteChart.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "app/ChartStyle.h"
#include "platform/runtime/Format.h"

namespace halvorn {
namespace {

// The share of a month's width its samples spread over.
constexpr double kMonthSpread = 0.6;
// Points of the fitted cycle per month.
constexpr int kCycleSteps = 8;

}  // namespace

TSiteChart::TSiteChart() {
  ConfigureCommonChart(chart_, "", "Τιμή");
  chart_.BottomAxis().Title().SetCaption("Μήνας");
  FixAxis(chart_.BottomAxis(), 0.5, 12.5, 1);
  ConfigureMarks(measured_, chart_, clBlue);
  ConfigureMarks(censored_, chart_, 0x0080C0, psDownTriangle, 3);
  ConfigureLine(cycle_, chart_, clRed, 2);
  cycle_.SetTitle(LegendTitle("εποχικός κύκλος"));
  Clear();
}

double TSiteChart::MonthPosition(int month, int year, int firstYear, int lastYear) {
  const int years = lastYear - firstYear + 1;
  return month + kMonthSpread * ((year - firstYear + 0.5) / years - 0.5);
}

TSiteMarks TSiteChart::Marks(const TSiteRecord& record) {
  const auto& samples = record.Samples();
  TSiteMarks marks{.Samples = {},
                   .Stride = std::max<std::size_t>(1, (samples.size() + kMaxMarks - 1) / kMaxMarks),
                   .FirstYear = record.FirstMonthIndex() / 12,
                   .LastYear = record.LastMonthIndex() / 12};
  for (std::size_t i = 0; i < samples.size(); i += marks.Stride)
    marks.Samples.push_back(samples[i]);
  return marks;
}

void TSiteChart::Show(const TSiteMarks& marks, const TSiteFit& fit) {
  Clear();
  std::size_t censored = 0;
  for (const TSiteSample& s : marks.Samples) {
    (s.Censored ? censored_ : measured_)
        .AppendXY(MonthPosition(s.Month, s.Year, marks.FirstYear, marks.LastYear), s.Value, "",
                  clAutoColor);
    censored += s.Censored;
  }
  measured_.SetTitle(LegendTitle("μετρήσεις"));
  censored_.SetTitle(LegendTitle("κάτω από όριο"));
  censored_.SetShowInLegend(censored > 0);
  // The cycle as the program draws its level: the baseline times
  // 1 + amplitude cos(2 pi (m - phase) / 12).
  for (int step = 0; step <= 12 * kCycleSteps; ++step) {
    const double month = 0.5 + static_cast<double>(step) / kCycleSteps;
    const double level =
        fit.Level *
        (1 + fit.AmplitudePct / 100 * std::cos(2 * std::numbers::pi * (month - fit.Phase) / 12));
    cycle_.AppendXY(month, level, "", clAutoColor);
  }
  std::string title = "Η καταγραφή ανά μήνα του έτους";
  if (marks.Stride > 1) title += Fmt(" (δείχνεται 1 δείγμα στα %zu)", marks.Stride);
  chart_.Title().SetText({title});
}

void TSiteChart::Clear() {
  measured_.ClearPoints();
  censored_.ClearPoints();
  cycle_.ClearPoints();
  censored_.SetShowInLegend(false);
  measured_.SetTitle(LegendTitle("μετρήσεις"));
  chart_.Title().SetText({"Καμία καταγραφή: ανοίξτε ένα αρχείο"});
}

}  // namespace halvorn
