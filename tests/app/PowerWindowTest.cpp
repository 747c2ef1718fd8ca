// The power window opened from the main window, driven through its real
// controls and the main window's sliders; results are awaited through the
// window's hooks, never by time.

#include <unistd.h>

#include <QComboBox>
#include <QEventLoop>
#include <QImage>
#include <QKeySequence>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "MainWindowTesting.h"
#include "app/PowerReadout.h"
#include "app/PowerWindow.h"
#include "app/PowerWindowLayout.h"
#include "app/SweepExport.h"
#include "app/WindowPlacement.h"
#include "chart/LabelSteps.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/FormLayout.h"
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

  // Every test's curve holds the sweep, shown or not.
  static void ExpectCurvesShow(const TPowerWindow& window, const std::vector<TSweepPoint>& sweep) {
    for (const TTestInfo& test : kTests) {
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
    for (const TTestInfo& test : kTests) {
      const auto& row = window.Cells[TestIndex(test.Kind)];
      EXPECT_EQ(row[0]->Caption(), TPowerReadout::PowerText(power, test.Kind));
      EXPECT_EQ(row[1]->Caption(), TPowerReadout::PowerText(falsePositive, test.Kind));
      EXPECT_EQ(
          row[3]->Caption(),
          TPowerWindow::ErrorsText(power, test.Kind, LevelDifference(MF().Simulation().Params())));
    }
    // Unlike the readout's 1000, the table's Runs are the window's choice.
    EXPECT_EQ(window.DesignBox->Caption(),
              "Ο τρέχων σχεδιασμός: επόμενα " + window.RunsBox->Text() + " Run");
  }

  // Clicks a test's box as the user would.
  static void ClickBox(TPowerWindow& window, TTestKind test) {
    QWidget* box = window.TestBoxes[TestIndex(test)]->Widget();
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
  }

  // Chooses the p chart's test with the mouse.
  static void ChoosePTest(TPowerWindow& window, TTestKind test) {
    const auto buttons = window.PTestGroup->Widget()->findChildren<QRadioButton*>();
    for (QRadioButton* button : buttons)
      if (button->text().toStdString() == TestInfo(test).Caption)
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    ASSERT_EQ(window.PTest(), test);
  }

  // The window shows `tests` and no other: their boxes checked, their curves
  // in the chart, their rows in the table one under the other in this
  // order, and they are the choice of the p chart.
  static void ExpectShown(const TPowerWindow& window, const std::vector<TTestKind>& tests) {
    std::vector<std::string> captions;
    for (const TTestInfo& test : kTests) {
      SCOPED_TRACE(test.Caption);
      const std::size_t i = TestIndex(test.Kind);
      const auto row = std::ranges::find(tests, test.Kind);
      const bool shown = row != tests.end();
      if (shown) captions.emplace_back(test.Caption);
      EXPECT_EQ(window.TestBoxes[i]->Checked(), shown);
      EXPECT_EQ(window.Curves.Curve(test.Kind).Active(), shown);
      const auto& cells = window.Cells[i];
      for (const TLabel* label : {window.TestNames[i], cells[0], cells[1], cells[2], cells[3]}) {
        EXPECT_EQ(label->Widget()->isVisible(), shown) << label->Name();
        if (shown) {
          EXPECT_EQ(label->Top(), PowerTableRowTop(static_cast<int>(row - tests.begin())));
        }
      }
    }
    EXPECT_EQ(window.PTestGroup->Items(), captions);
  }

  // Whether the curve chart's bitmap has a pixel in the colour of `test`'s
  // curve.
  static bool CurveColourShows(TPowerWindow& window, TTestKind test) {
    const TRasterBitmap& picture = window.CurvePicture();
    const TColor colour = window.Curves.Curve(test).SeriesColor();
    const std::uint32_t rgb = (colour & 0xFFu) << 16 | (colour & 0xFF00u) | (colour >> 16 & 0xFFu);
    for (int y = 0; y < picture.Height(); ++y)
      for (int x = 0; x < picture.Width(); ++x)
        if ((picture.At(x, y) & 0xFFFFFFu) == rgb) return true;
    return false;
  }

  TPowerPool pool_{2};
};

