#include "sim/MeasurementModel.h"

namespace halvorn {

const TErrorModelInfo* FindErrorModelByKey(std::string_view key) {
  for (const TErrorModelInfo& info : kErrorModels)
    if (key == info.Key) return &info;
  return nullptr;
}

}  // namespace halvorn
