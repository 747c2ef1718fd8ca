#include "app/MainWindowLayout.h"

#include <cctype>

#include "app/LayoutRows.h"
#include "sim/SliderTable.h"

namespace halvorn {
namespace {

// A label of the window on the window's navy.
TControlLayout NavyLabel(std::string name, int left, int top, int width, int height,
                         std::string text, TFontLayout font, bool visible = true) {
  return TControlLayout{.Name = std::move(name),
                        .Class = TControlClass::Label,
                        .Left = left,
                        .Top = top,
                        .Width = width,
                        .Height = height,
                        .Text = std::move(text),
                        .Font = std::move(font),
                        .ColorSource = TColorSource::Explicit,
                        .Color = clNavy,
                        .Visible = visible};
}

// The label beside a slider, showing the value of its default position.
TControlLayout ValueLabel(TSlider slider, std::string parent, int left, int top, int width,
                          TColor fontColor) {
  const TSliderInfo& info = SliderInfo(slider);
  return BoxLabel(info.Label, std::move(parent), left, top, width, 16,
                  std::to_string(info.DefaultValue()), fontColor);
}

// The title of a slider's row, from the slider table.
TControlLayout RowTitle(TSlider slider, std::string name, std::string parent, int left, int top,
                        int width) {
  return BoxLabel(std::move(name), std::move(parent), left, top, width, 16,
                  SliderInfo(slider).Title, clWindowText);
}

// A slider: its name, range and default position come from the slider table.
TControlLayout Slider(TSlider slider, std::string parent, int left, int top, int width,
                      int tabOrder) {
  const TSliderInfo& info = SliderInfo(slider);
  return TControlLayout{.Name = info.Control,
                        .Class = TControlClass::ScrollBar,
                        .Parent = std::move(parent),
                        .Left = left,
                        .Top = top,
                        .Width = width,
                        .Height = 17,
                        .Range = TRangeLayout{info.Min, info.Max, info.Default},
                        .TabOrder = tabOrder};
}

TControlLayout ResultEdit(std::string name, int top, int tabOrder) {
  return TControlLayout{.Name = std::move(name),
                        .Class = TControlClass::Edit,
                        .Left = 32,
                        .Top = top,
                        .Width = 89,
                        .Height = 24,
                        .Font = BoldSans(-13, clWindowText),
                        .TabOrder = tabOrder};
}

std::vector<TControlLayout> BuildControls() {
  const TFontLayout heading = BoldSans(-16, clYellow);
  std::vector<TControlLayout> c;
  c.push_back(NavyLabel("Label1", 8, 464, 17, 20, "t=", heading));
  c.push_back(NavyLabel("Label2", 8, 488, 21, 20, "p=", heading));
  c.push_back(NavyLabel("SIG1", 32, 528, 92, 20, "Στατιστικά", heading, false));
  c.push_back(NavyLabel("SIG2", 32, 552, 85, 20, "Σημαντικό", heading, false));
  // Two labels that the chart covers (all of Label5, all but the first 8
  // columns of Label4); nothing reads or writes them.
  c.push_back(BoxLabel("Label4", "", 0, 144, 77, 16, "Σφάλμα(%)", clWindowText));
  c.push_back(BoxLabel("Label5", "", 224, 144, 17, 16, "10", clWindowText));
  c.push_back(NavyLabel("Label11", 512, 648, 355, 13,
                        "Halvorn — εργαλείο διδασκαλίας για τον σχεδιασμό δειγματοληψίας",
                        TFontLayout{kSans, -11, false, clWindow}));
  c.push_back(TControlLayout{.Name = "Chart1",
                             .Class = TControlClass::PanelWindow,
                             .Left = 8,
                             .Top = 8,
                             .Width = 873,
                             .Height = 393,
                             .TabOrder = 0});
  c.push_back(TControlLayout{.Name = "Button1",
                             .Class = TControlClass::Button,
                             .Left = 192,
                             .Top = 552,
                             .Width = 89,
                             .Height = 25,
                             .Text = "Run",
                             .Font = BoldSans(-11, clWindowText),
                             .TabOrder = 1});
  c.push_back(ResultEdit("TT", 456, 4));
  c.push_back(ResultEdit("PP", 488, 5));
  c.push_back(TControlLayout{.Name = "RG1",
                             .Class = TControlClass::RadioGroup,
                             .Left = 160,
                             .Top = 440,
                             .Width = 169,
                             .Height = 97,
                             .Text = "Τύπος t-test",
                             .Font = BoldSans(-13, clBlack),
                             .ColorSource = TColorSource::Explicit,
                             .Color = clScrollBar,
                             .Items = TestCaptions(),
                             .ItemIndex = 0,
                             .TabOrder = 6});
  c.push_back(GroupBoxRow("Prin", 424, 520, 257, 89, kBeforeCaption, clBlue, clScrollBar, 7));
  c.push_back(GroupBoxRow("Meta", 688, 520, 193, 89, kAfterCaption, clRed, clScrollBar, 8));
  c.push_back(GroupBoxRow("GroupBox1", 424, 416, 457, 97, "Δειγματοληψία", clOlive, clInfoBk, 9));

  // The before series' sliders with their row titles, which serve the after
  // box too.
  c.push_back(ValueLabel(TSlider::ErrorP, "Prin", 224, 64, 17, clBlue));
  c.push_back(RowTitle(TSlider::ErrorP, "Label3", "Prin", 8, 64, 77));
  c.push_back(RowTitle(TSlider::AmpliP, "Label6", "Prin", 8, 40, 68));
  c.push_back(ValueLabel(TSlider::AmpliP, "Prin", 224, 40, 17, clBlue));
  c.push_back(ValueLabel(TSlider::FasiP, "Prin", 224, 16, 9, clBlue));
  c.push_back(RowTitle(TSlider::FasiP, "Label7", "Prin", 8, 16, 38));
  c.push_back(Slider(TSlider::ErrorP, "Prin", 88, 64, 129, 0));
  c.push_back(Slider(TSlider::AmpliP, "Prin", 88, 40, 129, 1));
  c.push_back(Slider(TSlider::FasiP, "Prin", 88, 16, 129, 2));

  // The after series: value labels left of the sliders.
  c.push_back(ValueLabel(TSlider::ErrorM, "Meta", 16, 64, 17, clRed));
  c.push_back(ValueLabel(TSlider::AmpliM, "Meta", 16, 40, 17, clRed));
  c.push_back(ValueLabel(TSlider::FasiM, "Meta", 16, 16, 9, clRed));
  c.push_back(Slider(TSlider::ErrorM, "Meta", 48, 64, 137, 0));
  c.push_back(Slider(TSlider::AmpliM, "Meta", 48, 40, 137, 1));
  c.push_back(Slider(TSlider::FasiM, "Meta", 48, 16, 137, 2));

  // The sampling design.
  c.push_back(RowTitle(TSlider::Dif, "Label8", "GroupBox1", 8, 16, 163));
  c.push_back(ValueLabel(TSlider::Dif, "GroupBox1", 384, 16, 17, clWindowText));
  c.push_back(RowTitle(TSlider::Step, "Label9", "GroupBox1", 8, 40, 171));
  c.push_back(ValueLabel(TSlider::Step, "GroupBox1", 384, 40, 9, clWindowText));
  c.push_back(RowTitle(TSlider::Samples, "Label10", "GroupBox1", 8, 64, 130));
  c.push_back(ValueLabel(TSlider::Samples, "GroupBox1", 384, 64, 17, clWindowText));
  c.push_back(Slider(TSlider::Dif, "GroupBox1", 200, 16, 161, 0));
  c.push_back(Slider(TSlider::Step, "GroupBox1", 200, 40, 161, 1));
  c.push_back(Slider(TSlider::Samples, "GroupBox1", 200, 64, 161, 2));

  // The power readout and the buttons of the power and the model window, in
  // the navy below the result area. Tab reaches them right after Run, so the
  // design's focus chain from Run on is as it was; their tooltips name their
  // shortcuts.
  const auto button = [&](std::string name, int left, std::string text, int tabOrder,
                          std::string hint) {
    c.push_back(TControlLayout{.Name = std::move(name),
                               .Class = TControlClass::Button,
                               .Left = left,
                               .Top = 584,
                               .Width = 89,
                               .Height = 25,
                               .Text = std::move(text),
                               .Font = BoldSans(-11, clWindowText),
                               .TabOrder = tabOrder,
                               .Hint = std::move(hint)});
  };
  button("PowerButton", 192, "Ισχύς…", 2, "Ισχύς του σχεδιασμού (Ctrl+P)");
  button("ModelButton", 288, "Μοντέλο…", 3, "Μοντέλο μέτρησης (Ctrl+M)");
  const TFontLayout caption = BoldSans(-13, clYellow), name = BoldSans(-13, clWindow);
  c.push_back(
      NavyLabel("LPower", 8, 616, 300, 16, "Πιθανότητα ανίχνευσης (επόμενα 1000 Run)", caption));
  // A row per test, then the false positives. The readout shows the rows of
  // the tests it is asked for and moves the false positives' below them; as
  // laid out, it shows the t-tests.
  const auto readoutRow = [&](int row, const std::string& label, const std::string& text,
                              bool visible) {
    const int top = kReadoutTop + kReadoutRowHeight * row;
    c.push_back(NavyLabel(label + "Name", 16, top, 200, 16, text, name, visible));
    c.push_back(NavyLabel(label, 224, top, 190, 16, "", caption, visible));
  };
  for (const TTestInfo& test : kTests)
    readoutRow(static_cast<int>(TestIndex(test.Kind)), ReadoutLabel(test.Kind), test.Caption,
               IsTTest(test.Kind));
  readoutRow(kWindowTestCount, kFalsePositiveLabel, "Ψευδώς θετικά στη διαφορά 0", true);
  // The measurement model, named while it is not the default one.
  c.push_back(NavyLabel("LModel", 320, 616, 560, 16, "", name, false));
  return c;
}

}  // namespace

std::string ReadoutLabel(TTestKind test) {
  // The tool's key in camel case: "rank-sum" gives "RankSum".
  std::string label = "LPower";
  bool wordStart = true;
  for (const char* c = TestInfo(test).Key; *c; ++c) {
    if (*c == '-') {
      wordStart = true;
      continue;
    }
    label += wordStart ? static_cast<char>(std::toupper(static_cast<unsigned char>(*c))) : *c;
    wordStart = false;
  }
  return label;
}

int ReadoutTestRows() { return (MainFormLayout().Height - kReadoutTop) / kReadoutRowHeight - 1; }

const TFormLayout& MainFormLayout() {
  static const TFormLayout layout{.Left = 199,
                                  .Top = 112,
                                  .Width = 900,
                                  .Height = 703,
                                  .Caption = "Halvorn",
                                  .Color = clNavy,
                                  .Font = TFontLayout{kSans, -11, false, clWindowText},
                                  .WindowState = wsMaximized};
  return layout;
}

const std::vector<TControlLayout>& MainWindowControls() {
  static const std::vector<TControlLayout> controls = BuildControls();
  return controls;
}

}  // namespace halvorn