// The boxes choose the tests of the curves, the table, the p chart and the
// main window's readout, at once and without computing: the engine's
// figures of every test are at hand. The readout shows the first three
// chosen, as many as fit; the last chosen test cannot be left out; the
// choice outlives the window's closing.
TEST_F(PowerWindowTest, TheBoxesChooseTheTestsShownInTheWindowAndTheReadout) {
  using enum TTestKind;
  TPowerWindow& window = Open();
  WaitFor(window.OnSweepShown, [&] { ChooseParameter(window, TSlider::Step); });
  WaitForReadout();
  ExpectCurvesShow(window, EngineSweep(TSlider::Step, 1000));
  ExpectTableShows(window);
  const TPowerResult power = ComputePower(Request(1000), pool_);

  struct Step {
    std::optional<TTestKind> click;
    std::vector<TTestKind> shown, readout;
    std::optional<TTestKind> choosePTest;
    TTestKind pTest;
  };
  const std::vector<Step> steps = {
      {{},
       {EqualVariance, UnequalVariance, Paired},
       {EqualVariance, UnequalVariance, Paired},
       {},
       EqualVariance},
      {RankSum,
       {EqualVariance, UnequalVariance, Paired, RankSum},
       {EqualVariance, UnequalVariance, Paired},
       {},
       EqualVariance},
      {UnequalVariance,
       {EqualVariance, Paired, RankSum},
       {EqualVariance, Paired, RankSum},
       RankSum,
       RankSum},
      {LogEqual,
       {EqualVariance, Paired, RankSum, LogEqual},
       {EqualVariance, Paired, RankSum},
       {},
       RankSum},
      {EqualVariance, {Paired, RankSum, LogEqual}, {Paired, RankSum, LogEqual}, {}, RankSum},
      {Paired, {RankSum, LogEqual}, {RankSum, LogEqual}, {}, RankSum},
      // The p chart's test left out: the first shown takes its place.
      {RankSum, {LogEqual}, {LogEqual}, {}, LogEqual},
      // The last test stays.
      {LogEqual, {LogEqual}, {LogEqual}, {}, LogEqual},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.click ? TestInfo(*step.click).Caption : "as opened");
    if (step.click) ClickBox(window, *step.click);
    if (step.choosePTest) ChoosePTest(window, *step.choosePTest);
    EXPECT_FALSE(window.Computing());
    ExpectShown(window, step.shown);
    EXPECT_EQ(MF().Tests().Tests(), step.shown);
    ExpectReadoutShows(step.readout);
    EXPECT_EQ(window.PTest(), step.pTest);
    const TLineSeries& bins = window.PValues.Design();
    ASSERT_EQ(bins.PointCount(), kPBins + 3);
    for (int bin = 0; bin < kPBins; ++bin)
      EXPECT_EQ(bins.YValueAt(bin + 1),
                100.0 * static_cast<double>(power.Counts(step.pTest).PHistogram[bin]) / 1000);
    // The chart draws the curves shown in their colours, and no other.
    for (const TTestKind test : {UnequalVariance, RankSum, LogEqual})
      EXPECT_EQ(CurveColourShows(window, test), std::ranges::count(step.shown, test) == 1)
          << TestInfo(test).Caption;
  }

  window.Close();
  ASSERT_FALSE(window.Widget()->isVisible());
  QTest::mouseClick(MF().PowerButton->Widget(), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.Widget()));
  ExpectShown(window, {LogEqual});
  ExpectReadoutShows({LogEqual});
}

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

  // Tab walks the settings, the test of the p chart, then the choice of
  // tests; the charts take no focus.
  window.ParameterBox->SetFocus();
  QApplication::processEvents();
  std::vector<TWinControl*> order = {window.RunsBox, window.TargetBar, window.PTestGroup};
  order.insert(order.end(), window.TestBoxes.begin(), window.TestBoxes.end());
  order.push_back(window.ParameterBox);
  for (TWinControl* expected : order) {
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
    // The tallest bar stays below the frame, and p = 1 has its label.
    TChart& chart = window.PValues.Chart();
    EXPECT_GT(chart.LeftAxis().Maximum(), window.PValues.Boundary().YValueAt(1));
    const TChartAxis& p = chart.BottomAxis();
    const std::vector<double> labels = LabelValues(p.Minimum(), p.Maximum(), p.Increment(), true);
    ASSERT_FALSE(labels.empty());
    EXPECT_DOUBLE_EQ(labels.front(), 1.0);
  }
  EXPECT_FALSE(window.Computing());
}

