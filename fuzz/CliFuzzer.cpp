// halvorn-cli's argument parsing: any command line either parses into
// settings the tool can run with, or is refused with ECliUsage.
//
// The first byte picks the command; the rest, split at zero bytes, are the
// arguments after it. A new command is one more entry of kCommands.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "tools/CliOptions.h"

namespace {

constexpr const char* kCommands[] = {"run", "", "power", "fit"};

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::vector<std::string> arguments{"halvorn-cli"};
  if (const char* command = kCommands[data[0] % std::size(kCommands)]; *command != 0)
    arguments.emplace_back(command);
  std::string argument;
  for (std::size_t i = 1; i < size; ++i) {
    if (data[i] == 0) {
      arguments.push_back(argument);
      argument.clear();
    } else {
      argument += static_cast<char>(data[i]);
    }
  }
  if (!argument.empty()) arguments.push_back(argument);

  using halvorn::TCliOptions;
  try {
    const TCliOptions options = halvorn::ParseCliOptions(arguments);
    // What parses is within the ranges the tool promises.
    const bool power = options.Command == TCliOptions::TCommand::Power;
    Require(options.Runs >= 1 && options.Runs <= (power ? halvorn::kMaxPowerRuns : 1000000));
    Require(options.Skip >= 0 && options.Skip <= halvorn::kMaxSkip);
    Require(options.Threads >= 0 && options.Threads <= halvorn::kMaxThreads);
    Require(options.Target.Units > 0 && options.Target.Units <= 100 * options.Target.Scale() &&
            options.Target.Decimals <= halvorn::TPowerTarget::kMaxDecimals);
    if (options.Vary) {
      const halvorn::TSliderInfo& info = halvorn::SliderInfo(options.Vary->Slider);
      Require(info.Min <= options.Vary->FromPosition &&
              options.Vary->FromPosition <= options.Vary->ToPosition &&
              options.Vary->ToPosition <= info.Max && options.Vary->StepPositions >= 1);
    }
    Require(halvorn::TestIndex(options.Test) < halvorn::kTests.size());
    Require(options.PngWidth >= 1 && options.PngWidth <= 4000);
    Require(options.PngHeight >= 1 && options.PngHeight <= 4000);
    for (const auto& setting : options.Settings)
      Require(setting.Position >= 0 && setting.Position <= 200);
    if (options.Command == TCliOptions::TCommand::Help) Require(!options.HelpText.empty());
    if (options.Command == TCliOptions::TCommand::Fit) Require(!options.RecordPath.empty());
  } catch (const halvorn::ECliUsage& e) {
    Require(e.what()[0] != 0);
  }
  return 0;
}
