#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>
#include <functional>
#include <string>
#include <vector>

#include "FormTesting.h"
#include "ModalWatcher.h"
#include "platform/forms/PanelWindow.h"
#include "platform/runtime/Exceptions.h"
#include "platform/runtime/Format.h"

namespace halvorn {
namespace {

using testing::FormTest;
using testing::ModalWatcher;

std::string ShiftText(TShiftState s) {
  std::string text;
  const std::pair<TShiftState, const char*> names[] = {
      {ssShift, "Shift"}, {ssAlt, "Alt"},       {ssCtrl, "Ctrl"},    {ssLeft, "Left"},
      {ssRight, "Right"}, {ssMiddle, "Middle"}, {ssDouble, "Double"}};
  for (const auto& [bit, name] : names)
    if (s & bit) text += text.empty() ? name : std::string("+") + name;
  return text.empty() ? "-" : text;
}

const char* ButtonText(TMouseButton b) {
  return b == mbLeft ? "left" : b == mbRight ? "right" : "middle";
}

// A client that writes down every call it gets.
class RecordingClient : public IPanelClient {
 public:
  void Paint() override {
    ++paints;
    if (onPaint) onPaint();
  }
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    Note(Fmt("down %s %s %d %d", ButtonText(b), ShiftText(s).c_str(), x, y));
    if (onMouse) onMouse();
  }
  void MouseMove(TShiftState s, int x, int y) override {
    Note(Fmt("move %s %d %d", ShiftText(s).c_str(), x, y));
  }
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
    Note(Fmt("up %s %s %d %d", ButtonText(b), ShiftText(s).c_str(), x, y));
  }
  void MouseWheel(TShiftState s, int delta, int x, int y) override {
    Note(Fmt("wheel %s %d %d %d", ShiftText(s).c_str(), delta, x, y));
  }
  void MouseLeave() override { Note("leave"); }
  void Resized(int w, int h) override { Note(Fmt("resized %d %d", w, h)); }

  void Note(std::string call) { calls.push_back(std::move(call)); }

  std::vector<std::string> calls;
  int paints = 0;
  std::function<void()> onPaint;
  std::function<void()> onMouse;
};

class PanelWindowTest : public FormTest {
 protected:
  PanelWindowTest() : panel_(new TPanelWindow(&Form(), &Form())) {
    panel_->SetBounds(8, 8, 200, 100);
    panel_->SetClient(&client_);
  }
  ~PanelWindowTest() override { panel_->SetClient(nullptr); }

  QWidget* Host() const { return panel_->Widget(); }

  void ShowAndSettle() {
    ShowForm();
    QApplication::processEvents();
    client_.calls.clear();
    client_.paints = 0;
  }

  void Wheel(int angle, Qt::KeyboardModifiers keys = {}) {
    const QPointF at(20, 30);
    QWheelEvent event(at, Host()->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton, keys,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(Host(), &event);
  }

  // The pixel the screen shows at a point of the panel.
  QRgb Screen(int x, int y) const {
    const QPoint at = Host()->mapTo(Host()->window(), QPoint(x, y));
    const QImage shot = Host()->screen()->grabWindow(Host()->window()->winId()).toImage();
    return shot.pixel(at) | 0xFF000000u;
  }

  TPanelWindow* panel_;
  RecordingClient client_;
};

TEST_F(PanelWindowTest, MouseInputArrivesWithButtonShiftAndClientPosition) {
  ShowAndSettle();
  QWidget* host = Host();
  QTest::mousePress(host, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 20));
  QTest::mouseMove(host, QPoint(30, 40));
  QTest::mouseRelease(host, Qt::LeftButton, Qt::ShiftModifier, QPoint(31, 41));
  QTest::mousePress(host, Qt::RightButton, Qt::ControlModifier, QPoint(5, 6));
  QTest::mouseRelease(host, Qt::RightButton, {}, QPoint(5, 6));
  QTest::mousePress(host, Qt::MiddleButton, Qt::AltModifier, QPoint(7, 8));
  QTest::mouseRelease(host, Qt::MiddleButton, {}, QPoint(7, 8));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(host, &leave);
  EXPECT_EQ(client_.calls, (std::vector<std::string>{
                               "down left Shift+Left 10 20",
                               "move Left 30 40",
                               "up left Shift 31 41",
                               "down right Ctrl+Right 5 6",
                               "up right - 5 6",
                               "down middle Alt+Middle 7 8",
                               "up middle - 7 8",
                               "leave",
                           }));
}

TEST_F(PanelWindowTest, TheSecondPressOfADoubleClickCarriesDouble) {
  ShowAndSettle();
  // Qt delivers a double click as press, release, double click, release.
  QTest::mouseClick(Host(), Qt::LeftButton, {}, QPoint(50, 60));
  QTest::mouseDClick(Host(), Qt::LeftButton, {}, QPoint(50, 60));
  QTest::mouseRelease(Host(), Qt::LeftButton, {}, QPoint(50, 60));
  const std::vector<std::string> expected = {"down left Left 50 60", "up left - 50 60",
                                             "down left Left+Double 50 60", "up left - 50 60"};
  EXPECT_EQ(client_.calls, expected);
}

