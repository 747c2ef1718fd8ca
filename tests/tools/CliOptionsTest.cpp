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
  EXPECT_EQ(none.Test, ttEqualVariance);
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
  EXPECT_EQ(o.Test, ttPaired);
  EXPECT_EQ(o.Runs, 3);
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
      {{"run", "--test", "welch"}, "equal, unequal or paired"},
      {{"run", "--bogus"}, "bogus"},
      {{}, "missing command"},
      {{"walk"}, "unknown command \"walk\""},
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

TEST(CliOptions, HelpAndVersion) {
  const TCliOptions help = Parse({"--help"});
  EXPECT_EQ(help.Command, TCliOptions::TCommand::Help);
  EXPECT_NE(help.HelpText.find("--error-before <PCT>"), std::string::npos);
  EXPECT_EQ(Parse({"--version"}).Command, TCliOptions::TCommand::Version);
}

}  // namespace
}  // namespace halvorn
