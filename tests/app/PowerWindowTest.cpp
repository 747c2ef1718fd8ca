// The power window opened from the main window, driven through its real
// controls and the main window's sliders; results are awaited through the
// window's hooks, never by time.

#include <unistd.h>

#include <QComboBox>
#include <QEventLoop>
#include <QImage>
#include <QRadioButton>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "MainWindowTesting.h"
#include "app/PowerReadout.h"
#include "app/PowerWindow.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/RadioGroup.h"
#include "platform/runtime/Exceptions.h"

namespace halvorn {
namespace {

class PowerWindowTest : public testing::MainWindowTest {
 protected:
  TPowerWindow& Open() {
    ShowWindow();
    TPowerWindow& window = MF().ShowPowerWindow();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.Widget()));
    return window;
  }

  // Does `action`, then runs the message loop until `hook` fires; a guard
  // ends a wait that would otherwise hang.
  static void WaitFor(std::function<void()>& hook, const std::function<void()>& action) {
    QEventLoop loop;
    bool fired = false;
    hook = [&] {
      fired = true;
      loop.quit();
    };
    action();
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
    guard.start(60000);
    if (!fired) loop.exec();
    hook = nullptr;
    ASSERT_TRUE(fired) << "no result within the guard's time";
  }

  // Chooses the parameter with the keyboard, as the user would.
  static void ChooseParameter(TPowerWindow& window, TSlider slider) {
    QWidget* box = window.ParameterBox->Widget();
    window.ParameterBox->SetFocus();
    QTest::keyClick(box, Qt::Key_Home);
    for (int i = 0; i < static_cast<int>(slider); ++i) QTest::keyClick(box, Qt::Key_Down);
    ASSERT_EQ(window.Parameter(), slider);
  }

  // What the engine finds for the main window's design as it stands.
  TPowerRequest Request(std::int64_t runs) {
    return TPowerRequest{MF().Simulation().Params(), RandomState, runs};
  }
  std::vector<TSweepPoint> EngineSweep(TSlider slider, std::int64_t runs) {
    const TSliderInfo& info = SliderInfo(slider);
    return SweepPower(Request(runs), slider, info.Min, info.Max, 1, pool_);
  }

  static void ExpectCurvesShow(const TPowerWindow& window, const std::vector<TSweepPoint>& sweep) {
    for (const TTestInfo& test : WindowTests()) {
      SCOPED_TRACE(test.Caption);
      const TLineSeries& curve = window.Curves.Curve(test.Kind);
      ASSERT_EQ(curve.PointCount(), static_cast<int>(sweep.size()));
      for (int i = 0; i < curve.PointCount(); ++i) {
        const TSweepPoint& point = sweep[static_cast<std::size_t>(i)];
        EXPECT_EQ(curve.XValueAt(i), point.Value);
        EXPECT_EQ(curve.YValueAt(i), 100 * point.Result.Power(test.Kind));
      }
    }
  }

  void ExpectTableShows(const TPowerWindow& window) {
    const TPowerResult power = ComputePower(Request(1000), pool_);
    const TPowerResult falsePositive = ComputeFalsePositive(Request(1000), pool_);
    for (const TTestInfo& test : WindowTests()) {
      const auto& row = window.Cells[TestIndex(test.Kind)];
      EXPECT_EQ(row[0]->Caption(), TPowerReadout::PowerText(power, test.Kind));
      EXPECT_EQ(row[1]->Caption(), TPowerReadout::PowerText(falsePositive, test.Kind));
    }
  }

  TPowerPool pool_{2};
};