TEST_F(PanelWindowTest, TheWheelArrivesOncePerWholeNotch) {
  // Each row leaves a whole number of notches, so none carries a remainder
  // into the next, except the last.
  struct Row {
    const char* name;
    std::vector<int> angles;
    Qt::KeyboardModifiers keys;
    std::vector<std::string> calls;
  };
  const std::vector<Row> rows = {
      {"one notch up", {120}, {}, {"wheel - 120 20 30"}},
      {"two notches down in one event", {-240}, {}, {"wheel - -120 20 30", "wheel - -120 20 30"}},
      {"half notches add up", {60, 60}, {}, {"wheel - 120 20 30"}},
      {"movement back cancels", {90, -90, 90, -90}, {}, {}},
      {"with the shift key", {-120}, Qt::ShiftModifier, {"wheel Shift -120 20 30"}},
      {"a part notch alone does nothing", {90}, {}, {}},
  };
  ShowAndSettle();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    client_.calls.clear();
    for (const int angle : row.angles) Wheel(angle, row.keys);
    EXPECT_EQ(client_.calls, row.calls);
  }
}

TEST_F(PanelWindowTest, ANewSizeGivesANewSurfaceAndAPaint) {
  ShowAndSettle();
  panel_->SetBounds(8, 8, 300, 150);
  QApplication::processEvents();
  EXPECT_EQ(client_.calls, std::vector<std::string>{"resized 300 150"});
  EXPECT_EQ(client_.paints, 1);
  const TPanelSurface surface = panel_->Surface();
  EXPECT_EQ(surface.Width, 300);
  EXPECT_EQ(surface.Height, 150);
  EXPECT_GE(surface.BytesPerLine, 300 * 4);
}

TEST_F(PanelWindowTest, PaintRequestsMergeIntoOnePaint) {
  ShowAndSettle();
  for (int i = 0; i < 5; ++i) panel_->RequestPaint();
  EXPECT_EQ(client_.paints, 0);
  QApplication::processEvents();
  EXPECT_EQ(client_.paints, 1);
  QApplication::processEvents();
  EXPECT_EQ(client_.paints, 1);
  panel_->PaintNow();
  EXPECT_EQ(client_.paints, 2);
}

TEST_F(PanelWindowTest, WhatTheClientPaintsIsWhatTheScreenShows) {
  client_.onPaint = [this] {
    const TPanelSurface s = panel_->Surface();
    for (int y = 0; y < s.Height; ++y)
      for (int x = 0; x < s.Width; ++x) s.Row(y)[x] = 0xFF0000FFu;
  };
  ShowAndSettle();
  panel_->RequestPaint();
  QApplication::processEvents();
  EXPECT_EQ(Screen(0, 0), 0xFF0000FFu);
  EXPECT_EQ(Screen(199, 99), 0xFF0000FFu);

  // Drawing between paints shows on ShowSurface, without a Paint.
  panel_->Surface().Row(10)[20] = 0xFFFF0000u;
  panel_->ShowSurface();
  QApplication::processEvents();
  EXPECT_EQ(client_.paints, 1);
  EXPECT_EQ(Screen(20, 10), 0xFFFF0000u);
}

TEST_F(PanelWindowTest, AnExceptionFromAPaintIsShownAfterThePaintAndPaintingGoesOn) {
  ShowAndSettle();
  client_.onPaint = [] { throw EZeroDivide(); };
  ModalWatcher watcher;
  panel_->RequestPaint();
  QApplication::processEvents();
  QApplication::processEvents();
  ASSERT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(watcher.Seen()[0].text, "Floating point division by zero.");
  client_.onPaint = nullptr;
  panel_->RequestPaint();
  QApplication::processEvents();
  EXPECT_EQ(client_.paints, 2);
}

TEST_F(PanelWindowTest, AMouseExceptionEndsTheCaptureSoInputOutsideGoesElsewhere) {
  ShowAndSettle();
  // While the panel holds the capture, a drag beyond its edge still reaches it.
  QTest::mousePress(Host(), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(QWidget::mouseGrabber(), Host());
  QTest::mouseMove(Host(), QPoint(250, 10));
  QTest::mouseRelease(Host(), Qt::LeftButton, {}, QPoint(250, 10));
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  EXPECT_EQ(client_.calls, (std::vector<std::string>{"down left Left 10 10", "move Left 250 10",
                                                     "up left - 250 10"}));

  client_.calls.clear();
  client_.onMouse = [] { throw EInvalidOp(); };
  ModalWatcher watcher;
  QTest::mousePress(Host(), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  QTest::mouseMove(Host(), QPoint(250, 10));
  QTest::mouseMove(Host(), QPoint(12, 10));
  QTest::mouseRelease(Host(), Qt::LeftButton, {}, QPoint(250, 10));
  EXPECT_EQ(client_.calls, (std::vector<std::string>{"down left Left 10 10", "move Left 12 10"}));
}

}  // namespace
}  // namespace halvorn
