#include "platform/raster/internal/GuiApplication.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace halvorn {

void EnsureGuiApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  static char name[] = "halvorn";
  static char platformOption[] = "-platform";
  static char offscreen[] = "offscreen";
  static char* argv[] = {name, platformOption, offscreen, nullptr};
  static int argc = qEnvironmentVariableIsSet("QT_QPA_PLATFORM") ? 1 : 3;
  // Never destroyed: at exit Qt's own thread storage is gone before static
  // objects are, and tearing the application down then crashes. The
  // process's end frees it.
  static QGuiApplication* const app = new QGuiApplication(argc, argv);
  (void)app;
}

}  // namespace halvorn
