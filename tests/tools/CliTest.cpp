// Runs the real halvorn-cli binary and reads what it prints.

#include <gtest/gtest.h>

#include <QImage>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/tools/CliRunner.h"

namespace {

using halvorn_test::Lines;
using halvorn_test::Outcome;
using halvorn_test::RunCli;
using halvorn_test::TempPath;

TEST(Cli, FirstRunOfEachTestWithDefaults) {
  const struct {
    const char* args;
    const char* line;
  } cases[] = {
      {"run", "t=-1.650 p=0.113 not significant"},
      {"run --test unequal", "t=-1.650 p=0.113 not significant"},
      {"run --test paired", "t=-8.742 p=0.000 significant"},
      // R on the same samples: W = 44, p = 0.1135; V = 0, p = 0.00049;
      // t = -1.7228, p = 0.0990.
      {"run --test rank-sum", "W=44 p=0.114 not significant"},
      {"run --test signed-rank", "V=0 p=0.000 significant"},
      {"run --test log-equal", "t=-1.723 p=0.099 not significant"},
  };
  for (const auto& c : cases) {
    const Outcome o = RunCli(c.args);
    EXPECT_EQ(o.status, 0) << c.args;
    EXPECT_EQ(o.out, std::string(c.line) + "\n") << c.args;
    EXPECT_EQ(o.err, "");
  }
}

TEST(Cli, RunsContinueTheRandomSequence) {
  const Outcome o = RunCli("run --runs 2");
  ASSERT_EQ(o.status, 0);
  const auto lines = Lines(o.out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "t=-1.650 p=0.113 not significant");
  EXPECT_NE(lines[1], lines[0]);
}

TEST(Cli, ConstantSeriesEndInTheTrapAndTheToolGoesOn) {
  const std::string constant =
      "run --error-before 0 --error-after 0 --amplitude-before 0 --amplitude-after 0";
  const Outcome zero = RunCli(constant + " --runs 2");
  EXPECT_EQ(zero.status, 1);
  EXPECT_EQ(zero.out,
            "error: Floating point division by zero.\nerror: Floating point division by zero.\n");
  const Outcome invalid = RunCli(constant + " --difference 0");
  EXPECT_EQ(invalid.status, 1);
  EXPECT_EQ(invalid.out, "error: Invalid floating point operation.\n");
  // The rank and log tests say why they have no p.
  const struct {
    const char* test;
    const char* why;
  } undefined[] = {{"rank-sum", "every value is tied"},
                   {"signed-rank", "every pair's difference is zero"},
                   {"log-equal", "the logarithms are constant"}};
  for (const auto& u : undefined) {
    const Outcome o = RunCli(constant + " --difference 0 --test " + u.test);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.out, std::string("error: The test has no p value: ") + u.why + ".\n");
  }
}

TEST(Cli, DataFileHoldsTheLastRunsPoints) {
  const std::string path = TempPath("points.csv");
  const struct {
    std::string args;
    std::size_t rows;
    const char* lastMonth;
  } cases[] = {
      {"run --data " + path, 12, "12,"},
      {"run --step 6 --samples 200 --data " + path, 200, "1195,"},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(RunCli(c.args).status, 0);
    std::ifstream in(path);
    std::stringstream ss;
    ss << in.rdbuf();
    const auto lines = Lines(ss.str());
    ASSERT_EQ(lines.size(), c.rows + 1);
    EXPECT_EQ(lines[0], "month,before,after");
    EXPECT_EQ(lines[1].rfind("1,", 0), 0u);
    EXPECT_EQ(lines.back().rfind(c.lastMonth, 0), 0u) << lines.back();
  }
  // The first default sample, with full double precision.
  ASSERT_EQ(RunCli("run --data " + path).status, 0);
  std::ifstream in(path);
  std::string header, first;
  std::getline(in, header);
  std::getline(in, first);
  EXPECT_EQ(first.rfind("1,68.0021011", 0), 0u) << first;

  // With a detection limit each series says which samples lay below it;
  // those are written as half the limit. The seasonal low of the defaults,
  // about 60, lies below 90, its high of 140 above.
  ASSERT_EQ(RunCli("run --detection-limit 90 --data " + path).status, 0);
  std::ifstream censored(path);
  std::stringstream all;
  all << censored.rdbuf();
  const auto rows = Lines(all.str());
  ASSERT_EQ(rows.size(), 13u);
  EXPECT_EQ(rows[0], "month,before,after,before_censored,after_censored");
  EXPECT_EQ(rows[1].rfind("1,45,", 0), 0u) << rows[1];
  EXPECT_EQ(rows[1].substr(rows[1].size() - 4), ",1,0");
  EXPECT_EQ(rows[6].substr(rows[6].size() - 4), ",0,0");
  std::remove(path.c_str());
}

