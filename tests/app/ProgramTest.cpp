// The program's start-up and shutdown, each run in a child process of its
// own: the program creates the one application object of its process, and
// its exit code is what the test reads.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "app/MainWindow.h"
#include "app/Program.h"
#include "platform/forms/Application.h"
#include "platform/runtime/Exceptions.h"
#include "sim/RandomSource.h"

namespace halvorn {
namespace {

struct ChildResult {
  bool exited = false;
  int code = -1;
  std::string output;  // what the child reported
};

// Runs `body` in a child process; its return value becomes the child's exit
// code, and what it writes into its string comes back in `output`.
ChildResult RunInChild(const std::function<int(std::string&)>& body) {
  int fds[2];
  if (pipe(fds) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    std::string report;
    const int code = body(report);
    const ssize_t written = write(fds[1], report.data(), report.size());
    _exit(written == static_cast<ssize_t>(report.size()) ? code : 99);
  }
  close(fds[1]);
  ChildResult result;
  char buffer[512];
  for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) result.output.append(buffer, n);
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  result.exited = WIFEXITED(status);
  if (result.exited) result.code = WEXITSTATUS(status);
  return result;
}

// Records every message box of the child's program and closes it.
void WatchMessageBoxes(std::string& report) {
  auto* timer = new QTimer(QCoreApplication::instance());
  QObject::connect(timer, &QTimer::timeout, [&report] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    report += "box " + box->windowTitle().toStdString() + ": " + box->text().toStdString() + "\n";
    box->accept();
  });
  timer->start(0);
}

char programName[] = "halvorn";
char* programArgv[] = {programName, nullptr};

TEST(ProgramTest, ANormalCloseReturnsZeroAfterAFreshlySeededRun) {
  const ChildResult child = RunInChild([](std::string& report) {
    // The program seeds the random source itself, whatever came before.
    SeedRandom(99);
    TProgramHooks hooks;
    hooks.Started = [&report](TApplication&) { WatchMessageBoxes(report); };
    hooks.MainFormCreated = [&report](TMF& form) {
      QTimer::singleShot(0, [&report, &form] {
        report += form.Widget()->isVisible() ? "shown" : "hidden";
        report += form.WindowState() == wsMaximized ? " maximised\n" : " not maximised\n";
        form.Button1->Click();
        report += "t=" + form.TT->Text() + " p=" + form.PP->Text() + "\n";
        form.Close();
      });
    };
    return RunProgram(1, programArgv, hooks);
  });
  ASSERT_TRUE(child.exited);
  EXPECT_EQ(child.code, 0);
  EXPECT_EQ(child.output, "shown maximised\nt=-1.650 p=0.113\n");
}

TEST(ProgramTest, AnExceptionBeforeTheLoopIsShownAndTheExitCodeIsZero) {
  struct Row {
    const char* name;
    bool throwBeforeWindow;
  };
  for (const Row row : {Row{"before the window", true}, Row{"after the window", false}}) {
    SCOPED_TRACE(row.name);
    const ChildResult child = RunInChild([row](std::string& report) {
      TProgramHooks hooks;
      hooks.Started = [&report, row](TApplication&) {
        WatchMessageBoxes(report);
        if (row.throwBeforeWindow) throw EInvalidOperation("No window today");
      };
      hooks.MainFormCreated = [](TMF&) { throw EOverflow(); };
      return RunProgram(1, programArgv, hooks);
    });
    ASSERT_TRUE(child.exited);
    EXPECT_EQ(child.code, 0);
    EXPECT_EQ(child.output, row.throwBeforeWindow ? "box Halvorn: No window today.\n"
                                                  : "box Halvorn: Floating point overflow.\n");
  }
}

