// The program's responsiveness: from process start to the first painted
// window, from a click on "Run" to the end of the repaint that shows the
// new series, and how long the GUI thread's message loop can go without
// serving a timer while the power window computes a sweep or the site
// window reads a record.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QApplication>
#include <QByteArray>
#include <QComboBox>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>
#include <QtGlobal>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/MainWindow.h"
#include "app/PowerWindow.h"
#include "app/SiteWindow.h"
#include "platform/forms/Application.h"
#include "platform/forms/Button.h"
#include "platform/forms/ComboBox.h"
#include "sim/RandomSource.h"

extern char** environ;

namespace halvorn {
namespace {

// Spawns the start-up program, which exits after the chart's first render.
void BM_StartToFirstPaint(benchmark::State& state) {
  char program[] = HALVORN_FIRST_PAINT_PROGRAM;
  char* argv[] = {program, nullptr};
  for (auto _ : state) {
    pid_t pid = 0;
    if (posix_spawn(&pid, program, nullptr, nullptr, argv, environ) != 0) {
      state.SkipWithError("cannot start the program");
      return;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("the program failed");
      return;
    }
  }
}
BENCHMARK(BM_StartToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

// A real click on the shown window's "Run" button, then the message loop
// until the chart has rendered and shown the new series; x_render gives it
// as a multiple of a plain re-render of the same chart, timed between the
// clicks.
void BM_RunClickToRepaint(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  SeedRandom(1);
  TMF form(nullptr);
  int renders = 0;
  form.Chart1.OnAfterDraw = [&renders](TCustomChartPanel&) { ++renders; };
  form.Samples->SetPosition(static_cast<int>(state.range(0)));
  form.Show();
  for (int i = 0; i < 10; ++i) QApplication::processEvents();
  auto* button = static_cast<QPushButton*>(form.Button1->Widget());
  std::chrono::duration<double> clicks{}, rerenders{};
  for (auto _ : state) {
    const auto start = Clock::now();
    const int before = renders;
    button->click();
    while (renders == before) QApplication::processEvents();
    // The rest of the paint: the surface put on the screen.
    QApplication::processEvents();
    clicks += Clock::now() - start;
    state.PauseTiming();
    const auto renderStart = Clock::now();
    form.Chart1.Invalidate();
    form.Chart1Window->PaintNow();
    rerenders += Clock::now() - renderStart;
    state.ResumeTiming();
  }
  state.counters["x_render"] = clicks / rerenders;
}
BENCHMARK(BM_RunClickToRepaint)->Arg(12)->Arg(200)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A timer on the GUI thread every 5 ms, recording the longest time between
// two of its ticks: how long the message loop was kept from its events.
class TTickGaps {
 public:
  using TClock = std::chrono::steady_clock;

  TTickGaps() {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
      const TClock::time_point now = TClock::now();
      longest_ = std::max(longest_, now - last_);
      last_ = now;
    });
    last_ = TClock::now();
    timer_.start();
  }

  double LongestMs() const { return std::chrono::duration<double, std::milli>(longest_).count(); }