TEST(Cli, AModelOffItsDefaultIsNamedInEveryReport) {
  const std::string model =
      "power --runs 300 --error-model lognormal --correlation 0.5 --detection-limit 20";
  const Outcome text = RunCli(model);
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(Lines(text.out)[0],
            "design: error-before 10, error-after 10, amplitude-before 40, amplitude-after 40, "
            "phase-before 6, phase-after 6, difference 20, step 1, samples 12, error-model "
            "lognormal, correlation 0.50, year-variation 0, detection-limit 20");
  const Outcome json = RunCli(model + " --json");
  EXPECT_NE(json.out.find("\"samples\": 12, \"error_model\": \"lognormal\", \"correlation\": "
                          "0.50, \"year_variation\": 0, \"detection_limit\": 20}"),
            std::string::npos)
      << json.out;
  // A sweep of the correlation in its own units.
  const Outcome sweep = RunCli("power --runs 200 --vary correlation=0:0.9:0.45 --json");
  EXPECT_NE(sweep.out.find("\"vary\": \"correlation\""), std::string::npos);
  EXPECT_NE(sweep.out.find("{\"value\": 0.45, "), std::string::npos) << sweep.out;
  EXPECT_NE(sweep.out.find("{\"value\": 0.90, "), std::string::npos);
}

TEST(Cli, PngHoldsTheChartAsTheWindowShowsIt) {
  const std::string path = TempPath("chart.png");
  const struct {
    std::string args;
    int width, height;
  } cases[] = {{"run --png " + path, 873, 393},
               {"run --png " + path + " --size 320x200", 320, 200}};
  for (const auto& c : cases) {
    const Outcome o = RunCli(c.args);
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, "t=-1.650 p=0.113 not significant\n");
    EXPECT_EQ(o.err, "");
    const QImage image(QString::fromStdString(path), "PNG");
    ASSERT_FALSE(image.isNull()) << c.args;
    EXPECT_EQ(image.width(), c.width);
    EXPECT_EQ(image.height(), c.height);
    // The raised bevel: highlight at the top, shadow at the right.
    EXPECT_EQ(image.pixel(c.width / 2, 0), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(c.width - 1, c.height / 2), qRgb(128, 128, 128));
  }
  std::remove(path.c_str());
}

TEST(Cli, BadArgumentsAndUnwritableDataExitTwoBeforeAnyRun) {
  const char* cases[] = {"run --samples 2",
                         "run --test median",
                         "jump",
                         "run --data /nonexistent-dir/x.csv",
                         "run --png /nonexistent-dir/x.png",
                         "run --png x.png --size 0x10",
                         "run --png x.png --size 100",
                         "run --size 100x100"};
  for (const char* args : cases) {
    const Outcome o = RunCli(args);
    EXPECT_EQ(o.status, 2) << args;
    EXPECT_EQ(o.out, "") << args;
    EXPECT_EQ(Lines(o.err).size(), 1u) << o.err;
  }
}

