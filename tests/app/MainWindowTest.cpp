#include <QAbstractButton>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "MainWindowTesting.h"
#include "app/ModelWindow.h"
#include "app/PowerWindow.h"
#include "platform/forms/Button.h"

namespace halvorn {
namespace {

using testing::MainWindowTest;

QString TextOf(const QWidget* w) {
  if (auto* label = qobject_cast<const QLabel*>(w)) return label->text();
  if (auto* button = qobject_cast<const QAbstractButton*>(w)) return button->text();
  if (auto* box = qobject_cast<const QGroupBox*>(w)) return box->title();
  if (auto* edit = qobject_cast<const QLineEdit*>(w)) return edit->text();
  return {};
}

TEST_F(MainWindowTest, StartsWithEmptySeriesNoResultAndLabelsMatchingTheDefaults) {
  ShowWindow();
  EXPECT_EQ(MF().Chart1.NumberOfSeries(), 2);
  EXPECT_EQ(MF().Chart1.SeriesAt(0), &MF().Series1);
  EXPECT_EQ(MF().Chart1.SeriesAt(1), &MF().Series2);
  EXPECT_EQ(MF().Series1.PointCount(), 0);
  EXPECT_EQ(MF().Series2.PointCount(), 0);
  EXPECT_EQ(MF().TT->Text(), "");
  EXPECT_EQ(MF().PP->Text(), "");
  EXPECT_FALSE(MF().SIG1->Widget()->isVisible());
  EXPECT_FALSE(MF().SIG2->Widget()->isVisible());
  EXPECT_TRUE(MF().Label1->Widget()->isVisible());

  const std::vector<std::pair<TLabel*, std::string>> labels = {
      {MF().LErrorP, "10"}, {MF().LErrorM, "10"}, {MF().LAmpliP, "40"},
      {MF().LAmpliM, "40"}, {MF().LFasiP, "6"},   {MF().LFasiM, "6"},
      {MF().LDif, "20"},    {MF().LStep, "1"},    {MF().LSamples, "12"}};
  for (const auto& [label, text] : labels) {
    SCOPED_TRACE(label->Name());
    EXPECT_EQ(label->Caption(), text);
    EXPECT_EQ(static_cast<QLabel*>(label->Widget())->text().toStdString(), text);
  }

  // The parameters agree with what the sliders and labels show.
  const SimParams& p = MF().Simulation().Params();
  EXPECT_EQ(p.ErrorPctP, MF().ErrorP->Position() * 5.0);
  EXPECT_EQ(p.ErrorPctM, MF().ErrorM->Position() * 5.0);
  EXPECT_EQ(p.AmplitudeP, MF().AmpliP->Position() * 5.0);
  EXPECT_EQ(p.AmplitudeM, MF().AmpliM->Position() * 5.0);
  EXPECT_EQ(p.PhaseP, MF().FasiP->Position());
  EXPECT_EQ(p.PhaseM, MF().FasiM->Position());
  EXPECT_EQ(p.DifPct, MF().Dif->Position());
  EXPECT_EQ(p.StepMonths, MF().Step->Position());
  EXPECT_EQ(p.SampleCount, MF().Samples->Position());
  EXPECT_EQ(p.BaselineM, 120.0);
  // Applying the layout ran no handler: the chart has not been touched.
  EXPECT_EQ(MF().RG1->ItemIndex(), 0);
}

TEST_F(MainWindowTest, TheWindowIsMaximisedNavyAndCaptionedHalvorn) {
  ShowWindow();
  QWidget* window = MF().Widget();
  EXPECT_EQ(window->windowTitle(), "Halvorn");
  EXPECT_EQ(MF().WindowState(), wsMaximized);
  EXPECT_EQ(window->palette().color(QPalette::Window), QColor(0, 0, 128));
  EXPECT_EQ(MF().Font().Name(), "MS Sans Serif");
  EXPECT_EQ(window->font().pixelSize(), 11);
  // No anchoring: a maximised window leaves every control at its design
  // position.
  EXPECT_EQ(MF().Button1->Widget()->geometry(), QRect(192, 552, 89, 25));
  EXPECT_EQ(MF().Chart1Window->Widget()->geometry(), QRect(8, 8, 873, 393));
}

// A sample of the window's controls as they should appear; a wrong row in
// the layout shows up here as a wrong widget.
TEST_F(MainWindowTest, ControlsHaveTheirPlacesTextsFontsAndColours) {
  const QColor navy(0, 0, 128), yellow(255, 255, 0), black(0, 0, 0), white(255, 255, 255),
      blue(0, 0, 255), red(255, 0, 0), olive(128, 128, 0), face(212, 208, 200), info(255, 255, 225);
  struct Row {
    const char* name;
    const char* parent;
    QRect geometry;  // a label's size follows its text: only its place is checked
    QString text;
    int pixelSize;
    bool bold;
    std::optional<QColor> fontColor;
    std::optional<QColor> background;
    std::optional<std::array<int, 3>> range;  // min, max, position
  };
  const std::vector<Row> rows = {
      {"Label1", "", {8, 464, -1, -1}, "t=", 16, true, yellow, navy, {}},
      {"SIG2", "", {32, 552, -1, -1}, "Σημαντικό", 16, true, yellow, navy, {}},
      {"Label4", "", {0, 144, -1, -1}, "Σφάλμα(%)", 13, true, black, navy, {}},
      {"Label11", "", {512, 648, -1, -1}, {}, 11, false, white, navy, {}},
      {"Chart1", "", {8, 8, 873, 393}, {}, 0, false, {}, {}, {}},
      {"Button1", "", {192, 552, 89, 25}, "Run", 11, true, black, {}, {}},
      {"PP", "", {32, 488, 89, 24}, "", 13, true, black, {}, {}},
      {"RG1", "", {160, 440, 169, 97}, "Τύπος t-test", 13, true, black, face, {}},
      {"Prin", "", {424, 520, 257, 89}, "Πριν", 13, true, blue, face, {}},
      {"Meta", "", {688, 520, 193, 89}, "Μετά", 13, true, red, face, {}},
      {"GroupBox1", "", {424, 416, 457, 97}, "Δειγματοληψία", 13, true, olive, info, {}},
      {"LErrorP", "Prin", {224, 64, -1, -1}, "10", 13, true, blue, face, {}},
      {"Label7", "Prin", {8, 16, -1, -1}, "Φάση", 13, true, black, face, {}},
      {"LFasiM", "Meta", {16, 16, -1, -1}, "6", 13, true, red, face, {}},
      {"Label9", "GroupBox1", {8, 40, -1, -1}, "Μήνες μεταξύ δειγμάτων", 13, true, black, info, {}},
      {"FasiP", "Prin", {88, 16, 129, 17}, {}, 0, false, {}, {}, std::array{1, 12, 6}},
      {"ErrorM", "Meta", {48, 64, 137, 17}, {}, 0, false, {}, {}, std::array{0, 40, 2}},
      {"Dif", "GroupBox1", {200, 16, 161, 17}, {}, 0, false, {}, {}, std::array{0, 200, 20}},
      {"Samples", "GroupBox1", {200, 64, 161, 17}, {}, 0, false, {}, {}, std::array{3, 200, 12}},
  };
  ShowWindow();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TControl* control = MF().FindControl(row.name);
    ASSERT_NE(control, nullptr);
    const QWidget* w = control->Widget();
    const TControl* parent = *row.parent ? MF().FindControl(row.parent) : &MF();
    ASSERT_NE(parent, nullptr);
    EXPECT_EQ(w->parentWidget(), parent->Widget());
    EXPECT_EQ(w->pos(), row.geometry.topLeft());
    if (row.geometry.width() >= 0) {
      EXPECT_EQ(w->size(), row.geometry.size());
    }
    if (!row.text.isNull()) {
      EXPECT_EQ(TextOf(w), row.text);
    }
    if (row.pixelSize) {
      EXPECT_EQ(control->Font().Name(), "MS Sans Serif");
      EXPECT_EQ(w->font().pixelSize(), row.pixelSize);
      EXPECT_EQ(w->font().bold(), row.bold);
    }
    if (row.fontColor) {
      EXPECT_EQ(w->palette().color(QPalette::WindowText), *row.fontColor);
    }
    if (row.background) {
      EXPECT_EQ(w->palette().color(QPalette::Window), *row.background);
    }
    if (row.range) {
      const auto* bar = static_cast<const QScrollBar*>(w);
      EXPECT_EQ(bar->minimum(), (*row.range)[0]);
      EXPECT_EQ(bar->maximum(), (*row.range)[1]);
      EXPECT_EQ(bar->value(), (*row.range)[2]);
    }
  }
  EXPECT_TRUE(MF().Label11->Caption().starts_with("Halvorn"));
  EXPECT_EQ(MF().RG1->Items(),
            (std::vector<std::string>{"equal variance", "unequal variance", "paired samples"}));
}

// The Tab key walks the real focus chain: the chart takes no focus, so the
// chain after it starts at Run and wraps back there.
TEST_F(MainWindowTest, TabVisitsTheControlsInTheirFocusOrder) {
  ShowWindow();
  const std::vector<TWinControl*> order = {
      MF().PowerButton, MF().ModelButton, MF().TT,    MF().PP,      MF().RG1,
      MF().ErrorP,      MF().AmpliP,      MF().FasiP, MF().ErrorM,  MF().AmpliM,
      MF().FasiM,       MF().Dif,         MF().Step,  MF().Samples, MF().Button1};
  MF().Button1->SetFocus();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::focusWidget(), MF().Button1->Widget());
  for (TWinControl* expected : order) {
    SCOPED_TRACE(expected->Name());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    // The radio group's stop is its selected button.
    EXPECT_TRUE(focus == expected->Widget() || expected->Widget()->isAncestorOf(focus));
  }
  EXPECT_FALSE(MF().Chart1Window->TabStop());
}

