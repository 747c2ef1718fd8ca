#include <QProgressBar>

#include "FormTesting.h"
#include "platform/forms/ProgressBar.h"
#include "platform/runtime/Exceptions.h"

namespace halvorn {
namespace {

TEST(ProgressBarTest, PositionIsClampedIntoTheRangeAndShown) {
  TForm form(nullptr);
  auto* bar = new TProgressBar(&form, &form);
  const auto* widget = static_cast<const QProgressBar*>(bar->Widget());
  EXPECT_FALSE(bar->TabStop());
  struct Row {
    int min, max, set, expected;
  };
  for (const Row row : {Row{0, 100, 40, 40}, Row{0, 1000, 1001, 1000}, Row{10, 20, 3, 10},
                        Row{0, 1000, 250, 250}}) {
    SCOPED_TRACE(row.set);
    bar->SetRange(row.min, row.max);
    bar->SetPosition(row.set);
    EXPECT_EQ(bar->Position(), row.expected);
    EXPECT_EQ(widget->value(), row.expected);
    EXPECT_EQ(widget->maximum(), row.max);
  }
  // A narrowed range drags the position along; a crossed one is refused.
  bar->SetRange(0, 100);
  EXPECT_EQ(bar->Position(), 100);
  EXPECT_THROW(bar->SetRange(5, 4), EInvalidOperation);
  EXPECT_EQ(bar->Min(), 0);
  EXPECT_EQ(bar->Max(), 100);
}

}  // namespace
}  // namespace halvorn
