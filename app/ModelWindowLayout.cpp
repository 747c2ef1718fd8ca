#include "app/ModelWindowLayout.h"

#include <string>

#include "app/LayoutRows.h"
#include "sim/MeasurementModel.h"
#include "sim/SliderTable.h"

namespace halvorn {
namespace {

std::vector<TControlLayout> BuildControls() {
  std::vector<std::string> models;
  for (const TErrorModelInfo& info : kErrorModels) models.emplace_back(info.Caption);

  std::vector<TControlLayout> c;
  c.push_back(TControlLayout{.Name = "ErrorModelGroup",
                             .Class = TControlClass::RadioGroup,
                             .Left = 8,
                             .Top = 8,
                             .Width = 424,
                             .Height = 84,
                             .Text = "Κατανομή του σφάλματος",
                             .Font = BoldSans(-13, clBlack),
                             .ColorSource = TColorSource::Explicit,
                             .Color = clScrollBar,
                             .Items = models,
                             .ItemIndex = 0,
                             .TabOrder = 0});
  const auto options = ModelSliders();
  c.push_back(GroupBoxRow("OptionsBox", 8, 100, 424, 24 + 24 * static_cast<int>(options.size()),
                          "Δεδομένα παρακολούθησης", clOlive, clInfoBk, 1));
  int row = 0;
  for (const TSliderInfo& info : options) {
    const int top = 16 + 24 * row;
    c.push_back(BoxLabel(std::string(info.Control) + "Title", "OptionsBox", 8, top, 0, 0,
                         info.Title, clWindowText));
    c.push_back(TControlLayout{.Name = info.Control,
                               .Class = TControlClass::ScrollBar,
                               .Parent = "OptionsBox",
                               .Left = 200,
                               .Top = top,
                               .Width = 161,
                               .Height = 17,
                               .Range = TRangeLayout{info.Min, info.Max, info.Default},
                               .TabOrder = row});
    c.push_back(BoxLabel(info.Label, "OptionsBox", 376, top, 0, 0,
                         SliderValueText(info, info.DefaultValue()), clWindowText));
    ++row;
  }
  c.push_back(TControlLayout{.Name = "DataButton",
                             .Class = TControlClass::Button,
                             .Left = 8,
                             .Top = 132 + 24 * static_cast<int>(options.size()),
                             .Width = 120,
                             .Height = 25,
                             .Text = "Δεδομένα…",
                             .Font = BoldSans(-11, clWindowText),
                             .TabOrder = 2,
                             .Hint = "Το μοντέλο από τις μετρήσεις μιας θέσης"});
  return c;
}

}  // namespace

const TFormLayout& ModelFormLayout() {
  static const TFormLayout layout{.Left = 240,
                                  .Top = 160,
                                  .Width = 440,
                                  .Height = 240,
                                  .Caption = "Μοντέλο μέτρησης",
                                  .Color = clNavy,
                                  .Font = TFontLayout{kSans, -11, false, clWindowText}};
  return layout;
}

const std::vector<TControlLayout>& ModelWindowControls() {
  static const std::vector<TControlLayout> controls = BuildControls();
  return controls;
}

}  // namespace halvorn
