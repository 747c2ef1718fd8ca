#include "platform/forms/Application.h"

#include <QApplication>
#include <QStyleFactory>
#include <QWidget>

#include "platform/forms/Form.h"
#include "platform/forms/MessageWindows.h"
#include "platform/forms/QtBridge.h"
#include "platform/runtime/Exceptions.h"

namespace halvorn {
namespace {

TApplication* theApplication = nullptr;

}  // namespace

TApplication* Application() { return theApplication; }

TApplication::TApplication(int& argc, char** argv) : TComponent(nullptr) {
  if (theApplication || QCoreApplication::instance())
    throw EInvalidOperation("The application object can be created only once");
  qt_ = std::make_unique<QApplication>(argc, argv);
  // The loop ends with the main form, not with the last window: a message
  // box closed after the main form must not end it, nor keep it going.
  qt_->setQuitOnLastWindowClosed(false);
  // One style, one colour scheme and one default font, so that the window
  // looks the same on every machine.
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QApplication::setPalette(SystemPalette());
  QApplication::setFont(ToQFont(TFont()));
  theApplication = this;
}

TApplication::~TApplication() {
  DestroyComponents();
  theApplication = nullptr;
  qt_.reset();
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  QCoreApplication::setApplicationName(ToQString(title_));
}

void TApplication::Run() {
  if (!mainForm_ || terminated_) return;
  mainForm_->Show();
  QApplication::exec();
}

void TApplication::Terminate() {
  terminated_ = true;
  QCoreApplication::quit();
}

void TApplication::ProcessMessages() { QCoreApplication::processEvents(); }

void TApplication::ShowException(const Exception& exception) const {
  ShowErrorBox(exception.Message());
}

void TApplication::FormDestroyed(const TForm* form) {
  if (form == mainForm_) mainForm_ = nullptr;
}

void CancelMouseCapture() {
  if (QWidget* holder = QWidget::mouseGrabber()) holder->releaseMouse();
}

void HandleException(std::exception_ptr failure) noexcept {
  CancelMouseCapture();
  try {
    std::rethrow_exception(failure);
  } catch (const EAbort&) {
  } catch (const Exception& e) {
    ShowErrorBox(e.Message());
  } catch (const std::exception& e) {
    ShowErrorBox(e.what());
  } catch (...) {
    std::terminate();
  }
}

void PostException(std::exception_ptr failure) noexcept {
  QMetaObject::invokeMethod(
      QCoreApplication::instance(), [failure] { HandleException(failure); }, Qt::QueuedConnection);
}

}  // namespace halvorn