// A curve at 100 % lies inside the chart's frame, not under it: at the
// defaults, swept by the step, the paired test's curve runs at 100 %.
TEST(SweepExportTest, TheNameOrElseTheChosenTypeDecidesWhatIsWritten) {
  const struct {
    const char* Path;
    TSweepExport Chosen;
    TExportTarget Expected;
  } cases[] = {
      {"noext", TSweepExport::Picture, {TSweepExport::Picture, "noext.png"}},
      {"noext", TSweepExport::Data, {TSweepExport::Data, "noext.csv"}},
      {"/d/curves.png", TSweepExport::Data, {TSweepExport::Picture, "/d/curves.png"}},
      {"/d/curves.CSV", TSweepExport::Picture, {TSweepExport::Data, "/d/curves.CSV"}},
      {"v1.2/run.txt", TSweepExport::Data, {TSweepExport::Data, "v1.2/run.txt.csv"}},
      {"dir.png/name", TSweepExport::Picture, {TSweepExport::Picture, "dir.png/name.png"}},
  };
  for (const auto& c : cases) EXPECT_EQ(ExportTargetFor(c.Path, c.Chosen), c.Expected) << c.Path;
  // The dialog's filters stand for their types.
  const std::vector<std::string> filters = SweepExportFilters();
  ASSERT_EQ(filters.size(), 2u);
  EXPECT_EQ(SweepExportOfFilter(filters[0]), TSweepExport::Picture);
  EXPECT_EQ(SweepExportOfFilter(filters[1]), TSweepExport::Data);
}

// The caption names the sweep's settings and every other slider's value,
// wrapped to the picture's width.
TEST_F(PowerWindowTest, ThePicturesCaptionNamesTheDesign) {
  TBitmap measure(1, 1);
  LoadFont(measure.Canvas().Font(), TFontLayout{"Arial", -11, false, clBlack});
  const TSweepCaption caption{.Params = SimParams{},
                              .Slider = TSlider::Step,
                              .RunsPerPoint = 10000,
                              .TargetPercent = 90,
                              .When = "2026-12-09 20:15"};
  const std::vector<std::string> lines = SweepCaptionLines(caption, measure.Canvas(), 540);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_NE(lines[0].find("2026-12-09 20:15"), std::string::npos);
  EXPECT_NE(lines[1].find("Μήνες μεταξύ δειγμάτων · 10 000 Run ανά σημείο · στόχος 90 %"),
            std::string::npos);
  std::string all;
  for (const std::string& line : lines) {
    EXPECT_LE(measure.Canvas().TextWidth(line), 540 - 16) << line;
    all += line + "\n";
  }
  EXPECT_NE(all.find("Διαφορά Πριν-Μετά (%) 20"), std::string::npos) << all;
  EXPECT_NE(all.find("Αριθμός δειγμάτων 12"), std::string::npos) << all;
  EXPECT_EQ(all.find("Μήνες μεταξύ δειγμάτων 1"), std::string::npos) << all;
}

TEST(WindowPlacementTest, BesideTheControlsWhereTheScreenHasRoomElseCoveringLeast) {
  const TRect keep{0, 0, 889, 703};
  const TSize size{900, 720};
  const TPoint preferred{889, 0};
  const struct {
    TRect Area;
    TPoint Expected;
  } cases[] = {
      {{0, 0, 1920, 1080}, {889, 0}},    // beside
      {{0, 0, 1280, 1600}, {380, 703}},  // below
      {{0, 0, 1280, 800}, {380, 80}},    // against the bottom right, over the least
      {{0, 0, 800, 600}, {0, 0}},        // larger than the screen: from its corner
  };
  for (const auto& c : cases)
    EXPECT_EQ(LeastCoveringPlace(c.Area, keep, size, preferred), c.Expected)
        << c.Area.Right << "x" << c.Area.Bottom;
}

