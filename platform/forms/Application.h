#pragma once
// The application object: one per process. It starts the window system
// (a QApplication), owns the forms, runs the message loop, and is the one
// dispatch point through which every event handler of the forms is entered.

#include <exception>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>

#include "platform/forms/Component.h"

class QApplication;

namespace halvorn {

class Exception;
class TForm;

class TApplication : public TComponent {
 public:
  // Raises EInvalidOperation when an application object or another Qt
  // application already exists. argc and argv must outlive the object.
  TApplication(int& argc, char** argv);
  // Destroys the forms, then the window system.
  ~TApplication() override;

  // The caption of the message windows; also the application's name for
  // the window system, which groups the program's windows under it.
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);

  // The first form created through CreateForm.
  TForm* MainForm() const { return mainForm_; }

  // Creates a form owned by the application; the first becomes the main
  // form. An exception from the form's constructor leaves no form behind.
  template <typename FormClass>
  FormClass* CreateForm() {
    static_assert(std::is_base_of_v<TForm, FormClass>);
    auto* form = new FormClass(this);
    if (!mainForm_) mainForm_ = form;
    return form;
  }

  // Shows the main form (in its WindowState) and handles messages until the
  // main form is closed or Terminate is called. Returns at once without a
  // main form or after Terminate.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles the messages that are waiting, then returns.
  void ProcessMessages();

  // The error box for an exception: the exception's message in a message box
  // with an error icon and an OK button, captioned with the title.
  void ShowException(const Exception& exception) const;

 private:
  friend class TForm;
  // A main form destroyed before the application leaves no dangling pointer.
  void FormDestroyed(const TForm* form);

  std::unique_ptr<QApplication> qt_;
  std::string title_;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
};

// The application object of the process; null before it exists.
TApplication* Application();

// Releases the mouse from whatever window holds it.
void CancelMouseCapture();

// What happens to an exception that escapes an event handler: mouse capture
// is cancelled; EAbort is dropped silently; any other exception is shown in
// the error box. Anything that is not a std::exception is not ours, and its
// state unknown, so the process ends (std::terminate).
void HandleException(std::exception_ptr failure) noexcept;

// Hands the exception to HandleException once the message being handled now
// is finished.
void PostException(std::exception_ptr failure) noexcept;

// The dispatch point: runs an event handler so that no exception leaves it;
// the message loop then carries on with the next message.
template <typename Handler>
void Dispatch(Handler&& handler) noexcept {
  try {
    std::forward<Handler>(handler)();
  } catch (...) {
    HandleException(std::current_exception());
  }
}

// The same for handlers that run while Qt paints: the capture is cancelled
// at once, but the error box waits until the current message is finished,
// because a nested message loop must not run inside a paint.
template <typename Handler>
void DispatchDeferred(Handler&& handler) noexcept {
  try {
    std::forward<Handler>(handler)();
  } catch (...) {
    CancelMouseCapture();
    PostException(std::current_exception());
  }
}

}  // namespace halvorn
