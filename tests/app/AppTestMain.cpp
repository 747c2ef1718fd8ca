// The window tests need the application object before the window exists,
// titled as the program titles it. They always run headless.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>

#include "platform/forms/Application.h"

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
  ::testing::InitGoogleTest(&argc, argv);
  halvorn::TApplication application(argc, argv);
  application.SetTitle("Halvorn");
  return RUN_ALL_TESTS();
}
