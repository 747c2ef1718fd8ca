#pragma once
// The measurement model estimated from a site's monitoring record, in the
// program's own terms, so that a design can start from what the site
// actually shows.
//
// The record's seasonal cycle is the least-squares fit of
//   value ~ a + b cos(2 pi m / 12) + c sin(2 pi m / 12)
// over every sample (m its calendar month, 1-12). The program's level is
//   baseline + amplitude cos(2 pi (m - phase) / 12)
// with a baseline of 100, so a is the level, 100 sqrt(b^2 + c^2) / a the
// amplitude in percent of it (the program's amplitude at its baseline of
// 100), and the phase the month where the fitted cycle peaks. A censored
// sample enters the cycle's fit at half its detection limit, as the
// program's tests take it, but not the errors' estimates below: half the
// limit is no measurement, and taken as one it would inflate the error.
//
// The rest comes from the relative residuals value / fitted - 1, averaged
// per calendar month: their variance, their lag-1 autocovariance over
// consecutive months, and the variance of the calendar years' means. The
// program's errors e (month-to-month AR(1), coefficient of variation CV)
// and year factors (standard deviation Y) give these
//   CV^2 + Y^2,   rho CV^2 + q Y^2,   Y^2 + CV^2 f(rho, k)
// (q the share of consecutive months within one year, f the variance of a
// mean of k AR(1) months per unit variance), which are solved for CV, rho
// and Y; Y^2 is floored at 0. A month's mean hides part of the error of its
// several samples, so CV^2 is then taken again from the samples' own
// variance, less Y^2. The error model is the one of uniform, normal
// and lognormal whose skewness and kurtosis are nearest those of the
// residuals.

#include <cstdint>

#include "sim/MeasurementModel.h"
#include "sim/SimParams.h"
#include "sim/SiteRecord.h"

namespace halvorn {

struct TSiteFit {
  double Level = 0;         // the fitted mean level, in the record's units
  double AmplitudePct = 0;  // of the level
  double Phase = 1;         // the month of the fitted maximum, in [1, 13)
  double ErrorCvPct = 0;    // the coefficient of variation of the errors
  TErrorModel ErrorModel = TErrorModel::Uniform;
  double ErrorPct = 0;  // the program's error parameter for ErrorModel
  double Correlation = 0;
  double YearVariationPct = 0;
  double DetectionLimit = 0;  // the largest written, in the record's units
  // The limit relative to the level, in the units of the program's baseline
  // of 100: what the slider sets.
  double ScaledDetectionLimit = 0;
  std::int32_t MonthsSpanned = 0;
  std::int32_t SampleCount = 0;
  // Every estimate at the nearest position of its slider, for both series;
  // the difference, step and sample count stay at their defaults.
  SimParams Settings;
};

// Raises EConvertError when the record cannot give a seasonal fit: samples
// in fewer than three calendar months of the year, a fitted level that is
// not positive in some month sampled or on average over the year, or values
// so large that the fit overflows.
TSiteFit FitSite(const TSiteRecord& record);

}  // namespace halvorn
