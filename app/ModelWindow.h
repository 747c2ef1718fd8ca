#pragma once
// The model window: the measurement model of the main window's Runs, its
// readout and its power window. The distribution of the errors is a choice,
// the serial correlation, the year-to-year variation and the detection limit
// are sliders with their values beside them; every change applies at once.
// "Δεδομένα…" leads to a site's record, which can set them all.

#include <array>
#include <functional>
#include <string>

#include "platform/forms/Form.h"
#include "sim/SimParams.h"

namespace halvorn {

class TButton;
class TLabel;
class TRadioGroup;
class TScrollBar;

// The line that names a measurement model off its default: its error
// distribution and every option set ("Μοντέλο: λογαριθμοκανονικό σφάλμα,
// Αυτοσυσχέτιση ρ 0.50"); empty for the default model.
std::string ModelSummary(const SimParams& params);

class TModelWindow : public TForm {
 public:
  // Builds the window hidden, with the default model.
  explicit TModelWindow(TComponent* owner);

  // The model the controls show, and setting them to the model of `params`
  // (no OnChange).
  TErrorModel ErrorModel() const;
  int Position(TSlider slider) const;  // of a model slider
  void ShowModel(const SimParams& params);

  // Called on every change the user makes.
  std::function<void()> OnChange;
  // Called when "Δεδομένα…" is pressed.
  std::function<void()> OnData;

  TRadioGroup* ErrorModelGroup = nullptr;
  // The model's sliders and their value labels, in the order of the table.
  std::array<TScrollBar*, 3> Bars{};
  std::array<TLabel*, 3> Values{};
  TButton* DataButton = nullptr;

 private:
  void SliderMoved(std::size_t row);
  bool showing_ = false;  // ShowModel is setting the controls
};

}  // namespace halvorn
