#pragma once
// The layout of the main window as data: the window's own properties and
// every control with its class, parent, geometry, text, font, colour,
// visibility, range, tab order and event, in creation order (a parent comes
// before its children).

#include <optional>
#include <string>
#include <vector>

#include "platform/forms/Form.h"
#include "platform/runtime/Colors.h"
#include "sim/TestTable.h"

namespace halvorn {

enum class TControlClass { Label, Edit, Button, ScrollBar, GroupBox, RadioGroup, Chart };

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
  std::string Parent{};  // empty: the window itself
  int Left = 0, Top = 0, Width = 0, Height = 0;
  std::string Text{};
  std::optional<TFontLayout> Font{};  // none: the class's default font
  TColorSource ColorSource = TColorSource::ClassDefault;
  TColor Color = clNone;
  bool Visible = true;
  std::optional<TRangeLayout> Range{};  // scroll bars
  std::vector<std::string> Items{};     // radio groups
  int ItemIndex = -1;
  int TabOrder = -1;    // -1: keep the creation order (plain controls have none)
  bool TabStop = true;  // windowed controls only
};

struct TFormLayout {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  std::string Caption{};
  TColor Color = clNone;
  TFontLayout Font{};
  TWindowState WindowState = wsNormal;
};

// The readout's label of a test's power ("LPowerEqual") and of the false
// positives.
std::string ReadoutLabel(TTestKind test);
inline constexpr const char* kFalsePositiveLabel = "LFalsePositive";

const TFormLayout& MainFormLayout();
const std::vector<TControlLayout>& MainWindowControls();

}  // namespace halvorn
