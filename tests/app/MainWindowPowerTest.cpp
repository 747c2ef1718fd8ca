// The power readout follows the design and the random source, and the
// chart's exports write what the window shows.

#include <unistd.h>

#include <QImage>
#include <QRadioButton>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "MainWindowTesting.h"
#include "app/ModelWindow.h"
#include "app/PowerReadout.h"
#include "platform/forms/RadioGroup.h"
#include "platform/runtime/Exceptions.h"

namespace halvorn {
namespace {

using testing::MainWindowTest;

std::string TempPath(const std::string& name) {
  return ::testing::TempDir() + "halvorn_" + std::to_string(getpid()) + "_" + name;
}

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

class MainWindowPowerTest : public MainWindowTest {
 protected:
  // What the readout should show for the window's design and random state:
  // the figures of the t-tests, as the window starts.
  void ExpectReadoutOfTheEngine() {
    ExpectReadoutShows({TTestKind::EqualVariance, TTestKind::UnequalVariance, TTestKind::Paired});
  }

  std::string Caption(const char* name) {
    return dynamic_cast<TLabel*>(MF().FindControl(name))->Caption();
  }
};

// The contrast ratio of two colours (0x00BBGGRR) as WCAG 2 defines it.
double Contrast(TColor a, TColor b) {
  const auto luminance = [](TColor c) {
    const auto channel = [c](int shift) {
      const double v = ((c >> shift) & 0xFF) / 255.0;
      return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(0) + 0.7152 * channel(8) + 0.0722 * channel(16);
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST_F(MainWindowPowerTest, TheReadoutShowsTheEnginesFiguresForTheDesignAndTheRandomState) {
  ShowWindow();
  WaitForReadout();
  ExpectReadoutOfTheEngine();
  EXPECT_EQ(Caption("LPowerPaired").substr(0, 7), "100.0 %");

  // A Run moves the random source: the figures are for the next Runs.
  ClickRun();
  // Dimmed, and still readable on the navy (WCAG's 4.5 : 1 for text).
  const TColor dimmed = dynamic_cast<TLabel*>(MF().FindControl("LPowerEqual"))->Font().Color();
  EXPECT_NE(dimmed, clYellow);
  EXPECT_GE(Contrast(dimmed, MF().Color()), 4.5);
  WaitForReadout();
  ExpectReadoutOfTheEngine();

  // A burst of slider moves: the figures of the last design.
  for (int position : {2, 40, 100}) Bar(MF().Dif)->setValue(position);
  Bar(MF().Samples)->setValue(40);
  WaitForReadout();
  ExpectReadoutOfTheEngine();
}

TEST_F(MainWindowPowerTest, ExportsWriteTheWindowsPictureAndTheToolsData) {
  ShowWindow();
  Bar(MF().Samples)->setValue(24);
  ClickRun();
  ClickRun();

  const std::string png = TempPath("chart.png");
  MF().SaveChartPicture(png);
  const QImage image = QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
  std::remove(png.c_str());
  const TRasterBitmap& picture = MF().ChartPicture();
  ASSERT_EQ(image.width(), picture.Width());
  ASSERT_EQ(image.height(), picture.Height());
  int differing = 0;
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x)
      differing += (image.pixel(x, y) & 0xFFFFFFu) != (picture.At(x, y) & 0xFFFFFFu);
  EXPECT_EQ(differing, 0);
  // The window shows the same picture.
  const TPanelSurface surface = MF().Chart1Window->Surface();
  EXPECT_EQ(surface.Row(200)[400] & 0xFFFFFFu, picture.At(400, 200) & 0xFFFFFFu);

  const std::string csv = TempPath("points.csv"), tool = TempPath("tool.csv");
  MF().SaveRunData(csv);
  const std::string command =
      std::string(HALVORN_CLI) + " run --samples 24 --runs 2 --data " + tool + " >/dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(Contents(csv), Contents(tool));
  EXPECT_EQ(Contents(csv).substr(0, 19), "month,before,after\n");

  // A failed write names the file and says why, in the program's words (the
  // reason is the system's or Qt's), and leaves the file that was there.
  std::ofstream(csv) << "kept";
  const std::string unwritable = TempPath("no/such/dir/points.csv");
  const std::string failure = "Δεν ήταν δυνατή η αποθήκευση του αρχείου «" + unwritable + "»: ";
  struct Row {
    const char* name;
    std::function<void()> save;
    std::string reason;  // empty: Qt's, not known here
  };
  const Row rows[] = {
      {"points", [this, &unwritable] { MF().SaveRunData(unwritable); }, std::strerror(ENOENT)},
      {"picture", [this, &unwritable] { MF().SaveChartPicture(unwritable); }, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    try {
      row.save();
      ADD_FAILURE() << "saved";
    } catch (const EInOutError& e) {
      EXPECT_EQ(e.Message().substr(0, failure.size()), failure);
      if (row.reason.empty())
        EXPECT_GT(e.Message().size(), failure.size());
      else
        EXPECT_EQ(e.Message().substr(failure.size()), row.reason);
    }
  }
  EXPECT_EQ(Contents(csv), "kept");
  std::remove(csv.c_str());
  std::remove(tool.c_str());
}

// The model window, driven through its controls: the Runs, the readout, the
// model's line and the chart follow at once.
TEST_F(MainWindowPowerTest, TheModelWindowSetsTheModelOfTheRunsAndTheReadout) {
  ShowWindow();
  EXPECT_FALSE(MF().LModel->Widget()->isVisible());
  QTest::keyClick(MF().Widget(), Qt::Key_M, Qt::ControlModifier);
  ASSERT_NE(MF().ModelWindow(), nullptr);
  TModelWindow& model = *MF().ModelWindow();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(model.Widget()));
  EXPECT_EQ(model.Widget()->windowTitle(), "Μοντέλο μέτρησης");
  EXPECT_EQ(model.ErrorModelGroup->Items(),
            (std::vector<std::string>{"ομοιόμορφο", "κανονικό", "λογαριθμοκανονικό"}));
  for (const TLabel* value : model.Values) EXPECT_NE(value->Caption(), "");
  EXPECT_EQ(model.Values[0]->Caption(), "0.00");

  // Tab reaches the choice and every slider.
  model.ErrorModelGroup->SetFocus();
  QApplication::processEvents();
  for (TScrollBar* bar : model.Bars) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), bar->Widget()) << bar->Name();
  }

