// A bench-only program: the start-up of halvorn, ended as soon as the
// chart's first render has finished. The start-to-first-paint benchmark
// spawns it and times the whole process.

#include <QByteArray>
#include <QTimer>
#include <QtGlobal>

#include "app/MainWindow.h"
#include "app/Program.h"

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
  halvorn::TProgramHooks hooks;
  hooks.MainFormCreated = [](halvorn::TMF& form) {
    form.Chart1.OnAfterDraw = [&form](halvorn::TCustomChartPanel&) {
      // Closed once the paint that rendered has been shown.
      QTimer::singleShot(0, [&form] { form.Close(); });
    };
  };
  return halvorn::RunProgram(argc, argv, hooks);
}
