#pragma once
// halvorn-cli power: how often the next Runs of a design find its difference.

#include <array>
#include <string>
#include <vector>

#include "sim/PowerEngine.h"
#include "sim/SliderTable.h"
#include "tools/CliOptions.h"

namespace halvorn {

// The design of a command line: every slider's position, defaults where no
// option was given.
struct TCliDesign {
  std::array<int, kSliders.size()> Positions;
  TErrorModel ErrorModel = TErrorModel::Uniform;
  static TCliDesign Of(const TCliOptions& options);
  SimParams Params() const;
  int Value(TSlider s) const {
    return SliderInfo(s).ValueAt(Positions[static_cast<std::size_t>(s)]);
  }
  // The value as the tool writes it ("0.50" for a correlation of 50).
  std::string ValueText(TSlider s) const { return SliderValueText(SliderInfo(s), Value(s)); }
};

// The reports, in the C locale's number format whatever the user's.
struct TPowerReport {
  TCliDesign Design;
  std::int64_t Runs, Skip;
  TPowerResult Tests, FalsePositive;
};
std::string PowerText(const TPowerReport& report);
std::string PowerJson(const TPowerReport& report);

struct TSweepReport {
  TCliDesign Design;
  std::int64_t Runs, Skip;
  TSlider Slider;
  TPowerTarget Target;
  std::vector<TSweepPoint> Points;
};
std::string SweepText(const TSweepReport& report);
std::string SweepJson(const TSweepReport& report);
std::string SweepCsv(const TSweepReport& report);

// Computes and prints; returns the exit code (130 when interrupted by
// Ctrl-C, which stops the computation cleanly).
int RunPowerCommand(const TCliOptions& options);

}  // namespace halvorn
