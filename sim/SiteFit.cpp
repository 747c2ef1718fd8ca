#include "sim/SiteFit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "platform/runtime/Exceptions.h"

namespace halvorn {

namespace {

constexpr double kOmega = 2 * std::numbers::pi / 12;

struct THarmonic {
  double A, B, C;
  double At(std::int32_t month) const {
    return A + B * std::cos(kOmega * month) + C * std::sin(kOmega * month);
  }
};

double ValueOf(const TSiteSample& s) { return s.Censored ? s.Value / 2 : s.Value; }

// The normal equations of the three-term fit, solved by elimination with
// partial pivoting.
THarmonic FitHarmonic(const std::vector<TSiteSample>& samples) {
  std::array<std::array<double, 4>, 3> m{};
  std::array<bool, 12> seen{};
  for (const TSiteSample& s : samples) {
    seen[static_cast<std::size_t>(s.Month - 1)] = true;
    const double x[3] = {1, std::cos(kOmega * s.Month), std::sin(kOmega * s.Month)};
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 3; ++j) m[i][j] += x[i] * x[j];
      m[i][3] += x[i] * ValueOf(s);
    }
  }
  // Three distinct points of the circle determine the fit; fewer leave it
  // singular.
  if (std::count(seen.begin(), seen.end(), true) < 3)
    throw EConvertError(
        "οι μετρήσεις πρέπει να καλύπτουν τουλάχιστον τρεις διαφορετικούς μήνες του έτους");
  for (int col = 0; col < 3; ++col) {
    int pivot = col;
    for (int r = col + 1; r < 3; ++r)
      if (std::abs(m[r][col]) > std::abs(m[pivot][col])) pivot = r;
    std::swap(m[col], m[pivot]);
    for (int r = 0; r < 3; ++r) {
      if (r == col) continue;
      const double k = m[r][col] / m[col][col];
      for (int c = col; c < 4; ++c) m[r][c] -= k * m[col][c];
    }
  }
  return {m[0][3] / m[0][0], m[1][3] / m[1][1], m[2][3] / m[2][2]};
}

// The variance of the mean of k consecutive months of a stationary AR(1)
// series of unit variance.
double MeanVariance(double rho, std::int32_t k) {
  double sum = 1, power = 1;
  for (std::int32_t h = 1; h < k; ++h) {
    power *= rho;
    sum += 2 * (1 - static_cast<double>(h) / k) * power;
  }
  return sum / k;
}

struct TMoments {
  double Variance = 0, Lag1 = 0, WithinYear = 0, YearMeans = 0;
  std::vector<std::int32_t> MonthsPerYear;
};

// The monthly relative residuals' moments: months with several samples are
// averaged, and pairs across a gap are skipped.
TMoments MomentsOf(const std::vector<double>& residual, const std::vector<std::int32_t>& count,
                   std::int32_t firstIndex) {
  TMoments m;
  double mean = 0;
  std::int32_t months = 0;
  for (std::size_t t = 0; t < residual.size(); ++t)
    if (count[t] > 0) {
      mean += residual[t];
      ++months;
    }
  mean /= months;
  std::int32_t pairs = 0, within = 0;
  std::vector<double> yearSum;
  for (std::size_t t = 0; t < residual.size(); ++t) {
    if (count[t] == 0) continue;
    const double d = residual[t] - mean;
    m.Variance += d * d;
    const auto year = static_cast<std::size_t>((firstIndex + static_cast<std::int32_t>(t)) / 12 -
                                               firstIndex / 12);
    if (year >= yearSum.size()) {
      yearSum.resize(year + 1);
      m.MonthsPerYear.resize(year + 1);
    }
    yearSum[year] += d;
    ++m.MonthsPerYear[year];
    if (t + 1 < residual.size() && count[t + 1] > 0) {
      m.Lag1 += d * (residual[t + 1] - mean);
      ++pairs;
      if ((firstIndex + static_cast<std::int32_t>(t) + 1) % 12 != 0) ++within;
    }
  }
  m.Variance /= months;
  m.Lag1 = pairs > 0 ? m.Lag1 / pairs : 0;
  m.WithinYear = pairs > 0 ? static_cast<double>(within) / pairs : 1;
  std::int32_t years = 0;
  for (std::size_t y = 0; y < yearSum.size(); ++y) {
    if (m.MonthsPerYear[y] == 0) continue;
    const double yearMean = yearSum[y] / m.MonthsPerYear[y];
    m.YearMeans += yearMean * yearMean;
    ++years;
  }
  // The years' means scatter about the overall mean, which they themselves
  // set: one degree of freedom less.
  m.YearMeans /= std::max(years - 1, 1);
  return m;
}

struct TErrorSplit {
  double Cv2, Rho, Year2;
};

