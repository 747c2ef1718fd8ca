// Records the site fit got wrong, found by the fuzz target
// (fuzz/SiteRecordFuzzer.cpp), each kept as a case of its own.

#include <gtest/gtest.h>

#include <string>

#include "platform/runtime/Exceptions.h"
#include "sim/SiteFit.h"

namespace halvorn {
namespace {

TEST(SiteRegression, ARecordWithoutAPositiveCycleIsRefused) {
  const struct {
    const char* name;
    std::string text;
    const char* fault;
  } cases[] = {
      // Every sample in January, November or December, where the cycle
      // through them is positive: its mean over the year was -1.45, and the
      // fit reported an amplitude of -554 %.
      {"NeighbouringMonths", "2021-01,9.8\n2021-11,0.7\n2021-12,5.9\n2022-01,3\n2022-12,6.5\n",
       "μέσο επίπεδο δεν είναι θετικό"},
      // Sums beyond the largest double: the level was not a number, and the
      // fault was blamed on the first line.
      {"Overflow", "2021-01,1e308\n2021-06,1.7e308\n2022-03,1e308\n2022-12,1.5e308\n",
       "πολύ μεγάλες"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TSiteRecord record = TSiteRecord::Parse(c.text);
    try {
      const TSiteFit fit = FitSite(record);
      ADD_FAILURE() << "fitted: level " << fit.Level << ", amplitude " << fit.AmplitudePct;
    } catch (const EConvertError& e) {
      EXPECT_NE(e.Message().find(c.fault), std::string::npos) << e.Message();
    }
  }
}

// A cycle peaking a hair before the start of January: its phase, just
// under 1, plus 12 was rounded to 13, outside the phase's range [1, 13).
TEST(SiteRegression, APeakAtTheTurnOfTheYearIsJanuarys) {
  const TSiteFit fit = FitSite(TSiteRecord::Parse("2020-03;76\n2021-08;9\n2023-06-06;9\n"));
  EXPECT_GE(fit.Phase, 1);
  EXPECT_LT(fit.Phase, 13);
  EXPECT_NEAR(fit.Phase, 1, 1e-9);
  EXPECT_EQ(fit.Settings.PhaseP, 1);
}

}  // namespace
}  // namespace halvorn
