#pragma once
// A captioned box of mutually exclusive choices, one column of radio buttons
// spread evenly over the area below the caption. ItemIndex is the selected
// item, -1 for none; the user changes it by clicking or with the arrow keys.
// The Tab key stops at the selected button only.

#include <string>
#include <vector>

#include "platform/forms/GroupBox.h"

class QRadioButton;

namespace halvorn {

class TRadioGroup : public TCustomGroupBox {
 public:
  TRadioGroup(TComponent* owner, TWinControl* parent);

  const std::vector<std::string>& Items() const { return items_; }
  // Replaces the choices; none is selected afterwards.
  void SetItems(const std::vector<std::string>& items);

  int ItemIndex() const;
  // Clamped to -1..Items().size()-1.
  void SetItemIndex(int index);

  void SetBounds(int left, int top, int width, int height) override;

 protected:
  void FontChanged() override;
  void AppendTabStops(std::vector<QWidget*>& chain) const override;

 private:
  void ArrangeButtons();
  void UpdateTabStop();

  std::vector<std::string> items_;
  std::vector<QRadioButton*> buttons_;
};

}  // namespace halvorn
