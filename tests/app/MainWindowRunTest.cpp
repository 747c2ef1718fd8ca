#include <QMessageBox>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionSlider>
#include <string>
#include <vector>

#include "../platform/forms/ModalWatcher.h"
#include "MainWindowTesting.h"
#include "platform/runtime/Exceptions.h"

namespace halvorn {
namespace {

using testing::MainWindowTest;
using testing::ModalWatcher;

std::vector<double> YValues(const TChartSeries& s) {
  std::vector<double> values;
  for (int i = 0; i < s.PointCount(); ++i) values.push_back(s.YValueAt(i));
  return values;
}

QRect Thumb(const QScrollBar* bar) {
  QStyleOptionSlider option;
  option.initFrom(bar);
  option.orientation = Qt::Horizontal;
  option.state |= QStyle::State_Horizontal;
  option.minimum = bar->minimum();
  option.maximum = bar->maximum();
  option.sliderPosition = bar->value();
  option.sliderValue = bar->value();
  option.singleStep = bar->singleStep();
  option.pageStep = bar->pageStep();
  option.subControls = QStyle::SC_All;
  return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider,
                                      bar);
}

void SelectTest(TRadioGroup* group, int index) {
  const auto buttons = group->Widget()->findChildren<QRadioButton*>();
  ASSERT_GT(buttons.size(), index);
  QTest::mouseClick(buttons[index], Qt::LeftButton);
  ASSERT_EQ(group->ItemIndex(), index);
}

// Home moves a slider to its minimum, as the user would.
void ToMinimum(TScrollBar* bar) {
  bar->SetFocus();
  QTest::keyClick(bar->Widget(), Qt::Key_Home);
}

TEST_F(MainWindowTest, FirstRunShowsTheEqualVarianceResultAndOneRepaint) {
  ShowWindow();
  const int before = Renders();
  ClickRun();
  EXPECT_EQ(MF().TT->Text(), "-1.650");
  EXPECT_EQ(MF().PP->Text(), "0.113");
  EXPECT_FALSE(MF().SIG1->Widget()->isVisible());
  EXPECT_FALSE(MF().SIG2->Widget()->isVisible());
  EXPECT_EQ(MF().Series1.PointCount(), 12);
  EXPECT_EQ(MF().Series2.PointCount(), 12);
  EXPECT_EQ(MF().Series1.XValueAt(11), 12.0);
  // Twenty-four new points, one render.
  EXPECT_EQ(Renders(), before + 1);
}

TEST_F(MainWindowTest, FirstRunWithPairedSamplesIsSignificant) {
  ShowWindow();
  SelectTest(MF().RG1, 2);
  ClickRun();
  EXPECT_EQ(MF().TT->Text(), "-8.742");
  EXPECT_EQ(MF().PP->Text(), "0.000");
  EXPECT_TRUE(MF().SIG1->Widget()->isVisible());
  EXPECT_TRUE(MF().SIG2->Widget()->isVisible());
}

TEST_F(MainWindowTest, DraggingSamplesUpdatesItsLabelAtEveryStepAndLeavesTheChart) {
  ShowWindow();
  ClickRun();
  const std::vector<double> plotted = YValues(MF().Series1);
  const int renders = Renders();

  QScrollBar* bar = Bar(MF().Samples);
  QPoint at = Thumb(bar).center();
  QTest::mousePress(bar, Qt::LeftButton, {}, at);
  int steps = 0;
  while (at.x() < bar->width() + 5) {
    at.rx() += 1;
    const int previous = MF().Samples->Position();
    QTest::mouseMove(bar, at);
    if (MF().Samples->Position() == previous) continue;
    ++steps;
    const int n = MF().Samples->Position();
    ASSERT_EQ(MF().LSamples->Caption(), std::to_string(n));
    ASSERT_EQ(MF().Simulation().Params().SampleCount, n);
  }
  QTest::mouseRelease(bar, Qt::LeftButton, {}, at);
  Settle();
  EXPECT_EQ(MF().Samples->Position(), 200);
  EXPECT_EQ(MF().LSamples->Caption(), "200");
  EXPECT_GT(steps, 40);
  // Nothing was recomputed or drawn.
  EXPECT_EQ(Renders(), renders);
  EXPECT_EQ(YValues(MF().Series1), plotted);

  ClickRun();
  EXPECT_EQ(MF().Series1.PointCount(), 200);
  EXPECT_EQ(Renders(), renders + 1);
}

TEST_F(MainWindowTest, SteppingSlidersWritesLabelsAndOnlyDifMovesTheAfterBaseline) {
  ShowWindow();
  struct Row {
    TScrollBar* bar;
    TLabel* label;
    Qt::Key key;
    const char* text;
    double baselineM;
  };
  const std::vector<Row> rows = {
      {MF().ErrorP, MF().LErrorP, Qt::Key_Right, "15", 120},
      {MF().AmpliM, MF().LAmpliM, Qt::Key_End, "100", 120},
      {MF().FasiM, MF().LFasiM, Qt::Key_Home, "1", 120},
      {MF().Step, MF().LStep, Qt::Key_End, "6", 120},
      {MF().Dif, MF().LDif, Qt::Key_Home, "0", 100},
      {MF().Dif, MF().LDif, Qt::Key_Right, "1", 101},
      {MF().Samples, MF().LSamples, Qt::Key_Left, "11", 101},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.bar->Name());
    row.bar->SetFocus();
    QTest::keyClick(row.bar->Widget(), row.key);
    EXPECT_EQ(row.label->Caption(), row.text);
    EXPECT_EQ(MF().Simulation().Params().BaselineM, row.baselineM);
  }
  EXPECT_EQ(MF().Series1.PointCount(), 0);
}

