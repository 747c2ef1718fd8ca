// The real main window, offscreen, under random use:
// - sequences of slider moves, test choices, Runs and chart interaction
//   (zoom drags, undo drags, pans, wheel notches, resizes of the chart): no
//   exception reaches the error box from the chart, the axis ranges stay
//   finite, and every Run shows exactly what the same sequence without the
//   chart interaction shows (the chart never touches the simulation);
// - random designs, every slider anywhere in its range and each test: a Run
//   either shows a result or fails with one of the three floating-point
//   messages and leaves the result area empty.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <QApplication>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "sim/RandomSource.h"
#include "tests/platform/forms/ModalWatcher.h"
#include "tests/property/Generators.h"

namespace halvorn::testing {
namespace {

enum class TActionKind { Slider, Test, Run, Zoom, Undo, Pan, Wheel, Resize, Count };

struct TAction {
  TActionKind Kind = TActionKind::Run;
  // Slider and position; test; drag from (A, B) to (C, D) or by (C, D);
  // wheel at (A, B) by C notches; chart size C x D.
  int A = 0, B = 0, C = 0, D = 0;
};

bool ChartOnly(TActionKind kind) {
  return kind == TActionKind::Zoom || kind == TActionKind::Undo || kind == TActionKind::Pan ||
         kind == TActionKind::Wheel || kind == TActionKind::Resize;
}

std::ostream& operator<<(std::ostream& os, const TAction& a) {
  static constexpr const char* kNames[] = {"Slider", "Test", "Run",   "Zoom",
                                           "Undo",   "Pan",  "Wheel", "Resize"};
  return os << kNames[static_cast<int>(a.Kind)] << "(" << a.A << "," << a.B << "," << a.C << ","
            << a.D << ")";
}

void Settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

// The window's sliders in their order.
std::vector<TScrollBar*> Sliders(TMF& mf) {
  return {mf.ErrorP, mf.ErrorM, mf.AmpliP, mf.AmpliM, mf.FasiP,
          mf.FasiM,  mf.Dif,    mf.Step,   mf.Samples};
}

// Moves a slider as a drag of its thumb does: through the Qt control.
void MoveSlider(TScrollBar* bar, int position) {
  static_cast<QScrollBar*>(bar->Widget())->setValue(position);
}

void SelectTest(TMF& mf, int index) {
  const auto buttons = mf.RG1->Widget()->findChildren<QRadioButton*>();
  QTest::mouseClick(buttons[index], Qt::LeftButton);
}

void Drag(QWidget* w, Qt::MouseButton button, QPoint from, QPoint to) {
  QTest::mousePress(w, button, Qt::NoModifier, from);
  QMouseEvent move(QEvent::MouseMove, QPointF(to), w->mapToGlobal(QPointF(to)), Qt::NoButton,
                   button, Qt::NoModifier);
  QApplication::sendEvent(w, &move);
  QTest::mouseRelease(w, button, Qt::NoModifier, to);
}

void Wheel(QWidget* w, QPoint at, int notches) {
  QWheelEvent wheel(QPointF(at), w->mapToGlobal(QPointF(at)), QPoint(), QPoint(0, notches * 120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(w, &wheel);
}

bool AxesFinite(TMF& mf) {
  for (const TChartAxis* axis : {&mf.Chart1.BottomAxis(), &mf.Chart1.LeftAxis()})
    if (!std::isfinite(axis->Minimum()) || !std::isfinite(axis->Maximum())) return false;
  return true;
}

// A fresh window as the program starts it, shown offscreen.
std::unique_ptr<TMF> NewWindow() {
  SeedRandom(1);
  auto mf = std::make_unique<TMF>(nullptr);
  mf->Show();
  if (!QTest::qWaitForWindowExposed(mf->Widget())) RC_FAIL("the window was not shown");
  Settle();
  return mf;
}

// What each Run showed: t, p, the significance labels and any error box.
// With withChart false the chart interaction is left out.
std::vector<std::string> Play(const std::vector<TAction>& actions, bool withChart) {
  const std::unique_ptr<TMF> mf = NewWindow();
  QWidget* chart = mf->Chart1Window->Widget();
  const TRect home{mf->Chart1Window->Left(), mf->Chart1Window->Top(), 0, 0};
  ModalWatcher watcher;
  std::vector<std::string> shown;
  for (std::size_t i = 0; i < actions.size(); ++i) {
    const TAction& a = actions[i];
    if (!withChart && ChartOnly(a.Kind)) continue;
    const std::size_t boxes = watcher.Seen().size();
    switch (a.Kind) {
      case TActionKind::Slider: {
        TScrollBar* bar = Sliders(*mf)[static_cast<std::size_t>(a.A)];
        MoveSlider(bar, bar->Min() + a.B % (bar->Max() - bar->Min() + 1));
        break;
      }
      case TActionKind::Test:
        SelectTest(*mf, a.A);
        break;
      case TActionKind::Run:
        QTest::mouseClick(mf->Button1->Widget(), Qt::LeftButton);
        break;
      case TActionKind::Zoom:
        Drag(chart, Qt::LeftButton, {a.A, a.B}, {a.A + a.C, a.B + a.D});
        break;
      case TActionKind::Undo:
        Drag(chart, Qt::LeftButton, {a.A, a.B}, {a.A - a.C, a.B - a.D});
        break;
      case TActionKind::Pan:
        Drag(chart, Qt::RightButton, {a.A, a.B}, {a.C, a.D});
        break;
      case TActionKind::Wheel:
        Wheel(chart, {a.A, a.B}, a.C);
        break;
      case TActionKind::Resize:
        mf->Chart1Window->SetBounds(home.Left, home.Top, a.C, a.D);
        break;
      case TActionKind::Count:
        break;
    }
    Settle();
    std::ostringstream step;
    step << "action " << i << " " << a;
    if (ChartOnly(a.Kind) && watcher.Seen().size() != boxes)
      RC_FAIL(step.str() + " ended in the error box: " + watcher.Seen().back().text.toStdString());
    if (!AxesFinite(*mf)) RC_FAIL(step.str() + " left an axis range that is not finite");
    if (a.Kind == TActionKind::Run) {
      std::string run = mf->TT->Text() + " " + mf->PP->Text() +
                        (mf->SIG1->Widget()->isVisible() ? " significant" : "");
      if (watcher.Seen().size() != boxes)
        run += " box: " + watcher.Seen().back().text.toStdString();
      shown.push_back(run);
    }
  }
  return shown;
}

rc::Gen<TAction> Make(TActionKind kind, rc::Gen<int> a, rc::Gen<int> b, rc::Gen<int> c,
                      rc::Gen<int> d) {
  return rc::gen::apply(
      [kind](int a, int b, int c, int d) {
        return TAction{kind, a, b, c, d};
      },
      a, b, c, d);
}

// Points over the chart (873 x 393) and a little beyond it.
rc::Gen<TAction> Action() {
  using rc::gen::just;
  const auto x = Uniform(-40, 920), y = Uniform(-40, 440);
  return rc::gen::weightedOneOf<TAction>(
      {{3, Make(TActionKind::Slider, Uniform(0, 9), Uniform(0, 201), just(0), just(0))},
       {1, Make(TActionKind::Test, Uniform(0, 3), just(0), just(0), just(0))},
       {3, Make(TActionKind::Run, just(0), just(0), just(0), just(0))},
       {3, Make(TActionKind::Zoom, x, y, Uniform(0, 600), Uniform(0, 400))},
       {2, Make(TActionKind::Undo, x, y, Uniform(0, 600), Uniform(0, 400))},
       {2, Make(TActionKind::Pan, x, y, x, y)},
       {2, Make(TActionKind::Wheel, x, y, Uniform(-5, 6), just(0))},
       {1, Make(TActionKind::Resize, just(0), just(0), Uniform(0, 1300), Uniform(0, 800))}});
}

RC_GTEST_PROP(WindowProperty, ChartInteractionNeverTouchesTheRunsAndKeepsTheAxesFinite, ()) {
  const std::vector<TAction> actions =
      *rc::gen::resize(24, rc::gen::container<std::vector<TAction>>(Action()));
  const std::vector<std::string> withChart = Play(actions, true);
  const std::vector<std::string> without = Play(actions, false);
  RC_ASSERT(withChart == without);
}

// Each slider anywhere in its range, often at either end; the errors and
// amplitudes at zero half of the time, so that constant and exactly
// seasonal series, the designs whose tests divide by zero, come up often.
rc::Gen<int> Position(const TScrollBar* bar, bool oftenZero) {
  return rc::gen::weightedOneOf<int>({{oftenZero ? 4 : 1, rc::gen::just(bar->Min())},
                                      {1, rc::gen::just(bar->Max())},
                                      {2, Uniform(bar->Min(), bar->Max() + 1)}});
}

RC_GTEST_PROP(WindowProperty, EveryDesignShowsAResultOrAFloatingPointErrorWithNone, ()) {
  const std::unique_ptr<TMF> mf = NewWindow();
  std::ostringstream design;
  for (TScrollBar* bar : Sliders(*mf)) {
    const bool level =
        bar == mf->ErrorP || bar == mf->ErrorM || bar == mf->AmpliP || bar == mf->AmpliM;
    const int position = *Position(bar, level);
    MoveSlider(bar, position);
    design << bar->Name() << "=" << position << " ";
  }
  const int test = *Uniform(0, 3);
  SelectTest(*mf, test);
  design << "test " << test;
  RC_TAG(test);

  ModalWatcher watcher;
  QTest::mouseClick(mf->Button1->Widget(), Qt::LeftButton);
  Settle();
  RC_ASSERT(watcher.Seen().size() <= 1u);
  const bool sig1 = mf->SIG1->Widget()->isVisible(), sig2 = mf->SIG2->Widget()->isVisible();
  if (watcher.Seen().empty()) {
    RC_ASSERT(!mf->TT->Text().empty());
    RC_ASSERT(!mf->PP->Text().empty());
    RC_ASSERT(sig1 == sig2);
    return;
  }
  const std::string message = watcher.Seen()[0].text.toStdString();
  RC_CLASSIFY(true, message);
  if (message != "Floating point division by zero." &&
      message != "Invalid floating point operation." && message != "Floating point overflow.")
    RC_FAIL(design.str() + ": the Run failed with \"" + message + "\"");
  // A failed Run leaves no result of earlier samples beside the new series.
  RC_ASSERT(mf->TT->Text().empty());
  RC_ASSERT(mf->PP->Text().empty());
  RC_ASSERT(!sig1 && !sig2);
}

}  // namespace
}  // namespace halvorn::testing