TEST_F(PowerWindowTest, TheParametersAreTheMainWindowsSlidersByTheirGreekCaptions) {
  TPowerWindow& window = Open();
  EXPECT_EQ(window.Widget()->windowTitle(), "Ισχύς του σχεδιασμού");
  EXPECT_EQ(window.ParameterBox->Items(),
            (std::vector<std::string>{
                "Σφάλμα(%) Πριν", "Σφάλμα(%) Μετά", "Εύρος(%) Πριν", "Εύρος(%) Μετά", "Φάση Πριν",
                "Φάση Μετά", "Διαφορά Πριν-Μετά (%)", "Μήνες μεταξύ δειγμάτων", "Αριθμός δειγμάτων",
                "Αυτοσυσχέτιση ρ", "Διακύμανση ετών (%)", "Όριο ανίχνευσης"}));
  EXPECT_EQ(window.RunsBox->Items(), (std::vector<std::string>{"1 000", "10 000", "100 000"}));
  EXPECT_EQ(window.TargetPercent(), 80);
  EXPECT_EQ(window.Font().Name(), "MS Sans Serif");

  // Tab walks the settings, then the test of the p chart; the charts take
  // no focus.
  window.ParameterBox->SetFocus();
  QApplication::processEvents();
  for (TWinControl* expected : std::initializer_list<TWinControl*>{
           window.RunsBox, window.TargetBar, window.PTestGroup, window.ParameterBox}) {
    SCOPED_TRACE(expected->Name());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* focus = QApplication::focusWidget();
    EXPECT_TRUE(focus == expected->Widget() || expected->Widget()->isAncestorOf(focus));
  }
}

TEST_F(PowerWindowTest, AChosenParametersSweepIsTheEnginesAndTheTableAndPChartFollow) {
  TPowerWindow& window = Open();
  WaitFor(window.OnSweepShown, [&] { ChooseParameter(window, TSlider::FasiM); });
  const std::vector<TSweepPoint> expected = EngineSweep(TSlider::FasiM, 1000);
  ExpectCurvesShow(window, expected);
  EXPECT_EQ(window.Curves.Chart().BottomAxis().Title().Caption(), "Φάση Μετά");
  // The vertical mark stands at the design's phase after.
  EXPECT_EQ(window.Curves.CurrentMark().XValueAt(0), SliderInfo(TSlider::FasiM).DefaultValue());
  ExpectTableShows(window);

  // The p chart shows the chosen test's bins as shares of the Runs.
  const TPowerResult power = ComputePower(Request(1000), pool_);
  for (TTestKind test : {TTestKind::Paired, TTestKind::EqualVariance}) {
    SCOPED_TRACE(TestInfo(test).Caption);
    const auto buttons = window.PTestGroup->Widget()->findChildren<QRadioButton*>();
    QRadioButton* button = buttons[static_cast<int>(TestIndex(test))];
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    const TLineSeries& bins = window.PValues.Design();
    ASSERT_EQ(bins.PointCount(), kPBins + 3);
    for (int bin = 0; bin < kPBins; ++bin)
      EXPECT_EQ(bins.YValueAt(bin + 1),
                100.0 * static_cast<double>(power.Counts(test).PHistogram[bin]) / 1000);
  }
  EXPECT_FALSE(window.Computing());
}

TEST_F(PowerWindowTest, ASliderMovedDuringASweepCancelsItAndTheLastDesignIsShown) {
  TPowerWindow& window = Open();
  WaitFor(window.OnCurrentShown, [&] { ChooseParameter(window, TSlider::Samples); });
  // The sweep of the samples is under way, and takes far longer than the
  // main window waits before it passes a change on: the first sweep shown
  // from now on must be the new design's.
  ASSERT_TRUE(window.Computing());
  WaitFor(window.OnSweepShown, [&] { Bar(&SliderBar(TSlider::ErrorP))->setValue(6); });
  EXPECT_EQ(MF().Simulation().Params().ErrorPctP, 30);
  ExpectCurvesShow(window, EngineSweep(TSlider::Samples, 1000));
  ExpectTableShows(window);
  EXPECT_FALSE(window.Computing());
}

TEST_F(PowerWindowTest, AHiddenWindowComputesNothingAndCatchesUpWhenShownAgain) {
  TPowerWindow& window = Open();
  ChooseParameter(window, TSlider::Samples);
  ASSERT_TRUE(window.Computing());
  window.Close();
  EXPECT_FALSE(window.Computing());
  // The main window passes its change on (its readout shows it).
  WaitFor(MF().Readout().OnShown, [&] { Bar(&SliderBar(TSlider::ErrorP))->setValue(6); });
  EXPECT_FALSE(window.Computing());
  WaitFor(window.OnSweepShown, [&] { MF().ShowPowerWindow(); });
  ExpectCurvesShow(window, EngineSweep(TSlider::Samples, 1000));
}

