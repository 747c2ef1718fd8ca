#pragma once
// A push button: OnClick when it is pressed with the mouse, or with Space or
// Enter while it has the focus.

#include <string>

#include "platform/forms/Control.h"

class QPushButton;

namespace halvorn {

class TButton : public TWinControl {
 public:
  TButton(TComponent* owner, TWinControl* parent);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);

  TNotifyEvent OnClick;
  // Runs OnClick as a press would; an exception goes to the caller.
  void Click();

 protected:
  // A button has the system's colours, not its parent's.
  void ApplyColor() override;

 private:
  QPushButton* PushButton() const;

  std::string caption_;
};

}  // namespace halvorn
