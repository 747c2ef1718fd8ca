#include "tools/CliOptions.h"

#include <QCommandLineParser>
#include <QStringList>

#include "platform/runtime/Format.h"

namespace halvorn {
namespace {

std::string Accepted(const TSliderSpec& o) {
  return o.Scale == 1 ? Fmt("%d to %d", o.MinValue(), o.MaxValue())
                      : Fmt("%d to %d in steps of %d", o.MinValue(), o.MaxValue(), o.Scale);
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
  for (const auto& o : kSliders) {
    sliderOptions.emplace_back(QString::fromUtf8(o.Option),
                               QString::fromUtf8(o.Description) + " " +
                                   QString::fromStdString(Accepted(o)) + ", default " +
                                   QString::number(o.DefaultValue()) + ".",
                               QString::fromUtf8(o.ValueName));
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

  for (std::size_t i = 0; i < kSliders.size(); ++i) {
    const auto& o = kSliders[i];
    if (!parser.isSet(sliderOptions[i])) continue;
    const QString text = parser.value(sliderOptions[i]);
    bool ok;
    const int v = ParseInteger(text, ok);
    if (!ok || v < o.MinValue() || v > o.MaxValue() || v % o.Scale != 0)
      Refuse(o.Option, text.toStdString(), Accepted(o));
    options.Settings.push_back({o.Slider, v / o.Scale});
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
