#include "chart/ChartValueList.h"

#include <cmath>
#include <utility>

#include "chart/ChartSeries.h"
#include "chart/StoreIfChanged.h"
#include "platform/runtime/Exceptions.h"
#include "platform/runtime/FloatOps.h"

namespace halvorn {

TChartValueList::TChartValueList(TChartSeries& owner, std::string name)
    : name_(std::move(name)), owner_(&owner) {
  RemoveAllValues();
}

void TChartValueList::CopyFrom(const TChartValueList& source) {
  order_ = source.order_;
  dateTime_ = source.dateTime_;
  // The caches hold scaled values, so a new factor outdates them.
  if (multiplier_ != source.multiplier_) {
    multiplier_ = source.multiplier_;
    statsStale_ = true;
  }
  valueSource_ = source.valueSource_;
}

void TChartValueList::CheckIndex(int index) const {
  if (index < 0 || index >= ValueCount()) throw EListError::IndexOutOfBounds(index);
}

double TChartValueList::ValueAt(int index) const {
  CheckIndex(index);
  // The product is formed in extended precision and rounded once to double,
  // as the runtime multiplies.
  return static_cast<double>(static_cast<Extended>(values_[index]) * multiplier_);
}

void TChartValueList::SetValueAt(int index, double value) {
  CheckIndex(index);
  values_[index] = value;
  statsStale_ = true;
}

void TChartValueList::RemoveAllValues() {
  std::vector<double>().swap(values_);
  statsStale_ = true;
}

int TChartValueList::AppendValue(double value) {
  int index = ValueCount();
  if (order_ != loNone && !values_.empty()) {
    // Searching back from the end makes an in-order append one comparison;
    // stepping over strictly greater (smaller) values puts a new value after
    // the equal ones already there.
    int i = index - 1;
    if (order_ == loAscending) {
      if (!(values_[i] <= value)) {
        while (i >= 0 && values_[i] > value) --i;
        index = i + 1;
      }
    } else {
      if (!(values_[i] >= value)) {
        while (i >= 0 && values_[i] < value) --i;
        index = i + 1;
      }
    }
  }
  values_.insert(values_.begin() + index, value);
  statsStale_ = true;
  return index;
}

void TChartValueList::InsertValueAt(int index, double value) {
  if (index < 0 || index > ValueCount()) throw EListError::IndexOutOfBounds(index);
  values_.insert(values_.begin() + index, value);
  statsStale_ = true;
}

void TChartValueList::RemoveValueAt(int index) {
  CheckIndex(index);
  values_.erase(values_.begin() + index);
  statsStale_ = true;
}

void TChartValueList::RotateFirstToEnd() {
  if (values_.empty()) return;
  const double first = values_.front();
  values_.erase(values_.begin());
  values_.push_back(first);
}

int TChartValueList::FindValue(double value) const {
  for (int i = 0; i < ValueCount(); ++i)
    if (ValueAt(i) == value) return i;
  return -1;
}

void TChartValueList::RefreshStatistics() const {
  if (values_.empty()) {
    lowest_ = highest_ = sum_ = absSum_ = 0;
  } else {
    double v = ValueAt(0);
    lowest_ = highest_ = sum_ = v;
    absSum_ = std::fabs(v);
    for (int i = 1; i < ValueCount(); ++i) {
      v = ValueAt(i);
      if (v < lowest_)
        lowest_ = v;
      else if (v > highest_)
        highest_ = v;
      // Each running sum is rounded to double after every addition.
      sum_ = static_cast<double>(static_cast<Extended>(sum_) + v);
      absSum_ = static_cast<double>(static_cast<Extended>(absSum_) + std::fabs(v));
    }
  }
  statsStale_ = false;
}

double TChartValueList::LowestValue() const {
  if (statsStale_) RefreshStatistics();
  return lowest_;
}

double TChartValueList::HighestValue() const {
  if (statsStale_) RefreshStatistics();
  return highest_;
}

double TChartValueList::SumOfValues() const {
  if (statsStale_) RefreshStatistics();
  return sum_;
}

double TChartValueList::SumOfAbsValues() const {
  if (statsStale_) RefreshStatistics();
  return absSum_;
}

void TChartValueList::FillWithIndexes() {
  for (int i = 0; i < ValueCount(); ++i) SetValueAt(i, i);
}

void TChartValueList::SetMultiplier(double multiplier) {
  if (!StoreIfChanged(multiplier_, multiplier)) return;
  // The statistics hold scaled values.
  statsStale_ = true;
  owner_->RequestRepaint();
}

void TChartValueList::SetDateTime(bool dateTime) {
  if (StoreIfChanged(dateTime_, dateTime)) owner_->RequestRepaint();
}

void TChartValueList::Exchange(int a, int b) {
  CheckIndex(a);
  CheckIndex(b);
  std::swap(values_[a], values_[b]);
  // The set of values is unchanged, but the sums are taken in index order.
  statsStale_ = true;
}

void TChartValueList::AssignValues(const TChartValueList& source) {
  values_ = source.values_;
  statsStale_ = true;
}

int TChartValueList::CompareIndexes(int a, int b) const {
  const double va = ValueAt(a);
  const double vb = ValueAt(b);
  const int result = va < vb ? -1 : (va > vb ? 1 : 0);
  return order_ == loDescending ? -result : result;
}

// Hoare partitioning around the middle entry. The pivot is named by its
// index, so when an exchange moves the pivot's entry the index follows it.
void TChartValueList::QuickSort(int first, int last) {
  int i = first;
  int j = last;
  int pivot = (first + last) / 2;
  while (i < j) {
    while (CompareIndexes(i, pivot) < 0) ++i;
    while (CompareIndexes(pivot, j) < 0) --j;
    if (i < j) {
      owner_->ExchangePoints(i, j);
      if (pivot == i)
        pivot = j;
      else if (pivot == j)
        pivot = i;
    }
    if (i <= j) {
      ++i;
      --j;
    }
  }
  if (first < j) QuickSort(first, j);
  if (i < last) QuickSort(i, last);
}

void TChartValueList::SortByOrder() {
  if (order_ == loNone || ValueCount() < 2) return;
  QuickSort(0, ValueCount() - 1);
}

}  // namespace halvorn