// Sized by the user, the charts take the room gained; the table and the
// choice of tests stay whole at the least size the window allows.
TEST_F(PowerWindowTest, TheChartsGrowWithTheWindowAndItHasAMinimumSize) {
  TPowerWindow& window = Open();
  const QSize least = window.Widget()->minimumSize();
  EXPECT_EQ(least, QSize(kPowerMinWidth, kPowerMinHeight));
  const int curveWidth = window.CurveWindow->Width(), curveHeight = window.CurveWindow->Height();
  for (const QSize size : {QSize(1200, 900), least}) {
    SCOPED_TRACE(size.width());
    window.Widget()->resize(size);
    Settle();
    ASSERT_EQ(window.Width(), size.width());
    ASSERT_EQ(window.Height(), size.height());
    const int dx = size.width() - 900, dy = size.height() - 720;
    EXPECT_GT(window.CurveWindow->Width(), curveWidth + dx / 2 - 1);
    EXPECT_EQ(window.CurveWindow->Height(), curveHeight + dy);
    // Every control of the form lies inside it, and the charts do not meet.
    for (int i = 0; i < window.ComponentCount(); ++i) {
      const auto* control = dynamic_cast<const TControl*>(window.Components(i));
      if (!control || control->Parent() != &window) continue;
      EXPECT_LE(control->Left() + control->Width(), size.width()) << control->Name();
      EXPECT_LE(control->Top() + control->Height(), size.height()) << control->Name();
    }
    EXPECT_LE(window.PWindow->Top() + window.PWindow->Height(), window.LastPWindow->Top());
    EXPECT_LE(window.CurveWindow->Left() + window.CurveWindow->Width(), window.PWindow->Left());
    EXPECT_GE(window.PWindow->Height(), 100);
  }
}

TEST_F(PowerWindowTest, ACurveAtFullPowerIsDrawnInsideTheFrame) {
  TPowerWindow& window = Open();
  WaitFor(window.OnSweepShown, [&] { ChooseParameter(window, TSlider::Step); });
  ASSERT_EQ(window.Sweep().front().Result.Power(TTestKind::Paired), 1.0);
  const TRasterBitmap& picture = window.CurvePicture();
  TChart& chart = window.Curves.Chart();
  const TRect frame = chart.ChartRect();
  const int full = chart.LeftAxis().ValueToPixelY(100), none = chart.LeftAxis().ValueToPixelY(0);
  EXPECT_GT(full, frame.Top + 2);
  EXPECT_LT(none, frame.Bottom - 2);
  // Along the 100 % row, the curves' colours show.
  int curvePixels = 0;
  for (int x = frame.Left + 1; x < frame.Right - 1; ++x)
    for (const TTestInfo& test : kTests)
      curvePixels += (picture.Row(full)[x] & 0xFFFFFFu) ==
                     (ColorToPixel(window.Curves.Curve(test.Kind).SeriesColor()) & 0xFFFFFFu);
  EXPECT_GT(curvePixels, (frame.Right - frame.Left) / 4);
}

