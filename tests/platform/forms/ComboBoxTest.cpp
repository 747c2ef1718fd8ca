#include <QComboBox>
#include <QTest>
#include <string>
#include <vector>

#include "FormTesting.h"
#include "platform/forms/ComboBox.h"

namespace halvorn {
namespace {

// A combo box of the three Runs-per-point choices, recording the item every
// OnChange sees.
class ComboBoxTest : public testing::FormTest {
 protected:
  ComboBoxTest() : box_(new TComboBox(&Form(), &Form())) {
    box_->SetBounds(10, 10, 120, 21);
    box_->SetItems({"1 000", "10 000", "100 000"});
    box_->OnChange = [this](TObject* sender) {
      EXPECT_EQ(sender, box_);
      seen_.push_back(box_->ItemIndex());
    };
  }

  QComboBox* QtBox() const { return static_cast<QComboBox*>(box_->Widget()); }

  TComboBox* box_;
  std::vector<int> seen_;
};

TEST_F(ComboBoxTest, ProgramChangesClampShowAndRaiseNoEvent) {
  EXPECT_EQ(box_->ItemIndex(), -1);
  EXPECT_EQ(box_->Text(), "");
  struct Row {
    int set, expected;
    const char* text;
  };
  for (const Row row : {Row{1, 1, "10 000"}, Row{9, 2, "100 000"}, Row{-4, -1, ""}}) {
    SCOPED_TRACE(row.set);
    box_->SetItemIndex(row.set);
    EXPECT_EQ(box_->ItemIndex(), row.expected);
    EXPECT_EQ(QtBox()->currentIndex(), row.expected);
    EXPECT_EQ(box_->Text(), row.text);
  }
  box_->SetItemIndex(2);
  box_->SetItems({"a", "b"});
  EXPECT_EQ(box_->ItemIndex(), -1);
  EXPECT_EQ(QtBox()->count(), 2);
  EXPECT_TRUE(seen_.empty());
}

TEST_F(ComboBoxTest, TheUsersChoicesRaiseOnChangeOncePerNewItem) {
  box_->SetItemIndex(0);
  ShowForm();
  box_->SetFocus();
  QTest::keyClick(QtBox(), Qt::Key_Down);
  QTest::keyClick(QtBox(), Qt::Key_End);
  QTest::keyClick(QtBox(), Qt::Key_End);  // already there: no event
  QTest::keyClick(QtBox(), Qt::Key_Home);
  EXPECT_EQ(seen_, (std::vector<int>{1, 2, 0}));
  EXPECT_EQ(box_->Text(), "1 000");
}

}  // namespace
}  // namespace halvorn
