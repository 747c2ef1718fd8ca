// The site window, reached from the model window: a record read in the
// background, its fit shown in the chart and the table, and "Χρήση" setting
// the main window's design and model; a bad record changes nothing.

#include <QFileDialog>
#include <QPushButton>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>

#include "app/ModelWindow.h"
#include "app/SiteWindow.h"
#include "platform/forms/Button.h"
#include "platform/runtime/Format.h"
#include "sim/SliderTable.h"
#include "tests/app/MainWindowTesting.h"
#include "tests/platform/forms/ModalWatcher.h"

namespace halvorn::testing {
namespace {

class SiteWindowTest : public MainWindowTest {
 protected:
  SiteWindowTest() : dir_(std::filesystem::path(::testing::TempDir()) / "site-window") {
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  ~SiteWindowTest() override { std::filesystem::remove_all(dir_); }

  std::string Write(const std::string& name, const std::string& text) {
    const std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }

  // Six years of a monthly record in the Greek way (";" and a decimal
  // comma): a level of 12 with a cycle of 30 % peaking in July, errors of a
  // few percent, and three samples below a limit of 9.
  static std::string Record() {
    std::string text = "Ημερομηνία;Νιτρικά\n";
    unsigned noise = 7;
    for (int t = 0; t < 72; ++t) {
      const int month = t % 12 + 1;
      noise = noise * 1103515245u + 12345u;
      const double e = ((noise >> 16) % 1000) / 1000.0 - 0.5;
      const double value =
          12 * (1 + 0.3 * std::cos(2 * std::numbers::pi * (month - 7) / 12)) * (1 + 0.1 * e);
      char line[64];
      if (t == 12 || t == 25 || t == 36)
        std::snprintf(line, sizeof line, "%d-%02d-10;<9\n", 2018 + t / 12, month);
      else
        std::snprintf(line, sizeof line, "%d-%02d-10;%.2f\n", 2018 + t / 12, month, value);
      std::string s = line;
      std::replace(s.begin(), s.end(), '.', ',');
      text += s;
    }
    return text;
  }

  // Opens `path` and waits for it.
  static void OpenAndWait(TSiteWindow& site, const std::string& path) {
    site.Open(path);
    WaitUntilSettled(site);
  }

  // A record is being read: handles messages until the window settled.
  static void WaitUntilSettled(TSiteWindow& site) {
    EXPECT_TRUE(site.Reading());
    EXPECT_EQ(site.Status->Caption().rfind("Ανάγνωση «", 0), 0u) << site.Status->Caption();
    EXPECT_FALSE(site.UseButton->Enabled());
    bool settled = false;
    site.OnSettled = [&settled] { settled = true; };
    QTimer guard;
    guard.start(20000);
    while (!settled && guard.isActive())
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    site.OnSettled = nullptr;
    ASSERT_TRUE(settled);
    EXPECT_EQ(site.Status->Caption(), "");
  }

  std::vector<std::string> Shown(const TSiteWindow& site) const {
    std::vector<std::string> texts{site.RecordLabel->Caption()};
    for (std::size_t i = 0; i < kSiteEstimateCount; ++i) {
      texts.push_back(site.Estimates[i]->Caption());
      texts.push_back(site.Designs[i]->Caption());
    }
    return texts;
  }

 private:
  std::filesystem::path dir_;
};

constexpr TSlider kFitted[] = {TSlider::ErrorP, TSlider::ErrorM, TSlider::AmpliP,
                               TSlider::AmpliM, TSlider::FasiP,  TSlider::FasiM};

TEST_F(SiteWindowTest, ARecordIsFittedShownAndUsedForTheDesign) {
  ShowWindow();
  SliderBar(TSlider::Dif).SetPosition(35);
  SliderBar(TSlider::Samples).SetPosition(24);
  TModelWindow& model = MF().ShowModelWindow();
  EXPECT_EQ(model.DataButton->Caption(), "Δεδομένα…");

  // The press asks for a record in the program's own dialog, and reads the
  // one chosen.
  const std::string path = Write("nitrate.csv", Record());
  QStringList dialog;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!files || !files->isVisible()) return;
    dialog << files->windowTitle();
    for (const QPushButton* button : files->findChildren<QPushButton*>()) dialog << button->text();
    files->selectFile(QString::fromStdString(path));
    static_cast<QDialog*>(files)->accept();  // QFileDialog hides it
  });
  answer.start(0);
  model.DataButton->Click();
  answer.stop();
  EXPECT_EQ(dialog.value(0), "Άνοιγμα καταγραφής μετρήσεων");
  ASSERT_NE(MF().SiteWindow(), nullptr);
  TSiteWindow& site = *MF().SiteWindow();
  EXPECT_TRUE(site.Widget()->isVisible());
  ASSERT_TRUE(site.Reading());
  WaitUntilSettled(site);
  ASSERT_TRUE(site.Fit());
  const TSiteFit expected = FitSite(TSiteRecord::ReadFile(path));
  const TSiteFit& fit = *site.Fit();
  EXPECT_EQ(fit.Level, expected.Level);
  // Half the limit in three Januaries deepens the cycle a little.
  EXPECT_NEAR(fit.AmplitudePct, 30, 5);
  EXPECT_NEAR(fit.Phase, 7, 0.3);
  EXPECT_EQ(site.RecordLabel->Caption(),
            "«nitrate.csv»: 72 δείγματα (3 κάτω από όριο) σε 72 μήνες, 2018-01 – 2023-12");
  for (std::size_t i = 0; i < kSiteEstimateCount; ++i) {
    const TSiteEstimateText text = SiteEstimateText(fit, static_cast<TSiteEstimate>(i));
    EXPECT_EQ(site.Estimates[i]->Caption(), text.Estimate) << i;
    EXPECT_EQ(site.Designs[i]->Caption(), text.Design) << i;
  }
  // Every sample is marked, the censored ones apart; the cycle peaks in
  // the fitted phase.
  EXPECT_EQ(site.Chart.Measured().PointCount(), 69);
  EXPECT_EQ(site.Chart.Censored().PointCount(), 3);
  EXPECT_EQ(site.Chart.Censored().YValueAt(0), 9);
  int peak = 0;
  for (int i = 1; i < site.Chart.Cycle().PointCount(); ++i)
    if (site.Chart.Cycle().YValueAt(i) > site.Chart.Cycle().YValueAt(peak)) peak = i;
  EXPECT_NEAR(site.Chart.Cycle().XValueAt(peak), fit.Phase, 1.0 / 16);
  EXPECT_TRUE(site.UseButton->Enabled());