// The first and second Runs that `run` prints, judged by `power`.
TEST(Cli, PowerJudgesTheRunsThatRunPrints) {
  const struct {
    const char* args;
    const char* equal;   // the pooled test's histogram: p 0.113 and 0.150 lie in bin 2
    const char* paired;  // p 0.000
  } cases[] = {
      {"power --runs 1 --skip 0 --json", "\"p_histogram\": [0, 0, 1, 0,", "\"significant\": 1,"},
      {"power --runs 1 --skip 1 --json --threads 1", "\"p_histogram\": [0, 0, 1, 0,",
       "\"significant\": 1,"},
  };
  for (const auto& c : cases) {
    const Outcome o = RunCli(c.args);
    ASSERT_EQ(o.status, 0) << o.err;
    const auto equal = o.out.find("\"equal\": {"), paired = o.out.find("\"paired\": {");
    ASSERT_NE(paired, std::string::npos);
    EXPECT_EQ(o.out.find(c.equal, equal), o.out.find("\"p_histogram\"", equal)) << o.out;
    EXPECT_EQ(o.out.find(c.paired, paired), paired + 11) << o.out;  // right after the brace
  }
  EXPECT_EQ(RunCli("run --runs 2").out,
            "t=-1.650 p=0.113 not significant\nt=-1.492 p=0.150 not significant\n");
}

TEST(Cli, PowerJsonFields) {
  const Outcome o = RunCli("power --runs 2000 --json");
  ASSERT_EQ(o.status, 0);
  for (const char* field :
       {"{\"runs\": 2000, \"skip\": 0, \"design\": {\"error_before\": 10, \"error_after\": 10, "
        "\"amplitude_before\": 40, \"amplitude_after\": 40, \"phase_before\": 6, "
        "\"phase_after\": 6, \"difference\": 20, \"step\": 1, \"samples\": 12}, \"tests\": "
        "{\"equal\": {\"significant\": ",
        "\"not_significant\": ", "\"failed\": 0, \"power\": ", "\"ci95\": [",
        "\"false_positive\": {\"equal\": {", "\"unequal\": {", "\"paired\": {"})
    EXPECT_NE(o.out.find(field), std::string::npos) << field;
  EXPECT_EQ(o.out.back(), '\n');
}

// With the defaults the seasonal swing inflates the independent tests'
// variance: they rarely see the 20 % difference, the paired test nearly always.
TEST(Cli, PowerOfTheDefaults) {
  const Outcome o = RunCli("power");
  ASSERT_EQ(o.status, 0) << o.err;
  const auto lines = Lines(o.out);
  ASSERT_EQ(lines.size(), 10u) << o.out;
  EXPECT_EQ(lines[1], "10000 Runs: Runs 1 to 10000 after start-up, each judged by all six tests");
  const auto power = [&](const std::string& line) {
    return std::stod(line.substr(30, 9));  // the power column, percent
  };
  EXPECT_EQ(lines[3].rfind("equal variance", 0), 0u);
  EXPECT_LT(power(lines[3]), 10);
  EXPECT_LT(power(lines[4]), 10);
  EXPECT_GT(power(lines[5]), 99);
  // The rank tests follow their t-tests: the pairs' ranks see the change.
  EXPECT_EQ(lines[6].rfind("Wilcoxon rank-sum", 0), 0u);
  EXPECT_LT(power(lines[6]), 10);
  EXPECT_GT(power(lines[7]), 99);
  EXPECT_LT(power(lines[8]), 10);
  EXPECT_EQ(lines[9].rfind("false positives (the same design with difference 0): ", 0), 0u);
}

