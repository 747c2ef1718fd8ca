#pragma once
// One column of numbers of a series (its X values, its Y values, ...): the
// stored doubles in point order, the order rule applied when a value is
// added, the read-time scale factor and four lazily refreshed statistics.

#include <memory>
#include <string>
#include <vector>

#include "platform/runtime/Exceptions.h"

namespace halvorn {

class TChartSeries;

enum TChartListOrder { loNone, loAscending, loDescending };

class TChartValueList {
 public:
  // The series owns the list (through its value-list collection); `owner`
  // is told of changes so that it can repaint and keep its points whole.
  TChartValueList(TChartSeries& owner, std::string name);
  virtual ~TChartValueList() = default;

  TChartValueList(const TChartValueList&) = delete;
  TChartValueList& operator=(const TChartValueList&) = delete;

  // Copies the settings (Order, DateTime, Multiplier, ValueSource); neither
  // the name nor the values.
  virtual void CopyFrom(const TChartValueList& source);

  // The stored value at `index` times Multiplier. Indexes outside
  // 0..ValueCount()-1 raise EListError.
  virtual double ValueAt(int index) const;
  // Stores `value` as it is (not divided by Multiplier).
  virtual void SetValueAt(int index, double value);
  // Empties the list and releases its memory.
  virtual void RemoveAllValues();
  // Adds `value` where Order puts it and returns its index. Equal values keep
  // the order in which they were added.
  virtual int AppendValue(double value);
  // Inserts at `index` (0..ValueCount()) without regard to Order; the series
  // uses it to keep the other columns of a point beside its X value.
  virtual void InsertValueAt(int index, double value);
  virtual int ValueCount() const { return static_cast<int>(values_.size()); }
  virtual void RemoveValueAt(int index);
  // Moves the first value to the end; the statistics stay valid.
  virtual void RotateFirstToEnd();

  double LastValue() const { return ValueAt(ValueCount() - 1); }
  // Lowest index whose scaled value equals `value` exactly; -1 if none.
  int FindValue(double value) const;

  // Statistics of the scaled values; 0 for an empty list.
  double LowestValue() const;
  double HighestValue() const;
  double SumOfValues() const;
  double SumOfAbsValues() const;
  void RefreshStatistics() const;
  bool StatsStale() const { return statsStale_; }

  // Every value becomes its own index.
  void FillWithIndexes();
  // Reorders the owning series' points by this column as Order demands;
  // whole points move, through the series' point exchange.
  void SortByOrder();

  TChartSeries& Owner() const { return *owner_; }

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  TChartListOrder Order() const { return order_; }
  // Governs later additions only; nothing is re-sorted.
  void SetOrder(TChartListOrder order) { order_ = order; }
  double Multiplier() const { return multiplier_; }
  void SetMultiplier(double multiplier);
  bool DateTime() const { return dateTime_; }
  void SetDateTime(bool dateTime);
  const std::string& ValueSource() const { return valueSource_; }
  // Names a data-source field; this engine fills columns only by adding.
  void SetValueSource(std::string valueSource) { valueSource_ = std::move(valueSource); }

  // The value the series is about to add, visible to its OnBeforeAdd handler.
  double PendingValue() const { return pendingValue_; }
  void SetPendingValue(double value) { pendingValue_ = value; }

  // The point exchange of the owning series swaps one entry of every column.
  void Exchange(int a, int b);
  // Replaces the stored values by those of `source`, as stored (unscaled).
  void AssignValues(const TChartValueList& source);

 private:
  void CheckIndex(int index) const;
  int CompareIndexes(int a, int b) const;
  void QuickSort(int first, int last);

  bool dateTime_ = false;
  std::vector<double> values_;
  double multiplier_ = 1.0;
  std::string name_;
  TChartListOrder order_ = loNone;
  TChartSeries* owner_;
  double pendingValue_ = 0;
  std::string valueSource_;

  // Refreshed on first read after a change, hence mutable.
  mutable double lowest_ = 0;
  mutable double highest_ = 0;
  mutable double sum_ = 0;
  mutable double absSum_ = 0;
  mutable bool statsStale_ = true;
};

// All columns of one series in column order (0 is X, 1 is Y); owns them.
class TChartValueLists {
 public:
  int Count() const { return static_cast<int>(lists_.size()); }
  TChartValueList& operator[](int index) const {
    if (index < 0 || index >= Count()) throw EListError::IndexOutOfBounds(index);
    return *lists_[index];
  }
  TChartValueList& Add(std::unique_ptr<TChartValueList> list) {
    lists_.push_back(std::move(list));
    return *lists_.back();
  }

 private:
  std::vector<std::unique_ptr<TChartValueList>> lists_;
};

}  // namespace halvorn
