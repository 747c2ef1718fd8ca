#include <gtest/gtest.h>

#include <vector>

#include "chart/ChartFont.h"
#include "chart/View3DOptions.h"

namespace halvorn {
namespace {

TEST(ChartFont, DefaultFontAndItsDefaultTest) {
  int changes = 0;
  TChartFontObject title([&] { ++changes; });
  EXPECT_EQ(title.Font().Name(), "Arial");
  EXPECT_EQ(title.Font().Size(), 8);
  EXPECT_EQ(title.Font().Height(), -11);
  EXPECT_EQ(title.Font().Color(), clBlack);
  EXPECT_TRUE(IsDefaultChartFont(title.Font()));
  EXPECT_EQ(changes, 0);

  TFont same;
  InitDefaultChartFont(same, {});
  title.SetFont(same);
  EXPECT_EQ(changes, 0);
  same.SetColor(clBlue);
  title.SetFont(same);
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(IsDefaultChartFont(title.Font()));
  title.Font().SetStyle(fsBold);
  EXPECT_EQ(changes, 2);

  TFont other;
  InitDefaultChartFont(other, {});
  other.SetName("Times New Roman");
  EXPECT_FALSE(IsDefaultChartFont(other));
}

TEST(View3DOptions, ScrollListenerAfterAndZoomListenerBefore) {
  std::vector<int> seen;
  int changes = 0;
  TView3DOptions o([&] { ++changes; });
  TView3DOptions* self = &o;
  o.SetOnScroll([&] { seen.push_back(self->HorizOffset() + self->VertOffset()); });
  o.SetOnZoom([&] { seen.push_back(self->Zoom()); });
  o.SetHorizOffset(4);
  o.SetVertOffset(3);
  o.SetVertOffset(3);
  o.SetZoom(150);
  o.SetZoom(150);
  EXPECT_EQ(seen, (std::vector<int>{4, 7, 100}));
  EXPECT_EQ(o.Zoom(), 150);
  EXPECT_EQ(changes, 3);  // an unchanged value invalidates nothing
}

}  // namespace
}  // namespace halvorn
