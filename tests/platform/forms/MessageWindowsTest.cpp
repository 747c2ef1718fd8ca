#include <QGuiApplication>
#include <QScreen>
#include <string>

#include "FormTesting.h"
#include "ModalWatcher.h"
#include "platform/forms/MessageWindows.h"
#include "platform/runtime/MessageSinks.h"

namespace halvorn {
namespace {

using testing::ModalWatcher;
using testing::SeenDialog;

SeenDialog ShowAndClose(void (*show)(const std::string&), const std::string& text) {
  ModalWatcher watcher;
  show(text);
  EXPECT_EQ(watcher.Seen().size(), 1u);
  return watcher.Seen().empty() ? SeenDialog{} : watcher.Seen().front();
}

TEST(ErrorBox, ShowsTheMessageWithThePeriodRuleUnderTheTitle) {
  struct Row {
    const char* message;
    const char* shown;
  };
  const Row rows[] = {
      {"Floating point division by zero", "Floating point division by zero."},
      {"Invalid floating point operation.", "Invalid floating point operation."},
      {"Done!", "Done!"},
      {"ends in a digit 3", "ends in a digit 3."},
      {"Σφάλμα", "Σφάλμα."},
      {"<b>not</b> markup", "<b>not</b> markup."},
      {"", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.message);
    const SeenDialog box = ShowAndClose(&ShowErrorBox, row.message);
    EXPECT_TRUE(box.isMessageBox);
    EXPECT_EQ(box.text, QString::fromUtf8(row.shown));
    EXPECT_EQ(box.caption, "Halvorn");
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.buttons.size(), 1);
  }
}

TEST(MathErrorBox, IsCaptionedWithTheExecutablesBaseName) {
  const SeenDialog box = ShowAndClose(&ShowMathErrorBox, "sqrt: DOMAIN error");
  EXPECT_EQ(box.caption, "test_forms");
  EXPECT_EQ(box.text, "sqrt: DOMAIN error");
  EXPECT_EQ(box.icon, QMessageBox::Critical);
  EXPECT_EQ(box.buttons.size(), 1);
}

TEST(MessageDialog, HasNoIconOneOkButtonWrapsAndIsCentred) {
  const std::string text =
      "IBETA: the continued fraction did not converge after many iterations, so the "
      "incomplete beta function of these arguments is not known to the precision asked for, "
      "and a sentinel value is returned instead of the p value.";
  const SeenDialog dialog = ShowAndClose(&ShowMessageDialog, text);
  EXPECT_FALSE(dialog.isMessageBox);
  EXPECT_FALSE(dialog.hasIconPixmap);
  EXPECT_EQ(dialog.caption, "Halvorn");
  EXPECT_EQ(dialog.text, QString::fromStdString(text));
  EXPECT_TRUE(dialog.wordWrap);
  EXPECT_EQ(dialog.buttons, QStringList{"OK"});
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_LE(dialog.frame.width(), screen.width() / 2 + 40);
  EXPECT_NEAR(dialog.frame.center().x(), screen.center().x(), 1);
  EXPECT_NEAR(dialog.frame.center().y(), screen.center().y(), 1);
}

TEST(MessageWindows, TheSimulationsSinksReachTheDialogs) {
  const MessageSink modal = SetModalMessageSink({});
  const MessageSink math = SetMathErrorSink({});
  ConnectMessageWindows();
  {
    ModalWatcher watcher;
    ShowModalMessage("IBETA: bad argument");
    ReportMathError("ln", "SING");
    ASSERT_EQ(watcher.Seen().size(), 2u);
    EXPECT_FALSE(watcher.Seen()[0].isMessageBox);
    EXPECT_EQ(watcher.Seen()[0].text, "IBETA: bad argument");
    EXPECT_EQ(watcher.Seen()[1].caption, "test_forms");
    EXPECT_EQ(watcher.Seen()[1].text, "ln: SING error");
  }
  SetModalMessageSink(modal);
  SetMathErrorSink(math);
}

}  // namespace
}  // namespace halvorn
