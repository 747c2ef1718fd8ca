#include "app/Program.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QString>
#include <QTranslator>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/MainWindow.h"
#include "app/QtGreek.h"
#include "platform/forms/Application.h"
#include "platform/forms/MessageWindows.h"
#include "platform/runtime/Exceptions.h"
#include "platform/runtime/FormatSettings.h"
#include "sim/RandomSource.h"

namespace halvorn {
namespace {

// Without a display Qt cannot open its platform, and ends the process from
// inside the application object's constructor with an abort and a core
// dump, after several lines about plugins. The user gets one line instead
// that says what to do, and exit code 1.
QtMessageHandler gOtherMessages = nullptr;
void StartUpMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg) {
    std::fputs(
        "halvorn: no window can be opened: there is no display, or Qt cannot use it. Start "
        "Halvorn from a desktop session, or use halvorn-cli, which needs none.\n",
        stderr);
    std::fflush(stderr);
    std::_Exit(1);
  }
  // The platform's notes lead up to that failure; everything else passes.
  if (context.category && std::strncmp(context.category, "qt.qpa", 6) == 0) return;
  if (gOtherMessages) gOtherMessages(type, context, message);
}

// StartUpMessages while the application object is made.
class TStartUpMessages {
 public:
  TStartUpMessages() { gOtherMessages = qInstallMessageHandler(StartUpMessages); }
  ~TStartUpMessages() { qInstallMessageHandler(gOtherMessages); }
  TStartUpMessages(const TStartUpMessages&) = delete;
  TStartUpMessages& operator=(const TStartUpMessages&) = delete;
};

// Qt's own words in Greek, as the rest of the program speaks: the save
// dialog's labels and buttons. Qt's translation file is used where one is
// installed (Debian ships none for Greek); the program's own words for its
// dialogs are asked first, so they read the same either way. A missing file
// changes nothing else.
struct TQtTranslations {
  TQtGreek Own;
  QTranslator File;
};

std::unique_ptr<TQtTranslations> InstallQtGreek() {
  auto translations = std::make_unique<TQtTranslations>();
  if (translations->File.load(QStringLiteral("qtbase_el"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&translations->File);
  // The last installed is asked first.
  QCoreApplication::installTranslator(&translations->Own);
  return translations;
}

}  // namespace

int RunProgram(int argc, char** argv, const TProgramHooks& hooks) {
  // Qt keeps references to argc and argv for the life of the application,
  // which ends before this function returns.
  std::unique_ptr<TApplication> application;
  // Declared after the application: it goes first.
  std::unique_ptr<TQtTranslations> qtGreek;
  try {
    // The application object comes first: no text can be measured or drawn
    // before it exists.
    {
      const TStartUpMessages startUp;
      application = std::make_unique<TApplication>(argc, argv);
    }
    qtGreek = InstallQtGreek();
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
