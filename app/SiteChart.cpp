#include "app/SiteChart.h"

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

void TSiteChart::Show(const TSiteRecord& record, const TSiteFit& fit) {
  Clear();
  const auto& samples = record.Samples();
  const int firstYear = record.FirstMonthIndex() / 12, lastYear = record.LastMonthIndex() / 12;
  const std::size_t stride = (samples.size() + kMaxMarks - 1) / kMaxMarks;
  std::size_t measured = 0, censored = 0;
  for (std::size_t i = 0; i < samples.size(); i += stride) {
    const TSiteSample& s = samples[i];
    (s.Censored ? censored_ : measured_)
        .AppendXY(MonthPosition(s.Month, s.Year, firstYear, lastYear), s.Value, "", clAutoColor);
    ++(s.Censored ? censored : measured);
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
  if (stride > 1) title += Fmt(" (δείχνεται 1 δείγμα στα %zu)", stride);
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
