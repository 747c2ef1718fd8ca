#include "app/PowerWindowLayout.h"

#include <array>
#include <cstdint>

#include "app/LayoutRows.h"
#include "app/PowerWindow.h"
#include "platform/runtime/Assert.h"
#include "sim/SliderTable.h"

namespace halvorn {
namespace {

// The progress bar counts in thousandths.
constexpr int kProgressSteps = 1000;
// The left edges of the table's columns: the tests' names, then the figures
// in the order of their cells. The type S / M errors, a figure of the
// current design, stand beside its other figures; the values reaching the
// target, whose ranges run longest, take the rest of the row.
constexpr std::array<int, 5> kTableColumns = {8, 168, 320, 620, 500};
constexpr std::array<const char*, 4> kCellPrefixes = {"Power", "FalsePositive", "Reaching",
                                                      "Errors"};
// The choice of tests: its boxes in rows of three, the t-tests first.
constexpr int kBoxesPerRow = 3;
constexpr int kBoxPitchX = 176, kBoxPitchY = 22;

// A label that sizes itself to its text.
TControlLayout Label(std::string name, std::string parent, int left, int top, std::string text,
                     TColor fontColor) {
  return BoxLabel(std::move(name), std::move(parent), left, top, 0, 0, std::move(text), fontColor);
}

TControlLayout Choice(std::string name, int left, int width, std::vector<std::string> items,
                      int itemIndex) {
  return TControlLayout{.Name = std::move(name),
                        .Class = TControlClass::ComboBox,
                        .Parent = "SweepBox",
                        .Left = left,
                        .Top = 19,
                        .Width = width,
                        .Height = 23,
                        .Font = BoldSans(-13, clWindowText),
                        .Items = std::move(items),
                        .ItemIndex = itemIndex};
}

TControlLayout Panel(std::string name, int left, int top, int width, int height) {
  return TControlLayout{.Name = std::move(name),
                        .Class = TControlClass::PanelWindow,
                        .Left = left,
                        .Top = top,
                        .Width = width,
                        .Height = height};
}

std::vector<TControlLayout> BuildControls() {
  std::vector<std::string> parameters, runs;
  for (const TSliderInfo& info : kSliders) parameters.push_back(SliderCaption(info.Slider));
  for (const std::int64_t n : TPowerWindow::kRunChoices) runs.push_back(GroupedCount(n));

  std::vector<TControlLayout> c;
  // The settings of the sweep.
  c.push_back(GroupBoxRow("SweepBox", 8, 4, 884, 48, "Σάρωση", clBlack, clScrollBar));
  c.push_back(Label("ParameterTitle", "SweepBox", 8, 23, "Παράμετρος", clWindowText));
  c.push_back(Choice("ParameterBox", 96, 216, parameters, static_cast<int>(TSlider::Dif)));
  c.push_back(Label("RunsTitle", "SweepBox", 332, 23, "Run ανά σημείο", clWindowText));
  c.push_back(Choice("RunsBox", 452, 88, runs, 0));
  c.push_back(Label("TargetTitle", "SweepBox", 560, 23, "Στόχος ισχύος", clWindowText));
  c.push_back(TControlLayout{.Name = "TargetBar",
                             .Class = TControlClass::ScrollBar,
                             .Parent = "SweepBox",
                             .Left = 672,
                             .Top = 22,
                             .Width = 152,
                             .Height = 17,
                             .Range = TRangeLayout{1, 99, TPowerWindow::kDefaultTarget}});
  c.push_back(Label("TargetValue", "SweepBox", 832, 23, "", clWindowText));

  // The charts, the p chart under the choice of its test.
  c.push_back(Panel("CurveWindow", 8, 64, 536, 384));
  c.push_back(TControlLayout{.Name = "PTestGroup",
                             .Class = TControlClass::RadioGroup,
                             .Left = 552,
                             .Top = 60,
                             .Width = 340,
                             .Height = 84,
                             .Text = "Κατανομή του p για το τεστ",
                             .Font = BoldSans(-13, clBlack),
                             .ColorSource = TColorSource::Explicit,
                             .Color = clScrollBar,
                             .Items = TestCaptions(),
                             .ItemIndex = 0});
  c.push_back(Panel("PWindow", 552, 152, 340, 146));
  c.push_back(Panel("LastPWindow", 552, 302, 340, 146));

  // The current design's figures, a row per test: room for every test.
  c.push_back(GroupBoxRow("DesignBox", 8, 456, 884, PowerTableRowTop(kTestCount) + 6,
                          "Ο τρέχων σχεδιασμός", clOlive, clInfoBk));
  c.push_back(
      Label("PowerHeader", "DesignBox", kTableColumns[1], 20, "Ισχύς (διάστημα 95 %)", clOlive));
  c.push_back(Label("FalsePositiveHeader", "DesignBox", kTableColumns[2], 20,
                    "Ψευδώς θετικά (διαφορά 0)", clOlive));
  c.push_back(Label("ReachingHeader", "DesignBox", kTableColumns[3], 20, "", clOlive));
  c.push_back(Label("ErrorsHeader", "DesignBox", kTableColumns[4], 20, "Σφάλμα S / M", clOlive));
  for (const TTestInfo& test : kTests) {
    const int top = PowerTableRowTop(static_cast<int>(TestIndex(test.Kind)));
    const bool shown = IsTTest(test.Kind);
    c.push_back(Label(PowerTestName(test.Kind), "DesignBox", kTableColumns[0], top, test.Caption,
                      clWindowText));
    c.back().Visible = shown;
    for (std::size_t column = 0; column < kCellPrefixes.size(); ++column) {
      c.push_back(Label(PowerCellName(test.Kind, column), "DesignBox", kTableColumns[column + 1],
                        top, "", kPowerValueColor));
      c.back().Visible = shown;
    }
  }

  // The tests shown in the curves, the table and the choice of the p chart.
  c.push_back(GroupBoxRow("TestsBox", 8, 646, 536, 66, "Έλεγχοι", clBlack, clScrollBar));
  for (const TTestInfo& test : kTests) {
    const int i = static_cast<int>(TestIndex(test.Kind));
    c.push_back(TControlLayout{.Name = PowerTestBoxName(test.Kind),
                               .Class = TControlClass::CheckBox,
                               .Parent = "TestsBox",
                               .Left = 8 + kBoxPitchX * (i % kBoxesPerRow),
                               .Top = 19 + kBoxPitchY * (i / kBoxesPerRow),
                               .Width = kBoxPitchX - 8,
                               .Height = 20,
                               .Text = test.Caption,
                               .Font = BoldSans(-13, clBlack)});
  }

  // The progress of the computation.
  c.push_back(Label("Status", "", 552, 656, "", clYellow));
  c.push_back(TControlLayout{.Name = "Progress",
                             .Class = TControlClass::ProgressBar,
                             .Left = 552,
                             .Top = 684,
                             .Width = 340,
                             .Height = 20,
                             .Range = TRangeLayout{0, kProgressSteps, 0}});
  return c;
}

}  // namespace

std::string PowerCellName(TTestKind test, std::size_t column) {
  HALVORN_ASSERT(column < kCellPrefixes.size(), "the table has four columns of figures");
  return std::string(kCellPrefixes[column]) + "_" + TestInfo(test).Key;
}

std::string GroupedCount(std::int64_t n) {
  const std::string digits = std::to_string(n);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ' ';
    grouped += digits[i];
  }
  return grouped;
}