  // "Χρήση": the series' sliders and the model take the fit's settings; the
  // design's own sliders stay.
  site.UseButton->Click();
  const SimParams& params = MF().Simulation().Params();
  for (const TSlider slider : kFitted) {
    EXPECT_EQ(SliderBar(slider).Position() * SliderInfo(slider).Scale,
              SliderValue(fit.Settings, slider))
        << SliderInfo(slider).Control;
    EXPECT_EQ(SliderValue(params, slider), SliderValue(fit.Settings, slider));
  }
  for (const TSliderInfo& info : ModelSliders()) {
    EXPECT_EQ(SliderValue(params, info.Slider), SliderValue(fit.Settings, info.Slider))
        << info.Control;
    EXPECT_EQ(model.Position(info.Slider) * info.Scale, SliderValue(fit.Settings, info.Slider));
  }
  EXPECT_EQ(params.ErrorModel, fit.ErrorModel);
  EXPECT_EQ(model.ErrorModel(), fit.ErrorModel);
  EXPECT_GT(SliderValue(params, TSlider::DetectionLimit), 0);
  EXPECT_EQ(MF().LModel->Caption(), ModelSummary(params));
  EXPECT_EQ(SliderValue(params, TSlider::Dif), 35);
  EXPECT_EQ(SliderValue(params, TSlider::Samples), 24);
  WaitForReadout();

