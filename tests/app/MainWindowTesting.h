#pragma once
// A fresh main window as a process start creates it (the random source
// seeded anew), shown on the offscreen screen, with its chart's renders
// counted.

#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "app/MainWindow.h"
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

  static QScrollBar* Bar(const TScrollBar* bar) { return static_cast<QScrollBar*>(bar->Widget()); }
  TScrollBar& SliderBar(TSlider slider) {
    return *dynamic_cast<TScrollBar*>(form_->FindControl(SliderInfo(slider).Control));
  }

 private:
  std::unique_ptr<TMF> form_;
  int renders_ = 0;
};

}  // namespace halvorn::testing
