#pragma once
// The measurement model beside the design: how a sample's error is
// distributed, and what real monitoring data add to it (see SimParams). The
// error distributions as one table: the window's caption, the tool's key.

#include <array>
#include <cstddef>
#include <string_view>

namespace halvorn {

enum class TErrorModel { Uniform, Normal, Lognormal };

struct TErrorModelInfo {
  TErrorModel Model;
  const char* Caption;  // the window's
  const char* Key;      // the tool's --error-model value and JSON value
};

inline constexpr std::array<TErrorModelInfo, 3> kErrorModels{{
    {TErrorModel::Uniform, "ομοιόμορφο", "uniform"},
    {TErrorModel::Normal, "κανονικό", "normal"},
    {TErrorModel::Lognormal, "λογαριθμοκανονικό", "lognormal"},
}};

constexpr const TErrorModelInfo& ErrorModelInfo(TErrorModel model) {
  return kErrorModels[static_cast<std::size_t>(model)];
}

// The error model whose key is `key`; null when none.
const TErrorModelInfo* FindErrorModelByKey(std::string_view key);

}  // namespace halvorn
