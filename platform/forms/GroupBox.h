#pragma once
// A captioned container: its children are placed in its area (origin at its
// top left corner, the caption included) and by default take its colour.

#include <string>

#include "platform/forms/Control.h"

class QGroupBox;

namespace halvorn {

class TCustomGroupBox : public TWinControl {
 public:
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);

 protected:
  explicit TCustomGroupBox(TComponent* owner);
  QGroupBox* Box() const;

 private:
  std::string caption_;
};

class TGroupBox : public TCustomGroupBox {
 public:
  TGroupBox(TComponent* owner, TWinControl* parent);
};

}  // namespace halvorn
