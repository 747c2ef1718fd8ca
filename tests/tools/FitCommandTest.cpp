// halvorn-cli fit, and run and power starting from a record with --from.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>

#include "platform/runtime/Format.h"
#include "sim/SiteFit.h"
#include "tests/tools/CliRunner.h"

namespace halvorn {
namespace {

using halvorn_test::Lines;
using halvorn_test::Outcome;
using halvorn_test::RunCli;
using halvorn_test::TempPath;

// Three years of a made-up monthly record peaking in March, as a Greek
// spreadsheet writes it (";", decimal comma), with a header and a few summer
// values below a limit of 6. The noise is deterministic but irregular.
std::string GreekRecord() {
  std::string text = "ημερομηνία;τιμή\n";
  for (int t = 0; t < 36; ++t) {
    const int month = t % 12 + 1;
    const double seasonal = 1 + 0.5 * std::cos(2 * std::numbers::pi * (month - 3) / 12);
    const double v = 12 * seasonal * (1 + 0.15 * std::sin(2.7 * t * t + 1));
    std::string value = v < 7 ? "<6" : FixedText(v, 2);
    for (char& c : value)
      if (c == '.') c = ',';
    text += Fmt("%d-%02d-%02d;%s\n", 2020 + t / 12, month, 3 + t % 20, value.c_str());
  }
  return text;
}

class CliFit : public testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(path_) << GreekRecord();
    fit_ = FitSite(TSiteRecord::Parse(GreekRecord()));
  }
  void TearDown() override { std::remove(path_.c_str()); }

  // The value the fit's settings give a slider, as its option takes it.
  std::string Design(TSlider slider) const {
    return SliderValueText(SliderInfo(slider), SliderValue(fit_.Settings, slider));
  }

  // The options that set, one by one, what --from sets.
  std::string ExplicitOptions() const {
    std::string options = std::string(" --error-model ") + ErrorModelInfo(fit_.ErrorModel).Key;
    for (const TSliderInfo& o : kSliders)
      if (o.Slider != TSlider::Dif && o.Slider != TSlider::Step && o.Slider != TSlider::Samples)
        options += std::string(" --") + o.Option + " " + Design(o.Slider);
    return options;
  }

  const std::string path_ = TempPath("record.csv");
  TSiteFit fit_;
};

TEST_F(CliFit, ReportsTheLibrarysFitBesideTheSettingsTheDesignTakes) {
  // The record leaves the sliders off their defaults, so --from has
  // something to set.
  ASSERT_GT(fit_.DetectionLimit, 0);
  ASSERT_NE(Design(TSlider::FasiP), "6");
  ASSERT_NE(Design(TSlider::AmpliP), "40");

  const Outcome json = RunCli("fit " + path_ + " --json");
  ASSERT_EQ(json.status, 0) << json.err;
  QJsonParseError error;
  const QJsonObject o =
      QJsonDocument::fromJson(QByteArray::fromStdString(json.out), &error).object();
  ASSERT_EQ(error.error, QJsonParseError::NoError) << json.out;
  const Outcome text = RunCli("fit " + path_);
  ASSERT_EQ(text.status, 0) << text.err;
  const std::vector<std::string> lines = Lines(text.out);

  const struct {
    const char* key;
    const char* label;  // the text's line
    double estimate;
    std::string estimateText;
    std::string design;
  } rows[] = {
      // The level, near 12, to four significant digits.
      {"baseline", "baseline", fit_.Level, FixedText(fit_.Level, 2), "100"},
      {"amplitude", "amplitude (%)", fit_.AmplitudePct, FixedText(fit_.AmplitudePct, 2),
       Design(TSlider::AmpliP)},
      {"phase", "phase (month)", fit_.Phase, FixedText(fit_.Phase, 2), Design(TSlider::FasiP)},
      {"error", "error (%)", fit_.ErrorPct, FixedText(fit_.ErrorPct, 2), Design(TSlider::ErrorP)},
      {"correlation", "correlation", fit_.Correlation, FixedText(fit_.Correlation, 2),
       Design(TSlider::Correlation)},
      {"year_variation", "year variation (%)", fit_.YearVariationPct,
       FixedText(fit_.YearVariationPct, 2), Design(TSlider::YearVariation)},
      {"detection_limit", "detection limit", fit_.DetectionLimit, "6",
       Design(TSlider::DetectionLimit)},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.key);
    const QJsonObject field = o.value(r.key).toObject();
    // Exact: the JSON's number reads back as the library's double.
    EXPECT_EQ(field.value("estimate").toDouble(), r.estimate);
    EXPECT_EQ(field.value("design").toDouble(), std::stod(r.design));
    std::string line;
    for (const std::string& l : lines)
      if (l.starts_with(r.label)) line = l;
    EXPECT_TRUE(line.substr(20).starts_with(std::string(10 - r.estimateText.size(), ' ') +
                                            r.estimateText + std::string(9 - r.design.size(), ' ') +
                                            r.design))
        << line;
  }
  EXPECT_EQ(o.value("error").toObject().value("cv").toDouble(), fit_.ErrorCvPct);
  EXPECT_EQ(o.value("detection_limit").toObject().value("scaled").toDouble(),
            fit_.ScaledDetectionLimit);
  const char* model = ErrorModelInfo(fit_.ErrorModel).Key;
  EXPECT_EQ(o.value("error_model").toObject().value("estimate").toString(), model);
  EXPECT_EQ(o.value("error_model").toObject().value("design").toString(), model);
  EXPECT_EQ(o.value("months").toInt(), 36);
  EXPECT_EQ(o.value("samples").toInt(), 36);
  EXPECT_EQ(lines.front(), "record: 36 samples over 36 months");
  EXPECT_TRUE(lines.back().starts_with("the design takes the setting nearest each estimate"));
}

