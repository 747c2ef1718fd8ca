#pragma once
// The command line of halvorn-cli: the window's settings as options, and
// `fit`, the settings a site's monitoring record shows.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/runtime/Exceptions.h"
#include "sim/PowerEngine.h"
#include "sim/Simulation.h"

namespace halvorn {

struct TCliSetting {
  TSlider Slider;
  int Position;  // the slider position the option's value stands for
};

// `power --vary`: the slider swept and its positions.
struct TCliVary {
  TSlider Slider;
  int FromPosition, ToPosition, StepPositions;
};

struct TCliOptions {
  enum class TCommand { Run, Power, Fit, Help, Version };
  enum class TFormat { Text, Json, Csv };
  TCommand Command = TCommand::Run;
  std::string HelpText;
  // Slider positions in the order of the window's sliders; only options
  // given on the command line are listed, the rest keep the defaults.
  std::vector<TCliSetting> Settings;
  TErrorModel ErrorModel = TErrorModel::Uniform;
  bool ErrorModelGiven = false;  // --error-model on the command line
  // `fit`: its FILE; `run` and `power`: --from FILE, the record whose fitted
  // settings the design starts from. Empty: none.
  std::string RecordPath;
  TTestKind Test = TTestKind::EqualVariance;
  int Runs = 1;  // `run`: 1 by default; `power`: 10000
  // `power` only.
  std::int64_t Skip = 0;
  int Threads = 0;  // 0: one per core
  std::optional<TCliVary> Vary;
  TPowerTarget Target = TPowerTarget::Percent(80);
  TFormat Format = TFormat::Text;
  std::string DataPath;  // empty: no data file
  std::string PngPath;   // empty: no picture
  // The size of the picture: the main window's chart by default.
  int PngWidth = 873;
  int PngHeight = 393;
};

// A command line that cannot be run: the message names the option, the
// value and what is accepted.
class ECliUsage : public Exception {
 public:
  using Exception::Exception;
};

// The limits of `power`'s own options.
inline constexpr int kMaxPowerRuns = 10000000;
inline constexpr std::int64_t kMaxSkip = 1000000000000;
inline constexpr int kMaxThreads = 256;

// Parses argv (argv[0] is the program). Raises ECliUsage for bad arguments.
TCliOptions ParseCliOptions(const std::vector<std::string>& arguments);

}  // namespace halvorn
