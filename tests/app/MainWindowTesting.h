#pragma once
// A fresh main window as a process start creates it (the random source
// seeded anew), shown on the offscreen screen, with its chart's renders
// counted.

#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/MainWindowLayout.h"
#include "app/PowerReadout.h"
#include "sim/RandomSource.h"

namespace halvorn::testing {

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    SeedRandom(1);
    form_ = std::make_unique<TMF>(nullptr);
    form_->Chart1.OnAfterDraw = [this](TCustomChartPanel&) { ++renders_; };
  }

  TMF& MF() { return *form_; }
  int Renders() const { return renders_; }

  void ShowWindow() {
    form_->Show();
    form_->Widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_->Widget()));
    Settle();
  }

  // Lets the pending paints happen.
  static void Settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }

  void ClickRun() {
    QTest::mouseClick(form_->Button1->Widget(), Qt::LeftButton);
    Settle();
  }

  // Handles messages until the readout shows the current figures.
  void WaitForReadout() {
    QTimer guard;
    guard.start(20000);
    while (!MF().ReadoutSettled() && guard.isActive())
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    ASSERT_TRUE(MF().ReadoutSettled());
  }

  // The readout shows the rows of `tests`, in this order and with the
  // engine's figures for the window's design and random state, then the
  // false positives' row; no other test's row.
  void ExpectReadoutShows(const std::vector<TTestKind>& tests) {
    TPowerPool pool(2);
    const TPowerRequest request{MF().Simulation().Params(), RandomState, TPowerReadout::kRuns};
    const TPowerResult power = ComputePower(request, pool);
    const TPowerResult falsePositive = ComputeFalsePositive(request, pool);
    EXPECT_EQ(MF().Readout().ShownTests(), tests);
    const auto expectRow = [this](const std::string& label, int row, const std::string& name,
                                  const std::string& value) {
      SCOPED_TRACE(label);
      const TLabel& nameLabel = LayoutControl<TLabel>(MF(), label + "Name");
      const TLabel& valueLabel = LayoutControl<TLabel>(MF(), label);
      EXPECT_EQ(static_cast<QLabel*>(nameLabel.Widget())->text().toStdString(), name);
      EXPECT_EQ(static_cast<QLabel*>(valueLabel.Widget())->text().toStdString(), value);
      for (const TLabel* l : {&nameLabel, &valueLabel}) {
        EXPECT_TRUE(l->Widget()->isVisible());
        EXPECT_EQ(l->Widget()->y(), 632 + 16 * row);
      }
      EXPECT_EQ(nameLabel.Widget()->x(), 16);
      EXPECT_EQ(valueLabel.Widget()->x(), 224);
      EXPECT_EQ(valueLabel.Font().Color(), clYellow);
    };
    for (const TTestInfo& test : kTests) {
      const auto row = std::ranges::find(tests, test.Kind);
      if (row != tests.end()) {
        expectRow(ReadoutLabel(test.Kind), static_cast<int>(row - tests.begin()), test.Caption,
                  TPowerReadout::PowerText(power, test.Kind));
      } else {
        EXPECT_FALSE(MF().FindControl(ReadoutLabel(test.Kind))->Widget()->isVisible())
            << test.Caption;
        EXPECT_FALSE(MF().FindControl(ReadoutLabel(test.Kind) + "Name")->Widget()->isVisible());
      }
    }
    expectRow(kFalsePositiveLabel, static_cast<int>(tests.size()), "Ψευδώς θετικά στη διαφορά 0",
              TPowerReadout::FalsePositiveText(falsePositive, tests));
    // Each false-positive figure is named by its test, in the rows' order.
    std::string rest = TPowerReadout::FalsePositiveText(falsePositive, tests);
    for (const TTestKind test : tests) {
      const std::string named = std::string(TestInfo(test).Key) + " ";
      EXPECT_EQ(rest.substr(0, named.size()), named) << rest;
      const std::size_t next = rest.find(" · ");
      rest = next == std::string::npos ? "" : rest.substr(next + std::string(" · ").size());
    }
    EXPECT_EQ(rest, "");
  }

  static QScrollBar* Bar(const TScrollBar* bar) { return static_cast<QScrollBar*>(bar->Widget()); }
  TScrollBar& SliderBar(TSlider slider) {
    return *dynamic_cast<TScrollBar*>(form_->FindControl(SliderInfo(slider).Control));
  }

 private:
  std::unique_ptr<TMF> form_;
  int renders_ = 0;
};

}  // namespace halvorn::testing
