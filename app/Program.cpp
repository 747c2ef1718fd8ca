#include "app/Program.h"

#include <cstdio>
#include <memory>

#include "app/MainWindow.h"
#include "platform/forms/Application.h"
#include "platform/forms/MessageWindows.h"
#include "platform/runtime/Exceptions.h"
#include "platform/runtime/FormatSettings.h"
#include "sim/RandomSource.h"

namespace halvorn {

int RunProgram(int argc, char** argv, const TProgramHooks& hooks) {
  // Qt keeps references to argc and argv for the life of the application,
  // which ends before this function returns.
  std::unique_ptr<TApplication> application;
  try {
    // The application object comes first: no text can be measured or drawn
    // before it exists.
    application = std::make_unique<TApplication>(argc, argv);
    SeedRandom(1);
    ReadFormatSettingsFromLocale();
    application->SetTitle("Halvorn");
    ConnectMessageWindows();
    if (hooks.Started) hooks.Started(*application);
    TMF* form = application->CreateForm<TMF>();
    if (hooks.MainFormCreated) hooks.MainFormCreated(*form);
    application->Run();
  } catch (const Exception& e) {
    if (application)
      application->ShowException(e);
    else
      // Without an application object no message box can be shown.
      std::fprintf(stderr, "%s\n", ErrorBoxText(e.Message()).c_str());
  }
  return 0;
}

}  // namespace halvorn
