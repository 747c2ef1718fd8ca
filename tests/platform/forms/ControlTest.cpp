#include <QApplication>
#include <QImage>
#include <QTest>
#include <string>
#include <vector>

#include "FormTesting.h"
#include "platform/forms/Button.h"
#include "platform/forms/Control.h"
#include "platform/forms/Edit.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/Label.h"
#include "platform/forms/QtBridge.h"
#include "platform/forms/ScrollBar.h"
#include "platform/runtime/Exceptions.h"

namespace halvorn {
namespace {

using testing::FormTest;

// Records the order in which components die.
class Recorder : public TComponent {
 public:
  Recorder(TComponent* owner, std::vector<std::string>& log, std::string name)
      : TComponent(owner), log_(log), name_(std::move(name)) {}
  ~Recorder() override { log_.push_back(name_); }

 private:
  std::vector<std::string>& log_;
  std::string name_;
};

TEST(Component, OwnerDestroysTheLastCreatedFirstAndEarlyDeathsLeaveItsList) {
  std::vector<std::string> log;
  {
    TComponent owner(nullptr);
    auto* a = new Recorder(&owner, log, "a");
    new Recorder(a, log, "a.child");
    auto* b = new Recorder(&owner, log, "b");
    new Recorder(&owner, log, "c");
    delete b;
    EXPECT_EQ(owner.ComponentCount(), 2);
    EXPECT_EQ(owner.Components(0), a);
    EXPECT_THROW(owner.Components(2), EListError);
  }
  // A component's own destructor runs before it destroys what it owns.
  EXPECT_EQ(log, (std::vector<std::string>{"b", "c", "a", "a.child"}));
}

TEST_F(FormTest, ParentColorFollowsTheParentUntilAColourIsSet) {
  auto* box = new TGroupBox(&Form(), &Form());
  auto* inside = new TLabel(&Form(), box);
  auto* own = new TLabel(&Form(), box);
  own->SetColor(clRed);
  box->SetColor(clInfoBk);
  EXPECT_FALSE(box->ParentColor());
  EXPECT_EQ(inside->Color(), clInfoBk);
  EXPECT_EQ(inside->Widget()->palette().color(QPalette::Window), QColor(255, 255, 225));
  EXPECT_EQ(own->Color(), clRed);
  own->SetParentColor(true);
  EXPECT_EQ(own->Color(), clInfoBk);
}

TEST_F(FormTest, SetTabOrderMovesTheControlAndShiftsTheOthers) {
  std::vector<TWinControl*> c;
  for (int i = 0; i < 4; ++i) c.push_back(new TEdit(&Form(), &Form()));
  new TLabel(&Form(), &Form());
  c[3]->SetTabOrder(1);
  EXPECT_EQ(c[0]->TabOrder(), 0);
  EXPECT_EQ(c[3]->TabOrder(), 1);
  EXPECT_EQ(c[1]->TabOrder(), 2);
  EXPECT_EQ(c[2]->TabOrder(), 3);
  c[0]->SetTabOrder(99);
  EXPECT_EQ(c[0]->TabOrder(), 3);
  EXPECT_EQ(Form().TabOrder(), -1);
}

// The Tab key visits the tab stops of the window in TabOrder, each
// container's children right after the container's place.
TEST_F(FormTest, TabVisitsTabStopsInOrderThroughContainers) {
  auto* first = new TButton(&Form(), &Form());
  auto* box = new TGroupBox(&Form(), &Form());
  auto* inner2 = new TScrollBar(&Form(), box);
  auto* inner1 = new TScrollBar(&Form(), box);
  auto* skipped = new TEdit(&Form(), box);
  auto* last = new TEdit(&Form(), &Form());
  first->SetBounds(0, 0, 50, 20);
  box->SetBounds(0, 30, 200, 100);
  inner2->SetBounds(8, 40, 100, 17);
  inner1->SetBounds(8, 16, 100, 17);
  skipped->SetBounds(8, 60, 100, 20);
  last->SetBounds(0, 150, 50, 20);
  inner1->SetTabOrder(0);
  skipped->SetTabStop(false);
  ShowForm();

  first->SetFocus();
  std::vector<QWidget*> visited;
  for (int i = 0; i < 4; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    visited.push_back(QApplication::focusWidget());
  }
  EXPECT_EQ(visited, (std::vector<QWidget*>{inner1->Widget(), inner2->Widget(), last->Widget(),
                                            first->Widget()}));
}

TEST_F(FormTest, ADestroyedParentLeavesItsChildrenUsable) {
  auto* box = new TGroupBox(&Form(), &Form());
  auto* bar = new TScrollBar(&Form(), box);
  delete box;
  EXPECT_EQ(bar->Parent(), nullptr);
  bar->SetPosition(5);
  EXPECT_EQ(bar->Position(), 5);
  bar->SetParent(&Form());
  EXPECT_EQ(bar->Widget()->parentWidget(), Form().Widget());
}

TEST(QtBridge, FontsMapToTheirFacesAndPixelHeights) {
  struct Row {
    const char* name;
    int height;
    TFontStyles style;
    const char* family;
    int pixels;
  };
  const Row rows[] = {
      {"MS Sans Serif", -11, 0, "Liberation Sans", 11},
      {"MS Sans Serif", -16, fsBold, "Liberation Sans", 16},
      {"Arial", -12, fsBold | fsItalic, "Liberation Sans", 12},
      {"Liberation Mono", -13, 0, "Liberation Mono", 13},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.name) + " " + std::to_string(row.height));
    TFont font;
    font.SetName(row.name);
    font.SetHeight(row.height);
    font.SetStyle(row.style);
    const QFont q = ToQFont(font);
    EXPECT_EQ(q.family(), row.family);
    EXPECT_EQ(q.pixelSize(), row.pixels);
    EXPECT_EQ(q.bold(), (row.style & fsBold) != 0);
    EXPECT_EQ(q.italic(), (row.style & fsItalic) != 0);
  }
}

TEST(QtBridge, APositiveHeightIsTheWholeCell) {
  TFont font;
  font.SetHeight(23);
  const QFontMetrics metrics(ToQFont(font));
  EXPECT_NEAR(metrics.ascent() + metrics.descent(), 23, 1);
  EXPECT_LT(ToQFont(font).pixelSize(), 23);
}

// An edit box has the classic sunken frame, two pixels deep, whatever its
// colour and its parent's.
TEST_F(FormTest, AnEditBoxHasTheSunkenFrame) {
  auto* edit = new TEdit(&Form(), &Form());
  edit->SetBounds(8, 8, 89, 24);
  Form().SetColor(clNavy);
  ShowForm();
  const QImage image = edit->Widget()->grab().toImage();
  const struct {
    int x, y;
    QColor color;
  } rows[] = {{0, 0, QColor(128, 128, 128)},   {40, 0, QColor(128, 128, 128)},
              {0, 12, QColor(128, 128, 128)},  {1, 1, QColor(64, 64, 64)},
              {40, 1, QColor(64, 64, 64)},     {88, 23, QColor(255, 255, 255)},
              {88, 12, QColor(255, 255, 255)}, {87, 22, QColor(212, 208, 200)},
              {40, 22, QColor(212, 208, 200)}, {40, 12, QColor(255, 255, 255)}};
  for (const auto& r : rows) EXPECT_EQ(image.pixelColor(r.x, r.y), r.color) << r.x << "," << r.y;
}

}  // namespace
}  // namespace halvorn
