#pragma once
// halvorn-cli fit: the settings a site's monitoring record shows, and the
// record that `run --from` and `power --from` start their design from.

#include <string>

#include "sim/SiteFit.h"
#include "tools/CliOptions.h"

namespace halvorn {

// Reads, parses and fits the record at `path`: raises EInOutError as
// TSiteRecord::ReadFile does, for a path that is not a regular file that can
// be read, and EConvertError for a text that is not a record or cannot be
// fitted, with the path before the Greek message that names the line.
TSiteFit FitRecordFile(const std::string& path);

// The reports, in the C locale's number format whatever the user's: each
// estimate beside the slider setting nearest it, which the design takes.
std::string FitText(const TSiteFit& fit);
std::string FitJson(const TSiteFit& fit);

// `options` with the design starting from the fit's settings: every slider
// the fit sets and the error model, less those the command line sets, which
// keep their values.
TCliOptions WithFittedSettings(const TCliOptions& options, const TSiteFit& fit);

// Prints the fit of options.RecordPath; returns the exit code (1 when the
// record cannot be read or fitted, after saying why on standard error).
int RunFitCommand(const TCliOptions& options);

// `run --from FILE` and `power --from FILE`: replaces `options` by
// WithFittedSettings of the record's fit. False after saying why on standard
// error when the record cannot be read or fitted.
bool StartFromRecord(TCliOptions& options);

}  // namespace halvorn
