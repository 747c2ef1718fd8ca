#include "app/ModelWindow.h"

#include "app/ModelWindowLayout.h"
#include "app/WindowPlacement.h"
#include "platform/forms/Button.h"
#include "platform/forms/Label.h"
#include "platform/forms/RadioGroup.h"
#include "platform/forms/ScrollBar.h"
#include "platform/runtime/Assert.h"

namespace halvorn {

std::string ModelSummary(const SimParams& params) {
  if (params.DefaultModel()) return "";
  std::string summary =
      std::string("Μοντέλο: ") + ErrorModelInfo(params.ErrorModel).Caption + " σφάλμα";
  for (const TSliderInfo& info : ModelSliders())
    if (const int value = SliderValue(params, info.Slider); value != 0)
      summary += std::string(", ") + info.Title + " " + SliderValueText(info, value);
  return summary;
}

TModelWindow::TModelWindow(TComponent* owner) : TForm(owner) {
  LoadFormLayout(*this, ModelFormLayout(), ModelWindowControls());
  const auto sliders = ModelSliders();
  HALVORN_ASSERT(sliders.size() == Bars.size(), "a slider row for every option of the model");
  ErrorModelGroup = &LayoutControl<TRadioGroup>(*this, "ErrorModelGroup");
  ErrorModelGroup->OnClick = [this](TObject*) {
    if (!showing_ && OnChange) OnChange();
  };
  for (std::size_t row = 0; row < sliders.size(); ++row) {
    Bars[row] = &LayoutControl<TScrollBar>(*this, sliders[row].Control);
    Values[row] = &LayoutControl<TLabel>(*this, sliders[row].Label);
    Bars[row]->OnChange = [this, row](TObject*) { SliderMoved(row); };
  }
  DataButton = &LayoutControl<TButton>(*this, "DataButton");
  DataButton->OnClick = [this](TObject*) {
    if (OnData) OnData();
  };
  AddShortcut("Escape", [this] { Close(); });
  // Right of the main window's controls, below the top of the power
  // window's curves.
  PlaceBesideOwner(*this, kOwnerControlsRight, 420);
}

TErrorModel TModelWindow::ErrorModel() const {
  const int index = ErrorModelGroup->ItemIndex();
  return index < 0 ? TErrorModel::Uniform : kErrorModels[static_cast<std::size_t>(index)].Model;
}

int TModelWindow::Position(TSlider slider) const {
  const auto sliders = ModelSliders();
  for (std::size_t row = 0; row < sliders.size(); ++row)
    if (sliders[row].Slider == slider) return Bars[row]->Position();
  HALVORN_UNREACHABLE("the model window has the model's sliders only");
}

void TModelWindow::ShowModel(const SimParams& params) {
  showing_ = true;
  ErrorModelGroup->SetItemIndex(static_cast<int>(params.ErrorModel));
  const auto sliders = ModelSliders();
  for (std::size_t row = 0; row < sliders.size(); ++row)
    Bars[row]->SetPosition(SliderValue(params, sliders[row].Slider) / sliders[row].Scale);
  showing_ = false;
}

void TModelWindow::SliderMoved(std::size_t row) {
  const TSliderInfo& info = ModelSliders()[row];
  Values[row]->SetCaption(SliderValueText(info, info.ValueAt(Bars[row]->Position())));
  if (!showing_ && OnChange) OnChange();
}

}  // namespace halvorn
