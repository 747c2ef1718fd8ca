#pragma once
// The command line of halvorn-cli: the window's settings as options.

#include <string>
#include <vector>

#include "platform/runtime/Exceptions.h"
#include "sim/Simulation.h"

namespace halvorn {

struct TCliSetting {
  TSlider Slider;
  int Position;  // the slider position the option's value stands for
};

struct TCliOptions {
  enum class TCommand { Run, Help, Version };
  TCommand Command = TCommand::Run;
  std::string HelpText;
  // Slider positions in the order of the window's sliders; only options
  // given on the command line are listed, the rest keep the defaults.
  std::vector<TCliSetting> Settings;
  int Test = ttEqualVariance;
  int Runs = 1;
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

// Parses argv (argv[0] is the program). Raises ECliUsage for bad arguments.
TCliOptions ParseCliOptions(const std::vector<std::string>& arguments);

}  // namespace halvorn