// Solves the three moment equations by fixed-point iteration from the
// correlation the residuals show without a year effect.
TErrorSplit SplitErrors(const TMoments& m) {
  TErrorSplit s{m.Variance, m.Variance > 0 ? m.Lag1 / m.Variance : 0, 0};
  for (int it = 0; it < 200; ++it) {
    s.Rho = std::clamp(s.Rho, -0.99, 0.99);
    double f = 0;
    std::int32_t years = 0;
    for (std::int32_t k : m.MonthsPerYear)
      if (k > 0) {
        f += MeanVariance(s.Rho, k);
        ++years;
      }
    f /= years;
    s.Year2 = f < 1 ? std::clamp((m.YearMeans - m.Variance * f) / (1 - f), 0.0, m.Variance) : 0;
    s.Cv2 = m.Variance - s.Year2;
    s.Rho = s.Cv2 > 0 ? (m.Lag1 - m.WithinYear * s.Year2) / s.Cv2 : 0;
  }
  s.Rho = std::clamp(s.Rho, -0.99, 0.99);
  return s;
}

// Of the three error models, the one whose skewness and excess kurtosis are
// nearest those of the residuals (with the year effect taken out), each
// measured in its standard errors for a normal sample of that size. Ties
// keep the earlier model: uniform, the program's default.
TErrorModel ChooseErrorModel(const std::vector<double>& r, const TErrorSplit& s) {
  const auto n = static_cast<double>(r.size());
  double mean = 0;
  for (double x : r) mean += x;
  mean /= n;
  double m2 = 0, m3 = 0, m4 = 0;
  for (double x : r) {
    const double d = x - mean;
    m2 += d * d;
    m3 += d * d * d;
    m4 += d * d * d * d;
  }
  m2 /= n;
  m3 /= n;
  m4 /= n;
  if (m2 <= 0 || s.Cv2 <= 0) return TErrorModel::Uniform;
  const double skew = m3 / std::pow(m2, 1.5), kurt = m4 / (m2 * m2) - 3;
  const double c = std::sqrt(s.Cv2);
  // The standardised errors' third and fourth cumulants: an AR(1) sum of
  // uniform deviates keeps (1 - rho^2) / (1 + rho^2) of their -1.2.
  const double rho2 = s.Rho * s.Rho;
  const struct {
    TErrorModel Model;
    double K3, K4;
  } models[] = {
      {TErrorModel::Uniform, 0, -1.2 * (1 - rho2) / (1 + rho2)},
      {TErrorModel::Normal, 0, 0},
      {TErrorModel::Lognormal, 3 * c + c * c * c,
       16 * c * c + 15 * std::pow(c, 4) + 6 * std::pow(c, 6) + std::pow(c, 8)},
  };
  TErrorModel best = TErrorModel::Uniform;
  double bestDistance = INFINITY;
  for (const auto& model : models) {
    const double distance = (skew - model.K3) * (skew - model.K3) / (6 / n) +
                            (kurt - model.K4) * (kurt - model.K4) / (24 / n);
    if (distance < bestDistance) {
      best = model.Model;
      bestDistance = distance;
    }
  }
  return best;
}

// The position of the slider nearest a value in its units (a correlation
// in hundredths), within the slider's range.
int NearestPosition(TSlider slider, double value) {
  const TSliderInfo& info = SliderInfo(slider);
  const long position = std::lround(value / info.Scale);
  return static_cast<int>(std::clamp<long>(position, info.Min, info.Max));
}

void SetBoth(SimParams& p, TSlider before, TSlider after, double value) {
  ApplySlider(p, before, NearestPosition(before, value));
  ApplySlider(p, after, NearestPosition(after, value));
}

}  // namespace

