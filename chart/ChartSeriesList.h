#pragma once
// The series of a chart in the order they were attached, which is also the
// order of painting and of the legend. The list references the series; the
// chart panel alone adds and removes entries.

#include <algorithm>
#include <vector>

#include "chart/ChartSeries.h"
#include "platform/runtime/Exceptions.h"

namespace halvorn {

class TCustomAxisPanel;

class TChartSeriesList {
 public:
  explicit TChartSeriesList(TCustomAxisPanel& owner) : owner_(&owner) {}

  TCustomAxisPanel& Owner() const { return *owner_; }
  int Count() const { return static_cast<int>(items_.size()); }
  // Raises EListError outside 0..Count()-1.
  TChartSeries* At(int index) const {
    if (index < 0 || index >= Count()) throw EListError::IndexOutOfBounds(index);
    return items_[index];
  }
  int IndexOf(const TChartSeries& series) const {
    const auto it = std::find(items_.begin(), items_.end(), &series);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
  }
  int ActiveSeriesCount() const {
    return static_cast<int>(std::count_if(items_.begin(), items_.end(),
                                          [](const TChartSeries* s) { return s->Active(); }));
  }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  friend class TCustomAxisPanel;

  TCustomAxisPanel* owner_;
  std::vector<TChartSeries*> items_;
};

}  // namespace halvorn