TEST_F(MainWindowTest, ConstantSeriesEndInTheErrorBoxAndTheWindowStaysUsable) {
  ShowWindow();
  ClickRun();
  ASSERT_EQ(MF().TT->Text(), "-1.650");
  for (TScrollBar* bar : {MF().ErrorP, MF().ErrorM, MF().AmpliP, MF().AmpliM}) ToMinimum(bar);
  {
    ModalWatcher watcher;
    ClickRun();
    ASSERT_EQ(watcher.Seen().size(), 1u);
    EXPECT_EQ(watcher.Seen()[0].caption, "Halvorn");
    EXPECT_EQ(watcher.Seen()[0].text, "Floating point division by zero.");
    EXPECT_EQ(watcher.Seen()[0].icon, QMessageBox::Critical);
  }
  // The new constant series are plotted; no result of the earlier samples
  // is left beside them.
  EXPECT_EQ(YValues(MF().Series1), std::vector<double>(12, 100.0));
  EXPECT_EQ(YValues(MF().Series2), std::vector<double>(12, 120.0));
  EXPECT_EQ(MF().TT->Text(), "");
  EXPECT_EQ(MF().PP->Text(), "");
  EXPECT_FALSE(MF().SIG1->Widget()->isVisible());

  MF().ErrorP->SetFocus();
  QTest::keyClick(MF().ErrorP->Widget(), Qt::Key_Right);
  SelectTest(MF().RG1, 1);
  ModalWatcher watcher;
  ClickRun();
  EXPECT_TRUE(watcher.Seen().empty());
  EXPECT_NE(MF().TT->Text(), "");
  EXPECT_NE(MF().PP->Text(), "");
}

TEST_F(MainWindowTest, AnExceptionFromASliderHandlerIsShownAndTheLoopGoesOn) {
  ShowWindow();
  const TNotifyEvent handler = MF().ErrorP->OnChange;
  MF().ErrorP->OnChange = [handler](TObject* sender) {
    handler(sender);
    throw EOverflow();
  };
  MF().ErrorP->SetFocus();
  {
    ModalWatcher watcher;
    QTest::keyClick(MF().ErrorP->Widget(), Qt::Key_Right);
    ASSERT_EQ(watcher.Seen().size(), 1u);
    EXPECT_EQ(watcher.Seen()[0].text, "Floating point overflow.");
  }
  // The handler's work before the failure stays.
  EXPECT_EQ(MF().LErrorP->Caption(), "15");
  EXPECT_EQ(MF().Simulation().Params().ErrorPctP, 15.0);
  ClickRun();
  EXPECT_NE(MF().TT->Text(), "");
}

TEST_F(MainWindowTest, AnExceptionFromAPaintIsShownAndTheNextPaintRenders) {
  ShowWindow();
  bool fail = true;
  int renders = 0;
  MF().Chart1.OnAfterDraw = [&](TCustomChartPanel&) {
    ++renders;
    if (fail) throw EInvalidOp();
  };
  {
    ModalWatcher watcher;
    ClickRun();
    Settle();
    ASSERT_EQ(watcher.Seen().size(), 1u);
    EXPECT_EQ(watcher.Seen()[0].text, "Invalid floating point operation.");
  }
  EXPECT_EQ(MF().TT->Text(), "-1.650");
  fail = false;
  const int before = renders;
  ClickRun();
  EXPECT_EQ(renders, before + 1);
}

TEST_F(MainWindowTest, AnExceptionFromTheChartsMouseHandlingIsShownAndZoomStillWorks) {
  ShowWindow();
  ClickRun();
  QWidget* chart = MF().Chart1Window->Widget();
  MF().Chart1.OnClickBackground = [](TCustomChart&, TMouseButton, TShiftState, int, int) {
    throw EZeroDivide();
  };
  {
    ModalWatcher watcher;
    QTest::mousePress(chart, Qt::LeftButton, Qt::NoModifier, QPoint(400, 200));
    Settle();
    ASSERT_EQ(watcher.Seen().size(), 1u);
    EXPECT_EQ(watcher.Seen()[0].text, "Floating point division by zero.");
  }
  QTest::mouseRelease(chart, Qt::LeftButton, Qt::NoModifier, QPoint(400, 200));
  Settle();
  // The loop goes on: without the handler, a drag right and down zooms the
  // axes to the dragged rectangle.
  MF().Chart1.OnClickBackground = nullptr;
  ASSERT_TRUE(MF().Chart1.BottomAxis().Automatic());
  QTest::mousePress(chart, Qt::LeftButton, Qt::NoModifier, QPoint(200, 100));
  QMouseEvent move(QEvent::MouseMove, QPointF(500, 300), chart->mapToGlobal(QPointF(500, 300)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(chart, &move);
  QTest::mouseRelease(chart, Qt::LeftButton, Qt::NoModifier, QPoint(500, 300));
  Settle();
  EXPECT_FALSE(MF().Chart1.BottomAxis().Automatic());
  EXPECT_FALSE(MF().Chart1.LeftAxis().Automatic());
  EXPECT_LT(MF().Chart1.BottomAxis().Maximum() - MF().Chart1.BottomAxis().Minimum(), 11.0);
}

}  // namespace
}  // namespace halvorn
