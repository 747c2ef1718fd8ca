#include "platform/forms/ComboBox.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <algorithm>

#include "platform/forms/Application.h"
#include "platform/forms/QtBridge.h"

namespace halvorn {

TComboBox::TComboBox(TComponent* owner, TWinControl* parent)
    : TWinControl(owner, new QComboBox, /*takesFocusOnClick=*/true) {
  QComboBox* box = Box();
  box->setEditable(false);
  // Only the user's choices reach this: the program's block the signal.
  QObject::connect(box, &QComboBox::currentIndexChanged, box,
                   [this](int index) { Dispatch([this, index] { UserChose(index); }); });
  SetTabStop(true);
  SetParentColor(false);
  StoreColor(clWindow);
  Initialize(parent);
}

QComboBox* TComboBox::Box() const { return static_cast<QComboBox*>(Widget()); }

void TComboBox::SetItems(const std::vector<std::string>& items) {
  items_ = items;
  const QSignalBlocker quiet(Box());
  Box()->clear();
  for (const std::string& item : items_) Box()->addItem(ToQString(item));
  // Adding the first item chooses it; a new list starts with no choice.
  Box()->setCurrentIndex(-1);
  index_ = -1;
}

void TComboBox::SetItemIndex(int index) {
  index_ = std::clamp(index, -1, static_cast<int>(items_.size()) - 1);
  const QSignalBlocker quiet(Box());
  Box()->setCurrentIndex(index_);
}

std::string TComboBox::Text() const {
  return index_ < 0 ? std::string() : items_[static_cast<std::size_t>(index_)];
}

void TComboBox::UserChose(int index) {
  if (index == index_) return;
  index_ = index;
  if (OnChange) OnChange(this);
}

void TComboBox::ApplyColor() {
  ApplySystemColors(Widget());
  QPalette p = Widget()->palette();
  p.setColor(QPalette::Base, ToQColor(Color()));
  Widget()->setPalette(p);
}

}  // namespace halvorn
