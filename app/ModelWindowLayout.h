#pragma once
// The layout of the model window as data: the distribution of the errors as
// a choice, then a row per option of the measurement model (its title, its
// slider and its value), all from the tables of the simulation, and the
// button that estimates them from a site's record.

#include <vector>

#include "platform/forms/FormLayout.h"

namespace halvorn {

const TFormLayout& ModelFormLayout();
const std::vector<TControlLayout>& ModelWindowControls();

}  // namespace halvorn
