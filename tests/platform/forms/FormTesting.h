#pragma once
// What the widget tests share: a form of their own, shown on the offscreen
// screen when a test sends it real input.

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <memory>

#include "platform/forms/Form.h"

namespace halvorn::testing {

class FormTest : public ::testing::Test {
 protected:
  FormTest() : form_(std::make_unique<TForm>(nullptr)) { form_->SetBounds(20, 20, 500, 400); }

  TForm& Form() { return *form_; }

  void ShowForm() {
    form_->Show();
    QWidget* window = form_->Widget();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  }

 private:
  std::unique_ptr<TForm> form_;
};

}  // namespace halvorn::testing