// Type S and M errors: a dash (null) without a difference, else the share of
// wrong signs and the exaggeration; the paired test, finding the 20 % in
// every Run, neither errs in sign nor exaggerates. The columns line up with
// the dash, which is one character of three bytes.
TEST(Cli, PowerReportsTypeSAndMErrors) {
  const auto width = [](const std::string& line) {
    return std::ranges::count_if(line, [](char c) { return (c & 0xC0) != 0x80; });
  };
  const struct {
    const char* args;
    const char* paired;  // the end of the paired test's row
    const char* json;    // the paired test's errors, up to type M's value
  } cases[] = {
      {"power --runs 2000 --difference 0", "         –       –", "\"type_s\": null, \"type_m\": "},
      {"power --runs 2000", "     0.0 %    1.00", "\"type_s\": 0, \"type_m\": "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    const Outcome text = RunCli(c.args);
    ASSERT_EQ(text.status, 0) << text.err;
    const auto lines = Lines(text.out);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_TRUE(lines[2].ends_with("failed    type S  type M")) << lines[2];
    for (std::size_t row = 3; row < 9; ++row) EXPECT_EQ(width(lines[row]), width(lines[2]));
    EXPECT_TRUE(lines[5].ends_with(c.paired)) << lines[5];
    const Outcome json = RunCli(std::string(c.args) + " --json");
    const auto paired = json.out.find("\"paired\": {");
    const auto errors = json.out.find(c.json, paired);
    ASSERT_NE(errors, std::string::npos) << json.out;
    const std::string typeM = json.out.substr(errors + std::strlen(c.json), 12);
    if (!typeM.starts_with("null")) {
      EXPECT_NEAR(std::stod(typeM), 1, 0.005);
    }
    // The false positives' design has no difference.
    EXPECT_NE(
        json.out.find("\"type_s\": null, \"type_m\": null}", json.out.find("\"false_positive\"")),
        std::string::npos);
  }
  // A sweep's rows carry their own design's difference.
  const Outcome sweep = RunCli("power --vary difference=0:20:20 --runs 500 --json");
  const auto second = sweep.out.find("{\"value\": 20");
  ASSERT_NE(second, std::string::npos);
  EXPECT_LT(sweep.out.find("\"type_s\": null"), second);
  EXPECT_NE(sweep.out.find("\"paired\": {\"significant\": 500,", second), std::string::npos);
  EXPECT_EQ(sweep.out.find("\"type_s\": null", second), std::string::npos);
}

TEST(Cli, PowerSweeps) {
  const Outcome csv = RunCli("power --vary samples=3:12:3 --runs 500 --csv");
  ASSERT_EQ(csv.status, 0) << csv.err;
  const auto rows = Lines(csv.out);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0].rfind("samples,position,runs,equal_significant,equal_failed,equal_power,", 0),
            0u);
  EXPECT_EQ(rows[1].rfind("3,3,500,", 0), 0u);
  // The errors close the row, after every test's earlier columns.
  EXPECT_TRUE(
      rows[0].ends_with(",log_equal_ci_high,equal_type_s,equal_type_m,unequal_type_s,"
                        "unequal_type_m,paired_type_s,paired_type_m,rank_sum_type_s,"
                        "rank_sum_type_m,signed_rank_type_s,signed_rank_type_m,"
                        "log_equal_type_s,log_equal_type_m"))
      << rows[0];
  // 12 samples: the paired test finds the difference in every Run.
  EXPECT_EQ(rows[4].rfind("12,12,500,", 0), 0u);
  EXPECT_NE(rows[4].find(",500,0,1,"), std::string::npos) << rows[4];

  const Outcome text = RunCli("power --vary difference=0:40:20 --runs 500 --target 90");
  ASSERT_EQ(text.status, 0);
  EXPECT_NE(text.out.find("values of difference with a power of at least 90.0 %: equal variance "
                          "from 40 on; unequal variance from 40 on; paired samples from 20 on;"),
            std::string::npos)
      << text.out;
  const Outcome none = RunCli("power --vary difference=0:10 --runs 200 --json");
  EXPECT_NE(none.out.find("\"smallest\": {\"equal\": null, \"unequal\": null, \"paired\": "),
            std::string::npos)
      << none.out;
  EXPECT_NE(none.out.find("\"reaching\": {\"equal\": [], \"unequal\": [], \"paired\": [{"),
            std::string::npos)
      << none.out;
  EXPECT_NE(none.out.find("\"vary\": \"difference\", \"target\": 0.8, \"rows\": [{\"value\": 0, "),
            std::string::npos);
}

