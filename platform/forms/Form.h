#pragma once
// A top-level window of the program. The form is usually the owner of its
// controls, and destroys them before its window.

#include <functional>
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

  // Brings a shown window to the front and gives it the keyboard.
  void BringToFront();

  // The smallest client area the user can size the window to; by default
  // the window system's least. A form below it grows to it.
  void SetMinimumSize(int width, int height);
  // Called through the dispatch point after the user (or the program)
  // resized the window; Width and Height are then the new client size.
  // A form without it keeps its bounds whatever the window's size.
  std::function<void()> OnResize;

  // Runs `handler` through the dispatch point when the key sequence `keys`
  // ("Ctrl+S", "Ctrl+Shift+S") is pressed in the window. A control that
  // takes the same keys itself (Ctrl+C in an edit box) keeps them.
  void AddShortcut(const std::string& keys, std::function<void()> handler);

 protected:
  // For a form, Left and Top place the window on the screen, and Width and
  // Height are the size of its client area (the window system adds the
  // frame). A maximised form keeps them for when it is restored.
  void ApplyBounds() override;
  void ApplyVisible() override;

 private:
  friend class TFormWindow;
  void WindowClosed();
  void WindowResized(int width, int height);

  std::string caption_;
  TWindowState windowState_ = wsNormal;
  TSize laidOut_;  // the size OnResize was last called for
};

}  // namespace halvorn
