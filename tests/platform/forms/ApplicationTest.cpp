#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "FormTesting.h"
#include "ModalWatcher.h"
#include "platform/forms/Application.h"
#include "platform/forms/Button.h"
#include "platform/forms/Form.h"
#include "platform/runtime/Exceptions.h"

namespace halvorn {
namespace {

using testing::FormTest;
using testing::ModalWatcher;

class DispatchTest : public FormTest {
 protected:
  DispatchTest() : button_(new TButton(&Form(), &Form())) {
    button_->SetBounds(10, 10, 80, 25);
    button_->OnClick = [this](TObject*) {
      ++clicks_;
      if (failure_) std::rethrow_exception(failure_);
    };
  }

  void ClickWith(std::exception_ptr failure) {
    failure_ = std::move(failure);
    QTest::mouseClick(button_->Widget(), Qt::LeftButton);
  }

  TButton* button_;
  std::exception_ptr failure_;
  int clicks_ = 0;
};

TEST_F(DispatchTest, AnExceptionFromAHandlerIsShownAndTheLoopGoesOn) {
  struct Row {
    const char* name;
    std::exception_ptr failure;
    const char* shown;  // null: nothing is shown
  };
  const Row rows[] = {
      {"framework exception", std::make_exception_ptr(EZeroDivide()),
       "Floating point division by zero."},
      {"silent abort", std::make_exception_ptr(EAbort()), nullptr},
      {"standard library exception", std::make_exception_ptr(std::length_error("too long")),
       "too long."},
      {"no exception", nullptr, nullptr},
  };
  ShowForm();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ModalWatcher watcher;
    clicks_ = 0;
    ClickWith(row.failure);
    EXPECT_EQ(clicks_, 1);
    if (row.shown) {
      ASSERT_EQ(watcher.Seen().size(), 1u);
      EXPECT_EQ(watcher.Seen()[0].text, row.shown);
      EXPECT_EQ(watcher.Seen()[0].caption, "Halvorn");
    } else {
      EXPECT_TRUE(watcher.Seen().empty());
    }
    // The same window keeps working after whatever happened.
    ClickWith(nullptr);
    EXPECT_EQ(clicks_, 2);
  }
}

TEST_F(DispatchTest, AnExceptionCancelsTheMouseCapture) {
  ShowForm();
  button_->OnClick = [this](TObject*) {
    button_->Widget()->grabMouse();
    throw EInvalidOp();
  };
  ModalWatcher watcher;
  QTest::mouseClick(button_->Widget(), Qt::LeftButton);
  EXPECT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST(Application, ThereIsOnlyOne) {
  int argc = 1;
  char name[] = "again";
  char* argv[] = {name, nullptr};
  EXPECT_THROW((TApplication{argc, argv}), EInvalidOperation);
  ASSERT_NE(Application(), nullptr);
  EXPECT_EQ(Application()->Title(), "Halvorn");
}

class FailingForm : public TForm {
 public:
  explicit FailingForm(TComponent* owner) : TForm(owner) { throw EOverflow(); }
};

TEST(Application, AFormThatFailsToConstructLeavesNothingBehind) {
  TApplication& app = *Application();
  const int before = app.ComponentCount();
  EXPECT_THROW(app.CreateForm<FailingForm>(), EOverflow);
  EXPECT_EQ(app.ComponentCount(), before);
  EXPECT_EQ(app.MainForm(), nullptr);
}

TEST(Application, RunShowsTheMainFormAndEndsWhenItCloses) {
  TApplication& app = *Application();
  TForm* form = app.CreateForm<TForm>();
  TForm* second = app.CreateForm<TForm>();
  ASSERT_EQ(app.MainForm(), form);
  form->SetWindowState(wsMaximized);

  bool shownMaximized = false;
  std::size_t boxes = 0;
  QTimer::singleShot(0, [&] {
    shownMaximized = form->Widget()->isVisible() && form->WindowState() == wsMaximized;
    // A message box while the main form shows belongs to it.
    ModalWatcher watcher;
    app.ShowException(EZeroDivide());
    boxes = watcher.Seen().size();
    EXPECT_EQ(boxes == 1 ? watcher.Seen()[0].owner : nullptr, form->Widget());
    second->Close();
    EXPECT_FALSE(app.Terminated());
    form->Close();
  });
  // Only a failure of the above keeps the loop running this long.
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [] {
    ADD_FAILURE() << "closing the main form did not end Run";
    QCoreApplication::quit();
  });
  guard.start(20000);
  app.Run();

  EXPECT_TRUE(shownMaximized);
  EXPECT_EQ(boxes, 1u);
  EXPECT_TRUE(app.Terminated());
  EXPECT_FALSE(form->Visible());
  delete form;
  EXPECT_EQ(app.MainForm(), nullptr);
  delete second;
}

}  // namespace
}  // namespace halvorn
