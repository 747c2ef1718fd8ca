#include "tools/CliOptions.h"

#include <QCommandLineParser>
#include <QStringList>
#include <utility>

#include "platform/runtime/Format.h"

namespace halvorn {
namespace {

std::string Accepted(const TSliderInfo& o) {
  const std::string range =
      SliderValueText(o, o.MinValue()) + " to " + SliderValueText(o, o.MaxValue());
  return o.Scale == 1 ? range : range + " in steps of " + SliderValueText(o, o.Scale);
}

[[noreturn]] void Refuse(const std::string& option, const std::string& value,
                         const std::string& accepted) {
  throw ECliUsage(Fmt("--%s: \"%s\" is not accepted (accepted: %s)", option.c_str(), value.c_str(),
                      accepted.c_str()));
}

// Every refusal reads "--option: what is wrong", Qt's own parser errors
// included.
std::string OptionName(const QString& name) {
  return (name.size() == 1 ? "-" : "--") + name.toStdString();
}

[[noreturn]] void RefuseParse(const QCommandLineParser& parser) {
  const QStringList unknown = parser.unknownOptionNames();
  if (!unknown.isEmpty())
    throw ECliUsage(OptionName(unknown.front()) + ": unknown option (see --help)");
  // "Missing value after '--runs'." and "Unexpected value after '--help=3'."
  const QString error = parser.errorText();
  const QString option = error.section('\'', 1, 1).section('=', 0, 0);
  if (error.startsWith("Missing value"))
    throw ECliUsage(option.toStdString() + ": a value is missing (see --help)");
  if (error.startsWith("Unexpected value"))
    throw ECliUsage(option.toStdString() + ": takes no value");
  throw ECliUsage(error.toStdString());
}

// Qt names the program by the path it was started with; the help names it
// as the user calls it.
std::string HelpText(const QCommandLineParser& parser) {
  std::string text = parser.helpText().toStdString();
  const std::string usage = "Usage: ", rest = " [options]";
  const std::size_t end = text.find(rest);
  if (text.starts_with(usage) && end != std::string::npos)
    text.replace(usage.size(), end - usage.size(), "halvorn-cli");
  return text;
}

int ParseInteger(const QString& text, bool& ok) {
  const int v = text.trimmed().toInt(&ok, 10);
  ok = ok && !text.trimmed().isEmpty() && text.trimmed() == text;
  return v;
}

std::int64_t ParseLong(const QString& text, bool& ok) {
  const qlonglong v = text.toLongLong(&ok, 10);
  ok = ok && !text.isEmpty() && text.trimmed() == text;
  return v;
}

// A slider's value as written on the command line, in the slider's units
// (hundredths for the correlation: "0.5" is 50). Digits with at most the
// slider's decimals after a ".", nothing else; none when the text is not
// that.
std::optional<int> SliderValueOf(const TSliderInfo& o, const QString& text) {
  bool ok;
  if (o.Decimals == 0) {
    const int v = ParseInteger(text, ok);
    return ok ? std::optional<int>(v) : std::nullopt;
  }
  const QStringList parts = text.split('.');
  const QString whole = parts[0], fraction = parts.size() == 2 ? parts[1] : QString();
  const auto digits = [](const QString& s) {
    for (const QChar c : s)
      if (c < '0' || c > '9') return false;
    return true;
  };
  if (parts.size() > 2 || whole.isEmpty() || whole.size() > 4 || !digits(whole) ||
      !digits(fraction) || fraction.size() > o.Decimals ||
      (parts.size() == 2 && fraction.isEmpty()))
    return std::nullopt;
  int v = whole.toInt();
  for (int d = 0; d < o.Decimals; ++d)
    v = v * 10 + (d < fraction.size() ? fraction[d].digitValue() : 0);
  return v;
}

// A slider value given on the command line: within the slider's range and
// on its grid. The slider position it stands for, or none.
std::optional<int> PositionOf(const TSliderInfo& o, const QString& text) {
  const std::optional<int> v = SliderValueOf(o, text);
  if (!v || *v < o.MinValue() || *v > o.MaxValue() || *v % o.Scale != 0) return std::nullopt;
  return *v / o.Scale;
}

// The keys of a table's rows (tests, error models) joined by `separator`,
// the last two by `last`.
template <class Rows>
std::string JoinedKeys(const Rows& rows, const char* separator, const char* last) {
  std::string keys;
  for (std::size_t i = 0; i < rows.size(); ++i)
    keys += std::string(i == 0 ? "" : i + 1 == rows.size() ? last : separator) + rows[i].Key;
  return keys;
}

std::string SliderOptionNames() {
  std::string names;
  for (const auto& o : kSliders) names += std::string(names.empty() ? "" : ", ") + o.Option;
  return names;
}

// NAME[=FROM:TO[:STEP]], values as the option NAME takes them.
TCliVary ParseVary(const QString& text) {
  const QString name = text.section('=', 0, 0);
  const TSliderInfo* o = FindSliderByOption(name.toStdString());
  if (!o)
    Refuse("vary", text.toStdString(), "NAME[=FROM:TO[:STEP]], NAME one of " + SliderOptionNames());
  TCliVary vary{o->Slider, o->Min, o->Max, 1};
  if (!text.contains('=')) return vary;
  const QStringList parts = text.section('=', 1).split(':');
  const std::string accepted =
      Fmt("%s=FROM:TO[:STEP], FROM <= TO, values %s, STEP a multiple of %s", o->Option,
          Accepted(*o).c_str(), SliderValueText(*o, o->Scale).c_str());
  if (parts.size() < 2 || parts.size() > 3) Refuse("vary", text.toStdString(), accepted);
  const std::optional<int> from = PositionOf(*o, parts[0]), to = PositionOf(*o, parts[1]);
  const std::optional<int> given = parts.size() == 3 ? SliderValueOf(*o, parts[2]) : o->Scale;
  const int step = given.value_or(0);
  if (!from || !to || *from > *to || !given || step < o->Scale || step % o->Scale != 0)
    Refuse("vary", text.toStdString(), accepted);
  vary.FromPosition = *from;
  vary.ToPosition = *to;
  vary.StepPositions = step / o->Scale;
  return vary;
}

// Every option of both commands, registered with Qt's parser.
struct TParser {
  TParser();

