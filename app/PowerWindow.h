#pragma once
// The power window: how the detection probability of the main window's
// design changes with one of its parameters.

#include <cstdint>

#include "platform/forms/Form.h"
#include "sim/SimParams.h"

namespace halvorn {

class TPowerWindow : public TForm {
 public:
  explicit TPowerWindow(TComponent* owner);
  ~TPowerWindow() override;

  // The main window's design or random state moved: the window follows.
  void DesignChanged(const SimParams& params, std::uint64_t state);

 private:
  SimParams params_;
  std::uint64_t state_ = 0;
};

}  // namespace halvorn
