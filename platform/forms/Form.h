#pragma once
// A top-level window of the program. The form is usually the owner of its
// controls, and destroys them before its window.

#include <string>

#include "platform/forms/Control.h"

namespace halvorn {

enum TWindowState { wsNormal, wsMinimized, wsMaximized };

class TForm : public TWinControl {
 public:
  // A form starts hidden.
  explicit TForm(TComponent* owner);
  ~TForm() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);

  // Read from the window while it is shown, since the user may change it.
  // A maximised form covers the screen's available area even where no
  // window manager maximises it; restored by the program, it returns to
  // its bounds.
  TWindowState WindowState() const;
  void SetWindowState(TWindowState state);

  // Closes the window; closing the application's main form ends the
  // application's message loop.
  void Close();

 protected:
  // For a form, Left and Top place the window on the screen, and Width and
  // Height are the size of its client area (the window system adds the
  // frame). A maximised form keeps them for when it is restored.
  void ApplyBounds() override;
  void ApplyVisible() override;

 private:
  friend class TFormWindow;
  void WindowClosed();

  std::string caption_;
  TWindowState windowState_ = wsNormal;
};

}  // namespace halvorn
