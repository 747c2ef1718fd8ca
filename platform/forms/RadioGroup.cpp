#include "platform/forms/RadioGroup.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QRadioButton>
#include <algorithm>

#include "platform/forms/Application.h"
#include "platform/forms/QtBridge.h"

namespace halvorn {

TRadioGroup::TRadioGroup(TComponent* owner, TWinControl* parent) : TCustomGroupBox(owner) {
  Initialize(parent);
}

void TRadioGroup::SetItems(const std::vector<std::string>& items) {
  for (QRadioButton* button : buttons_) delete button;
  buttons_.clear();
  items_ = items;
  for (const std::string& item : items_) {
    auto* button = new QRadioButton(ToQString(item), Box());
    QObject::connect(button, &QRadioButton::toggled, button,
                     [this](bool checked) { ButtonToggled(checked); });
    button->show();
    buttons_.push_back(button);
  }
  ArrangeButtons();
  UpdateTabStop();
  TabChainChanged();
}

int TRadioGroup::ItemIndex() const {
  const auto checked = std::find_if(buttons_.begin(), buttons_.end(),
                                    [](const QRadioButton* b) { return b->isChecked(); });
  return checked == buttons_.end() ? -1 : static_cast<int>(checked - buttons_.begin());
}

void TRadioGroup::SetItemIndex(int index) {
  index = std::clamp(index, -1, static_cast<int>(buttons_.size()) - 1);
  const int before = ItemIndex();
  setting_ = true;
  if (index >= 0) {
    buttons_[static_cast<std::size_t>(index)]->setChecked(true);
  } else {
    // An exclusive button cannot be unchecked directly.
    for (QRadioButton* button : buttons_) {
      button->setAutoExclusive(false);
      button->setChecked(false);
      button->setAutoExclusive(true);
    }
  }
  setting_ = false;
  if (index >= 0 && index != before && OnClick) OnClick(this);
}

void TRadioGroup::ButtonToggled(bool checked) {
  UpdateTabStop();
  // The newly checked button reports the change; the one unchecked with it
  // stays silent.
  if (checked && !setting_)
    Dispatch([this] {
      if (OnClick) OnClick(this);
    });
}

void TRadioGroup::SetBounds(int left, int top, int width, int height) {
  TCustomGroupBox::SetBounds(left, top, width, height);
  ArrangeButtons();
}

void TRadioGroup::FontChanged() { ArrangeButtons(); }

void TRadioGroup::SetColumns(int columns) {
  columns_ = std::max(columns, 1);
  ArrangeButtons();
}

void TRadioGroup::ArrangeButtons() {
  if (buttons_.empty()) return;
  // The rows share the height below the caption line; the rest of the
  // division is split above the first row and below the last.
  const int count = static_cast<int>(buttons_.size());
  const int rows = (count + columns_ - 1) / columns_;
  const int textHeight = QFontMetrics(ToQFont(Font())).height();
  const int available = std::max(Height() - textHeight - 5, 0);
  const int rowHeight = available / rows;
  const int topMargin = textHeight + 1 + (available % rows) / 2;
  const int columnWidth = std::max(Width() - 10, 0) / columns_;
  for (int i = 0; i < count; ++i)
    buttons_[static_cast<std::size_t>(i)]->setGeometry(
        8 + (i / rows) * columnWidth, topMargin + (i % rows) * rowHeight, columnWidth, rowHeight);
}

void TRadioGroup::UpdateTabStop() {
  // As in a dialog, Tab enters the group at its selected button (the first
  // when none is), and the arrow keys move within it.
  const int stop = std::max(ItemIndex(), 0);
  for (int i = 0; i < static_cast<int>(buttons_.size()); ++i)
    buttons_[static_cast<std::size_t>(i)]->setFocusPolicy(i == stop ? Qt::StrongFocus
                                                                    : Qt::ClickFocus);
}

void TRadioGroup::AppendTabStops(std::vector<QWidget*>& chain) const {
  chain.insert(chain.end(), buttons_.begin(), buttons_.end());
}

}  // namespace halvorn
