#pragma once
// The layout of the site window as data: the record's name and extent
// above, its chart (panel window "SiteChartWindow") beside the table of the
// estimates, a row per estimate with its exact value and the setting the
// design takes, and below them the commands.

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/forms/FormLayout.h"

namespace halvorn {

// The table's rows, in order.
enum class TSiteEstimate {
  Level,
  Amplitude,
  Phase,
  Error,
  ErrorModel,
  Correlation,
  YearVariation,
  DetectionLimit
};
inline constexpr std::size_t kSiteEstimateCount = 8;

// The labels of an estimate's title, its exact value and its setting.
std::string SiteTitleName(TSiteEstimate row);
std::string SiteEstimateName(TSiteEstimate row);
std::string SiteDesignName(TSiteEstimate row);

const TFormLayout& SiteFormLayout();
const std::vector<TControlLayout>& SiteWindowControls();

}  // namespace halvorn
