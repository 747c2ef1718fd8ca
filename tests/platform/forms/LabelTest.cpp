#include <QFontMetrics>

#include "FormTesting.h"
#include "platform/forms/Edit.h"
#include "platform/forms/Label.h"
#include "platform/forms/QtBridge.h"

namespace halvorn {
namespace {

class LabelTest : public testing::FormTest {
 protected:
  LabelTest() : label_(new TLabel(&Form(), &Form())) {
    label_->Font().SetHeight(-13);
    label_->Font().SetStyle(fsBold);
    label_->SetBounds(224, 64, 17, 16);
    label_->SetCaption("10");
  }

  static QSize TextSize(const TFont& font, const char* text) {
    return QFontMetrics(ToQFont(font)).size(0, QString::fromUtf8(text));
  }

  TLabel* label_;
};

TEST_F(LabelTest, SizesItselfToItsTextAndKeepsItsPlace) {
  struct Row {
    const char* caption;
    int height;
    TFontStyles style;
  };
  const Row rows[] = {
      {"10", -13, fsBold},
      {"200", -13, fsBold},
      {"Στατιστικά", -16, fsBold},
      {"Διαφορά Πριν-Μετά (%)", -13, fsBold},
      {"6", -11, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.caption);
    label_->Font().SetHeight(row.height);
    label_->Font().SetStyle(row.style);
    label_->SetCaption(row.caption);
    const QSize text = TextSize(label_->Font(), row.caption);
    EXPECT_EQ(label_->Width(), text.width());
    EXPECT_EQ(label_->Height(), text.height());
    EXPECT_EQ(label_->Widget()->geometry(), QRect(224, 64, text.width(), text.height()));
  }
}

TEST_F(LabelTest, BoundsFromALayoutGiveWayToTheText) {
  label_->SetBounds(8, 16, 300, 3);
  const QSize text = TextSize(label_->Font(), "10");
  EXPECT_EQ(label_->BoundsRect(), (TRect{8, 16, 8 + text.width(), 16 + text.height()}));
}

TEST_F(LabelTest, AnEmptyCaptionKeepsTheHeightOfALine) {
  label_->SetCaption("");
  EXPECT_EQ(label_->Height(), TextSize(label_->Font(), "10").height());
  EXPECT_GT(label_->Width(), 0);
}

TEST_F(LabelTest, LiesBelowWindowedControlsEvenWhenCreatedLater) {
  auto* edit = new TEdit(&Form(), &Form());
  edit->SetBounds(220, 60, 89, 24);
  auto* later = new TLabel(&Form(), &Form());
  later->SetBounds(225, 65, 0, 0);
  later->SetCaption("hidden under the edit box");
  ShowForm();
  EXPECT_EQ(Form().Widget()->childAt(230, 70), edit->Widget());
  // Among labels the later one is on top.
  later->SetTop(40);
  label_->SetBounds(224, 42, 0, 0);
  EXPECT_EQ(Form().Widget()->childAt(226, 44), later->Widget());
}

}  // namespace
}  // namespace halvorn