  QCommandLineParser parser;
  QCommandLineOption help{{"h", "help"}, "Show this help."};
  QCommandLineOption version{"version", "Show the version."};
  std::vector<QCommandLineOption> sliders;
  QCommandLineOption errorModel{
      "error-model",
      QString::fromStdString(
          "The distribution of the errors: " + JoinedKeys(kErrorModels, ", ", " or ") +
          "; uniform errors reach the error percentage, normal and lognormal "
          "ones have it as their coefficient of variation (default " +
          kErrorModels.front().Key + ")."),
      QString::fromStdString(JoinedKeys(kErrorModels, "|", "|"))};
  QCommandLineOption test{"test",
                          QString::fromStdString("The test: " + JoinedKeys(kTests, ", ", " or ") +
                                                 " (default " + kTests.front().Key + ")."),
                          QString::fromStdString(JoinedKeys(kTests, "|", "|"))};
  QCommandLineOption runs{
      "runs", "Number of Runs, 1 to 1000000 (default 1); power: 1 to 10000000 (default 10000).",
      "K"};
  QCommandLineOption data{"data", "Write the last Run's points to FILE.csv.", "FILE.csv"};
  QCommandLineOption png{"png", "Write the chart after the last Run to FILE.png.", "FILE.png"};
  QCommandLineOption size{"size", "The picture's size, 1x1 to 4000x4000 (default 873x393).", "WxH"};
  QCommandLineOption skip{"skip", "power: start that many Runs into the sequence (default 0).",
                          "R"};
  QCommandLineOption threads{"threads", "power: worker threads, 1 to 256 (default: one per core).",
                             "N"};
  QCommandLineOption vary{"vary",
                          "power: the power at each value of one design option (name without "
                          "dashes).",
                          "NAME[=FROM:TO[:STEP]]"};
  QCommandLineOption target{"target", "power --vary: the power to reach, percent (default 80).",
                            "PCT"};
  QCommandLineOption from{"from",
                          "run, power: start from the settings fitted to a site's record (see "
                          "fit); the options given still set theirs.",
                          "FILE"};
  QCommandLineOption json{"json", "power, fit: write one JSON object."};
  QCommandLineOption csv{"csv",
                         "power --vary: write CSV, a row per value with each test's counts, "
                         "power and interval."};
};

// A percentage written with digits and at most kMaxDecimals decimals,
// above 0 and at most 100, as an exact decimal; none otherwise.
std::optional<TPowerTarget> ParseTarget(const std::string& text) {
  TPowerTarget target{0, 0};
  bool point = false, digits = false;
  for (const char c : text) {
    if (c == '.' && !point) {
      point = true;
    } else if (c >= '0' && c <= '9' && target.Units <= 100'000'000) {
      target.Units = 10 * target.Units + (c - '0');
      target.Decimals += point;
      digits = true;
    } else {
      return std::nullopt;
    }
  }
  if (!digits || target.Decimals > TPowerTarget::kMaxDecimals || target.Units == 0 ||
      target.Units > 100 * target.Scale())
    return std::nullopt;
  return target;
}

TParser::TParser() {
  parser.setApplicationDescription(
      "Runs Halvorn's simulation without a window: each Run draws a before and an after\n"
      "series of seasonal samples, runs a test (a Student t-test, a Wilcoxon rank test\n"
      "or a t-test on logarithms) and prints its statistic, p and whether the\n"
      "difference is significant (p <= 0.05).\n"
      "\"power\" judges the next Runs by every test and prints how often each finds\n"
      "the difference (the power), and how often it finds one where there is none.\n"
      "\"fit FILE\" estimates the settings from a site's monitoring record: a date\n"
      "column (YYYY-MM-DD or YYYY-MM) and a value column, separated by \",\", \";\" or a\n"
      "tab, \"<0.5\" for a value below a detection limit of 0.5. It prints each\n"
      "estimate beside the nearest slider setting, which the design takes (as run\n"
      "and power do with --from FILE); --json writes each estimate as an object\n"
      "{\"estimate\": ..., \"design\": ...}.");
  parser.addPositionalArgument(
      "command",
      "run: perform the Runs; power: count their outcomes; fit: estimate the settings from FILE.",
      "run|power|fit");
  parser.addPositionalArgument("file", "fit: the site's record.", "[FILE]");
  parser.addOption(help);
  parser.addOption(version);
  for (const auto& o : kSliders) {
    sliders.emplace_back(QString::fromUtf8(o.Option),
                         QString::fromUtf8(o.Description) + " " +
                             QString::fromStdString(Accepted(o)) + ", default " +
                             QString::fromStdString(SliderValueText(o, o.DefaultValue())) + ".",
                         QString::fromUtf8(o.ValueName));
    parser.addOption(sliders.back());
  }
  for (const auto* option : {&errorModel, &test, &runs, &data, &png, &size, &skip, &threads, &vary,
                             &target, &from, &json, &csv})
    parser.addOption(*option);
}

// The commands as bits, so that an option can name the set of commands that
// take it.
enum : unsigned { kRun = 1, kPower = 2, kFit = 4 };

std::string CommandNames(unsigned commands) {
  std::string names;
  for (const auto& [bit, name] : {std::pair{kRun, "run"}, {kPower, "power"}, {kFit, "fit"}}) {
    if (!(commands & bit)) continue;
    commands &= ~bit;
    names += Fmt("%s\"%s\"", names.empty() ? "" : commands ? ", " : " and ", name);
  }
  return names;
}

// The command, and each command's own options refused by the others.
TCliOptions::TCommand ParseCommand(const TParser& p, TCliOptions& options) {
  const QStringList positional = p.parser.positionalArguments();
  const QString name = positional.value(0);
  if (name == "fit") {
    if (positional.size() > 2)
      throw ECliUsage(Fmt("fit: one record FILE, not %lld (see --help)",
                          static_cast<long long>(positional.size() - 1)));
    if (positional.size() < 2 || positional[1].isEmpty())
      throw ECliUsage("fit: the record FILE is missing (see --help)");
    options.RecordPath = positional[1].toStdString();
  } else if (positional.size() != 1 || (name != "run" && name != "power")) {
    throw ECliUsage(positional.isEmpty()
                        ? std::string("missing command: use \"run\", \"power\" or \"fit\" (see "
                                      "--help)")
                        : Fmt("unknown command \"%s\": use \"run\", \"power\" or \"fit\" (see "
                              "--help)",
                              positional.join(' ').toStdString().c_str()));
  }
  const unsigned command = name == "fit" ? kFit : name == "power" ? kPower : kRun;
  const auto refuseForeign = [&](const QCommandLineOption& option, unsigned owners) {
    if (p.parser.isSet(option) && !(owners & command))
      throw ECliUsage(Fmt("--%s: an option of %s, not of %s",
                          option.names().front().toStdString().c_str(),
                          CommandNames(owners).c_str(), CommandNames(command).c_str()));
  };
  for (const auto* o : {&p.test, &p.data, &p.png, &p.size}) refuseForeign(*o, kRun);
  for (const auto* o : {&p.skip, &p.threads, &p.vary, &p.target, &p.csv}) refuseForeign(*o, kPower);
  refuseForeign(p.json, kPower | kFit);
  for (const auto& o : p.sliders) refuseForeign(o, kRun | kPower);
  for (const auto* o : {&p.errorModel, &p.runs, &p.from}) refuseForeign(*o, kRun | kPower);
  return command == kFit     ? TCliOptions::TCommand::Fit
         : command == kPower ? TCliOptions::TCommand::Power
                             : TCliOptions::TCommand::Run;
}

void ParseDesign(const TParser& p, TCliOptions& options) {
  for (std::size_t i = 0; i < kSliders.size(); ++i) {
    const auto& o = kSliders[i];
    if (!p.parser.isSet(p.sliders[i])) continue;
    const QString text = p.parser.value(p.sliders[i]);
    const std::optional<int> position = PositionOf(o, text);
    if (!position) Refuse(o.Option, text.toStdString(), Accepted(o));
    options.Settings.push_back({o.Slider, *position});
  }
  if (p.parser.isSet(p.errorModel)) {
    const std::string key = p.parser.value(p.errorModel).toStdString();
    const TErrorModelInfo* model = FindErrorModelByKey(key);
    if (!model) Refuse("error-model", key, JoinedKeys(kErrorModels, ", ", " or "));
    options.ErrorModel = model->Model;
    options.ErrorModelGiven = true;
  }
  if (p.parser.isSet(p.from)) {
    options.RecordPath = p.parser.value(p.from).toStdString();
    if (options.RecordPath.empty()) Refuse("from", "", "a record file's path");
  }
}

void ParseRuns(const TParser& p, bool power, TCliOptions& options) {
  const int maxRuns = power ? kMaxPowerRuns : 1000000;
  if (power) options.Runs = 10000;
  if (!p.parser.isSet(p.runs)) return;
  bool ok;
  const int v = ParseInteger(p.parser.value(p.runs), ok);
  if (!ok || v < 1 || v > maxRuns)
    Refuse("runs", p.parser.value(p.runs).toStdString(), Fmt("1 to %d", maxRuns));
  options.Runs = v;
}

void ParseRunOptions(const TParser& p, TCliOptions& options) {
  if (p.parser.isSet(p.test)) {
    const std::string key = p.parser.value(p.test).toStdString();
    const TTestInfo* test = FindTestByKey(key);
    if (!test) Refuse("test", key, JoinedKeys(kTests, ", ", " or "));
    options.Test = test->Kind;
  }
  if (p.parser.isSet(p.data)) {
    options.DataPath = p.parser.value(p.data).toStdString();
    if (options.DataPath.empty()) Refuse("data", "", "a file path");
  }
  if (p.parser.isSet(p.png)) {
    options.PngPath = p.parser.value(p.png).toStdString();
    if (options.PngPath.empty()) Refuse("png", "", "a file path");
  }
  if (!p.parser.isSet(p.size)) return;
  const QString text = p.parser.value(p.size);
  const QStringList parts = text.split('x');
  bool okWidth = false, okHeight = false;
  const int w = parts.size() == 2 ? ParseInteger(parts[0], okWidth) : 0;
  const int h = parts.size() == 2 ? ParseInteger(parts[1], okHeight) : 0;
  constexpr int kMaxSide = 4000;
  if (!okWidth || !okHeight || w < 1 || h < 1 || w > kMaxSide || h > kMaxSide)
    Refuse("size", text.toStdString(), "WIDTHxHEIGHT, each 1 to 4000");
  if (options.PngPath.empty()) throw ECliUsage("--size: only with --png");
  options.PngWidth = w;
  options.PngHeight = h;
}

void ParsePowerOptions(const TParser& p, TCliOptions& options) {
  const QCommandLineParser& parser = p.parser;
  if (parser.isSet(p.skip)) {
    bool ok;
    const std::int64_t v = ParseLong(parser.value(p.skip), ok);
    if (!ok || v < 0 || v > kMaxSkip)
      Refuse("skip", parser.value(p.skip).toStdString(), "0 to 1000000000000");
    options.Skip = v;
  }
  if (parser.isSet(p.threads)) {
    bool ok;
    const int v = ParseInteger(parser.value(p.threads), ok);
    if (!ok || v < 1 || v > kMaxThreads)
      Refuse("threads", parser.value(p.threads).toStdString(), Fmt("1 to %d", kMaxThreads));
    options.Threads = v;
  }
  if (parser.isSet(p.vary)) options.Vary = ParseVary(parser.value(p.vary));
  if (parser.isSet(p.target)) {
    const std::string text = parser.value(p.target).toStdString();
    const std::optional<TPowerTarget> target = ParseTarget(text);
    if (!target)
      Refuse("target", text,
             Fmt("a percentage above 0, at most 100, with at most %d decimals",
                 TPowerTarget::kMaxDecimals));
    if (!options.Vary) throw ECliUsage("--target: only with --vary");
    options.Target = *target;
  }
  if (parser.isSet(p.json) && parser.isSet(p.csv))
    throw ECliUsage("--csv: not together with --json");
  if (parser.isSet(p.json)) options.Format = TCliOptions::TFormat::Json;
  if (parser.isSet(p.csv)) {
    if (!options.Vary) throw ECliUsage("--csv: only with --vary");
    options.Format = TCliOptions::TFormat::Csv;
  }
}

}  // namespace

TCliOptions ParseCliOptions(const std::vector<std::string>& arguments) {
  TParser p;
  QStringList args;
  for (const auto& a : arguments) args << QString::fromStdString(a);
  if (args.isEmpty()) args << "halvorn-cli";
  if (!p.parser.parse(args)) RefuseParse(p.parser);

  TCliOptions options;
  options.HelpText = HelpText(p.parser);
  if (p.parser.isSet(p.help)) {
    options.Command = TCliOptions::TCommand::Help;
    return options;
  }
  if (p.parser.isSet(p.version)) {
    options.Command = TCliOptions::TCommand::Version;
    return options;
  }
  options.Command = ParseCommand(p, options);
  if (options.Command == TCliOptions::TCommand::Fit) {
    if (p.parser.isSet(p.json)) options.Format = TCliOptions::TFormat::Json;
    return options;
  }
  const bool power = options.Command == TCliOptions::TCommand::Power;
  ParseDesign(p, options);
  ParseRuns(p, power, options);
  if (power)
    ParsePowerOptions(p, options);
  else
    ParseRunOptions(p, options);
  return options;
}

}  // namespace halvorn
