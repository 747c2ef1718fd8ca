#include "platform/forms/MessageWindows.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/forms/QtBridge.h"
#include "platform/runtime/Exceptions.h"
#include "platform/runtime/MessageSinks.h"

namespace halvorn {
namespace {

QString ApplicationTitle() {
  const TApplication* app = Application();
  return app ? ToQString(app->Title()) : QString();
}

QWidget* ShownMainWindow() {
  const TApplication* app = Application();
  if (!app || !app->MainForm()) return nullptr;
  QWidget* window = app->MainForm()->Widget();
  return window->isVisible() ? window : nullptr;
}

QRect ScreenArea() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

// A dialog that centres itself on the screen once its layout has given it
// its final size.
class TMessageDialog : public QDialog {
 protected:
  void showEvent(QShowEvent* event) override {
    QDialog::showEvent(event);
    QRect frame = frameGeometry();
    frame.moveCenter(ScreenArea().center());
    move(frame.topLeft());
  }
};

void ShowSystemMessageBox(QWidget* owner, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, owner);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace

void ShowErrorBox(const std::string& message) {
  ShowSystemMessageBox(ShownMainWindow(), ApplicationTitle(), ToQString(ErrorBoxText(message)));
}

void ShowMathErrorBox(const std::string& text) {
  ShowSystemMessageBox(nullptr, QFileInfo(QCoreApplication::applicationFilePath()).fileName(),
                       ToQString(text));
}

void ShowMessageDialog(const std::string& text) {
  TMessageDialog dialog;
  dialog.setWindowTitle(ApplicationTitle());
  auto* label = new QLabel(ToQString(text));
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(Qt::Horizontal);
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok->setDefault(true);
  buttons->setCenterButtons(true);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(label);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // Long texts wrap at half the screen's width, as message dialogs do.
  label->setMaximumWidth(ScreenArea().width() / 2);
  dialog.exec();
}

void ConnectMessageWindows() {
  SetModalMessageSink(&ShowMessageDialog);
  SetMathErrorSink(&ShowMathErrorBox);
}

}  // namespace halvorn
