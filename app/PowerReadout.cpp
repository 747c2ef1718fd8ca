#include "app/PowerReadout.h"

#include "app/BackgroundPool.h"
#include "app/MainWindow.h"
#include "platform/runtime/FloatFormat.h"

namespace halvorn {
namespace {

// A share as a percentage with one decimal, in the locale's format.
std::string Percent(double fraction) { return FloatToStrFixed(100 * fraction, 15, 1); }

}  // namespace

TPowerReadout::TPowerReadout(TMF& form) : pool_(MakeBackgroundPool()) {
  const char* names[] = {"LPowerEqual", "LPowerUnequal", "LPowerPaired", "LFalsePositive"};
  for (int i = 0; i <= kTestCount; ++i) {
    values_[i] = dynamic_cast<TLabel*>(form.FindControl(names[i]));
    if (!values_[i]) throw EInvalidOperation(std::string("Layout: no label \"") + names[i] + "\"");
  }
}

TPowerReadout::~TPowerReadout() = default;

std::string TPowerReadout::PowerText(const TPowerResult& result, int test) {
  const TInterval ci = result.Ci95(test);
  return Percent(result.Power(test)) + " %  (" + Percent(ci.Lo) + " – " + Percent(ci.Hi) + ")";
}

std::string TPowerReadout::FalsePositiveText(const TPowerResult& falsePositive) {
  std::string text;
  for (int test = 0; test < kTestCount; ++test)
    text += (test ? " · " : "") + Percent(falsePositive.Power(test)) + " %";
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
  for (int test = 0; test < kTestCount; ++test) values_[test]->SetCaption(PowerText(power, test));
  values_[kTestCount]->SetCaption(FalsePositiveText(falsePositive));
  SetDimmed(false);
  if (OnShown) OnShown();
}

void TPowerReadout::SetDimmed(bool dimmed) {
  for (TLabel* label : values_) label->Font().SetColor(dimmed ? clGray : clYellow);
}

}  // namespace halvorn
