#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "platform/runtime/Exceptions.h"
#include "sim/SampleGenerator.h"
#include "sim/SiteFit.h"

namespace halvorn {
namespace {

// Two years of a made-up site, with two samples in February 2022 and none in
// March or November 2022.
constexpr const char* kSmallRecord = R"(date,value
2021-01-15,12.4
2021-02-11,13.1
2021-03-09,15.8
2021-04-20,18.2
2021-05-13,21.7
2021-06-08,24.9
2021-07-19,23.3
2021-08-04,22.0
2021-09-22,19.4
2021-10-14,15.1
2021-11-03,13.8
2021-12-09,11.6
2022-01-12,11.9
2022-02-17,14.3
2022-02-24,12.7
2022-04-05,19.5
2022-05-30,20.1
2022-06-21,26.4
2022-07-07,25.2
2022-08-18,21.3
2022-09-01,18.8
2022-10-26,16.0
2022-12-15,12.2
2023-01-10,10.9
)";

TEST(SiteFit, HarmonicFitMatchesR) {
  // R 4: d <- read.csv(...); m <- as.numeric(format(as.Date(d$date), "%m"))
  //   coef(lm(value ~ cos(2*pi*m/12) + sin(2*pi*m/12), data = d))
  //   17.71222594191813  -6.11155028158292  -1.66005230211648
  // 100 sqrt(b^2 + c^2) / a = 35.7549334104145;
  // atan2(c, b) * 6 / pi %% 12 = 6.50654468185399.
  const TSiteFit fit = FitSite(TSiteRecord::Parse(kSmallRecord));
  EXPECT_NEAR(fit.Level, 17.71222594191813, 1e-9);
  EXPECT_NEAR(fit.AmplitudePct, 35.7549334104145, 1e-9);
  EXPECT_NEAR(fit.Phase, 6.50654468185399, 1e-9);
  EXPECT_EQ(fit.SampleCount, 24);
  EXPECT_EQ(fit.MonthsSpanned, 25);
  // The nearest slider positions: amplitude in steps of 5, phase in months.
  EXPECT_EQ(fit.Settings.AmplitudeP, 35);
  EXPECT_EQ(fit.Settings.AmplitudeM, 35);
  EXPECT_EQ(fit.Settings.PhaseP, 7);
  EXPECT_EQ(fit.Settings.PhaseM, 7);
  EXPECT_EQ(fit.Settings.DifPct, SimParams{}.DifPct);
}

TEST(SiteFit, RefusesARecordOfTwoMonthsOfTheYear) {
  const TSiteRecord r =
      TSiteRecord::Parse("2021-01,5\n2021-07,9\n2022-01,6\n2022-07,8\n2023-01,5\n");
  EXPECT_THROW(FitSite(r), EConvertError);
}

TEST(SiteFit, EveryValueCensoredSetsNoErrors) {
  std::string text;
  for (int t = 0; t < 24; ++t) {
    char line[32];
    std::snprintf(line, sizeof line, "%d-%02d,<2\n", 2021 + t / 12, t % 12 + 1);
    text += line;
  }
  const TSiteFit fit = FitSite(TSiteRecord::Parse(text));
  EXPECT_NEAR(fit.Level, 1, 1e-12);
  EXPECT_EQ(fit.ErrorCvPct, 0);
  EXPECT_EQ(fit.YearVariationPct, 0);
  EXPECT_EQ(fit.Settings.ErrorPctP, 0);
  EXPECT_EQ(fit.Settings.DetectionLimit, 150);  // 200 % of the level, past the slider's end
}

// A record of the before series the program itself simulates for `p`, one
// sample a month from January 2000, written as a file would be; every
// `gapEvery`-th month is left out, and with a long gap 14 months from the
// fourth year on.
std::string SimulatedRecord(const SimParams& p, std::uint64_t seed, int gapEvery, bool longGap) {
  TSampleGenerator generator(p);
  TStateDraws draws{seed};
  std::string text = "date,value\n";
  generator.Fill(TSampleGenerator::sBefore, draws, [&](std::int32_t i, const auto& s) {
    if ((gapEvery > 0 && i % gapEvery == gapEvery - 1) || (longGap && i >= 36 && i < 50)) return;
    char line[64];
    if (s.Censored)
      std::snprintf(line, sizeof line, "%04d-%02d-10,<%.17g\n", 2000 + i / 12, i % 12 + 1,
                    p.DetectionLimit);
    else
      std::snprintf(line, sizeof line, "%04d-%02d-10,%.17g\n", 2000 + i / 12, i % 12 + 1, s.Value);
    text += line;
  });
  return text;
}

// The circular distance of two months.
double MonthDistance(double a, double b) {
  const double d = std::fmod(std::abs(a - b), 12);
  return std::min(d, 12 - d);
}

TEST(SiteFit, RecoversTheSettingsOfSimulatedRecords) {
  // Tolerances, about three times the largest root-mean-square error of
  // the rows over 300 seeds: level and amplitude in percent of the level,
  // phase in months, the error's coefficient of variation relative to its
  // true value, the correlation. The year variation's depends most on the
  // row (on the error it must be told from), so each row has its own; with
  // none set, the estimate is floored at 0 and its noise is all upwards.
  constexpr double kLevelTol = 7, kAmplitudeTol = 6, kPhaseTol = 0.5, kErrorRelTol = 0.35,
                   kRhoTol = 0.3;
  const struct {
    const char* Name;
    TErrorModel Model;
    double Error, Amplitude, Phase, Rho, Year, Limit;
    int Years, GapEvery;
    bool LongGap;
    double YearTol;
  } cases[] = {
      {"UniformPlain", TErrorModel::Uniform, 20, 20, 6, 0, 0, 0, 20, 0, false, 4},
      {"NormalCorrelated", TErrorModel::Normal, 15, 40, 2, 0.5, 0, 0, 20, 0, false, 9},
      {"LognormalDecember", TErrorModel::Lognormal, 20, 30, 12, 0.3, 0, 0, 20, 0, false, 10},
      {"LognormalYears", TErrorModel::Lognormal, 15, 20, 11, 0, 10, 0, 20, 0, false, 6},
      {"NormalYearsJanuary", TErrorModel::Normal, 10, 30, 1, 0, 10, 0, 20, 0, false, 5},
      {"UniformStrongRho", TErrorModel::Uniform, 20, 50, 9, 0.8, 5, 0, 24, 0, false, 8},
      {"NormalCensored", TErrorModel::Normal, 10, 20, 4, 0.2, 0, 70, 15, 0, false, 5},
      {"NormalGaps", TErrorModel::Normal, 10, 20, 3, 0.6, 8, 0, 20, 7, true, 7},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    SimParams p;
    p.ErrorModel = c.Model;
    p.ErrorPctP = c.Error;
    p.AmplitudeP = c.Amplitude;
    p.PhaseP = c.Phase;
    p.Correlation = c.Rho;
    p.YearVariationPct = c.Year;
    p.DetectionLimit = c.Limit;
    p.StepMonths = 1;
    p.SampleCount = 12 * c.Years;
    const TSiteFit fit =
        FitSite(TSiteRecord::Parse(SimulatedRecord(p, 12345, c.GapEvery, c.LongGap)));
    const double cv = c.Model == TErrorModel::Uniform ? c.Error / std::sqrt(3.0) : c.Error;
    EXPECT_NEAR(fit.Level, 100, kLevelTol);
    EXPECT_NEAR(fit.AmplitudePct, c.Amplitude, kAmplitudeTol);
    EXPECT_LT(MonthDistance(fit.Phase, c.Phase), kPhaseTol) << fit.Phase;
    EXPECT_NEAR(fit.ErrorCvPct, cv, kErrorRelTol * cv);
    EXPECT_NEAR(fit.Correlation, c.Rho, kRhoTol);
    EXPECT_NEAR(fit.YearVariationPct, c.Year, c.YearTol);
    EXPECT_EQ(fit.DetectionLimit, c.Limit);
    // Both series at the nearest slider positions, which for these the
    // true settings are.
    for (const double phase : {fit.Settings.PhaseP, fit.Settings.PhaseM}) EXPECT_EQ(phase, c.Phase);
    EXPECT_EQ(fit.Settings.DetectionLimit, c.Limit);
  }
}

TEST(SiteFit, TellsUniformErrorsAndSetsTheirMaximum) {
  // Independent uniform errors are told from the others in every one of 300
  // seeds; their standard deviation is the maximum over the square root of
  // 3, which the fit must undo to give the slider's maximum error.
  SimParams p;
  p.ErrorPctP = 20;
  p.AmplitudeP = 20;
  p.StepMonths = 1;
  p.SampleCount = 240;
  const TSiteFit fit = FitSite(TSiteRecord::Parse(SimulatedRecord(p, 777, 0, false)));
  EXPECT_EQ(fit.ErrorModel, TErrorModel::Uniform);
  EXPECT_NEAR(fit.ErrorPct, 20, 20 * 0.1);
  EXPECT_EQ(fit.Settings.ErrorModel, TErrorModel::Uniform);
  EXPECT_EQ(fit.Settings.ErrorPctP, 20);
  EXPECT_EQ(fit.Settings.ErrorPctM, 20);
}

TEST(SiteFit, SeveralSamplesInAMonthKeepTheirError) {
  // Three independent series of the same design, each month's three samples
  // on three lines: their error is that of one sample, not of a month's
  // mean (which would read 10 / sqrt(3)).
  SimParams p;
  p.ErrorModel = TErrorModel::Normal;
  p.ErrorPctP = 10;
  p.StepMonths = 1;
  p.SampleCount = 120;
  std::string text;
  for (const std::uint64_t seed : {11, 22, 33}) {
    const std::string series = SimulatedRecord(p, seed, 0, false);
    text += series.substr(series.find('\n') + 1);
  }
  const TSiteFit fit = FitSite(TSiteRecord::Parse(text));
  EXPECT_EQ(fit.SampleCount, 360);
  EXPECT_EQ(fit.MonthsSpanned, 120);
  EXPECT_NEAR(fit.ErrorCvPct, 10, 10 * 0.15);
}

}  // namespace
}  // namespace halvorn
