// halvorn-cli: the simulation Run without a window, on a chart configured
// as the main window configures it.

#include <QGuiApplication>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "chart/ChartSeries.h"
#include "platform/panel/OffscreenPanelHost.h"
#include "platform/raster/PngWriter.h"
#include "platform/runtime/FormatSettings.h"
#include "platform/runtime/MessageSinks.h"
#include "scene/RunData.h"
#include "scene/SimulationChart.h"
#include "tools/CliOptions.h"
#include "tools/FitCommand.h"
#include "tools/PowerCommand.h"

namespace halvorn {
namespace {

// Prints what the window's t and p edit boxes and significance labels show,
// the statistic under the test's own name (t, W or V).
class TConsoleResult : public TRunResultView {
 public:
  explicit TConsoleResult(TTestKind test) : statistic_(TestInfo(test).Statistic) {}
  void SetTText(const std::string& text) override { t_ = text; }
  void SetPText(const std::string& text) override { p_ = text; }
  void SetSignificanceVisible(bool visible) override { significant_ = visible; }
  void Print() const {
    std::printf("%s=%s p=%s %s\n", statistic_, t_.c_str(), p_.c_str(),
                significant_ ? "significant" : "not significant");
  }

 private:
  const char* statistic_;
  std::string t_, p_;
  bool significant_ = false;
};

// The chart the Runs fill, painting into a window in memory as it would
// into the main window's (the window outlives the chart, which asks it for
// paints until its series are gone). A chart's layout carries over from one
// paint to the next (an axis is sized by the label step of the paint
// before), so a picture is painted as the window paints it: empty at
// start-up, then once after every Run.
class TRunPicture {
 public:
  TRunPicture(int width, int height, bool painted) : painted_(painted) {
    window_.SetClient(&chart_.Chart());
    chart_.Chart().SetHost(&window_);
    window_.Resize(width, height);
    Paint();
  }

  TSimulationChart& Chart() { return chart_; }

  // A failed paint is kept for Save to report; later ones are skipped.
  void Paint() {
    try {
      if (painted_ && !error_) window_.DeliverPaint();
    } catch (const Exception& e) {
      error_ = e.Message();
    }
  }

  void Save(const std::string& path) const {
    if (error_) throw Exception(*error_);
    SaveToPng(window_.Pixels(), path);
  }

 private:
  TOffscreenPanelHost window_;
  TSimulationChart chart_;
  bool painted_;
  std::optional<std::string> error_;
};

// Unwritable files are refused before any Run (the picture is written after
// the last one). False after saying why.
bool OpenOutputs(const TCliOptions& options, std::ofstream& data) {
  if (!options.DataPath.empty()) {
    data.open(options.DataPath, std::ios::out | std::ios::trunc);
    if (!data) {
      std::fprintf(stderr, "halvorn-cli: --data: \"%s\" cannot be written\n",
                   options.DataPath.c_str());
      return false;
    }
  }
  if (!options.PngPath.empty() &&
      !std::ofstream(options.PngPath, std::ios::out | std::ios::trunc)) {
    std::fprintf(stderr, "halvorn-cli: --png: \"%s\" cannot be written\n", options.PngPath.c_str());
    return false;
  }
  return true;
}

int RunCommand(const TCliOptions& options) {
  std::ofstream data;
  if (!OpenOutputs(options, data)) return 2;
  ReadFormatSettingsFromLocale();
  const auto toStderr = [](const std::string& text) {
    std::fprintf(stderr, "message: %s\n", text.c_str());
  };
  ScopedMessageSink modal(SetModalMessageSink, toStderr);
  ScopedMessageSink math(SetMathErrorSink, toStderr);

  TRunPicture picture(options.PngWidth, options.PngHeight, !options.PngPath.empty());
  TSimulation simulation;
  for (const auto& s : options.Settings) simulation.SliderChanged(s.Slider, s.Position);
  simulation.SetErrorModel(options.ErrorModel);
  int status = 0;
  TConsoleResult result(options.Test);
  for (int run = 0; run < options.Runs; ++run) {
    try {
      simulation.Run(picture.Chart().RunTarget(), options.Test, result);
      result.Print();
    } catch (const Exception& e) {
      std::printf("error: %s\n", ErrorBoxText(e.Message()).c_str());
      status = 1;
    }
    // A failed Run's samples stay, marks and all.
    picture.Chart().Marks().Show(simulation.Censoring());
    picture.Paint();
  }
  if (data.is_open()) {
    WriteRunData(data, picture.Chart().Before(), picture.Chart().After(), simulation.Censoring());
    data.close();
    if (!data) {
      std::fprintf(stderr, "halvorn-cli: --data: writing \"%s\" failed\n",
                   options.DataPath.c_str());
      return 1;
    }
  }
  if (options.PngPath.empty()) return status;
  try {
    picture.Save(options.PngPath);
  } catch (const Exception& e) {
    std::fprintf(stderr, "halvorn-cli: --png: %s\n", ErrorBoxText(e.Message()).c_str());
    return 1;
  }
  return status;
}

int RunCli(const std::vector<std::string>& arguments) {
  TCliOptions options;
  try {
    options = ParseCliOptions(arguments);
  } catch (const ECliUsage& e) {
    std::fprintf(stderr, "halvorn-cli: %s\n", e.what());
    return 2;
  }
  switch (options.Command) {
    case TCliOptions::TCommand::Help:
      std::fputs(options.HelpText.c_str(), stdout);
      return 0;
    case TCliOptions::TCommand::Version:
      std::printf("halvorn-cli %s\n", HALVORN_VERSION);
      return 0;
    case TCliOptions::TCommand::Fit:
      return RunFitCommand(options);
    case TCliOptions::TCommand::Power:
    case TCliOptions::TCommand::Run:
      break;
  }
  if (!StartFromRecord(options)) return 1;
  if (options.Command == TCliOptions::TCommand::Power) return RunPowerCommand(options);
  return RunCommand(options);
}

}  // namespace
}  // namespace halvorn

namespace {

// Qt's own notes (a missing runtime directory, say) are not the tool's
// output; only its critical and fatal messages reach standard error.
void QtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    std::fprintf(stderr, "halvorn-cli: %s\n", message.toLocal8Bit().constData());
}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(QtMessages);
  // Text is drawn by Qt's font engine, which needs a GUI application; no
  // window is shown, so no display is needed.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QGuiApplication::setApplicationName("halvorn-cli");
  std::vector<std::string> arguments(argv, argv + argc);
  return halvorn::RunCli(arguments);
}