 private:
  QTimer timer_;
  TClock::time_point last_;
  TClock::duration longest_{};
};

// Runs the message loop until `hook` fires.
void RunUntil(std::function<void()>& hook) {
  QEventLoop loop;
  hook = [&loop] { loop.quit(); };
  loop.exec();
  hook = nullptr;
}

// The baseline: the same timer while the message loop has nothing else to do,
// for about as long as a sweep takes.
void BM_GuiGapIdle(benchmark::State& state) {
  double longest = 0;
  for (auto _ : state) {
    TTickGaps gaps;
    QEventLoop loop;
    QTimer::singleShot(2000, &loop, &QEventLoop::quit);
    loop.exec();
    longest = std::max(longest, gaps.LongestMs());
  }
  state.counters["max_gap_ms"] = longest;
}
BENCHMARK(BM_GuiGapIdle)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// A sweep of 100 000 Runs per point in the power window, started either by
// choosing another parameter in the window (argument 0: the months between
// samples and the phase after in turn, 6 and 12 designs) or by a click on
// "Run" (argument 1: the random source moves, so the main window's readout
// computes too and the window sweeps the months between samples anew). The
// iteration ends when the new curves are shown.
void BM_GuiGapDuringPowerSweep(benchmark::State& state) {
  SeedRandom(1);
  TMF form(nullptr);
  form.Show();
  TPowerWindow& window = form.ShowPowerWindow();
  RunUntil(window.OnSweepShown);
  auto* parameter = static_cast<QComboBox*>(window.ParameterBox->Widget());
  auto* runs = static_cast<QComboBox*>(window.RunsBox->Widget());
  parameter->setCurrentIndex(static_cast<int>(TSlider::Step));
  runs->setCurrentIndex(2);
  RunUntil(window.OnSweepShown);
  if (window.RunsPerPoint() != 100000 || window.Parameter() != TSlider::Step) {
    state.SkipWithError("the window did not take the settings");
    return;
  }
  auto* button = static_cast<QPushButton*>(form.Button1->Widget());
  const bool byRun = state.range(0) == 1;
  double longest = 0;
  for (auto _ : state) {
    TTickGaps gaps;
    if (byRun)
      button->click();
    else
      parameter->setCurrentIndex(
          static_cast<int>(window.Parameter() == TSlider::Step ? TSlider::FasiM : TSlider::Step));
    RunUntil(window.OnSweepShown);
    longest = std::max(longest, gaps.LongestMs());
  }
  state.counters["max_gap_ms"] = longest;
}
BENCHMARK(BM_GuiGapDuringPowerSweep)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The site window reading a record of `state.range(0)` lines: 7300 (twenty
// years of daily samples) and 3 500 000 (60 MB, near the largest file it
// reads). The iteration ends when the chart has painted the record.
void BM_GuiGapWhileOpeningARecord(benchmark::State& state) {
  const auto lines = static_cast<int>(state.range(0));
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("halvorn-bench-record-" + std::to_string(lines) + ".csv"))
                               .string();
  {
    std::ofstream out(path);
    // Twenty years, several samples a day where the lines are many.
    const int perDay = std::max(1, lines / 7300);
    char line[48];
    for (int i = 0; i < lines; ++i) {
      const int day = i / perDay, year = 2000 + day / 365, dayOfYear = day % 365;
      const int month = std::min(12, dayOfYear / 30 + 1), dayOfMonth = dayOfYear % 28 + 1;
      const double value = 10 + 3 * ((month + 6) % 12) / 11.0 + (i * 7919 % 1000) / 500.0;
      std::snprintf(line, sizeof line, "%d-%02d-%02d,%.2f\n", year, month, dayOfMonth, value);
      out << line;
    }
  }
  SeedRandom(1);
  TMF form(nullptr);
  form.Show();
  TSiteWindow window(&form);
  window.Show();
  // The windows' first paints are not the record's.
  QEventLoop settle;
  QTimer::singleShot(200, &settle, &QEventLoop::quit);
  settle.exec();
  double longest = 0;
  bool painted = false;
  window.Chart.Chart().OnAfterDraw = [&painted](TCustomChartPanel&) { painted = true; };
  for (auto _ : state) {
    TTickGaps gaps;
    window.Open(path);
    RunUntil(window.OnSettled);
    // Until the chart shows the record.
    painted = false;
    while (!painted) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    longest = std::max(longest, gaps.LongestMs());
  }
  if (!window.Fit()) state.SkipWithError("the record was not shown");
  state.counters["max_gap_ms"] = longest;
  std::filesystem::remove(path);
}
BENCHMARK(BM_GuiGapWhileOpeningARecord)
    ->Arg(7300)
    ->Arg(3500000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace halvorn

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
  benchmark::Initialize(&argc, argv);
  halvorn::TApplication application(argc, argv);
  application.SetTitle("Halvorn");
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
