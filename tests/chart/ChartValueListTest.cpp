#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "chart/ChartSeries.h"
#include "chart/ChartValueList.h"
#include "platform/runtime/Exceptions.h"
#include "tests/chart/CountingChart.h"

namespace halvorn {
namespace {

using testing::TCountingChart;

std::vector<double> Values(const TChartValueList& list) {
  std::vector<double> out;
  for (int i = 0; i < list.ValueCount(); ++i) out.push_back(list.ValueAt(i));
  return out;
}

TEST(ChartValueList, EmptyListHasZeroStatisticsAndNothingToFindOrRotate) {
  TChartSeries series;
  TChartValueList& list = series.YValues();
  EXPECT_EQ(list.LowestValue(), 0);
  EXPECT_EQ(list.HighestValue(), 0);
  EXPECT_EQ(list.SumOfValues(), 0);
  EXPECT_EQ(list.SumOfAbsValues(), 0);
  EXPECT_EQ(list.FindValue(0), -1);
  list.RotateFirstToEnd();
  EXPECT_EQ(list.ValueCount(), 0);
}

TEST(ChartValueList, AppendPlacesValuesAsOrderDemands) {
  const struct {
    const char* name;
    TChartListOrder order;
    std::vector<double> added;
    std::vector<int> indexes;
    std::vector<double> stored;
  } cases[] = {
      {"ascending", loAscending, {1, 3, 2, 2}, {0, 1, 1, 2}, {1, 2, 2, 3}},
      {"ascending smaller than all", loAscending, {4, 5, 3}, {0, 1, 0}, {3, 4, 5}},
      {"ascending in order", loAscending, {1, 1, 2}, {0, 1, 2}, {1, 1, 2}},
      {"descending", loDescending, {3, 1, 2, 2}, {0, 1, 1, 2}, {3, 2, 2, 1}},
      {"descending larger than all", loDescending, {2, 1, 5}, {0, 1, 0}, {5, 2, 1}},
      {"none", loNone, {3, 1, 2}, {0, 1, 2}, {3, 1, 2}},
  };
  for (const auto& c : cases) {
    TChartSeries series;
    TChartValueList& list = series.YValues();
    list.SetOrder(c.order);
    std::vector<int> indexes;
    for (double v : c.added) indexes.push_back(list.AppendValue(v));
    EXPECT_EQ(indexes, c.indexes) << c.name;
    EXPECT_EQ(Values(list), c.stored) << c.name;
  }
}

// Equal X values must keep the order in which their points were added; the
// Y values tell the points apart.
TEST(ChartValueList, EqualValuesKeepTheOrderOfAdding) {
  for (TChartListOrder order : {loAscending, loDescending}) {
    TChartSeries series;
    series.XValues().SetOrder(order);
    const double xs[] = {2, 1, 2, 1, 0};
    for (int i = 0; i < 5; ++i) series.AppendXY(xs[i], i, "", clAutoColor);
    const std::vector<double> ascendingY = {4, 1, 3, 0, 2};
    const std::vector<double> descendingY = {0, 2, 1, 3, 4};
    EXPECT_EQ(Values(series.YValues()), order == loAscending ? ascendingY : descendingY);
  }
}

TEST(ChartValueList, WritingOrderLeavesStoredValuesAndGovernsLaterAppends) {
  TChartSeries series;
  TChartValueList& list = series.YValues();
  for (double v : {5.0, 1.0, 3.0}) list.AppendValue(v);
  list.SetOrder(loAscending);
  EXPECT_EQ(Values(list), (std::vector<double>{5, 1, 3}));
  EXPECT_EQ(list.AppendValue(4), 3);  // after the last value 3, the only one it compares
  EXPECT_EQ(list.AppendValue(2), 2);
  EXPECT_EQ(Values(list), (std::vector<double>{5, 1, 2, 3, 4}));
}

TEST(ChartValueList, MultiplierScalesEveryReadButNotStorage) {
  TChartSeries series;
  TChartValueList& list = series.YValues();
  list.AppendValue(5);
  list.AppendValue(-1);
  EXPECT_EQ(list.HighestValue(), 5);
  list.SetMultiplier(2);
  EXPECT_EQ(list.ValueAt(0), 10);
  EXPECT_EQ(list.LastValue(), -2);
  EXPECT_EQ(list.HighestValue(), 10);
  EXPECT_EQ(list.LowestValue(), -2);
  EXPECT_EQ(list.SumOfValues(), 8);
  EXPECT_EQ(list.SumOfAbsValues(), 12);
  EXPECT_EQ(list.FindValue(10), 0);
  EXPECT_EQ(list.FindValue(5), -1);
  list.SetValueAt(0, 7);
  EXPECT_EQ(list.ValueAt(0), 14);
  list.SetMultiplier(1);
  EXPECT_EQ(list.ValueAt(0), 7);
}

// Every change of storage or scale must outdate the cached statistics; the
// expected values come from a naive pass over the scaled values.
TEST(ChartValueList, StatisticsFollowEveryChange) {
  const struct {
    const char* name;
    std::function<void(TChartSeries&)> change;
  } cases[] = {
      {"append", [](TChartSeries& s) { s.YValues().AppendValue(-9); }},
      {"insert", [](TChartSeries& s) { s.YValues().InsertValueAt(1, 40); }},
      {"overwrite", [](TChartSeries& s) { s.YValues().SetValueAt(2, -30); }},
      {"remove", [](TChartSeries& s) { s.YValues().RemoveValueAt(0); }},
      {"remove all", [](TChartSeries& s) { s.YValues().RemoveAllValues(); }},
      {"multiplier", [](TChartSeries& s) { s.YValues().SetMultiplier(-0.5); }},
      {"fill with indexes", [](TChartSeries& s) { s.YValues().FillWithIndexes(); }},
      {"settings copied with another multiplier",
       [](TChartSeries& s) {
         TChartSeries other;
         other.YValues().SetMultiplier(3);
         s.SetYValues(other.YValues());
       }},
      {"point deleted", [](TChartSeries& s) { s.DeletePoint(1); }},
      {"points cleared", [](TChartSeries& s) { s.ClearPoints(); }},
  };
  for (const auto& c : cases) {
    TChartSeries series;
    for (double v : {3.0, -2.0, 8.0, 0.5}) series.AppendY(v, "", clAutoColor);
    TChartValueList& list = series.YValues();
    ASSERT_EQ(list.HighestValue(), 8);
    c.change(series);
    const std::vector<double> v = Values(list);
    const double lowest = v.empty() ? 0 : *std::min_element(v.begin(), v.end());
    const double highest = v.empty() ? 0 : *std::max_element(v.begin(), v.end());
    double sum = 0, absSum = 0;
    for (double x : v) sum += x, absSum += std::fabs(x);
    EXPECT_EQ(list.LowestValue(), lowest) << c.name;
    EXPECT_EQ(list.HighestValue(), highest) << c.name;
    EXPECT_EQ(list.SumOfValues(), sum) << c.name;
    EXPECT_EQ(list.SumOfAbsValues(), absSum) << c.name;
  }
}

TEST(ChartValueList, BadIndexesRaiseTheListErrorAndChangeNothing) {
  TChartSeries series;
  TChartValueList& list = series.YValues();
  for (double v : {1.0, 2.0, 3.0}) list.AppendValue(v);
  const struct {
    const char* name;
    std::function<void()> call;
    const char* message;
  } cases[] = {
      {"read below", [&] { list.ValueAt(-1); }, "List index out of bounds (-1)"},
      {"insert past the end", [&] { list.InsertValueAt(4, 0); }, "List index out of bounds (4)"},
      {"remove past the end", [&] { list.RemoveValueAt(3); }, "List index out of bounds (3)"},
  };
  for (const auto& c : cases) {
    try {
      c.call();
      ADD_FAILURE() << c.name << " did not raise";
    } catch (const EListError& e) {
      EXPECT_EQ(e.Message(), c.message) << c.name;
    }
    EXPECT_EQ(Values(list), (std::vector<double>{1, 2, 3})) << c.name;
  }
  list.InsertValueAt(3, 4);  // insertion may go one past the last index
  EXPECT_EQ(list.LastValue(), 4);
}

// Sorting must move whole points (X, Y, colour and label together) and
// must give the order the X list demands, for any mix of duplicates.
TEST(ChartValueList, SortByOrderMovesWholePoints) {
  std::mt19937 random(7);
  for (TChartListOrder order : {loAscending, loDescending}) {
    for (int n : {0, 1, 2, 3, 7, 16, 51}) {
      TChartSeries series;
      series.XValues().SetOrder(loNone);
      using Row = std::tuple<double, double, TColor, std::string>;
      std::vector<Row> rows;
      for (int i = 0; i < n; ++i) {
        const double x = static_cast<double>(random() % 6);
        const TColor colour = PaletteColor(i);
        const std::string label = "p" + std::to_string(i);
        series.AppendXY(x, i, label, colour);
        rows.emplace_back(x, i, colour, label);
      }
      series.XValues().SetOrder(order);
      series.XValues().SortByOrder();
      std::vector<Row> sorted;
      for (int i = 0; i < n; ++i)
        sorted.emplace_back(series.XValueAt(i), series.YValueAt(i), series.PointColor(i),
                            series.PointLabel(i));
      for (int i = 1; i < n; ++i) {
        if (order == loAscending)
          EXPECT_LE(std::get<0>(sorted[i - 1]), std::get<0>(sorted[i])) << n;
        else
          EXPECT_GE(std::get<0>(sorted[i - 1]), std::get<0>(sorted[i])) << n;
      }
      std::sort(rows.begin(), rows.end());
      std::sort(sorted.begin(), sorted.end());
      EXPECT_EQ(sorted, rows) << n;
    }
  }
}

}  // namespace
}  // namespace halvorn
