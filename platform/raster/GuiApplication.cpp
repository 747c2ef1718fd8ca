#include "platform/raster/GuiApplication.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <memory>

namespace halvorn {

void EnsureGuiApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  static char name[] = "halvorn";
  static char platformOption[] = "-platform";
  static char offscreen[] = "offscreen";
  static char* argv[] = {name, platformOption, offscreen, nullptr};
  static int argc = qEnvironmentVariableIsSet("QT_QPA_PLATFORM") ? 1 : 3;
  static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace halvorn
