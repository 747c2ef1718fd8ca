// Soak: many Runs of 200 samples through the main window, each followed by
// a repaint of the chart, offscreen. The heap in use after them must be
// back at its level after the warm-up (caches of glyphs and fonts filled),
// within a stated bound; built with LeakSanitizer, whatever is left
// unreachable at exit is reported and fails the run.
//
//   soak_runs [RUNS] [BOUND_BYTES]   defaults 100000 and 262144

#include <QByteArray>
#include <QTest>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/MainWindow.h"
#include "platform/forms/Application.h"
#include "sim/RandomSource.h"

// From the sanitizer runtime the program is linked with (LeakSanitizer or
// AddressSanitizer); g++ ships the function but not its header.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();

namespace halvorn {
namespace {

constexpr int kWarmUpRuns = 200;

std::size_t HeapInUse() { return __sanitizer_get_current_allocated_bytes(); }

int Soak(long runs, long bound) {
  SeedRandom(1);
  auto mf = std::make_unique<TMF>(nullptr);
  mf->Show();
  if (!QTest::qWaitForWindowExposed(mf->Widget())) {
    std::fprintf(stderr, "soak: the window was not shown\n");
    return 1;
  }
  mf->Samples->SetPosition(200);
  QWidget* chart = mf->Chart1Window->Widget();
  int failedRuns = 0;
  const auto run = [&] {
    try {
      mf->Button1->Click();
    } catch (const Exception&) {
      ++failedRuns;
    }
    chart->repaint();
  };
  for (int i = 0; i < kWarmUpRuns; ++i) run();
  QApplication::processEvents();

  const std::size_t before = HeapInUse();
  std::size_t peak = before;
  for (long i = 1; i <= runs; ++i) {
    run();
    if (i % 10000 == 0 || i == runs) {
      QApplication::processEvents();
      const std::size_t now = HeapInUse();
      if (now > peak) peak = now;
      std::printf("soak: %ld Runs, heap in use %zu bytes\n", i, now);
      std::fflush(stdout);
    }
  }
  const std::size_t after = HeapInUse();
  std::printf(
      "soak: %ld Runs of 200 samples (%d failed), heap in use before %zu, after %zu, peak %zu "
      "bytes; bound %ld\n",
      runs, failedRuns, before, after, peak, bound);
  if (mf->Series1.PointCount() != 200 || mf->TT->Text().empty()) {
    std::fprintf(stderr, "soak: the last Run did not show 200 samples and a result\n");
    return 1;
  }
  if (static_cast<long>(after) - static_cast<long>(before) > bound) {
    std::fprintf(stderr, "soak: the heap grew by %ld bytes, more than %ld\n",
                 static_cast<long>(after) - static_cast<long>(before), bound);
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace halvorn

int main(int argc, char** argv) {
  const long runs = argc > 1 ? std::atol(argv[1]) : 100000;
  const long bound = argc > 2 ? std::atol(argv[2]) : 262144;
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
  int qtArgc = 1;
  halvorn::TApplication application(qtArgc, argv);
  application.SetTitle("Halvorn");
  return halvorn::Soak(runs, bound);
}
