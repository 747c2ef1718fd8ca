// Runs the real halvorn-cli binary and reads what it prints.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>
#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Outcome {
  std::string out;
  std::string err;
  int status = -1;
};

// CTest runs every test case as its own process, in parallel: files must not be shared.
std::string TempPath(const std::string& name) {
  return testing::TempDir() + "halvorn_" + std::to_string(getpid()) + "_" + name;
}

Outcome RunCli(const std::string& args) {
  const std::string errFile = TempPath("cli_stderr.txt");
  const std::string command = std::string("LC_ALL=C ") + HALVORN_CLI + " " + args + " 2>" + errFile;
  Outcome o;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return o;
  std::array<char, 4096> buffer;
  std::size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) o.out.append(buffer.data(), n);
  const int raw = pclose(pipe);
  o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::ifstream err(errFile);
  std::stringstream ss;
  ss << err.rdbuf();
  o.err = ss.str();
  std::remove(errFile.c_str());
  return o;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(Cli, FirstRunOfEachTestWithDefaults) {
  const struct {
    const char* args;
    const char* line;
  } cases[] = {
      {"run", "t=-1.650 p=0.113 not significant"},
      {"run --test unequal", "t=-1.650 p=0.113 not significant"},
      {"run --test paired", "t=-8.742 p=0.000 significant"},
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
  std::remove(path.c_str());
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

TEST(Cli, HelpAndVersion) {
  const Outcome help = RunCli("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--test <equal|unequal|paired>"), std::string::npos);
  const Outcome version = RunCli("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("halvorn-cli ", 0), 0u);
}

}  // namespace