// Power that falls as the after series' seasonal swing grows, and for the
// rank-sum test rises first: the values reaching the target are ranges, in
// the text and in the JSON, where "smallest" keeps the first value.
TEST(Cli, PowerSweepsReportTheRangesReachingTheTarget) {
  const char* args = "power --vary amplitude-after=0:100:5 --runs 1000 --samples 24";
  const Outcome text = RunCli(args);
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(Lines(text.out).back(),
            "values of amplitude-after with a power of at least 80.0 %: equal variance up to 45; "
            "unequal variance up to 45; paired samples up to 95; Wilcoxon rank-sum 15–40; "
            "Wilcoxon signed-rank up to 90; log equal variance up to 45");
  const Outcome json = RunCli(std::string(args) + " --json");
  ASSERT_EQ(json.status, 0) << json.err;
  EXPECT_NE(json.out.find("\"smallest\": {\"equal\": 0, \"unequal\": 0, \"paired\": 0, "
                          "\"rank_sum\": 15, \"signed_rank\": 0, \"log_equal\": 0}, "
                          "\"reaching\": {\"equal\": [{\"from\": 0, \"to\": 45}], "
                          "\"unequal\": [{\"from\": 0, \"to\": 45}], "
                          "\"paired\": [{\"from\": 0, \"to\": 95}], "
                          "\"rank_sum\": [{\"from\": 15, \"to\": 40}], "
                          "\"signed_rank\": [{\"from\": 0, \"to\": 90}], "
                          "\"log_equal\": [{\"from\": 0, \"to\": 45}]}}\n"),
            std::string::npos)
      << json.out;
}

// A decimal target is compared exactly and printed as written: the paired
// test's 9990 of 10000 Runs at 8 samples reach 99.9 %.
TEST(Cli, ADecimalTargetIsReachedExactlyAndPrintedAsWritten) {
  const struct {
    const char* target;
    const char* line;
  } cases[] = {{"99.9",
                "values of samples with a power of at least 99.9 %: "
                "equal variance none in range; unequal variance none in range; "
                "paired samples from 8 on;"},
               {"99.34", "values of samples with a power of at least 99.34 %:"},
               {"80", "values of samples with a power of at least 80.0 %:"}};
  for (const auto& c : cases) {
    const Outcome o = RunCli(std::string("power --vary samples=3:8 --target ") + c.target);
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.out.find(c.line), std::string::npos) << o.out;
  }
  EXPECT_NE(
      RunCli("power --vary samples=3:4 --target 99.34 --json").out.find("\"target\": 0.9934,"),
      std::string::npos);
  EXPECT_EQ(RunCli("power --vary samples=3:4 --target 99.9999999").status, 2);
}

TEST(Cli, PowerRefusesBadArgumentsWithExitTwo) {
  for (const char* args : {"power --runs 0", "power --vary nothing", "power --threads x",
                           "power --png x.png", "power --target 50"}) {
    const Outcome o = RunCli(args);
    EXPECT_EQ(o.status, 2) << args;
    EXPECT_EQ(o.out, "") << args;
    EXPECT_EQ(Lines(o.err).size(), 1u) << o.err;
  }
}

TEST(Cli, HelpAndVersion) {
  const Outcome help = RunCli("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--test <equal|unequal|paired|rank-sum|signed-rank|"), std::string::npos);
  // The program is named as the user calls it, not by the path it was started with.
  EXPECT_EQ(help.out.rfind("Usage: halvorn-cli [options] ", 0), 0u) << help.out;
  const Outcome version = RunCli("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("halvorn-cli ", 0), 0u);
}

}  // namespace
