#pragma once
// A check box with its caption at the right. The user toggles Checked by
// clicking it, or with Space while it has the focus; every check box is a
// tab stop of its own.
//
// OnClick runs after every change of Checked, and never when it stays the
// same: one made by the user is dispatched as an event, one made by the
// program calls OnClick directly, so its exception goes to the program's
// caller.

#include <string>

#include "platform/forms/Control.h"

class QCheckBox;

namespace halvorn {

class TCheckBox : public TWinControl {
 public:
  TCheckBox(TComponent* owner, TWinControl* parent);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);

  bool Checked() const;
  void SetChecked(bool checked);

  TNotifyEvent OnClick;

 private:
  QCheckBox* Box() const;
  void Toggled();

  std::string caption_;
  // Set while the program checks or clears the box, so that its toggle is
  // no event.
  bool setting_ = false;
};

}  // namespace halvorn
