#include <gtest/gtest.h>

#include "tools/CliOptions.h"

namespace halvorn {
namespace {

TCliOptions Parse(std::vector<std::string> args) {
  args.insert(args.begin(), "halvorn-cli");
  return ParseCliOptions(args);
}

TEST(CliOptions, DefaultsAreTheWindowsAndValuesBecomeSliderPositions) {
  const TCliOptions none = Parse({"run"});
  EXPECT_TRUE(none.Settings.empty());
  EXPECT_EQ(none.Test, TTestKind::EqualVariance);
  EXPECT_EQ(none.Runs, 1);
  EXPECT_TRUE(none.DataPath.empty());

  const TCliOptions o = Parse({"run", "--error-before", "35", "--amplitude-after", "100",
                               "--samples", "200", "--test", "paired", "--runs", "3"});
  ASSERT_EQ(o.Settings.size(), 3u);
  EXPECT_EQ(o.Settings[0].Slider, TSlider::ErrorP);
  EXPECT_EQ(o.Settings[0].Position, 7);
  EXPECT_EQ(o.Settings[1].Slider, TSlider::AmpliM);
  EXPECT_EQ(o.Settings[1].Position, 20);
  EXPECT_EQ(o.Settings[2].Slider, TSlider::Samples);
  EXPECT_EQ(o.Settings[2].Position, 200);
  EXPECT_EQ(o.Test, TTestKind::Paired);
  EXPECT_EQ(o.Runs, 3);
  EXPECT_EQ(o.ErrorModel, TErrorModel::Uniform);

  // The measurement model: a correlation in hundredths.
  const struct {
    const char* text;
    int position;
  } correlations[] = {{"0", 0}, {"0.5", 10}, {"0.05", 1}, {"0.95", 19}, {"0.50", 10}};
  for (const auto& c : correlations) {
    const TCliOptions m = Parse({"power", "--correlation", c.text, "--error-model", "lognormal"});
    ASSERT_EQ(m.Settings.size(), 1u);
    EXPECT_EQ(m.Settings[0].Slider, TSlider::Correlation);
    EXPECT_EQ(m.Settings[0].Position, c.position) << c.text;
    EXPECT_EQ(m.ErrorModel, TErrorModel::Lognormal);
  }
  const TCliOptions v = Parse({"power", "--vary", "correlation=0.1:0.5:0.2"});
  ASSERT_TRUE(v.Vary);
  EXPECT_EQ(v.Vary->FromPosition, 2);
  EXPECT_EQ(v.Vary->ToPosition, 10);
  EXPECT_EQ(v.Vary->StepPositions, 4);
}

TEST(CliOptions, ValuesNoSliderCanReachAreRefusedWithTheRule) {
  const struct {
    std::vector<std::string> args;
    const char* mention;
  } cases[] = {
      {{"run", "--error-before", "7"},
       "--error-before: \"7\" is not accepted (accepted: 0 to 200 in steps of 5)"},
      {{"run", "--error-after", "205"}, "--error-after"},
      {{"run", "--amplitude-before", "-5"}, "0 to 100 in steps of 5"},
      {{"run", "--phase-after", "0"}, "1 to 12"},
      {{"run", "--difference", "201"}, "0 to 200"},
      {{"run", "--step", "7"}, "1 to 6"},
      {{"run", "--samples", "2"}, "3 to 200"},
      {{"run", "--samples", "12x"}, "\"12x\""},
      {{"run", "--runs", "0"}, "1 to 1000000"},
      {{"run", "--runs", "1000001"}, "1 to 1000000"},
      {{"run", "--test", "welch"}, "equal, unequal, paired, rank-sum, signed-rank or log-equal"},
      {{"run", "--error-model", "gamma"}, "uniform, normal or lognormal"},
      {{"run", "--correlation", "1"},
       "--correlation: \"1\" is not accepted (accepted: 0.00 to 0.95 in steps of 0.05)"},
      {{"run", "--correlation", "0.555"}, "0.00 to 0.95"},
      {{"run", "--correlation", "0.52"}, "in steps of 0.05"},
      {{"run", "--correlation", ".5"}, "\".5\""},
      {{"run", "--correlation", "0."}, "\"0.\""},
      {{"run", "--correlation", "-0.1"}, "\"-0.1\""},
      {{"run", "--year-variation", "55"}, "0 to 50 in steps of 5"},
      {{"run", "--detection-limit", "3"}, "0 to 150 in steps of 5"},
      {{"power", "--vary", "correlation=0:0.5:0.02"}, "STEP a multiple of 0.05"},
      {{"run", "--bogus"}, "--bogus: unknown option (see --help)"},
      {{"run", "-x"}, "-x: unknown option"},
      {{"run", "--runs"}, "--runs: a value is missing (see --help)"},
      {{"run", "--help=3"}, "--help: takes no value"},
      {{}, "missing command"},
      {{"walk"}, "unknown command \"walk\""},
      {{"power", "--runs", "10000001"},
       "--runs: \"10000001\" is not accepted (accepted: 1 to 10000000)"},
      {{"power", "--skip", "-1"}, "--skip"},
      {{"power", "--threads", "0"}, "1 to 256"},
      {{"power", "--vary", "colour"}, "NAME one of error-before, error-after"},
      {{"power", "--vary", "samples=2:10"}, "samples=FROM:TO[:STEP]"},
      {{"power", "--vary", "samples=20:10"}, "--vary: \"samples=20:10\""},
      {{"power", "--vary", "error-before=0:50:3"}, "STEP a multiple of 5"},
      {{"power", "--vary", "error-before=0:50:"}, "--vary"},
      {{"power", "--vary", "samples", "--target", "0"}, "a percentage above 0, at most 100"},
      {{"power", "--target", "90"}, "--target: only with --vary"},
      {{"power", "--csv"}, "--csv: only with --vary"},
      {{"power", "--vary", "step", "--csv", "--json"}, "--csv: not together with --json"},
      {{"power", "--test", "paired"}, "--test: an option of \"run\", not of \"power\""},
      {{"run", "--vary", "samples"}, "--vary: an option of \"power\", not of \"run\""},
      {{"run", "--json"}, "--json: an option of \"power\" and \"fit\", not of \"run\""},
      {{"fit", "r.csv", "--vary", "samples"}, "--vary: an option of \"power\", not of \"fit\""},
      {{"fit", "r.csv", "--samples", "24"}, "--samples: an option of \"run\" and \"power\""},
      {{"fit"}, "fit: the record FILE is missing"},
      {{"fit", ""}, "fit: the record FILE is missing"},
      {{"fit", "a.csv", "b.csv"}, "fit: one record FILE, not 2"},
      {{"power", "--from", ""}, "--from: \"\" is not accepted"},
  };
  for (const auto& c : cases) {
    try {
      Parse(c.args);
      ADD_FAILURE() << "accepted: " << c.mention;
    } catch (const ECliUsage& e) {
      EXPECT_NE(std::string(e.what()).find(c.mention), std::string::npos) << e.what();
    }
  }
}

TEST(CliOptions, PowerOptions) {
  const TCliOptions defaults = Parse({"power"});
  EXPECT_EQ(defaults.Command, TCliOptions::TCommand::Power);
  EXPECT_EQ(defaults.Runs, 10000);
  EXPECT_EQ(defaults.Skip, 0);
  EXPECT_EQ(defaults.Threads, 0);
  EXPECT_FALSE(defaults.Vary);
  EXPECT_EQ(defaults.Format, TCliOptions::TFormat::Text);

  const TCliOptions o =
      Parse({"power", "--samples", "30", "--runs", "10000000", "--skip", "1000000000000",
             "--threads", "3", "--vary", "error-after=10:50:10", "--target", "62.5", "--csv"});
  EXPECT_EQ(o.Runs, 10000000);
  EXPECT_EQ(o.Skip, 1000000000000);
  EXPECT_EQ(o.Threads, 3);
  ASSERT_TRUE(o.Vary);
  EXPECT_EQ(o.Vary->Slider, TSlider::ErrorM);
  EXPECT_EQ(o.Vary->FromPosition, 2);
  EXPECT_EQ(o.Vary->ToPosition, 10);
  EXPECT_EQ(o.Vary->StepPositions, 2);
  EXPECT_EQ(o.Target, (TPowerTarget{625, 1}));
  EXPECT_EQ(o.Format, TCliOptions::TFormat::Csv);
  // A name alone sweeps every position of its slider.
  const TCliOptions all = Parse({"power", "--vary", "samples", "--json"});
  EXPECT_EQ(all.Vary->FromPosition, 3);
  EXPECT_EQ(all.Vary->ToPosition, 200);
  EXPECT_EQ(all.Vary->StepPositions, 1);
  EXPECT_EQ(all.Format, TCliOptions::TFormat::Json);
}

TEST(CliOptions, FitTakesARecordAndRunAndPowerStartFromOne) {
  const TCliOptions fit = Parse({"fit", "site.csv", "--json"});
  EXPECT_EQ(fit.Command, TCliOptions::TCommand::Fit);
  EXPECT_EQ(fit.RecordPath, "site.csv");
  EXPECT_EQ(fit.Format, TCliOptions::TFormat::Json);
  EXPECT_EQ(Parse({"fit", "site.csv"}).Format, TCliOptions::TFormat::Text);

  const TCliOptions from = Parse({"power", "--from", "site.csv", "--error-model", "normal"});
  EXPECT_EQ(from.RecordPath, "site.csv");
  EXPECT_TRUE(from.ErrorModelGiven);
  // The default model, not given, leaves the record's in place.
  const TCliOptions run = Parse({"run", "--from", "site.csv"});
  EXPECT_EQ(run.RecordPath, "site.csv");
  EXPECT_FALSE(run.ErrorModelGiven);
  EXPECT_TRUE(Parse({"run"}).RecordPath.empty());
}

TEST(CliOptions, HelpAndVersion) {
  const TCliOptions help = Parse({"--help"});
  EXPECT_EQ(help.Command, TCliOptions::TCommand::Help);
  EXPECT_NE(help.HelpText.find("--error-before <PCT>"), std::string::npos);
  EXPECT_EQ(Parse({"--version"}).Command, TCliOptions::TCommand::Version);
}

}  // namespace
}  // namespace halvorn
