// The program's responsiveness: from process start to the first painted
// window, and from a click on "Run" to the end of the repaint that shows the
// new series.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QApplication>
#include <QByteArray>
#include <QPushButton>
#include <QtGlobal>
#include <cstdio>
#include <memory>

#include "app/MainWindow.h"
#include "platform/forms/Application.h"
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
// until the chart has rendered and shown the new series.
void BM_RunClickToRepaint(benchmark::State& state) {
  SeedRandom(1);
  TMF form(nullptr);
  int renders = 0;
  form.Chart1.OnAfterDraw = [&renders](TCustomChartPanel&) { ++renders; };
  form.Samples->SetPosition(static_cast<int>(state.range(0)));
  form.Show();
  for (int i = 0; i < 10; ++i) QApplication::processEvents();
  auto* button = static_cast<QPushButton*>(form.Button1->Widget());
  for (auto _ : state) {
    const int before = renders;
    button->click();
    while (renders == before) QApplication::processEvents();
    // The rest of the paint: the surface put on the screen.
    QApplication::processEvents();
  }
}
BENCHMARK(BM_RunClickToRepaint)->Arg(12)->Arg(200)->Unit(benchmark::kMicrosecond)->UseRealTime();

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