TSiteFit FitSite(const TSiteRecord& record) {
  const std::vector<TSiteSample>& samples = record.Samples();
  const THarmonic h = FitHarmonic(samples);
  // Values near the largest double overflow the fit's sums.
  if (!std::isfinite(h.A) || !std::isfinite(h.B) || !std::isfinite(h.C))
    throw EConvertError("οι τιμές είναι πολύ μεγάλες για την προσαρμογή του εποχικού κύκλου");
  // The cycle's mean over the twelve months of the year. Where it is not
  // positive the cycle is negative in some month, though it may be positive
  // in every month sampled (a few neighbouring months of the year), and
  // nothing can be taken relative to it.
  if (!(h.A > 0))
    throw EConvertError(
        "το προσαρμοσμένο μέσο επίπεδο δεν είναι θετικό: οι μήνες του έτους που καλύπτουν οι "
        "μετρήσεις δεν ορίζουν τον εποχικό κύκλο");
  TSiteFit fit;
  fit.Level = h.A;
  fit.MonthsSpanned = record.MonthsSpanned();
  fit.SampleCount = static_cast<std::int32_t>(samples.size());
  fit.DetectionLimit = record.DetectionLimit();

  // Relative residuals need a positive fitted level in every month sampled.
  std::array<double, 13> fitted{};
  for (std::int32_t month = 1; month <= 12; ++month) fitted[month] = h.At(month);
  // A censored sample enters the cycle's fit at half its limit, but its
  // residual says nothing of the error, only that the value was low: the
  // errors are estimated from the other samples, a censored one leaving a
  // gap in the months.
  std::vector<double> relative;
  std::vector<std::int32_t> relativeYear;
  relative.reserve(samples.size());
  relativeYear.reserve(samples.size());
  const auto span = static_cast<std::size_t>(record.MonthsSpanned());
  std::vector<double> monthly(span);
  std::vector<std::int32_t> count(span);
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const TSiteSample& s = samples[i];
    if (!(fitted[s.Month] > 0))
      throw EConvertError("Γραμμή " + std::to_string(s.Line) +
                          ": το προσαρμοσμένο εποχικό επίπεδο του μήνα δεν είναι θετικό");
    if (s.Censored) continue;
    relative.push_back(s.Value / fitted[s.Month] - 1);
    relativeYear.push_back(s.Year);
    const auto t = static_cast<std::size_t>(s.MonthIndex() - record.FirstMonthIndex());
    monthly[t] += relative.back();
    ++count[t];
  }
  for (std::size_t t = 0; t < span; ++t)
    if (count[t] > 1) monthly[t] /= count[t];

  fit.AmplitudePct = 100 * std::hypot(h.B, h.C) / h.A;
  // b = A cos(omega phase), c = A sin(omega phase); atan2 gives (-6, 6].
  double phase = std::atan2(h.C, h.B) / kOmega;
  if (phase < 1) phase += 12;
  // A phase a hair below 1 is rounded up to 13 by that sum: it is January.
  if (phase >= 13) phase -= 12;
  fit.Phase = phase;

  // With every sample censored nothing is known of the errors: none are
  // set.
  TErrorSplit split{0, 0, 0};
  if (!relative.empty()) {
    split = SplitErrors(MomentsOf(monthly, count, record.FirstMonthIndex()));
    // Averaging a month's several samples hides part of their error, so the
    // error's variance comes from the samples themselves, less the years'.
    double mean = 0, variance = 0;
    for (double r : relative) mean += r;
    mean /= static_cast<double>(relative.size());
    for (double r : relative) variance += (r - mean) * (r - mean);
    variance /= static_cast<double>(relative.size());
    split.Cv2 = std::max(variance - split.Year2, 0.0);
    // The error model is judged on the residuals with each calendar year's
    // factor divided out: the product of a year's factor and a sample's error
    // is skewed even when both are normal.
    std::vector<double> yearSum(span / 12 + 2), yearCount(span / 12 + 2);
    const std::int32_t firstYear = record.FirstMonthIndex() / 12;
    for (std::size_t t = 0; t < span; ++t)
      if (count[t] > 0) {
        const auto y = static_cast<std::size_t>(
            (record.FirstMonthIndex() + static_cast<std::int32_t>(t)) / 12 - firstYear);
        yearSum[y] += monthly[t];
        ++yearCount[y];
      }
    for (std::size_t i = 0; i < relative.size(); ++i) {
      const auto y = static_cast<std::size_t>(relativeYear[i] - firstYear);
      relative[i] = (1 + relative[i]) / (1 + yearSum[y] / yearCount[y]) - 1;
    }
    fit.ErrorModel = ChooseErrorModel(relative, split);
  }
  fit.ErrorCvPct = 100 * std::sqrt(split.Cv2);
  fit.Correlation = split.Rho;
  fit.YearVariationPct = 100 * std::sqrt(split.Year2);
  // The program's uniform error is the maximum of 20001 equally spaced
  // draws, whose standard deviation per percent of maximum is this.
  const double uniformSdPerPct = std::sqrt((20001.0 * 20001.0 - 1) / 12) / 10000;
  fit.ErrorPct =
      fit.ErrorModel == TErrorModel::Uniform ? fit.ErrorCvPct / uniformSdPerPct : fit.ErrorCvPct;
  fit.ScaledDetectionLimit = 100 * fit.DetectionLimit / h.A;

  SimParams& p = fit.Settings;
  SetBoth(p, TSlider::ErrorP, TSlider::ErrorM, fit.ErrorPct);
  SetBoth(p, TSlider::AmpliP, TSlider::AmpliM, fit.AmplitudePct);
  // The slider's months run 1-12; a peak nearer 13 is January's.
  const long month = std::lround(fit.Phase);
  SetBoth(p, TSlider::FasiP, TSlider::FasiM, month == 13 ? 1 : month);
  p.ErrorModel = fit.ErrorModel;
  ApplySlider(p, TSlider::Correlation,
              NearestPosition(TSlider::Correlation, 100 * fit.Correlation));
  ApplySlider(p, TSlider::YearVariation,
              NearestPosition(TSlider::YearVariation, fit.YearVariationPct));
  ApplySlider(p, TSlider::DetectionLimit,
              NearestPosition(TSlider::DetectionLimit, fit.ScaledDetectionLimit));
  return fit;
}

}  // namespace halvorn
