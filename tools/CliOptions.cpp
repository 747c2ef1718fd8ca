#include "tools/CliOptions.h"

#include <QCommandLineParser>
#include <QStringList>

#include "platform/runtime/Format.h"

namespace halvorn {
namespace {

// An option that sets one slider: values from min to max in steps of
// `step`, the slider position being value / step.
struct TSliderOption {
  const char* name;
  const char* valueName;
  const char* description;
  TSlider slider;
  int min, max, step, defaultValue;
};

constexpr TSliderOption kSliderOptions[] = {
    {"error-before", "PCT", "Maximum measurement error before, percent.", TSlider::ErrorP, 0, 200,
     5, 10},
    {"error-after", "PCT", "Maximum measurement error after, percent.", TSlider::ErrorM, 0, 200, 5,
     10},
    {"amplitude-before", "V", "Seasonal amplitude before.", TSlider::AmpliP, 0, 100, 5, 40},
    {"amplitude-after", "V", "Seasonal amplitude after.", TSlider::AmpliM, 0, 100, 5, 40},
    {"phase-before", "M", "Month of the seasonal maximum before.", TSlider::FasiP, 1, 12, 1, 6},
    {"phase-after", "M", "Month of the seasonal maximum after.", TSlider::FasiM, 1, 12, 1, 6},
    {"difference", "PCT", "Difference between before and after, percent.", TSlider::Dif, 0, 200, 1,
     20},
    {"step", "MONTHS", "Months between samples.", TSlider::Step, 1, 6, 1, 1},
    {"samples", "N", "Number of samples per series.", TSlider::Samples, 3, 200, 1, 12},
};

std::string Accepted(const TSliderOption& o) {
  return o.step == 1 ? Fmt("%d to %d", o.min, o.max)
                     : Fmt("%d to %d in steps of %d", o.min, o.max, o.step);
}

[[noreturn]] void Refuse(const std::string& option, const std::string& value,
                         const std::string& accepted) {
  throw ECliUsage(Fmt("--%s: \"%s\" is not accepted (accepted: %s)", option.c_str(), value.c_str(),
                      accepted.c_str()));
}

int ParseInteger(const QString& text, bool& ok) {
  const int v = text.trimmed().toInt(&ok, 10);
  ok = ok && !text.trimmed().isEmpty() && text.trimmed() == text;
  return v;
}

}  // namespace

TCliOptions ParseCliOptions(const std::vector<std::string>& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Runs Halvorn's simulation without a window: each Run draws a before and an after\n"
      "series of seasonal samples, runs a Student t-test and prints t, p and whether the\n"
      "difference is significant (p <= 0.05).");
  parser.addPositionalArgument("run", "Perform the Runs.", "run");
  const QCommandLineOption help({"h", "help"}, "Show this help.");
  const QCommandLineOption version("version", "Show the version.");
  parser.addOption(help);
  parser.addOption(version);
  std::vector<QCommandLineOption> sliderOptions;
  for (const auto& o : kSliderOptions) {
    sliderOptions.emplace_back(QString::fromUtf8(o.name),
                               QString::fromUtf8(o.description) + " " +
                                   QString::fromStdString(Accepted(o)) + ", default " +
                                   QString::number(o.defaultValue) + ".",
                               QString::fromUtf8(o.valueName));
    parser.addOption(sliderOptions.back());
  }
  const QCommandLineOption test("test", "The t-test: equal, unequal or paired (default equal).",
                                "equal|unequal|paired");
  const QCommandLineOption runs("runs", "Number of Runs, 1 to 1000000 (default 1).", "K");
  const QCommandLineOption data("data", "Write the last Run's points to FILE.csv.", "FILE.csv");
  const QCommandLineOption png("png", "Write the chart after the last Run to FILE.png.",
                               "FILE.png");
  const QCommandLineOption size("size", "The picture's size, 1x1 to 4000x4000 (default 873x393).",
                                "WxH");
  parser.addOption(test);
  parser.addOption(runs);
  parser.addOption(data);
  parser.addOption(png);
  parser.addOption(size);

  QStringList args;
  for (const auto& a : arguments) args << QString::fromStdString(a);
  if (args.isEmpty()) args << "halvorn-cli";
  if (!parser.parse(args)) throw ECliUsage(parser.errorText().toStdString());

  TCliOptions options;
  options.HelpText = parser.helpText().toStdString();
  if (parser.isSet(help)) {
    options.Command = TCliOptions::TCommand::Help;
    return options;
  }
  if (parser.isSet(version)) {
    options.Command = TCliOptions::TCommand::Version;
    return options;
  }
  const QStringList positional = parser.positionalArguments();
  if (positional.size() != 1 || positional[0] != "run")
    throw ECliUsage(positional.isEmpty() ? std::string("missing command: use \"run\" (see --help)")
                                         : Fmt("unknown command \"%s\": use \"run\" (see --help)",
                                               positional.join(' ').toStdString().c_str()));

  for (std::size_t i = 0; i < std::size(kSliderOptions); ++i) {
    const auto& o = kSliderOptions[i];
    if (!parser.isSet(sliderOptions[i])) continue;
    const QString text = parser.value(sliderOptions[i]);
    bool ok;
    const int v = ParseInteger(text, ok);
    if (!ok || v < o.min || v > o.max || v % o.step != 0)
      Refuse(o.name, text.toStdString(), Accepted(o));
    options.Settings.push_back({o.slider, v / o.step});
  }
  if (parser.isSet(test)) {
    const QString t = parser.value(test);
    if (t == "equal")
      options.Test = ttEqualVariance;
    else if (t == "unequal")
      options.Test = ttUnequalVariance;
    else if (t == "paired")
      options.Test = ttPaired;
    else
      Refuse("test", t.toStdString(), "equal, unequal or paired");
  }
  if (parser.isSet(runs)) {
    bool ok;
    const int v = ParseInteger(parser.value(runs), ok);
    if (!ok || v < 1 || v > 1000000)
      Refuse("runs", parser.value(runs).toStdString(), "1 to 1000000");
    options.Runs = v;
  }
  if (parser.isSet(data)) {
    options.DataPath = parser.value(data).toStdString();
    if (options.DataPath.empty()) Refuse("data", "", "a file path");
  }
  if (parser.isSet(png)) {
    options.PngPath = parser.value(png).toStdString();
    if (options.PngPath.empty()) Refuse("png", "", "a file path");
  }
  if (parser.isSet(size)) {
    const QString text = parser.value(size);
    const QStringList parts = text.split('x');
    bool okWidth = false, okHeight = false;
    const int w = parts.size() == 2 ? ParseInteger(parts[0], okWidth) : 0;
    const int h = parts.size() == 2 ? ParseInteger(parts[1], okHeight) : 0;
    constexpr int kMaxSide = 4000;
    if (!okWidth || !okHeight || w < 1 || h < 1 || w > kMaxSide || h > kMaxSide)
      Refuse("size", text.toStdString(), "WIDTHxHEIGHT, each 1 to 4000");
    if (options.PngPath.empty()) throw ECliUsage("--size needs --png");
    options.PngWidth = w;
    options.PngHeight = h;
  }
  return options;
}

}  // namespace halvorn
