// Reading and fitting a site's record the size of twenty years of daily
// samples: what `halvorn-cli fit` and `--from` do before anything else.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <string>

#include "platform/runtime/Format.h"
#include "sim/SiteFit.h"

namespace halvorn {
namespace {

// 7300 days from 2004-01-01 of a made-up parameter as a Greek spreadsheet
// writes it: a seasonal cycle peaking in February, 15 % errors correlated
// from day to day, a level that moves from year to year, and the summer's
// lowest values below a detection limit of 2.
const std::string& DailyRecord() {
  static const std::string text = [] {
    std::mt19937 random(7300);
    std::normal_distribution<double> normal;
    std::string s = "ημερομηνία;τιμή (mg/l)\n";
    int year = 2004, month = 1, day = 1;
    double error = 0, yearFactor = 1;
    for (int t = 0; t < 7300; ++t) {
      const double seasonal = 1 + 0.5 * std::cos(2 * std::numbers::pi * (t / 365.25 - 1.0 / 12));
      error = 0.6 * error + 0.8 * normal(random);
      const double v = 5 * yearFactor * seasonal * (1 + 0.15 * error);
      std::string value = v < 2 ? "<2" : FixedText(v, 2);
      for (char& c : value)
        if (c == '.') c = ',';
      s += Fmt("%04d-%02d-%02d;%s\n", year, month, day, value.c_str());
      const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
      const int days[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
      if (++day > days[month - 1]) {
        day = 1;
        if (++month > 12) {
          month = 1;
          ++year;
          yearFactor = 1 + 0.05 * normal(random);
        }
      }
    }
    return s;
  }();
  return text;
}

// The baseline: reading alone.
void BM_SiteRecordParse(benchmark::State& state) {
  const std::string& text = DailyRecord();
  for (auto _ : state) benchmark::DoNotOptimize(TSiteRecord::Parse(text));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_SiteRecordParse)->Unit(benchmark::kMillisecond);

void BM_SiteFit(benchmark::State& state) {
  const TSiteRecord record = TSiteRecord::Parse(DailyRecord());
  for (auto _ : state) benchmark::DoNotOptimize(FitSite(record));
  state.counters["samples"] = static_cast<double>(record.Samples().size());
  state.counters["censored"] = static_cast<double>(
      std::ranges::count_if(record.Samples(), [](const TSiteSample& s) { return s.Censored; }));
}
BENCHMARK(BM_SiteFit)->Unit(benchmark::kMillisecond);

// What the tool does with a record file's text.
void BM_SiteRecordParseAndFit(benchmark::State& state) {
  const std::string& text = DailyRecord();
  for (auto _ : state) benchmark::DoNotOptimize(FitSite(TSiteRecord::Parse(text)));
}
BENCHMARK(BM_SiteRecordParseAndFit)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace halvorn