// The chart of the last Runs marks each Run's p, as the window shows it,
// over the Run's number, split by the decision; a Run without a p of its own
// takes a number and leaves no mark; older Runs scroll out.
TEST_F(PowerWindowTest, TheLastRunsChartMarksEachRunsPOverItsNumber) {
  TPowerWindow& window = Open();
  const auto marks = [&] {
    std::vector<std::pair<double, double>> all;
    for (const TLineSeries* series :
         {&window.LastPs.Significant(), &window.LastPs.NotSignificant()})
      for (int i = 0; i < series->PointCount(); ++i)
        all.emplace_back(series->XValueAt(i), series->YValueAt(i));
    std::ranges::sort(all);
    return all;
  };
  EXPECT_TRUE(marks().empty());
  std::vector<std::string> shown;  // the p box after each Run
  std::vector<bool> significant;
  for (int run = 1; run <= 55; ++run) {
    if (run == 54) MF().RG1->SetItemIndex(-1);  // no test: the p shown is not this Run's
    if (run == 55) MF().RG1->SetItemIndex(1);
    MF().Button1->Click();
    shown.push_back(MF().PP->Text());
    significant.push_back(MF().SIG2->Visible());
  }
  const auto got = marks();
  ASSERT_EQ(got.size(), 49u);  // Runs 6 to 55 but 54
  int inSignificant = 0;
  for (const auto& [run, p] : got) {
    ASSERT_NE(run, 54);
    const auto i = static_cast<std::size_t>(run) - 1;
    EXPECT_EQ(TSimulation::ResultText(static_cast<float>(p)), shown[i]) << run;
    inSignificant += significant[i];
  }
  EXPECT_EQ(got.front().first, 6);
  EXPECT_EQ(window.LastPs.Significant().PointCount(), inSignificant);
  for (int i = 0; i < window.LastPs.Significant().PointCount(); ++i)
    EXPECT_LT(window.LastPs.Significant().YValueAt(i), 0.05);
  EXPECT_EQ(window.LastPs.Chart().BottomAxis().Maximum(), 55.5);
  EXPECT_EQ(window.LastPs.Chart().Title().Text().front(), "p των τελευταίων Run: unequal variance");
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

// The type S / M cell: the share of significant Runs of the wrong sign and
// their mean exaggeration, or a dash where either is undefined.
TEST(PowerWindowText, TypeSAndMErrors) {
  TPowerResult r;
  r.Runs = 100;
  TTestCounts& paired = r.Counts(TTestKind::Paired);
  for (const double estimate : {-1.0, 20.0, 23.0, 40.0})
    paired.Add(0, TRunEstimate::Of(0, estimate, 1));
  const struct {
    TTestKind test;
    double difference;
    const char* text;
  } cases[] = {{TTestKind::Paired, 20, "25.0 % / 1.05"},
               {TTestKind::Paired, -10, "75.0 % / 2.10"},
               {TTestKind::Paired, 0, "–"},
               {TTestKind::EqualVariance, 20, "–"}};
  for (const auto& c : cases)
    EXPECT_EQ(TPowerWindow::ErrorsText(r, c.test, c.difference), c.text) << c.difference;
}

// Escape and Ctrl+W close the window, as they close dialogs and documents.
TEST_F(PowerWindowTest, EscapeAndCtrlWCloseTheWindow) {
  for (const QKeyCombination key :
       {QKeyCombination(Qt::Key_Escape), QKeyCombination(Qt::ControlModifier, Qt::Key_W)}) {
    TPowerWindow& window = Open();
    ASSERT_TRUE(window.Widget()->isVisible());
    QTest::keyClick(window.Widget(), key.key(), key.keyboardModifiers());
    EXPECT_FALSE(window.Widget()->isVisible()) << QKeySequence(key).toString().toStdString();
  }
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
    EXPECT_EQ(window.ReachingHeader->Caption(), "Τιμές με ισχύ ≥ " + std::to_string(target) + " %");
    for (const TTestInfo& test : kTests) {
      EXPECT_EQ(window.Cells[TestIndex(test.Kind)][2]->Caption(),
                ValuesReachingText(ValuesReaching(sweep, test.Kind, TPowerTarget::Percent(target)),
                                   TSlider::Step, kGreekRangeWords));
    }
  }
}

TEST_F(PowerWindowTest, TheExportWritesTheCurveChartsBitmapAndTheSweep) {
  TPowerWindow& window = Open();
  WaitFor(window.OnSweepShown, [&] { ChooseParameter(window, TSlider::Step); });
  const std::string base = ::testing::TempDir() + "halvorn_power_" + std::to_string(getpid());
  // A name without extension gets the chosen type's, and only that file.
  ASSERT_EQ(window.ExportSweep(base, TSweepExport::Picture), base + ".png");
  EXPECT_FALSE(std::ifstream(base + ".csv").good());

  // The chart as shown, and under it a band with the caption's lines.
  const TRasterBitmap& picture = window.CurvePicture();
  const QImage png =
      QImage(QString::fromStdString(base + ".png")).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(png.width(), picture.Width());
  ASSERT_GT(png.height(), picture.Height() + 3 * 16);
  int differing = 0, written = 0;
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x)
      differing += (picture.Row(y)[x] & 0xFFFFFFu) != (png.pixel(x, y) & 0xFFFFFFu);
  for (int y = picture.Height(); y < png.height(); ++y)
    for (int x = 0; x < png.width(); ++x) written += (png.pixel(x, y) & 0xFFFFFFu) != 0xFFFFFFu;
  EXPECT_EQ(differing, 0);
  EXPECT_GT(written, 500);

  ASSERT_EQ(window.ExportSweep(base, TSweepExport::Data), base + ".csv");
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
  try {
    window.SaveSweepData(missing);
    ADD_FAILURE() << "saved";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message(), "Δεν ήταν δυνατή η αποθήκευση του αρχείου «" + missing +
                               "»: " + std::strerror(ENOENT));
  }
  EXPECT_FALSE(std::ifstream(missing + ".part").good());
}

}  // namespace
}  // namespace halvorn