// The buttons of the other windows name their shortcuts in their tooltips,
// and the shortcut named opens the window the button opens.
TEST_F(MainWindowTest, TheWindowButtonsNameTheShortcutsThatOpenTheirWindows) {
  ShowWindow();
  struct TCase {
    TButton* Button;
    std::function<QWidget*()> Window;
  };
  const TCase cases[] = {
      {MF().PowerButton,
       [&]() -> QWidget* { return MF().PowerWindow() ? MF().PowerWindow()->Widget() : nullptr; }},
      {MF().ModelButton,
       [&]() -> QWidget* { return MF().ModelWindow() ? MF().ModelWindow()->Widget() : nullptr; }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Button->Name());
    const std::string hint = c.Button->Hint();
    const std::size_t open = hint.rfind('('), close = hint.rfind(')');
    ASSERT_TRUE(open != std::string::npos && close > open) << hint;
    const QKeySequence keys(QString::fromStdString(hint.substr(open + 1, close - open - 1)));
    ASSERT_FALSE(keys.isEmpty()) << hint;
    EXPECT_EQ(c.Window(), nullptr);
    MF().Widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(MF().Widget()));
    QTest::keySequence(MF().Widget(), keys);
    ASSERT_NE(c.Window(), nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(c.Window()));
    c.Window()->close();
  }
}

// The window lets go of its chart before the chart and the chart's window
// go, so a paint still pending at destruction calls nothing destroyed.
TEST_F(MainWindowTest, ClosingWithAPaintPendingIsSafe) {
  ShowWindow();
  auto second = std::make_unique<TMF>(nullptr);
  second->Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(second->Widget()));
  second->Button1->Click();
  EXPECT_EQ(second->Series1.PointCount(), 12);
  second.reset();
  Settle();
  SUCCEED();
}

}  // namespace
}  // namespace halvorn