// --from sets what the same options given one by one set, in every report;
// an option given beside it still sets its own value.
TEST_F(CliFit, FromStartsTheDesignFromTheFit) {
  for (const std::string command :
       {"run --runs 3", "run --test rank-sum", "power --runs 300 --json",
        "power --runs 200 --vary samples=6:12:6 --csv"}) {
    SCOPED_TRACE(command);
    const Outcome from = RunCli(command + " --from " + path_);
    ASSERT_EQ(from.status, 0) << from.err;
    EXPECT_EQ(from.out, RunCli(command + ExplicitOptions()).out);
  }
  const char* other = fit_.ErrorModel == TErrorModel::Lognormal ? "normal" : "lognormal";
  const Outcome given = RunCli("power --runs 100 --amplitude-after 0 --error-model " +
                               std::string(other) + " --from " + path_);
  ASSERT_EQ(given.status, 0) << given.err;
  const std::string design = Lines(given.out).front();
  EXPECT_NE(design.find(", amplitude-before " + Design(TSlider::AmpliP) + ","), std::string::npos)
      << design;
  EXPECT_NE(design.find(", amplitude-after 0,"), std::string::npos) << design;
  EXPECT_NE(design.find(std::string(", error-model ") + other + ","), std::string::npos) << design;
  EXPECT_NE(design.find(", detection-limit " + Design(TSlider::DetectionLimit)), std::string::npos)
      << design;
}

// The library's message for a file it does not read.
std::string Unread(const std::string& path, const std::string& why) {
  return "Δεν ήταν δυνατή η ανάγνωση του αρχείου «" + path + "»: " + why;
}

TEST_F(CliFit, RefusesWhatIsNotARecordWithOneLine) {
  const std::string bad = TempPath("bad.csv"), fifo = TempPath("fifo");
  std::ofstream(bad) << "date,value\n2021-01,3\n2021-02,n.d.\n";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string dir = testing::TempDir();
  const struct {
    std::string args;
    int status;
    std::string err;
  } cases[] = {
      {"fit " + bad, 1, "halvorn-cli: fit: \"" + bad + "\": Γραμμή 3: «n.d.» δεν είναι αριθμός"},
      {"fit /nonexistent/x.csv", 1,
       "halvorn-cli: fit: " + Unread("/nonexistent/x.csv", "δεν υπάρχει")},
      {"fit " + dir, 1, "halvorn-cli: fit: " + Unread(dir, "είναι φάκελος")},
      // Refused at once: reading a FIFO would wait for a writer.
      {"fit " + fifo, 1, "halvorn-cli: fit: " + Unread(fifo, "δεν είναι κανονικό αρχείο")},
      {"fit /dev/zero --json", 1,
       "halvorn-cli: fit: " + Unread("/dev/zero", "δεν είναι κανονικό αρχείο")},
      {"power --from " + bad, 1,
       "halvorn-cli: --from: \"" + bad + "\": Γραμμή 3: «n.d.» δεν είναι αριθμός"},
      {"run --from " + dir, 1, "halvorn-cli: --from: " + Unread(dir, "είναι φάκελος")},
      {"fit " + path_ + " --runs 3", 2,
       "halvorn-cli: --runs: an option of \"run\" and \"power\", not of \"fit\""},
      {"fit " + path_ + " --from " + path_, 2,
       "halvorn-cli: --from: an option of \"run\" and \"power\", not of \"fit\""},
      {"fit " + path_ + " --csv", 2, "halvorn-cli: --csv: an option of \"power\", not of \"fit\""},
      {"fit", 2, "halvorn-cli: fit: the record FILE is missing (see --help)"},
  };
  for (const auto& c : cases) {
    const Outcome o = RunCli(c.args);
    EXPECT_EQ(o.status, c.status) << c.args;
    EXPECT_EQ(o.out, "") << c.args;
    EXPECT_EQ(o.err, c.err + "\n") << c.args;
  }
  std::remove(bad.c_str());
  std::remove(fifo.c_str());
}

// The README's command, on the sample record beside it, prints what the
// README shows.
TEST(CliReadme, TheSampleRecordsCommandPrintsWhatTheReadmeShows) {
  std::ifstream in(std::string(HALVORN_SOURCE_DIR) + "/README.md");
  const std::string prompt = "$ build/tools/halvorn-cli ", sample = "docs/sample-record.csv";
  std::string args, shown;
  bool inBlock = false;
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with(prompt) && line.find("--from " + sample) != std::string::npos) {
      args = line.substr(prompt.size());
      inBlock = true;
    } else if (inBlock && line.starts_with("```")) {
      break;
    } else if (inBlock) {
      shown += line + "\n";
    }
  }
  ASSERT_FALSE(args.empty()) << "README.md shows no command with --from " << sample;
  args.replace(args.find(sample), sample.size(), std::string(HALVORN_SOURCE_DIR) + "/" + sample);
  const Outcome o = RunCli(args);
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, shown);
}

}  // namespace
}  // namespace halvorn