  // A record that cannot be read, or is no record, is refused in the error
  // box (which ends a message with a full stop), naming the file and the
  // fault; the window and the design keep what they had.
  const SimParams used = params;
  const std::string badDate = Write("bad.csv", "date;value\n2020-01;1\n2020-02;2\n2020-02-30;3\n");
  const std::string twoMonths = Write("short.csv", "2020-01;1\n2020-02;2\n");
  const std::vector<std::string> before = Shown(site);
  const struct {
    std::string Path;
    std::string Message;
  } bad[] = {
      {badDate, "Η καταγραφή «" + badDate +
                    "» δεν διαβάστηκε: Γραμμή 4: η ημερομηνία 2020-02-30 δεν υπάρχει."},
      {twoMonths,
       "Η καταγραφή «" + twoMonths +
           "» δεν διαβάστηκε: Γραμμή 2: οι μετρήσεις καλύπτουν 2 μήνες· χρειάζονται τουλάχιστον "
           "24."},
      {"/nonexistent/record.csv",
       "Δεν ήταν δυνατή η ανάγνωση του αρχείου «/nonexistent/record.csv»: δεν υπάρχει."},
  };
  for (const auto& b : bad) {
    SCOPED_TRACE(b.Path);
    ModalWatcher watcher;
    OpenAndWait(site, b.Path);
    ASSERT_EQ(watcher.Seen().size(), 1u);
    EXPECT_EQ(watcher.Seen()[0].text.toStdString(), b.Message);
    EXPECT_EQ(watcher.Seen()[0].icon, QMessageBox::Critical);
    EXPECT_EQ(Shown(site), before);
    EXPECT_EQ(site.Path(), path);
    EXPECT_TRUE(site.UseButton->Enabled());
    EXPECT_TRUE(MF().Simulation().Params() == used);
  }
}

// The table's texts: the estimate as measured, the setting as its slider
// writes it.
TEST(SiteEstimateText, WritesTheEstimateAndTheSettingItTakes) {
  TSiteFit fit;
  fit.Level = 12.3456;
  fit.AmplitudePct = 31.74;
  fit.Phase = 12.96;
  fit.ErrorPct = 8.26;
  fit.ErrorModel = TErrorModel::Lognormal;
  fit.Correlation = 0.431;
  fit.YearVariationPct = 3.9;
  fit.DetectionLimit = 0.5;
  fit.ScaledDetectionLimit = 4.05;
  ApplySlider(fit.Settings, TSlider::AmpliP, 6);
  ApplySlider(fit.Settings, TSlider::FasiP, 1);
  ApplySlider(fit.Settings, TSlider::ErrorP, 2);
  ApplySlider(fit.Settings, TSlider::Correlation, 9);
  ApplySlider(fit.Settings, TSlider::YearVariation, 1);
  ApplySlider(fit.Settings, TSlider::DetectionLimit, 1);
  const std::pair<std::string, std::string> expected[] = {
      {"12.35", "100"},
      {"31.7", "30"},
      {"13.0", "1"},
      {"8.3", "10"},
      {"λογαριθμοκανονικό", "λογαριθμοκανονικό"},
      {"0.43", "0.45"},
      {"3.9", "5"},
      {"4.0 (0.5)", "5"},
  };
  for (std::size_t i = 0; i < kSiteEstimateCount; ++i) {
    const TSiteEstimateText text = SiteEstimateText(fit, static_cast<TSiteEstimate>(i));
    EXPECT_EQ(text.Estimate, expected[i].first) << i;
    EXPECT_EQ(text.Design, expected[i].second) << i;
  }
  fit.DetectionLimit = 0;
  EXPECT_EQ(SiteEstimateText(fit, TSiteEstimate::DetectionLimit).Estimate, "—");
}

// A long record is marked by every k-th sample, k the least that keeps the
// marks within the chart's limit, and the title says so.
TEST(SiteChart, ALongRecordIsMarkedByEveryKthSample) {
  std::string text;
  const int lines = 2 * static_cast<int>(TSiteChart::kMaxMarks) + 1;
  for (int i = 0; i < lines; ++i)
    text += Fmt("%d-%02d-01,%d\n", 2000 + i % 36 / 12, i % 12 + 1, 10 + i % 7);
  const TSiteRecord record = TSiteRecord::Parse(text);
  const TSiteMarks marks = TSiteChart::Marks(record);
  EXPECT_EQ(marks.Stride, 3u);
  ASSERT_EQ(marks.Samples.size(), TSiteChart::kMaxMarks * 2 / 3 + 1);
  for (std::size_t i = 0; i < marks.Samples.size(); ++i)
    EXPECT_EQ(marks.Samples[i].Line, record.Samples()[3 * i].Line);
  EXPECT_EQ(marks.FirstYear, 2000);
  EXPECT_EQ(marks.LastYear, 2002);
  TSiteChart chart;
  chart.Show(marks, FitSite(record));
  EXPECT_EQ(chart.Measured().PointCount(), static_cast<int>(marks.Samples.size()));
  EXPECT_EQ(chart.Chart().Title().Text().front(),
            "Η καταγραφή ανά μήνα του έτους (δείχνεται 1 δείγμα στα 3)");
}

}  // namespace
}  // namespace halvorn::testing
