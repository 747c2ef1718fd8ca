#include <QApplication>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>
#include <string>
#include <vector>

#include "FormTesting.h"
#include "ModalWatcher.h"
#include "platform/forms/ScrollBar.h"
#include "platform/runtime/Exceptions.h"

namespace halvorn {
namespace {

using testing::FormTest;
using testing::ModalWatcher;

// A slider shaped like the number-of-samples slider of the main window,
// recording the position every OnChange sees.
class ScrollBarTest : public FormTest {
 protected:
  ScrollBarTest() : bar_(new TScrollBar(&Form(), &Form())) {
    bar_->SetBounds(10, 10, 161, 17);
    bar_->LoadParams(12, 3, 200);
    bar_->OnChange = [this](TObject* sender) {
      EXPECT_EQ(sender, bar_);
      seen_.push_back(bar_->Position());
    };
  }

  QScrollBar* QtBar() const { return static_cast<QScrollBar*>(bar_->Widget()); }

  QRect Part(QStyle::SubControl part) const {
    QStyleOptionSlider option;
    option.initFrom(QtBar());
    option.orientation = Qt::Horizontal;
    option.state |= QStyle::State_Horizontal;
    option.minimum = QtBar()->minimum();
    option.maximum = QtBar()->maximum();
    option.sliderPosition = QtBar()->value();
    option.sliderValue = QtBar()->value();
    option.singleStep = QtBar()->singleStep();
    option.pageStep = QtBar()->pageStep();
    option.subControls = QStyle::SC_All;
    return QtBar()->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, QtBar());
  }

