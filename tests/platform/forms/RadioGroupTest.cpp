#include <QApplication>
#include <QRadioButton>
#include <QTest>
#include <vector>

#include "FormTesting.h"
#include "platform/forms/Button.h"
#include "platform/forms/RadioGroup.h"

namespace halvorn {
namespace {

class RadioGroupTest : public testing::FormTest {
 protected:
  RadioGroupTest() : group_(new TRadioGroup(&Form(), &Form())) {
    group_->SetBounds(160, 40, 169, 97);
    group_->SetCaption("Τύπος t-test");
    group_->SetItems({"equal variance", "unequal variance", "paired samples"});
  }

  QList<QRadioButton*> Buttons() const { return group_->Widget()->findChildren<QRadioButton*>(); }

  TRadioGroup* group_;
};

TEST_F(RadioGroupTest, ItemIndexIsClampedAndNoneIsMinusOne) {
  EXPECT_EQ(group_->ItemIndex(), -1);
  struct Row {
    int set, expected;
  };
  for (const Row row : {Row{1, 1}, Row{7, 2}, Row{0, 0}, Row{-1, -1}, Row{-5, -1}}) {
    SCOPED_TRACE(row.set);
    group_->SetItemIndex(row.set);
    EXPECT_EQ(group_->ItemIndex(), row.expected);
    int checked = 0;
    for (const QRadioButton* b : Buttons()) checked += b->isChecked() ? 1 : 0;
    EXPECT_EQ(checked, row.expected >= 0 ? 1 : 0);
  }
}

TEST_F(RadioGroupTest, AClickSelectsTheItemUnderTheMouse) {
  group_->SetItemIndex(0);
  ShowForm();
  const QList<QRadioButton*> buttons = Buttons();
  ASSERT_EQ(buttons.size(), 3);
  QTest::mouseClick(buttons[2], Qt::LeftButton, {}, QPoint(6, buttons[2]->height() / 2));
  EXPECT_EQ(group_->ItemIndex(), 2);
}

TEST_F(RadioGroupTest, OnClickFollowsEveryChangeOfTheItemByUserOrProgram) {
  std::vector<int> seen;
  group_->OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, group_);
    seen.push_back(group_->ItemIndex());
  };
  group_->SetItemIndex(0);
  group_->SetItemIndex(0);   // no change
  group_->SetItemIndex(-1);  // no item: no click
  ShowForm();
  const QList<QRadioButton*> buttons = Buttons();
  QTest::mouseClick(buttons[1], Qt::LeftButton, {}, QPoint(6, buttons[1]->height() / 2));
  QTest::mouseClick(buttons[1], Qt::LeftButton, {}, QPoint(6, buttons[1]->height() / 2));
  QTest::keyClick(buttons[1], Qt::Key_Down);
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));
}

// Six items in two columns: three rows, the first column filled first, each
// column half the width inside the frame.
TEST_F(RadioGroupTest, ColumnsAreFilledTopToBottomThenLeftToRight) {
  group_->SetBounds(0, 0, 340, 84);
  group_->SetItems({"a", "b", "c", "d", "e", "f"});
  EXPECT_EQ(group_->Columns(), 1);
  group_->SetColumns(2);
  const QList<QRadioButton*> buttons = Buttons();
  ASSERT_EQ(buttons.size(), 6);
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(buttons[i]->x(), 8 + (i / 3) * 165);
    EXPECT_EQ(buttons[i]->width(), 165);
    EXPECT_EQ(buttons[i]->y(), buttons[i % 3]->y());
    if (i % 3) {
      EXPECT_EQ(buttons[i]->y() - buttons[i - 1]->y(), buttons[i]->height());
    }
  }
  EXPECT_LE(buttons[2]->geometry().bottom(), 84);
  group_->SetColumns(0);
  EXPECT_EQ(group_->Columns(), 1);
  EXPECT_EQ(Buttons()[5]->x(), 8);
}

TEST_F(RadioGroupTest, TabEntersAtTheSelectedButtonOnly) {
  auto* before = new TButton(&Form(), &Form());
  auto* after = new TButton(&Form(), &Form());
  before->SetBounds(10, 10, 60, 24);
  after->SetBounds(10, 200, 60, 24);
  group_->SetTabOrder(1);
  group_->SetItemIndex(1);
  ShowForm();
  before->SetFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), Buttons()[1]);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), after->Widget());
}

}  // namespace
}  // namespace halvorn