TEST_F(PowerWindowTest, TheSweptSlidersOwnMoveReusesTheSweepAndTheTargetRecomputesNothing) {
  TPowerWindow& window = Open();
  WaitFor(window.OnSweepShown, [&] { ChooseParameter(window, TSlider::Step); });
  const std::vector<TSweepPoint> sweep = window.Sweep();
  WaitFor(window.OnCurrentShown, [&] { Bar(&SliderBar(TSlider::Step))->setValue(3); });
  EXPECT_FALSE(window.Computing());
  ASSERT_EQ(window.Sweep().size(), sweep.size());
  for (std::size_t i = 0; i < sweep.size(); ++i)
    EXPECT_EQ(window.Sweep()[i].Result, sweep[i].Result);
  EXPECT_EQ(window.Curves.CurrentMark().XValueAt(0), 3);
  ExpectTableShows(window);

  for (const int target : {50, 99, 1}) {
    SCOPED_TRACE(target);
    window.TargetBar->SetPosition(target);
    EXPECT_FALSE(window.Computing());
    EXPECT_EQ(window.Curves.TargetLine().YValueAt(0), target);
    for (const TTestInfo& test : WindowTests()) {
      const std::optional<int> value = SmallestValueReaching(sweep, test.Kind, target / 100.0);
      EXPECT_EQ(window.Cells[TestIndex(test.Kind)][2]->Caption(),
                value ? std::to_string(*value) : "καμία");
    }
  }
}

TEST_F(PowerWindowTest, TheExportWritesTheCurveChartsBitmapAndTheSweep) {
  TPowerWindow& window = Open();
  WaitFor(window.OnSweepShown, [&] { ChooseParameter(window, TSlider::Step); });
  const std::string base = ::testing::TempDir() + "halvorn_power_" + std::to_string(getpid());
  window.ExportSweep(base + ".png");

  const TRasterBitmap& picture = window.CurvePicture();
  const QImage png =
      QImage(QString::fromStdString(base + ".png")).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(png.width(), picture.Width());
  ASSERT_EQ(png.height(), picture.Height());
  int differing = 0;
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x)
      differing += (picture.Row(y)[x] & 0xFFFFFFu) != (png.pixel(x, y) & 0xFFFFFFu);
  EXPECT_EQ(differing, 0);

  std::ifstream csv(base + ".csv");
  std::string line;
  ASSERT_TRUE(std::getline(csv, line));
  EXPECT_TRUE(line.starts_with("step,position,runs,equal_significant,equal_failed,equal_power"));
  for (const TSweepPoint& point : window.Sweep()) {
    ASSERT_TRUE(std::getline(csv, line));
    EXPECT_TRUE(line.starts_with(
        std::to_string(point.Value) + ',' + std::to_string(point.Position) + ",1000," +
        std::to_string(point.Result.Counts(TTestKind::EqualVariance).Significant) + ','));
  }
  EXPECT_FALSE(std::getline(csv, line));
  // The tool writes the same sweep of the same design and Runs alike.
  const std::string tool = base + "-tool.csv";
  const std::string command =
      std::string(HALVORN_CLI) + " power --vary step --runs 1000 --csv > " + tool + " 2>/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const auto contents = [](const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  EXPECT_EQ(contents(tool), contents(base + ".csv"));
  for (const char* suffix : {".png", ".csv", "-tool.csv"}) std::remove((base + suffix).c_str());

  // A folder that does not exist: the error names the file, nothing is left.
  const std::string missing = ::testing::TempDir() + "no-such-folder/sweep.csv";
  EXPECT_THROW(window.SaveSweepData(missing), EInOutError);
  EXPECT_FALSE(std::ifstream(missing + ".part").good());
}

}  // namespace
}  // namespace halvorn
