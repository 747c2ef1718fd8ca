#pragma once
// A captioned box of mutually exclusive choices: radio buttons in Columns
// columns (one by default) of equal width, filled top to bottom and then
// left to right, their rows spread evenly over the area below the caption. ItemIndex is the
// selected item, -1 for none; the user changes it by clicking or with the arrow keys. The Tab key
// stops at the selected button only.
//
// OnClick runs after every change of ItemIndex to an item: one made by the
// user is dispatched as an event, one made by the program calls OnClick
// directly, so its exception goes to the program's caller.

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

  int Columns() const { return columns_; }
  // At least 1.
  void SetColumns(int columns);

  int ItemIndex() const;
  // Clamped to -1..Items().size()-1.
  void SetItemIndex(int index);

  void SetBounds(int left, int top, int width, int height) override;

  TNotifyEvent OnClick;

 protected:
  void FontChanged() override;
  void AppendTabStops(std::vector<QWidget*>& chain) const override;

 private:
  void ArrangeButtons();
  void UpdateTabStop();
  void ButtonToggled(bool checked);

  std::vector<std::string> items_;
  std::vector<QRadioButton*> buttons_;
  int columns_ = 1;
  // Set while the program checks a button, so that its toggle is no event.
  bool setting_ = false;
};

}  // namespace halvorn
