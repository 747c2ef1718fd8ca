#include "app/PowerWindow.h"

namespace halvorn {

TPowerWindow::TPowerWindow(TComponent* owner) : TForm(owner) {
  SetCaption("Ισχύς του σχεδιασμού");
  SetBounds(220, 140, 900, 640);
}

TPowerWindow::~TPowerWindow() = default;

void TPowerWindow::DesignChanged(const SimParams& params, std::uint64_t state) {
  params_ = params;
  state_ = state;
}

}  // namespace halvorn
