#pragma once
// A line of text in a font on a colour; the label sizes itself to its text.

#include <string>

#include "platform/forms/Control.h"

class QLabel;

namespace halvorn {

class TLabel : public TControl {
 public:
  TLabel(TComponent* owner, TWinControl* parent);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);

  // Left and Top are kept; the size is always that of the text.
  void SetBounds(int left, int top, int width, int height) override;

 protected:
  void FontChanged() override;

 private:
  QLabel* Label() const;
  void AdjustBounds();

  std::string caption_;
};

}  // namespace halvorn