  // Lognormal errors correlated at 0.5 month to month.
  const auto buttons = model.ErrorModelGroup->Widget()->findChildren<QRadioButton*>();
  ASSERT_EQ(buttons.size(), 3);
  QTest::mouseClick(buttons[2], Qt::LeftButton, {}, QPoint(6, buttons[2]->height() / 2));
  Bar(model.Bars[0])->setValue(10);
  EXPECT_EQ(model.Values[0]->Caption(), "0.50");
  EXPECT_EQ(MF().Simulation().Params().ErrorModel, TErrorModel::Lognormal);
  EXPECT_EQ(MF().Simulation().Params().Correlation, 0.5);
  EXPECT_TRUE(MF().LModel->Widget()->isVisible());
  EXPECT_EQ(MF().LModel->Caption(), "Μοντέλο: λογαριθμοκανονικό σφάλμα, Αυτοσυσχέτιση ρ 0.50");
  WaitForReadout();
  ExpectReadoutOfTheEngine();

  // Back to the default model: nothing names it any more.
  QTest::mouseClick(buttons[0], Qt::LeftButton, {}, QPoint(6, buttons[0]->height() / 2));
  Bar(model.Bars[0])->setValue(0);
  EXPECT_TRUE(MF().Simulation().Params().DefaultModel());
  EXPECT_FALSE(MF().LModel->Widget()->isVisible());
  QTest::keyClick(model.Widget(), Qt::Key_Escape);
  EXPECT_FALSE(model.Widget()->isVisible());
}

// With a detection limit of 90 the seasonal lows of the defaults are
// censored: hollow marks over them, at 45, a dashed line at the limit, and
// two columns more in the Run's data. Without a limit the marks leave the
// chart.
TEST_F(MainWindowPowerTest, CensoredSamplesAreMarkedOnTheChartAndInTheData) {
  ShowWindow();
  TModelWindow& model = MF().ShowModelWindow();
  Bar(model.Bars[2])->setValue(18);
  EXPECT_EQ(MF().Simulation().Params().DetectionLimit, 90);
  ClickRun();
  const TCensoringMarks& marks = MF().CensoringMarks();
  ASSERT_TRUE(marks.Shown());
  EXPECT_EQ(MF().Chart1.ActiveSeriesCount(), 5);
  int censored = 0;
  for (int i = 0; i < MF().Series1.PointCount(); ++i) {
    const bool flagged = MF().Simulation().CensoredP()[static_cast<std::size_t>(i) + 1];
    censored += flagged;
    EXPECT_EQ(MF().Series1.YValueAt(i) == 45, flagged) << i;
  }
  EXPECT_GT(censored, 0);
  EXPECT_EQ(marks.BeforeMarks().PointCount(), censored);
  for (int i = 0; i < marks.BeforeMarks().PointCount(); ++i)
    EXPECT_EQ(marks.BeforeMarks().YValueAt(i), 45);
  EXPECT_EQ(marks.LimitLine().YValueAt(0), 90);
  EXPECT_EQ(marks.LimitLine().XValueAt(1), 12);
  const std::string csv = TempPath("censored.csv");
  MF().SaveRunData(csv);
  EXPECT_EQ(Contents(csv).substr(0, 50), "month,before,after,before_censored,after_censored\n");
  std::remove(csv.c_str());

  Bar(model.Bars[2])->setValue(0);
  ClickRun();
  EXPECT_FALSE(marks.Shown());
  EXPECT_EQ(MF().Chart1.ActiveSeriesCount(), 2);
}

}  // namespace
}  // namespace halvorn
