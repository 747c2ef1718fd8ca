#pragma once
// A window's layout as data, and the loader that builds it: the form's own
// properties and every control with its class, parent, geometry, text, font,
// colour, visibility, range, items and tab order, in creation order (a
// parent comes before its children). The controls are owned by the form and
// found again by their names.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/forms/Form.h"
#include "platform/runtime/Colors.h"
#include "platform/runtime/Exceptions.h"

namespace halvorn {

class TCustomPanel;

enum class TControlClass {
  Label,
  Edit,
  Button,
  ScrollBar,
  GroupBox,
  RadioGroup,
  CheckBox,
  ComboBox,
  ProgressBar,
  PanelWindow,  // shows a panel the caller supplies (TLayoutPanel)
};

struct TFontLayout {
  std::string Name{};
  int Height = 0;
  bool Bold = false;
  TColor Color = clWindowText;
};

// How a control's background colour is chosen.
enum class TColorSource {
  ClassDefault,  // the control keeps its class's own colour
  Parent,        // the control takes its parent's colour
  Explicit,      // Color below
};

struct TRangeLayout {
  int Min = 0;
  int Max = 0;
  int Position = 0;
};

struct TControlLayout {
  std::string Name{};
  TControlClass Class = TControlClass::Label;
  std::string Parent{};  // empty: the form itself
  // A label's size is always that of its text.
  int Left = 0, Top = 0, Width = 0, Height = 0;
  std::string Text{};
  std::optional<TFontLayout> Font{};  // none: the class's default font
  TColorSource ColorSource = TColorSource::ClassDefault;
  TColor Color = clNone;
  bool Visible = true;
  std::optional<TRangeLayout> Range{};  // scroll bars and progress bars
  std::vector<std::string> Items{};     // radio groups and combo boxes
  int ItemIndex = -1;
  int TabOrder = -1;    // -1: keep the creation order (plain controls have none)
  bool TabStop = true;  // with a TabOrder only
  std::string Hint{};   // the control's tooltip
};

struct TFormLayout {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  std::string Caption{};
  TColor Color = clNone;
  TFontLayout Font{};
  TWindowState WindowState = wsNormal;
};

// A panel of the caller's (a chart, say), shown in the panel window of the
// row called Name. The two stay paired until the caller unpairs them, which
// it must do before either goes.
struct TLayoutPanel {
  std::string Name;
  TCustomPanel* Panel = nullptr;
};

// Gives `font` the described face, height, style and colour, in the default
// charset.
void LoadFont(TFont& font, const TFontLayout& layout);

// Gives `form` the layout's properties and creates `controls` in order,
// owned by the form and named as their rows. Raises EInvalidOperation,
// naming the row, for a name given twice, a parent that is no container of
// an earlier row, a tab order on a control that takes no focus, and a panel
// window without a panel in `panels`.
void LoadFormLayout(TForm& form, const TFormLayout& layout,
                    std::span<const TControlLayout> controls,
                    std::span<const TLayoutPanel> panels = {});

// The control called `name` among the components of `owner`; null when
// there is none.
TControl* FindLayoutControl(const TComponent& owner, const std::string& name);

// The control called `name`, which must be a T: raises EInvalidOperation
// when there is no such control.
template <class T>
T& LayoutControl(const TComponent& owner, const std::string& name) {
  auto* control = dynamic_cast<T*>(FindLayoutControl(owner, name));
  if (!control) throw EInvalidOperation("Layout: no control \"" + name + "\" of its class");
  return *control;
}

}  // namespace halvorn
