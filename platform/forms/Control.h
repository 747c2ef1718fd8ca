#pragma once
// The controls of a form: TControl, the visual base over one Qt widget, and
// TWinControl, a control that can hold other controls and take the keyboard
// focus.
//
// Geometry is absolute, in pixels, relative to the parent's client area (the
// whole of the parent's widget). A plain control (a label) always lies below
// the windowed controls of its parent; among controls of the same kind, a
// later one lies above an earlier one.

#include <string>
#include <vector>

#include "platform/forms/Component.h"
#include "platform/raster/Graphics.h"
#include "platform/runtime/Colors.h"
#include "platform/runtime/Types.h"

class QWidget;

namespace halvorn {

class TWinControl;

class TControl : public TComponent {
 public:
  // Leaves the parent and destroys the widget.
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  // Moves the control into another parent's client area, or out of any
  // (null): a control without a parent is not shown.
  void SetParent(TWinControl* parent);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
  void SetTop(int top) { SetBounds(left_, top, width_, height_); }
  void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
  void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
  // Negative sizes become 0.
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return TRect{left_, top_, left_ + width_, top_ + height_}; }
  // The size of the area the control's children are placed in.
  int ClientWidth() const;
  int ClientHeight() const;

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }

  // Changes of the font take effect at once.
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font) { font_.Assign(font); }

  TColor Color() const { return color_; }
  // A different colour ends ParentColor.
  void SetColor(TColor color);
  // While set, the control takes its parent's colour and follows its changes.
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool parentColor);

  // A disabled control is greyed and takes no input.
  bool Enabled() const;
  void SetEnabled(bool enabled);

  // The text shown when the pointer rests on the control (its tooltip);
  // empty shows none.
  std::string Hint() const;
  void SetHint(const std::string& hint);

  // The Qt widget underneath, for tests and for the code that embeds the
  // form in a real display. The control owns it.
  QWidget* Widget() const { return widget_; }

 protected:
  // Takes ownership of `widget`, which must not have a parent yet. Concrete
  // classes finish their construction with Initialize.
  TControl(TComponent* owner, QWidget* widget);

  // Applies font, colour and bounds to the widget and places the control in
  // `parent`; run once, at the end of the most derived constructor.
  void Initialize(TWinControl* parent);

  virtual bool IsWindowed() const { return false; }
  // How the widget shows the font and the colour; by default the font with
  // its colour as the text roles, and the colour as the filled background.
  virtual void ApplyFont();
  virtual void ApplyColor();
  virtual void ApplyBounds();
  // Shows or hides the widget as Visible says; a control is shown only in a
  // parent.
  virtual void ApplyVisible();
  // Records a visibility that the window system has already brought about.
  void StoreVisible(bool visible) { visible_ = visible; }
  // Records a size that the window system has already brought about.
  void StoreSize(int width, int height) {
    width_ = width;
    height_ = height;
  }
  // Runs after every effective change of the font (after ApplyFont).
  virtual void FontChanged() {}
  virtual void ColorChanged();

  // Stores a colour without ending ParentColor.
  void StoreColor(TColor color);

 private:
  friend class TWinControl;

  QWidget* widget_;
  TWinControl* parent_ = nullptr;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool visible_ = true;
  TFont font_;
  TColor color_ = clBtnFace;
  bool parentColor_ = true;
};

class TWinControl : public TControl {
 public:
  // The children lose their parent; their owner still destroys them.
  ~TWinControl() override;

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  // Raises EListError outside 0..ControlCount()-1.
  TControl* Controls(int index) const;

  // The position among the windowed children of the parent in the keyboard
  // focus order, 0 first; -1 without a parent. Setting it moves the control
  // there (clamped to the last position) and shifts the others.
  int TabOrder() const;
  void SetTabOrder(int tabOrder);
  // Whether the Tab key stops at the control.
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool tabStop);

  bool Focused() const;
  void SetFocus();

 protected:
  // `takesFocusOnClick`: whether a click focuses the control even when it is
  // not a tab stop (edit boxes, buttons, scroll bars do; containers do not).
  TWinControl(TComponent* owner, QWidget* widget, bool takesFocusOnClick);

  bool IsWindowed() const override { return true; }
  void ColorChanged() override;

  // The widgets of this control that take part in the tab chain, in order;
  // by default the control's widget when it is a tab stop.
  virtual void AppendTabStops(std::vector<QWidget*>& chain) const;
  // Rebuilds the focus chain of the whole window after a change of tab
  // stops or of their order.
  void TabChainChanged();

 private:
  friend class TControl;

  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void CollectTabChain(std::vector<QWidget*>& chain) const;
  void ApplyFocusPolicy();

  std::vector<TControl*> controls_;
  std::vector<TWinControl*> tabList_;
  bool tabStop_ = false;
  bool takesFocusOnClick_;
};

}  // namespace halvorn
