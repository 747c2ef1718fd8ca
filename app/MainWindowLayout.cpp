#include "app/MainWindowLayout.h"

namespace halvorn {
namespace {

constexpr const char* kSans = "MS Sans Serif";

TFontLayout Bold(int height, TColor color) { return TFontLayout{kSans, height, true, color}; }

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

// A label that takes the colour of the box or window it lies in.
TControlLayout BoxLabel(std::string name, std::string parent, int left, int top, int width,
                        int height, std::string text, TColor fontColor) {
  return TControlLayout{.Name = std::move(name),
                        .Class = TControlClass::Label,
                        .Parent = std::move(parent),
                        .Left = left,
                        .Top = top,
                        .Width = width,
                        .Height = height,
                        .Text = std::move(text),
                        .Font = Bold(-13, fontColor),
                        .ColorSource = TColorSource::Parent};
}

TControlLayout Slider(std::string name, std::string parent, int left, int top, int width,
                      TRangeLayout range, int tabOrder, THandler event) {
  return TControlLayout{.Name = std::move(name),
                        .Class = TControlClass::ScrollBar,
                        .Parent = std::move(parent),
                        .Left = left,
                        .Top = top,
                        .Width = width,
                        .Height = 17,
                        .Range = range,
                        .TabOrder = tabOrder,
                        .Event = event};
}

TControlLayout Box(std::string name, int left, int top, int width, int height, std::string text,
                   TColor fontColor, TColor color, int tabOrder) {
  return TControlLayout{.Name = std::move(name),
                        .Class = TControlClass::GroupBox,
                        .Left = left,
                        .Top = top,
                        .Width = width,
                        .Height = height,
                        .Text = std::move(text),
                        .Font = Bold(-13, fontColor),
                        .ColorSource = TColorSource::Explicit,
                        .Color = color,
                        .TabOrder = tabOrder};
}

TControlLayout ResultEdit(std::string name, int top, int tabOrder) {
  return TControlLayout{.Name = std::move(name),
                        .Class = TControlClass::Edit,
                        .Left = 32,
                        .Top = top,
                        .Width = 89,
                        .Height = 24,
                        .Font = Bold(-13, clWindowText),
                        .TabOrder = tabOrder};
}

std::vector<TControlLayout> BuildControls() {
  const TFontLayout heading = Bold(-16, clYellow);
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
                             .Class = TControlClass::Chart,
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
                             .Font = Bold(-11, clWindowText),
                             .TabOrder = 1,
                             .Event = THandler::Button1Click});
  c.push_back(ResultEdit("TT", 456, 2));
  c.push_back(ResultEdit("PP", 488, 3));
  c.push_back(TControlLayout{.Name = "RG1",
                             .Class = TControlClass::RadioGroup,
                             .Left = 160,
                             .Top = 440,
                             .Width = 169,
                             .Height = 97,
                             .Text = "Τύπος t-test",
                             .Font = Bold(-13, clBlack),
                             .ColorSource = TColorSource::Explicit,
                             .Color = clScrollBar,
                             .Items = {"equal variance", "unequal variance", "paired samples"},
                             .ItemIndex = 0,
                             .TabOrder = 4});
  c.push_back(Box("Prin", 424, 520, 257, 89, "Πριν", clBlue, clScrollBar, 5));
  c.push_back(Box("Meta", 688, 520, 193, 89, "Μετά", clRed, clScrollBar, 6));
  c.push_back(Box("GroupBox1", 424, 416, 457, 97, "Δειγματοληψία", clOlive, clInfoBk, 7));

  // The before series' sliders with their row titles, which serve the after
  // box too.
  c.push_back(BoxLabel("LErrorP", "Prin", 224, 64, 17, 16, "10", clBlue));
  c.push_back(BoxLabel("Label3", "Prin", 8, 64, 77, 16, "Σφάλμα(%)", clWindowText));
  c.push_back(BoxLabel("Label6", "Prin", 8, 40, 68, 16, "Εύρος(%)", clWindowText));
  c.push_back(BoxLabel("LAmpliP", "Prin", 224, 40, 17, 16, "40", clBlue));
  c.push_back(BoxLabel("LFasiP", "Prin", 224, 16, 9, 16, "6", clBlue));
  c.push_back(BoxLabel("Label7", "Prin", 8, 16, 38, 16, "Φάση", clWindowText));
  c.push_back(Slider("ErrorP", "Prin", 88, 64, 129, {0, 40, 2}, 0, THandler::ErrorPChange));
  c.push_back(Slider("AmpliP", "Prin", 88, 40, 129, {0, 20, 8}, 1, THandler::AmpliPChange));
  c.push_back(Slider("FasiP", "Prin", 88, 16, 129, {1, 12, 6}, 2, THandler::FasiPChange));

  // The after series: value labels left of the sliders.
  c.push_back(BoxLabel("LErrorM", "Meta", 16, 64, 17, 16, "10", clRed));
  c.push_back(BoxLabel("LAmpliM", "Meta", 16, 40, 17, 16, "40", clRed));
  c.push_back(BoxLabel("LFasiM", "Meta", 16, 16, 9, 16, "6", clRed));
  c.push_back(Slider("ErrorM", "Meta", 48, 64, 137, {0, 40, 2}, 0, THandler::ErrorMChange));
  c.push_back(Slider("AmpliM", "Meta", 48, 40, 137, {0, 20, 8}, 1, THandler::AmpliMChange));
  c.push_back(Slider("FasiM", "Meta", 48, 16, 137, {1, 12, 6}, 2, THandler::FasiMChange));

  // The sampling design.
  c.push_back(
      BoxLabel("Label8", "GroupBox1", 8, 16, 163, 16, "Διαφορά Πριν-Μετά (%)", clWindowText));
  c.push_back(BoxLabel("LDif", "GroupBox1", 384, 16, 17, 16, "20", clWindowText));
  c.push_back(
      BoxLabel("Label9", "GroupBox1", 8, 40, 171, 16, "Μήνες μεταξύ δειγμάτων", clWindowText));
  c.push_back(BoxLabel("LStep", "GroupBox1", 384, 40, 9, 16, "1", clWindowText));
  c.push_back(BoxLabel("Label10", "GroupBox1", 8, 64, 130, 16, "Αριθμός δειγμάτων", clWindowText));
  c.push_back(BoxLabel("LSamples", "GroupBox1", 384, 64, 17, 16, "12", clWindowText));
  c.push_back(Slider("Dif", "GroupBox1", 200, 16, 161, {0, 200, 20}, 0, THandler::DifChange));
  c.push_back(Slider("Step", "GroupBox1", 200, 40, 161, {1, 6, 1}, 1, THandler::StepChange));
  c.push_back(
      Slider("Samples", "GroupBox1", 200, 64, 161, {3, 200, 12}, 2, THandler::SamplesChange));
  return c;
}

}  // namespace

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
