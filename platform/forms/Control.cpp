#include "platform/forms/Control.h"

#include <QWidget>
#include <algorithm>

#include "platform/forms/QtBridge.h"
#include "platform/runtime/Exceptions.h"

namespace halvorn {

// --- TControl -----------------------------------------------------------------

TControl::TControl(TComponent* owner, QWidget* widget) : TComponent(owner), widget_(widget) {
  font_.SetOnChange([this] {
    ApplyFont();
    FontChanged();
  });
}

TControl::~TControl() {
  SetParent(nullptr);
  delete widget_;
}

void TControl::Initialize(TWinControl* parent) {
  ApplyFont();
  ApplyColor();
  SetParent(parent);
  ApplyBounds();
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) {
    parent_->RemoveControl(this);
    widget_->hide();
    widget_->setParent(nullptr);
  }
  parent_ = parent;
  if (!parent_) return;
  widget_->setParent(parent_->widget_);
  if (IsWindowed()) {
    widget_->raise();
  } else {
    // Plain controls are painted on the parent, below every window in it.
    const auto firstWindowed = std::find_if(parent_->controls_.begin(), parent_->controls_.end(),
                                            [](const TControl* c) { return c->IsWindowed(); });
    if (firstWindowed != parent_->controls_.end())
      widget_->stackUnder((*firstWindowed)->widget_);
    else
      widget_->raise();
  }
  parent_->InsertControl(this);
  if (parentColor_) StoreColor(parent_->color_);
  ApplyBounds();
  ApplyVisible();
}

void TControl::SetBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  ApplyBounds();
}

int TControl::ClientWidth() const { return widget_->width(); }
int TControl::ClientHeight() const { return widget_->height(); }

void TControl::ApplyBounds() { widget_->setGeometry(left_, top_, width_, height_); }

void TControl::SetVisible(bool visible) {
  visible_ = visible;
  ApplyVisible();
}

bool TControl::Enabled() const { return widget_->isEnabled(); }

void TControl::SetEnabled(bool enabled) { widget_->setEnabled(enabled); }

std::string TControl::Hint() const { return FromQString(widget_->toolTip()); }

void TControl::SetHint(const std::string& hint) { widget_->setToolTip(ToQString(hint)); }

void TControl::ApplyVisible() {
  if (parent_) widget_->setVisible(visible_);
}

void TControl::SetColor(TColor color) {
  if (color == color_) return;
  parentColor_ = false;
  StoreColor(color);
}

void TControl::SetParentColor(bool parentColor) {
  parentColor_ = parentColor;
  if (parentColor_ && parent_) StoreColor(parent_->color_);
}

void TControl::StoreColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  ColorChanged();
}

void TControl::ColorChanged() { ApplyColor(); }

void TControl::ApplyFont() {
  widget_->setFont(ToQFont(font_));
  QPalette p = widget_->palette();
  const QColor text = ToQColor(font_.Color());
  for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    p.setColor(QPalette::Active, role, text);
    p.setColor(QPalette::Inactive, role, text);
  }
  widget_->setPalette(p);
}

void TControl::ApplyColor() {
  QPalette p = widget_->palette();
  p.setColor(QPalette::Window, ToQColor(color_));
  widget_->setPalette(p);
  widget_->setAutoFillBackground(true);
}

// --- TWinControl --------------------------------------------------------------

TWinControl::TWinControl(TComponent* owner, QWidget* widget, bool takesFocusOnClick)
    : TControl(owner, widget), takesFocusOnClick_(takesFocusOnClick) {
  ApplyFocusPolicy();
}

TWinControl::~TWinControl() {
  while (!controls_.empty()) controls_.back()->SetParent(nullptr);
}

TControl* TWinControl::Controls(int index) const {
  if (index < 0 || index >= ControlCount()) throw EListError::IndexOutOfBounds(index);
  return controls_[static_cast<std::size_t>(index)];
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  if (control->IsWindowed()) {
    tabList_.push_back(static_cast<TWinControl*>(control));
    TabChainChanged();
  }
}

void TWinControl::RemoveControl(TControl* control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  const auto inTabList = std::find(tabList_.begin(), tabList_.end(), control);
  if (inTabList != tabList_.end()) {
    tabList_.erase(inTabList);
    TabChainChanged();
  }
}

int TWinControl::TabOrder() const {
  const TWinControl* parent = Parent();
  if (!parent) return -1;
  const auto it = std::find(parent->tabList_.begin(), parent->tabList_.end(), this);
  return static_cast<int>(it - parent->tabList_.begin());
}

void TWinControl::SetTabOrder(int tabOrder) {
  TWinControl* parent = Parent();
  if (!parent) return;
  auto& list = parent->tabList_;
  list.erase(std::find(list.begin(), list.end(), this));
  const int last = static_cast<int>(list.size());
  list.insert(list.begin() + std::clamp(tabOrder, 0, last), this);
  TabChainChanged();
}

void TWinControl::SetTabStop(bool tabStop) {
  if (tabStop == tabStop_) return;
  tabStop_ = tabStop;
  ApplyFocusPolicy();
  TabChainChanged();
}

void TWinControl::ApplyFocusPolicy() {
  Widget()->setFocusPolicy(tabStop_             ? Qt::StrongFocus
                           : takesFocusOnClick_ ? Qt::ClickFocus
                                                : Qt::NoFocus);
}

bool TWinControl::Focused() const { return Widget()->hasFocus(); }

void TWinControl::SetFocus() { Widget()->setFocus(Qt::OtherFocusReason); }

void TWinControl::ColorChanged() {
  TControl::ColorChanged();
  for (TControl* child : controls_)
    if (child->ParentColor()) child->StoreColor(Color());
}

void TWinControl::AppendTabStops(std::vector<QWidget*>& chain) const {
  if (tabStop_) chain.push_back(Widget());
}

void TWinControl::CollectTabChain(std::vector<QWidget*>& chain) const {
  for (const TWinControl* child : tabList_) {
    child->AppendTabStops(chain);
    child->CollectTabChain(chain);
  }
}

void TWinControl::TabChainChanged() {
  const TWinControl* root = this;
  while (root->Parent()) root = root->Parent();
  std::vector<QWidget*> chain;
  root->CollectTabChain(chain);
  for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

}  // namespace halvorn
