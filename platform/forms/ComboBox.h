#pragma once
// A drop-down list of fixed choices (no typing). ItemIndex is the chosen
// item, -1 for none. The user chooses with the mouse from the list, with the
// arrow keys, Home and End, or the wheel.
//
// OnChange runs after the user chose another item, dispatched as an event;
// a change made by the program (SetItemIndex, SetItems) raises no event.

#include <string>
#include <vector>

#include "platform/forms/Control.h"

class QComboBox;

namespace halvorn {

class TComboBox : public TWinControl {
 public:
  TComboBox(TComponent* owner, TWinControl* parent);

  const std::vector<std::string>& Items() const { return items_; }
  // Replaces the choices; none is chosen afterwards.
  void SetItems(const std::vector<std::string>& items);

  int ItemIndex() const { return index_; }
  // Clamped to -1..Items().size()-1.
  void SetItemIndex(int index);
  // The chosen item's text; empty when none is chosen.
  std::string Text() const;

  TNotifyEvent OnChange;

 protected:
  // The list box part has the window colour (Color), the rest the system's.
  void ApplyColor() override;

 private:
  QComboBox* Box() const;
  void UserChose(int index);

  std::vector<std::string> items_;
  int index_ = -1;
};

}  // namespace halvorn
