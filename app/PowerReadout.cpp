#include "app/PowerReadout.h"

#include <algorithm>

#include "app/MainWindow.h"
#include "app/MainWindowLayout.h"
#include "app/TestChoice.h"
#include "platform/runtime/FloatFormat.h"

namespace halvorn {
namespace {

// A share as a percentage with one decimal, in the locale's format.
std::string Percent(double fraction) { return FloatToStrFixed(100 * fraction, 15, 1); }

}  // namespace

TPowerReadout::TPowerReadout(TMF& form, TPowerPool& pool, const TTestChoice& tests)
    : tests_(&tests), pool_(&pool) {
  const auto find = [&form](const std::string& label) {
    return TRow{&LayoutControl<TLabel>(form, label + "Name"), &LayoutControl<TLabel>(form, label)};
  };
  for (const TTestInfo& test : kTests) rows_[TestIndex(test.Kind)] = find(ReadoutLabel(test.Kind));
  rows_[kTestCount] = find(kFalsePositiveLabel);
  TestsChanged();
}

TPowerReadout::~TPowerReadout() = default;

std::string TPowerReadout::PowerText(const TPowerResult& result, TTestKind test) {
  const TInterval ci = result.Ci95(test);
  return Percent(result.Power(test)) + " %  (" + Percent(ci.Lo) + " – " + Percent(ci.Hi) + ")";
}

std::string TPowerReadout::FalsePositiveText(const TPowerResult& falsePositive,
                                             const std::vector<TTestKind>& tests) {
  // Each figure names its test, so that none is read by its place.
  std::string text;
  for (const TTestKind test : tests)
    text += (text.empty() ? "" : " · ") + std::string(TestInfo(test).Key) + " " +
            Percent(falsePositive.Power(test)) + " %";
  return text;
}

void TPowerReadout::Update(const SimParams& params, std::uint64_t state) {
  SetDimmed(true);
  job_.Start([this, request = TPowerRequest{params, state, kRuns}](std::stop_token stop,
                                                                   const TBackgroundJob::TPost&) {
    const TPowerResult power = ComputePower(request, *pool_, stop);
    const TPowerResult falsePositive = ComputeFalsePositive(request, *pool_, stop);
    return [this, power, falsePositive] { Show(power, falsePositive); };
  });
}

void TPowerReadout::TestsChanged() {
  // The first chosen tests that fit, in the table's order; the false
  // positives' row follows the last.
  shown_ = tests_->Tests();
  shown_.resize(std::min(shown_.size(), static_cast<std::size_t>(ReadoutTestRows())));
  int position = 0;
  const auto place = [&position](const TRow& row, bool shown) {
    for (TLabel* label : {row.Name, row.Value}) {
      if (shown) label->SetTop(kReadoutTop + kReadoutRowHeight * position);
      label->SetVisible(shown);
    }
    position += shown;
  };
  for (const TTestInfo& test : kTests)
    place(rows_[TestIndex(test.Kind)], std::ranges::find(shown_, test.Kind) != shown_.end());
  place(rows_[kTestCount], true);
  ShowFigures();
}

void TPowerReadout::Show(const TPowerResult& power, const TPowerResult& falsePositive) {
  power_ = power;
  falsePositive_ = falsePositive;
  ShowFigures();
  SetDimmed(false);
  if (OnShown) OnShown();
}

void TPowerReadout::ShowFigures() {
  if (!power_ || !falsePositive_) return;
  for (const TTestKind test : shown_)
    rows_[TestIndex(test)].Value->SetCaption(PowerText(*power_, test));
  rows_[kTestCount].Value->SetCaption(FalsePositiveText(*falsePositive_, shown_));
}

void TPowerReadout::SetDimmed(bool dimmed) {
  for (const TRow& row : rows_) row.Value->Font().SetColor(dimmed ? kDimmedColor : clYellow);
}

}  // namespace halvorn
