#include <QApplication>
#include <QCheckBox>
#include <QTest>
#include <vector>

#include "FormTesting.h"
#include "platform/forms/Button.h"
#include "platform/forms/CheckBox.h"

namespace halvorn {
namespace {

class CheckBoxTest : public testing::FormTest {
 protected:
  CheckBoxTest() : box_(new TCheckBox(&Form(), &Form())) {
    box_->SetBounds(20, 40, 160, 20);
    box_->SetCaption("Wilcoxon rank-sum");
  }

  QCheckBox* Widget() const { return static_cast<QCheckBox*>(box_->Widget()); }

  TCheckBox* box_;
};

TEST_F(CheckBoxTest, OnClickFollowsEveryChangeOfCheckedByUserOrProgram) {
  EXPECT_EQ(Widget()->text().toStdString(), "Wilcoxon rank-sum");
  std::vector<bool> seen;
  box_->OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, box_);
    seen.push_back(box_->Checked());
  };
  box_->SetChecked(true);
  box_->SetChecked(true);  // no change: no click
  EXPECT_TRUE(Widget()->isChecked());
  ShowForm();
  QTest::mouseClick(Widget(), Qt::LeftButton, {}, QPoint(6, Widget()->height() / 2));
  EXPECT_FALSE(box_->Checked());
  box_->SetFocus();
  QTest::keyClick(Widget(), Qt::Key_Space);
  EXPECT_TRUE(box_->Checked());
  box_->SetChecked(false);
  EXPECT_EQ(seen, (std::vector<bool>{true, false, true, false}));
}

// A handler may undo the user's change: the box shows what it settled on.
TEST_F(CheckBoxTest, AHandlerThatChecksTheBoxAgainKeepsItChecked) {
  box_->SetChecked(true);
  int clicks = 0;
  box_->OnClick = [&](TObject*) {
    ++clicks;
    if (!box_->Checked()) box_->SetChecked(true);
  };
  ShowForm();
  QTest::mouseClick(Widget(), Qt::LeftButton, {}, QPoint(6, Widget()->height() / 2));
  EXPECT_TRUE(box_->Checked());
  EXPECT_TRUE(Widget()->isChecked());
  EXPECT_EQ(clicks, 2);
}

TEST_F(CheckBoxTest, EveryBoxIsATabStop) {
  auto* second = new TCheckBox(&Form(), &Form());
  second->SetBounds(20, 70, 160, 20);
  auto* button = new TButton(&Form(), &Form());
  button->SetBounds(20, 100, 60, 24);
  ShowForm();
  button->SetFocus();
  for (TWinControl* expected : std::initializer_list<TWinControl*>{box_, second, button}) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), expected->Widget()) << expected->Name();
  }
}

}  // namespace
}  // namespace halvorn
