#include <QPushButton>
#include <QTest>

#include "FormTesting.h"
#include "platform/forms/Button.h"
#include "platform/runtime/Exceptions.h"

namespace halvorn {
namespace {

class ButtonTest : public testing::FormTest {
 protected:
  ButtonTest() : button_(new TButton(&Form(), &Form())) {
    button_->SetBounds(192, 52, 89, 25);
    button_->SetCaption("Run");
    button_->OnClick = [this](TObject* sender) {
      EXPECT_EQ(sender, button_);
      ++clicks_;
    };
  }

  TButton* button_;
  int clicks_ = 0;
};

TEST_F(ButtonTest, MouseAndKeyboardPressesEachClickOnce) {
  struct Row {
    const char* name;
    void (*press)(QWidget*);
  };
  const Row rows[] = {
      {"mouse", [](QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }},
      {"space", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Space); }},
      {"enter", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }},
  };
  ShowForm();
  button_->SetFocus();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    clicks_ = 0;
    row.press(button_->Widget());
    EXPECT_EQ(clicks_, 1);
  }
}

TEST_F(ButtonTest, ClickFromTheProgramPassesExceptionsOn) {
  button_->OnClick = [](TObject*) { throw EInvalidOp(); };
  EXPECT_THROW(button_->Click(), EInvalidOp);
}

}  // namespace
}  // namespace halvorn
