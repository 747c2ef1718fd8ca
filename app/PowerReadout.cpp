#include "app/PowerReadout.h"

#include "app/MainWindow.h"
#include "app/MainWindowLayout.h"
#include "platform/runtime/FloatFormat.h"

namespace halvorn {
namespace {

// A share as a percentage with one decimal, in the locale's format.
std::string Percent(double fraction) { return FloatToStrFixed(100 * fraction, 15, 1); }

}  // namespace

TPowerReadout::TPowerReadout(TMF& form, TPowerPool& pool) : pool_(&pool) {
  const auto find = [&form](const std::string& name) { return &LayoutControl<TLabel>(form, name); };
  for (const TTestInfo& test : WindowTests())
    values_[TestIndex(test.Kind)] = find(ReadoutLabel(test.Kind));
  values_[kWindowTestCount] = find(kFalsePositiveLabel);
}

TPowerReadout::~TPowerReadout() = default;

std::string TPowerReadout::PowerText(const TPowerResult& result, TTestKind test) {
  const TInterval ci = result.Ci95(test);
  return Percent(result.Power(test)) + " %  (" + Percent(ci.Lo) + " – " + Percent(ci.Hi) + ")";
}

std::string TPowerReadout::FalsePositiveText(const TPowerResult& falsePositive) {
  std::string text;
  for (const TTestInfo& test : WindowTests())
    text += (text.empty() ? "" : " · ") + Percent(falsePositive.Power(test.Kind)) + " %";
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

void TPowerReadout::Show(const TPowerResult& power, const TPowerResult& falsePositive) {
  for (const TTestInfo& test : WindowTests())
    values_[TestIndex(test.Kind)]->SetCaption(PowerText(power, test.Kind));
  values_[kWindowTestCount]->SetCaption(FalsePositiveText(falsePositive));
  SetDimmed(false);
  if (OnShown) OnShown();
}

void TPowerReadout::SetDimmed(bool dimmed) {
  for (TLabel* label : values_) label->Font().SetColor(dimmed ? clGray : clYellow);
}

}  // namespace halvorn