std::string PowerTestName(TTestKind test) { return std::string("Test_") + TestInfo(test).Key; }

std::string PowerTestBoxName(TTestKind test) { return std::string("Choose_") + TestInfo(test).Key; }

int PowerTableRowTop(int row) { return 44 + 22 * row; }

TRect PowerControlBounds(const TControlLayout& row, int width, int height) {
  const TFormLayout& form = PowerFormLayout();
  const int dx = width - form.Width, dy = height - form.Height;
  // The curve chart's share of the width gained, by the two columns' widths.
  const int left = dx * 536 / (536 + 340), right = dx - left;
  const int half = dy / 2;
  int x = row.Left, y = row.Top, w = row.Width, h = row.Height;
  const std::string& name = row.Name;
  if (name == "SweepBox") {
    w += dx;
  } else if (name == "CurveWindow") {
    w += left;
    h += dy;
  } else if (name == "PTestGroup") {
    x += left;
    w += right;
  } else if (name == "PWindow") {
    x += left;
    w += right;
    h += half;
  } else if (name == "LastPWindow") {
    x += left;
    y += half;
    w += right;
    h += dy - half;
  } else if (name == "DesignBox") {
    y += dy;
    w += dx;
  } else if (name == "TestsBox") {
    y += dy;
  } else if (name == "Status" || name == "Progress") {
    x += left;
    y += dy;
    if (name == "Progress") w += right;
  }
  return TRect{x, y, x + w, y + h};
}

const TFormLayout& PowerFormLayout() {
  static const TFormLayout layout{.Left = 220,
                                  .Top = 140,
                                  .Width = 900,
                                  .Height = 720,
                                  .Caption = "Ισχύς του σχεδιασμού",
                                  .Color = clNavy,
                                  .Font = TFontLayout{kSans, -11, false, clWindowText}};
  return layout;
}

const std::vector<TControlLayout>& PowerWindowControls() {
  static const std::vector<TControlLayout> controls = BuildControls();
  return controls;
}

}  // namespace halvorn