  TScrollBar* bar_;
  std::vector<int> seen_;
};

TEST_F(ScrollBarTest, ProgramChangesClampAndReportOnlyRealChanges) {
  struct Row {
    const char* name;
    int min, max, position;
    std::vector<int> seen;
  };
  const std::vector<Row> rows = {
      {"inside the range", 3, 200, 50, {50}},
      {"the same value again", 3, 200, 12, {}},
      {"below Min clamps to Min", 3, 200, -7, {3}},
      {"above Max clamps to Max", 3, 200, 999, {200}},
      {"a raised Min drags the position up", 20, 200, 12, {20}},
      {"a lowered Max drags the position down", 3, 10, 12, {10}},
      {"a range change that keeps the position", 0, 40, 12, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    bar_->LoadParams(12, 3, 200);
    seen_.clear();
    bar_->SetParams(row.position, row.min, row.max);
    EXPECT_EQ(seen_, row.seen);
    EXPECT_EQ(bar_->Min(), row.min);
    EXPECT_EQ(bar_->Max(), row.max);
    EXPECT_EQ(QtBar()->value(), bar_->Position());
  }
}

TEST_F(ScrollBarTest, MaxBelowMinIsRefusedAndChangesNothing) {
  EXPECT_THROW(bar_->SetMax(2), EInvalidOperation);
  EXPECT_THROW(bar_->SetMin(201), EInvalidOperation);
  EXPECT_THROW(bar_->LoadParams(5, 9, 8), EInvalidOperation);
  EXPECT_EQ(bar_->Min(), 3);
  EXPECT_EQ(bar_->Max(), 200);
  EXPECT_EQ(bar_->Position(), 12);
  EXPECT_EQ(QtBar()->maximum(), 200);
  EXPECT_TRUE(seen_.empty());
}

TEST_F(ScrollBarTest, LoadingALayoutRunsNoHandler) {
  bar_->LoadParams(2, 0, 40);
  EXPECT_EQ(bar_->Position(), 2);
  EXPECT_EQ(QtBar()->value(), 2);
  EXPECT_TRUE(seen_.empty());
}

TEST_F(ScrollBarTest, KeysStepByOneAndJumpToTheEnds) {
  struct Row {
    const char* name;
    int start;
    Qt::Key key;
    std::vector<int> seen;
  };
  const std::vector<Row> rows = {
      {"right arrow is a line step up", 12, Qt::Key_Right, {13}},
      {"left arrow is a line step down", 12, Qt::Key_Left, {11}},
      {"down arrow is a line step up", 12, Qt::Key_Down, {13}},
      {"up arrow is a line step down", 12, Qt::Key_Up, {11}},
      {"page down is a page step of 1", 12, Qt::Key_PageDown, {13}},
      {"page up is a page step of 1", 12, Qt::Key_PageUp, {11}},
      {"home goes to Min", 12, Qt::Key_Home, {3}},
      {"end goes to Max", 12, Qt::Key_End, {200}},
      {"a line step at Max changes nothing", 200, Qt::Key_Right, {}},
      {"home at Min changes nothing", 3, Qt::Key_Home, {}},
  };
  ShowForm();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    bar_->LoadParams(row.start, 3, 200);
    seen_.clear();
    QTest::keyClick(QtBar(), row.key);
    EXPECT_EQ(seen_, row.seen);
  }
}

TEST_F(ScrollBarTest, ArrowButtonAndTroughClicksStepByOne) {
  ShowForm();
  QTest::mouseClick(QtBar(), Qt::LeftButton, {}, Part(QStyle::SC_ScrollBarAddLine).center());
  QTest::mouseClick(QtBar(), Qt::LeftButton, {}, Part(QStyle::SC_ScrollBarAddPage).center());
  QTest::mouseClick(QtBar(), Qt::LeftButton, {}, Part(QStyle::SC_ScrollBarSubPage).center());
  QTest::mouseClick(QtBar(), Qt::LeftButton, {}, Part(QStyle::SC_ScrollBarSubLine).center());
  EXPECT_EQ(seen_, (std::vector<int>{13, 14, 13, 12}));
}

TEST_F(ScrollBarTest, DraggingTheThumbReportsEveryTrackedPosition) {
  ShowForm();
  const QRect thumb = Part(QStyle::SC_ScrollBarSlider);
  QPoint at = thumb.center();
  QTest::mousePress(QtBar(), Qt::LeftButton, {}, at);
  std::vector<int> positions;
  while (at.x() < QtBar()->width() + 5) {
    at.rx() += 1;
    const int before = bar_->Position();
    QTest::mouseMove(QtBar(), at);
    if (bar_->Position() != before) positions.push_back(bar_->Position());
  }
  QTest::mouseRelease(QtBar(), Qt::LeftButton, {}, at);

  // One OnChange per tracked position, each seeing the new value, up to Max.
  EXPECT_EQ(seen_, positions);
  ASSERT_GT(seen_.size(), 40u);
  EXPECT_EQ(seen_.back(), 200);
  for (std::size_t i = 1; i < seen_.size(); ++i) EXPECT_LT(seen_[i - 1], seen_[i]);
}

TEST_F(ScrollBarTest, TheWheelIsLeftToTheWindow) {
  ShowForm();
  const QPointF at(40, 8);
  QWheelEvent wheel(at, QtBar()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, {},
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(QtBar(), &wheel);
  EXPECT_TRUE(seen_.empty());
}

TEST_F(ScrollBarTest, AnExceptionFromAUserMoveIsShownAndTheMoveStays) {
  bar_->OnChange = [](TObject*) { throw EZeroDivide(); };
  ShowForm();
  ModalWatcher watcher;
  QTest::keyClick(QtBar(), Qt::Key_Right);
  ASSERT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(watcher.Seen()[0].text, "Floating point division by zero.");
  EXPECT_EQ(bar_->Position(), 13);
}

TEST_F(ScrollBarTest, AnExceptionFromAProgramChangeGoesToTheCaller) {
  bar_->OnChange = [](TObject*) { throw EOverflow(); };
  ModalWatcher watcher;
  EXPECT_THROW(bar_->SetPosition(20), EOverflow);
  EXPECT_EQ(bar_->Position(), 20);
  EXPECT_TRUE(watcher.Seen().empty());
}

// The focus shows on the thumb, inverted, and nowhere else; it goes with
// the focus.
TEST_F(ScrollBarTest, TheFocusedBarShowsItsThumbInverted) {
  auto* other = new TScrollBar(&Form(), &Form());
  other->SetBounds(10, 40, 161, 17);
  ShowForm();
  other->SetFocus();
  QApplication::processEvents();
  ASSERT_FALSE(QtBar()->hasFocus());
  const QImage plain = QtBar()->grab().toImage();
  bar_->SetFocus();
  QApplication::processEvents();
  ASSERT_TRUE(QtBar()->hasFocus());
  const QImage focused = QtBar()->grab().toImage();
  const QRect thumb = Part(QStyle::SC_ScrollBarSlider);
  const QPoint inside = thumb.center();
  EXPECT_EQ(focused.pixel(inside) & 0xFFFFFFu, ~plain.pixel(inside) & 0xFFFFFFu);
  const QPoint arrow = Part(QStyle::SC_ScrollBarSubLine).center();
  EXPECT_EQ(focused.pixel(arrow), plain.pixel(arrow));
  other->SetFocus();
  QApplication::processEvents();
  EXPECT_EQ(QtBar()->grab().toImage(), plain);
}

}  // namespace
}  // namespace halvorn
