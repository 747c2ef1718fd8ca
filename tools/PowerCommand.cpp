#include "tools/PowerCommand.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <iterator>
#include <span>
#include <sstream>
#include <thread>

#include "platform/runtime/Format.h"
#include "scene/SweepData.h"
#include "sim/RandomSource.h"

namespace halvorn {
namespace {

// The tests' count in words, for the lines that say how the Runs are judged.
std::string TestCountWords() {
  constexpr const char* kWords[] = {"no", "one", "two", "three", "four", "five", "six"};
  static_assert(kTestCount < static_cast<int>(std::size(kWords)));
  return kWords[kTestCount];
}

std::string Percent(double fraction) { return FixedText(100 * fraction, 1) + " %"; }

// The width of a test's column in the sweep's table: 18, or the caption and
// two spaces where that is wider.
std::size_t SweepColumn(const TTestInfo& test) {
  return std::max<std::size_t>(18, std::char_traits<char>::length(test.Caption) + 2);
}

// The design as the reports write it: the window's sliders, then, when the
// measurement model is not the default one, the error model and the
// model's sliders.
struct TDesignField {
  const char* Option;
  const char* JsonKey;
  std::string Text;
  bool Quoted;  // a JSON string rather than a number
};

std::vector<TDesignField> DesignFields(const TCliDesign& d) {
  std::vector<TDesignField> fields;
  const auto add = [&](std::span<const TSliderInfo> sliders) {
    for (const TSliderInfo& o : sliders)
      fields.push_back({o.Option, o.JsonKey, d.ValueText(o.Slider), false});
  };
  add(WindowSliders());
  if (!d.Params().DefaultModel()) {
    fields.push_back({"error-model", "error_model", ErrorModelInfo(d.ErrorModel).Key, true});
    add(ModelSliders());
  }
  return fields;
}

std::string DesignLine(const TCliDesign& d) {
  std::string line = "design:";
  for (const TDesignField& f : DesignFields(d)) line += Fmt(" %s %s,", f.Option, f.Text.c_str());
  line.pop_back();
  return line;
}

std::string RunsLine(std::int64_t runs, std::int64_t skip, const char* per) {
  return Fmt("%lld Runs%s: Runs %lld to %lld after start-up, each judged by all %s tests\n",
             static_cast<long long>(runs), per, static_cast<long long>(skip + 1),
             static_cast<long long>(skip + runs), TestCountWords().c_str());
}

// A figure in the JSON: null where it is undefined.
std::string JsonNumber(std::optional<double> v) { return v ? ShortestText(*v) : "null"; }

// `difference` is the true difference of the design judged.
std::string TestJson(const TPowerResult& r, TTestKind test, double difference) {
  const TTestCounts& c = r.Counts(test);
  const TInterval ci = r.Ci95(test);
  std::string histogram;
  for (std::int64_t b : c.PHistogram)
    histogram += (histogram.empty() ? "" : ", ") + std::to_string(b);
  return Fmt("{\"significant\": %lld, \"not_significant\": %lld, \"failed\": %lld, ",
             static_cast<long long>(c.Significant), static_cast<long long>(c.NotSignificant),
             static_cast<long long>(c.Failed)) +
         "\"power\": " + ShortestText(r.Power(test)) + ", \"ci95\": [" + ShortestText(ci.Lo) +
         ", " + ShortestText(ci.Hi) + "], \"p_histogram\": [" + histogram +
         "], \"type_s\": " + JsonNumber(r.TypeS(test, difference)) +
         ", \"type_m\": " + JsonNumber(r.TypeM(test, difference)) + "}";
}

std::string TestsJson(const TPowerResult& r, double difference) {
  std::string s = "{";
  for (const TTestInfo& test : kTests)
    s += Fmt("%s\"%s\": ", s.size() > 1 ? ", " : "", test.JsonKey) +
         TestJson(r, test.Kind, difference);
  return s + "}";
}

std::string HeaderJson(const TCliDesign& d, std::int64_t runs, std::int64_t skip) {
  std::string s = Fmt("{\"runs\": %lld, \"skip\": %lld, \"design\": {",
                      static_cast<long long>(runs), static_cast<long long>(skip));
  const char* separator = "";
  for (const TDesignField& f : DesignFields(d)) {
    s += Fmt(f.Quoted ? "%s\"%s\": \"%s\"" : "%s\"%s\": %s", separator, f.JsonKey, f.Text.c_str());
    separator = ", ";
  }
  return s + "}";
}

// The values reaching the target in `test`, as ranges of the sweep.
std::vector<TValueRange> Reaching(const TSweepReport& r, TTestKind test) {
  return ValuesReaching(r.Points, test, r.Target);
}

// `units` / 10^decimals written out exactly, without trailing zeros beyond
// `keep` decimals.
std::string DecimalText(std::int64_t units, int decimals, int keep) {
  std::string digits = std::to_string(units);
  if (static_cast<int>(digits.size()) <= decimals)
    digits.insert(0, static_cast<std::size_t>(decimals + 1) - digits.size(), '0');
  std::string text = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
  std::string fraction = digits.substr(text.size());
  while (static_cast<int>(fraction.size()) > keep && fraction.back() == '0') fraction.pop_back();
  while (static_cast<int>(fraction.size()) < keep) fraction += '0';
  return fraction.empty() ? text : text + "." + fraction;
}

// The target as the user wrote it, with at least one decimal (80.0, 99.34),
// and as a share of 1 for the JSON (0.8, 0.9934).
std::string TargetText(const TPowerTarget& t) {
  return DecimalText(t.Units, t.Decimals, std::max(1, t.Decimals));
}
std::string TargetShare(const TPowerTarget& t) { return DecimalText(t.Units, t.Decimals + 2, 0); }

// Widths in characters: a UTF-8 sequence's continuation bytes take no room.
std::size_t TextWidth(const std::string& s) {
  return static_cast<std::size_t>(std::ranges::count_if(
      s, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string PadLeft(const std::string& s, std::size_t width) {
  const std::size_t w = TextWidth(s);
  return w >= width ? s : std::string(width - w, ' ') + s;
}
// The type S and M errors as the table writes them: "2.5 %", "1.02", or a
// dash where they are undefined.
std::string TypeSText(const TPowerResult& r, TTestKind test, double difference) {
  const std::optional<double> v = r.TypeS(test, difference);
  return v ? Percent(*v) : "–";
}
std::string TypeMText(const TPowerResult& r, TTestKind test, double difference) {
  const std::optional<double> v = r.TypeM(test, difference);
  return v ? FixedText(*v, 2) : "–";
}

std::string PadRight(const std::string& s, std::size_t width) {
  return s.size() >= width ? s : s + std::string(width - s.size(), ' ');
}

// Ctrl-C asks the computation to stop; the progress callback, which runs
// on the main thread every 25 ms, passes the request on.
volatile std::sig_atomic_t interrupted = 0;
extern "C" void OnInterrupt(int) { interrupted = 1; }

class TInterruptGuard {
 public:
  TInterruptGuard() { previous_ = std::signal(SIGINT, OnInterrupt); }
  ~TInterruptGuard() { std::signal(SIGINT, previous_); }
  TInterruptGuard(const TInterruptGuard&) = delete;
  TInterruptGuard& operator=(const TInterruptGuard&) = delete;

 private:
  void (*previous_)(int);
};

// The progress line: on standard error, only when it is a terminal and
// only once the computation has run for a second.
class TProgressLine {
 public:
  TProgressLine(std::stop_source& stop, int parts) : stop_(stop), parts_(parts) {}
  ~TProgressLine() {
    if (shown_) std::fputs("\r              \r", stderr);
  }
  TProgressLine(const TProgressLine&) = delete;
  TProgressLine& operator=(const TProgressLine&) = delete;

  // The progress of part `part` (0-based) of the computation.
  TPowerProgress For(int part) {
    return [this, part](double fraction) {
      if (interrupted) stop_.request_stop();
      if (!tty_ || std::chrono::steady_clock::now() - start_ < std::chrono::seconds(1)) return;
      shown_ = true;
      std::fprintf(stderr, "\r%5.1f %% done", 100 * (part + fraction) / parts_);
      std::fflush(stderr);
    };
  }

 private:
  std::stop_source& stop_;
  int parts_;
  bool tty_ = isatty(STDERR_FILENO) != 0;
  bool shown_ = false;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace

TCliDesign TCliDesign::Of(const TCliOptions& options) {
  TCliDesign d;
  for (const auto& o : kSliders) d.Positions[static_cast<std::size_t>(o.Slider)] = o.Default;
  for (const auto& s : options.Settings)
    d.Positions[static_cast<std::size_t>(s.Slider)] = s.Position;
  d.ErrorModel = options.ErrorModel;
  return d;
}

SimParams TCliDesign::Params() const {
  SimParams p;
  for (const auto& o : kSliders)
    ApplySlider(p, o.Slider, Positions[static_cast<std::size_t>(o.Slider)]);
  p.ErrorModel = ErrorModel;
  return p;
}

std::string PowerText(const TPowerReport& r) {
  std::string s = DesignLine(r.Design) + "\n" + RunsLine(r.Runs, r.Skip, "");
  s += "test               significant     power   95 % interval       failed    type S  type M\n";
  const double difference = LevelDifference(r.Design.Params());
  for (const TTestInfo& test : kTests) {
    const TTestCounts& c = r.Tests.Counts(test.Kind);
    const TInterval ci = r.Tests.Ci95(test.Kind);
    // A caption longer than its column takes from the spaces of the next.
    const std::string name = PadRight(test.Caption, 18);
    s += name + PadLeft(std::to_string(c.Significant), 30 - name.size()) +
         PadLeft(Percent(r.Tests.Power(test.Kind)), 10) + "   " +
         PadRight("[" + Percent(ci.Lo) + ", " + Percent(ci.Hi) + "]", 20) +
         PadLeft(std::to_string(c.Failed), 6) +
         PadLeft(TypeSText(r.Tests, test.Kind, difference), 10) +
         PadLeft(TypeMText(r.Tests, test.Kind, difference), 8) + "\n";
  }
  s += "false positives (the same design with difference 0):";
  for (const TTestInfo& test : kTests)
    s += Fmt("%s %s ", &test == &kTests.front() ? "" : ",", test.Caption) +
         Percent(r.FalsePositive.Power(test.Kind));
  return s + "\n";
}

std::string PowerJson(const TPowerReport& r) {
  // The false positives' design has no difference.
  return HeaderJson(r.Design, r.Runs, r.Skip) +
         ", \"tests\": " + TestsJson(r.Tests, LevelDifference(r.Design.Params())) +
         ", \"false_positive\": " + TestsJson(r.FalsePositive, 0) + "}\n";
}

std::string SweepText(const TSweepReport& r) {
  const char* name = SliderInfo(r.Slider).Option;
  std::string s =
      DesignLine(r.Design) + Fmt(" (%s varied)\n", name) + RunsLine(r.Runs, r.Skip, " per value");
  s += PadLeft(name, 16);
  for (const TTestInfo& test : kTests) s += PadLeft(test.Caption, SweepColumn(test));
  s += "\n";
  for (const TSweepPoint& p : r.Points) {
    s += PadLeft(SliderValueText(SliderInfo(r.Slider), p.Value), 16);
    for (const TTestInfo& test : kTests)
      s += PadLeft(Percent(p.Result.Power(test.Kind)), SweepColumn(test));
    s += "\n";
  }
  // The ranges of a test are joined by commas, so the tests by semicolons.
  s += Fmt("values of %s with a power of at least ", name) + TargetText(r.Target) + " %:";
  for (const TTestInfo& test : kTests)
    s += Fmt("%s %s ", &test == &kTests.front() ? "" : ";", test.Caption) +
         ValuesReachingText(Reaching(r, test.Kind), r.Slider, kEnglishRangeWords);
  return s + "\n";
}

std::string SweepJson(const TSweepReport& r) {
  std::string s = HeaderJson(r.Design, r.Runs, r.Skip) +
                  Fmt(", \"vary\": \"%s\", \"target\": ", SliderInfo(r.Slider).Option) +
                  TargetShare(r.Target) + ", \"rows\": [";
  for (std::size_t i = 0; i < r.Points.size(); ++i) {
    const TSweepPoint& p = r.Points[i];
    s += Fmt("%s{\"value\": %s", i ? ", " : "",
             SliderValueText(SliderInfo(r.Slider), p.Value).c_str());
    for (const TTestInfo& test : kTests)
      s += Fmt(", \"%s\": ", test.JsonKey) + TestJson(p.Result, test.Kind, p.LevelDifference);
    s += "}";
  }
  const auto valueText = [&](int v) { return SliderValueText(SliderInfo(r.Slider), v); };
  // "smallest" is the first value of the first range, kept for the readers
  // that know only it; "reaching" holds every range.
  std::string smallest, reaching;
  for (const TTestInfo& test : kTests) {
    const char* separator = &test == &kTests.front() ? "" : ", ";
    const std::vector<TValueRange> ranges = Reaching(r, test.Kind);
    smallest += Fmt("%s\"%s\": %s", separator, test.JsonKey,
                    ranges.empty() ? "null" : valueText(ranges.front().From).c_str());
    reaching += Fmt("%s\"%s\": [", separator, test.JsonKey);
    for (const TValueRange& range : ranges)
      reaching += Fmt("%s{\"from\": %s, \"to\": %s}", &range == &ranges.front() ? "" : ", ",
                      valueText(range.From).c_str(), valueText(range.To).c_str());
    reaching += "]";
  }
  return s + "], \"smallest\": {" + smallest + "}, \"reaching\": {" + reaching + "}}\n";
}

std::string SweepCsv(const TSweepReport& r) {
  std::ostringstream out;
  WriteSweepData(out, r.Slider, r.Points);
  return out.str();
}

int RunPowerCommand(const TCliOptions& options) {
  const TCliDesign design = TCliDesign::Of(options);
  // The Runs that `run` would perform: from the start-up state.
  const TPowerRequest request{design.Params(), SeededRandomState(1), options.Runs, options.Skip};
  TPowerPool pool(options.Threads > 0 ? options.Threads
                                      : static_cast<int>(std::thread::hardware_concurrency()));
  std::stop_source stop;
  const TInterruptGuard interrupt;
  std::string out;
  try {
    if (options.Vary) {
      TProgressLine progress(stop, 1);
      const TCliVary& v = *options.Vary;
      TSweepReport report{design,
                          options.Runs,
                          options.Skip,
                          v.Slider,
                          options.Target,
                          SweepPower(request, v.Slider, v.FromPosition, v.ToPosition,
                                     v.StepPositions, pool, stop.get_token(), progress.For(0))};
      out = options.Format == TCliOptions::TFormat::Json  ? SweepJson(report)
            : options.Format == TCliOptions::TFormat::Csv ? SweepCsv(report)
                                                          : SweepText(report);
    } else {
      TProgressLine progress(stop, 2);
      TPowerReport report{design, options.Runs, options.Skip, {}, {}};
      report.Tests = ComputePower(request, pool, stop.get_token(), progress.For(0));
      // With no difference the design is its own null design.
      report.FalsePositive =
          design.Value(TSlider::Dif) == 0
              ? report.Tests
              : ComputeFalsePositive(request, pool, stop.get_token(), progress.For(1));
      out = options.Format == TCliOptions::TFormat::Json ? PowerJson(report) : PowerText(report);
    }
  } catch (const EPowerStopped&) {
    std::fputs("halvorn-cli: stopped\n", stderr);
    return 130;
  }
  std::fputs(out.c_str(), stdout);
  return 0;
}

}  // namespace halvorn
