#include "platform/forms/FormLayout.h"

#include <algorithm>

#include "platform/forms/Button.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Edit.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/Label.h"
#include "platform/forms/PanelWindow.h"
#include "platform/forms/ProgressBar.h"
#include "platform/forms/RadioGroup.h"
#include "platform/forms/ScrollBar.h"
#include "platform/panel/Panel.h"
#include "platform/runtime/Assert.h"

namespace halvorn {
namespace {

[[noreturn]] void Refuse(const TControlLayout& row, const std::string& reason) {
  throw EInvalidOperation("Layout: \"" + row.Name + "\" " + reason);
}

TWinControl& ContainerFor(TForm& form, const TControlLayout& row) {
  if (row.Parent.empty()) return form;
  // A parent is a container created by an earlier row.
  auto* parent = dynamic_cast<TWinControl*>(FindLayoutControl(form, row.Parent));
  if (!parent) Refuse(row, "has no container \"" + row.Parent + "\"");
  return *parent;
}

// The row's control with its class's own content (text, range, items, panel).
TControl* CreateControl(TForm& form, TWinControl& parent, const TControlLayout& row,
                        std::span<const TLayoutPanel> panels) {
  switch (row.Class) {
    case TControlClass::Label: {
      auto* label = new TLabel(&form, &parent);
      label->SetCaption(row.Text);
      return label;
    }
    case TControlClass::Edit: {
      auto* edit = new TEdit(&form, &parent);
      edit->SetText(row.Text);
      return edit;
    }
    case TControlClass::Button: {
      auto* button = new TButton(&form, &parent);
      button->SetCaption(row.Text);
      return button;
    }
    case TControlClass::ScrollBar: {
      auto* bar = new TScrollBar(&form, &parent);
      if (row.Range) bar->LoadParams(row.Range->Position, row.Range->Min, row.Range->Max);
      return bar;
    }
    case TControlClass::GroupBox: {
      auto* box = new TGroupBox(&form, &parent);
      box->SetCaption(row.Text);
      return box;
    }
    case TControlClass::RadioGroup: {
      auto* group = new TRadioGroup(&form, &parent);
      group->SetCaption(row.Text);
      group->SetItems(row.Items);
      group->SetItemIndex(row.ItemIndex);
      return group;
    }
    case TControlClass::CheckBox: {
      auto* box = new TCheckBox(&form, &parent);
      box->SetCaption(row.Text);
      return box;
    }
    case TControlClass::ComboBox: {
      auto* box = new TComboBox(&form, &parent);
      box->SetItems(row.Items);
      box->SetItemIndex(row.ItemIndex);
      return box;
    }
    case TControlClass::ProgressBar: {
      auto* bar = new TProgressBar(&form, &parent);
      if (row.Range) {
        bar->SetRange(row.Range->Min, row.Range->Max);
        bar->SetPosition(row.Range->Position);
      }
      return bar;
    }
    case TControlClass::PanelWindow: {
      const auto panel = std::ranges::find(panels, row.Name, &TLayoutPanel::Name);
      if (panel == panels.end() || !panel->Panel) Refuse(row, "has no panel to show");
      auto* window = new TPanelWindow(&form, &parent);
      window->SetClient(panel->Panel);
      panel->Panel->SetHost(window);
      return window;
    }
  }
  HALVORN_UNREACHABLE("every control class is created above");
}

}  // namespace

void LoadFont(TFont& font, const TFontLayout& layout) {
  font.SetName(layout.Name);
  font.SetHeight(layout.Height);
  font.SetStyle(layout.Bold ? fsBold : 0);
  font.SetColor(layout.Color);
  font.SetCharset(DEFAULT_CHARSET);
}

void LoadFormLayout(TForm& form, const TFormLayout& layout,
                    std::span<const TControlLayout> controls,
                    std::span<const TLayoutPanel> panels) {
  form.SetBounds(layout.Left, layout.Top, layout.Width, layout.Height);
  form.SetCaption(layout.Caption);
  form.SetColor(layout.Color);
  LoadFont(form.Font(), layout.Font);
  form.SetWindowState(layout.WindowState);

  for (const TControlLayout& row : controls) {
    // Names find parents and fields: each must stand for one control.
    if (FindLayoutControl(form, row.Name)) Refuse(row, "is given twice");
    TWinControl& parent = ContainerFor(form, row);
    TControl* control = CreateControl(form, parent, row, panels);
    control->SetName(row.Name);
    control->SetBounds(row.Left, row.Top, row.Width, row.Height);
    if (row.Font) LoadFont(control->Font(), *row.Font);
    switch (row.ColorSource) {
      case TColorSource::ClassDefault:
        break;
      case TColorSource::Parent:
        control->SetParentColor(true);
        break;
      case TColorSource::Explicit:
        control->SetColor(row.Color);
        break;
    }
    control->SetVisible(row.Visible);
    if (!row.Hint.empty()) control->SetHint(row.Hint);
    if (row.TabOrder >= 0) {
      auto* windowed = dynamic_cast<TWinControl*>(control);
      if (!windowed) Refuse(row, "takes no focus");
      windowed->SetTabOrder(row.TabOrder);
      if (!row.TabStop) windowed->SetTabStop(false);
    }
  }
}

TControl* FindLayoutControl(const TComponent& owner, const std::string& name) {
  for (int i = 0; i < owner.ComponentCount(); ++i) {
    TComponent* component = owner.Components(i);
    if (component->Name() == name) return dynamic_cast<TControl*>(component);
  }
  return nullptr;
}

}  // namespace halvorn