// Ctrl+Shift+S opens Qt's own save dialog, with Qt's words in Greek; a save
// into a folder that does not exist is then reported in the error box in the
// program's words, with the system's reason.
TEST(ProgramTest, TheSaveDialogSpeaksGreekAndAFailedSaveSaysWhyInGreek) {
  const std::string path = testing::TempDir() + "halvorn-no-such-folder/points.csv";
  const ChildResult child = RunInChild([&path](std::string& report) {
    TProgramHooks hooks;
    hooks.Started = [&report](TApplication&) { WatchMessageBoxes(report); };
    hooks.MainFormCreated = [&report, &path](TMF& form) {
      auto* watcher = new QTimer(form.Widget());
      QObject::connect(watcher, &QTimer::timeout, [&report, &path, watcher] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return;
        watcher->stop();
        report += "dialog " + dialog->windowTitle().toStdString() + ":";
        for (const QAbstractButton* button : dialog->findChild<QDialogButtonBox*>()->buttons())
          report += " " + button->text().toStdString();
        report += "\n";
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(path));
        static_cast<QDialog*>(dialog)->accept();
      });
      watcher->start(0);
      QTimer::singleShot(0, [&report, &form] {
        // The system's reason in the language the program runs in.
        report += std::string("reason ") + std::strerror(ENOENT) + "\n";
        // Shortcuts reach the active window only.
        form.Widget()->activateWindow();
        if (!QTest::qWaitForWindowActive(form.Widget())) report += "not active\n";
        QTest::keyClick(form.Widget(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        form.Close();
      });
    };
    return RunProgram(1, programArgv, hooks);
  });
  ASSERT_TRUE(child.exited);
  EXPECT_EQ(child.code, 0);
  const std::string reason = child.output.substr(0, child.output.find('\n') + 1);
  ASSERT_EQ(reason.rfind("reason ", 0), 0u) << child.output;
  EXPECT_EQ(child.output.substr(reason.size()),
            "dialog Αποθήκευση σημείων: Απο&θήκευση Ακύρωση\n"
            "box Halvorn: Δεν ήταν δυνατή η αποθήκευση του αρχείου «" +
                path + "»: " + reason.substr(7, reason.size() - 8) + ".\n");
}

// With no platform to open windows on, the program says so in one line and
// exits 1, where Qt would abort with a core dump.
TEST(ProgramTest, WithoutADisplayOneLineSaysWhatToDoAndTheExitCodeIsOne) {
  const std::string errors = testing::TempDir() + "halvorn-without-display.txt";
  const ChildResult child = RunInChild([&errors](std::string&) {
    setenv("QT_QPA_PLATFORM", "no-such-platform", 1);
    if (!std::freopen(errors.c_str(), "w", stderr)) return 98;
    return RunProgram(1, programArgv);
  });
  ASSERT_TRUE(child.exited);
  EXPECT_EQ(child.code, 1);
  std::ifstream in(errors);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text,
            "halvorn: no window can be opened: there is no display, or Qt cannot use it. Start "
            "Halvorn from a desktop session, or use halvorn-cli, which needs none.\n");
}

// When the application object cannot be created there is nothing to show a
// message box with; the message goes to standard error instead of taking
// the process down.
TEST(ProgramTest, WithoutAnApplicationObjectTheErrorGoesToStandardError) {
  const ChildResult child = RunInChild([](std::string& report) {
    int argc = 1;
    QCoreApplication other(argc, programArgv);
    int err[2];
    if (pipe(err) != 0) return 98;
    dup2(err[1], STDERR_FILENO);
    close(err[1]);
    const int code = RunProgram(1, programArgv);
    fflush(stderr);
    close(STDERR_FILENO);
    char buffer[512];
    for (ssize_t n; (n = read(err[0], buffer, sizeof buffer)) > 0;) report.append(buffer, n);
    return code;
  });
  ASSERT_TRUE(child.exited);
  EXPECT_EQ(child.code, 0);
  EXPECT_NE(child.output.find("The application object can be created only once."),
            std::string::npos)
      << child.output;
}

}  // namespace
}  // namespace halvorn
