#pragma once
// A one-line text box.

#include <string>

#include "platform/forms/Control.h"

class QLineEdit;

namespace halvorn {

class TEdit : public TWinControl {
 public:
  TEdit(TComponent* owner, TWinControl* parent);

  // What the box holds now, typed or written.
  std::string Text() const;
  void SetText(const std::string& text);

 protected:
  void ApplyColor() override;

 private:
  QLineEdit* LineEdit() const;
};

}  // namespace halvorn
