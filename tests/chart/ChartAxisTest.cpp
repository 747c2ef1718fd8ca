#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "chart/ChartAxis.h"
#include "chart/ChartException.h"
#include "chart/ChartSeries.h"
#include "tests/chart/CountingChart.h"

namespace halvorn {
namespace {

using testing::TCountingChart;

TEST(ChartAxis, ChartCreatesFiveAxesInDrawingOrder) {
  TCountingChart chart;
  const std::vector<TCustomChartAxis*> expected = {&chart.BottomAxis(), &chart.TopAxis(),
                                                   &chart.LeftAxis(), &chart.RightAxis(),
                                                   &chart.DepthAxis()};
  EXPECT_EQ(chart.Axes(), expected);
  {
    TCustomChartAxis custom(chart, true, false, false);
    EXPECT_EQ(chart.Axes().back(), &custom);
  }
  EXPECT_EQ(chart.Axes(), expected);
}

TEST(ChartAxis, PixelSpanFollowsChartRectAndPositions) {
  const struct {
    const char* name;
    TRect rect;
    bool horizontal;
    double startPercent, endPercent;
    int start, end, span, center;
  } cases[] = {
      {"horizontal full", TRect{10, 20, 260, 120}, true, 0, 100, 10, 260, 250, 135},
      {"vertical full", TRect{10, 20, 260, 120}, false, 0, 100, 20, 120, 100, 70},
      {"part of the width", TRect{10, 20, 260, 120}, true, 10, 90, 35, 235, 200, 135},
      {"half pixel to even, down", TRect{0, 0, 250, 10}, true, 1, 100, 2, 250, 248, 126},
      {"half pixel to even, up", TRect{0, 0, 250, 10}, true, 3, 100, 8, 250, 242, 129},
      {"centre truncates toward zero", TRect{-15, 0, -2, 10}, true, 0, 100, -15, -2, 13, -8},
      {"empty rectangle", TRect{5, 5, 5, 5}, true, 0, 100, 5, 5, 0, 5},
  };
  for (const auto& c : cases) {
    TCountingChart chart;
    chart.SetChartRect(c.rect);
    TCustomChartAxis& axis = c.horizontal ? chart.BottomAxis() : chart.LeftAxis();
    axis.SetStartPosition(c.startPercent);
    axis.SetEndPosition(c.endPercent);
    axis.RecalcPixelSpan();
    EXPECT_EQ(axis.StartPixel(), c.start) << c.name;
    EXPECT_EQ(axis.EndPixel(), c.end) << c.name;
    EXPECT_EQ(axis.SpanPixels(), c.span) << c.name;
    EXPECT_EQ(axis.CenterPixel(), c.center) << c.name;
  }
}

TEST(ChartAxis, ValuesMapToPixelsLinearly) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    const char* name;
    bool horizontal, inverted;
    double min, max, value;
    int pixel;
  } cases[] = {
      {"x", true, false, 0, 10, 2, 14},
      {"x inverted", true, true, 0, 10, 2, 26},
      {"y: larger values higher", false, false, 0, 10, 2, 26},
      {"y inverted", false, true, 0, 10, 2, 14},
      {"x half pixel to even, down", true, false, 0, 10, 0.25, 10},
      {"x half pixel to even, up", true, false, 0, 10, 0.75, 12},
      {"outside the range", true, false, 0, 10, -4, 2},
      {"zero range: centre", true, false, 3, 3, 100, 20},
      {"offset beyond 32 bits: centre", false, false, 0, 10, 1e300, 20},
      {"not a number: centre", true, false, 0, 10, nan, 20},
  };
  for (const auto& c : cases) {
    TCountingChart chart;
    chart.SetChartRect(TRect{10, 10, 30, 30});
    TCustomChartAxis& axis = c.horizontal ? chart.BottomAxis() : chart.LeftAxis();
    axis.SetInverted(c.inverted);
    axis.SetRange(c.min, c.max);
    axis.RecalcPixelSpan();
    EXPECT_EQ(axis.ValueToPixel(c.value), c.pixel) << c.name;
  }
}

TEST(ChartAxis, PixelToValueInvertsTheMapping) {
  for (bool horizontal : {true, false}) {
    for (bool inverted : {false, true}) {
      TCountingChart chart;
      chart.SetChartRect(TRect{10, 10, 30, 30});
      TCustomChartAxis& axis = horizontal ? chart.BottomAxis() : chart.LeftAxis();
      axis.SetInverted(inverted);
      axis.SetRange(-5, 5);
      axis.RecalcPixelSpan();
      for (double v : {-5.0, -1.5, 0.0, 2.5, 5.0})
        EXPECT_EQ(axis.PixelToValue(axis.ValueToPixel(v)), v) << horizontal << inverted << " " << v;
    }
  }
}

TEST(ChartAxis, PixelToValueIsZeroWithoutASpan) {
  TCountingChart chart;
  TCustomChartAxis& axis = chart.BottomAxis();
  axis.SetRange(3, 9);
  EXPECT_EQ(axis.SpanPixels(), 0);
  EXPECT_EQ(axis.PixelToValue(5), 0);
  EXPECT_EQ(axis.ValueToPixel(7), 0);
}

TEST(ChartAxis, EachAxisStartsWithTheDefaults) {
  TCountingChart chart;
  const struct {
    const char* name;
    TCustomChartAxis& axis;
    bool horizontal, farSide, depth;
    int titleAngle;
    bool visible;
  } cases[] = {
      {"bottom", chart.BottomAxis(), true, false, false, 0, true},
      {"top", chart.TopAxis(), true, true, false, 0, true},
      {"left", chart.LeftAxis(), false, false, false, 90, true},
      {"right", chart.RightAxis(), false, true, false, 270, true},
      {"depth", chart.DepthAxis(), false, true, true, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TCustomChartAxis& a = c.axis;
    EXPECT_EQ(a.IsHorizontal(), c.horizontal);
    EXPECT_EQ(a.OnFarSide(), c.farSide);
    EXPECT_EQ(a.IsDepth(), c.depth);
    EXPECT_EQ(a.Title().Angle(), c.titleAngle);
    EXPECT_EQ(a.DefaultTitleAngle(), c.titleAngle);
    EXPECT_EQ(a.Visible(), c.visible);

    EXPECT_TRUE(a.Automatic());
    EXPECT_TRUE(a.AutomaticMaximum());
    EXPECT_TRUE(a.AutomaticMinimum());
    EXPECT_EQ(a.AxisValuesFormat(), "#,##0.###");
    EXPECT_EQ(a.DateTimeFormat(), "");
    EXPECT_TRUE(a.ExactDateTime());
    EXPECT_FALSE(a.GridCentered());
    EXPECT_EQ(a.Increment(), 0);
    EXPECT_FALSE(a.Inverted());
    EXPECT_TRUE(a.Labels());
    EXPECT_EQ(a.LabelsAngle(), 0);
    EXPECT_FALSE(a.LabelsMultiLine());
    EXPECT_TRUE(a.LabelsOnAxis());
    EXPECT_EQ(a.LabelsSeparation(), 10);
    EXPECT_EQ(a.LabelsSize(), 0);
    EXPECT_EQ(a.LabelStyle(), talAuto);
    EXPECT_FALSE(a.Logarithmic());
    EXPECT_EQ(a.LogarithmicBase(), 10);
    EXPECT_EQ(a.Maximum(), 0);
    EXPECT_EQ(a.Minimum(), 0);
    EXPECT_EQ(a.MinorTickCount(), 3);
    EXPECT_EQ(a.MinorTickLength(), 2);
    EXPECT_EQ(a.StartPosition(), 0);
    EXPECT_EQ(a.EndPosition(), 100);
    EXPECT_EQ(a.PositionPercent(), 0);
    EXPECT_TRUE(a.RoundFirstLabel());
    EXPECT_EQ(a.TickInnerLength(), 0);
    EXPECT_EQ(a.TickLength(), 4);
    EXPECT_TRUE(a.TickOnLabelsOnly());
    EXPECT_EQ(a.Title().Caption(), "");
    EXPECT_EQ(a.TitleSize(), 0);
    EXPECT_EQ(&a.Title().Axis(), &a);
    EXPECT_TRUE(IsDefaultChartFont(a.LabelsFont()));
    EXPECT_TRUE(IsDefaultChartFont(a.Title().Font()));

    EXPECT_TRUE(a.Axis().Visible());
    EXPECT_EQ(a.Axis().Width(), 2);
    EXPECT_EQ(a.Axis().Color(), clBlack);
    EXPECT_TRUE(a.Grid().Visible());
    EXPECT_EQ(a.Grid().Color(), 0x808080u);
    EXPECT_EQ(a.Grid().Style(), psDot);
    EXPECT_FALSE(a.MinorGrid().Visible());
    for (const TChartPen* pen : {&a.MinorTicks(), &a.Ticks(), &a.TicksInner()}) {
      EXPECT_TRUE(pen->Visible());
      EXPECT_EQ(pen->Color(), 0x808080u);
      EXPECT_EQ(pen->Style(), psSolid);
    }

    EXPECT_EQ(a.AxisLinePos(), 0);
    EXPECT_EQ(a.LabelsPos(), 0);
    EXPECT_EQ(a.TitlePos(), 0);
  }
  EXPECT_EQ(chart.invalidations, 0) << "building the axes requests no repaint";
}

struct SetterCase {
  std::string name;
  std::function<void(TCustomChartAxis&)> change;
  std::function<void(TCustomChartAxis&)> rewrite;  // writes the current value again
  std::function<bool(const TCustomChartAxis&)> changed;
};

template <typename Get, typename Set, typename V>
SetterCase Property(std::string name, Get get, Set set, V other) {
  return {std::move(name), [=](TCustomChartAxis& a) { (a.*set)(other); },
          [=](TCustomChartAxis& a) { (a.*set)((a.*get)()); },
          [=](const TCustomChartAxis& a) { return (a.*get)() == other; }};
}

TEST(ChartAxis, SettersInvalidateOnceAndOnlyOnAChange) {
  using A = TCustomChartAxis;
  const std::vector<SetterCase> cases = {
      Property("Automatic", &A::Automatic, &A::SetAutomatic, false),
      Property("AutomaticMaximum", &A::AutomaticMaximum, &A::SetAutomaticMaximum, false),
      Property("AutomaticMinimum", &A::AutomaticMinimum, &A::SetAutomaticMinimum, false),
      Property("Maximum", &A::Maximum, &A::SetMaximum, 5.0),
      Property("Minimum", &A::Minimum, &A::SetMinimum, -5.0),
      Property("Increment", &A::Increment, &A::SetIncrement, 2.5),
      Property("Inverted", &A::Inverted, &A::SetInverted, true),
      Property("Logarithmic", &A::Logarithmic, &A::SetLogarithmic, true),
      Property("LogarithmicBase", &A::LogarithmicBase, &A::SetLogarithmicBase, 2),
      Property("StartPosition", &A::StartPosition, &A::SetStartPosition, 10.0),
      Property("EndPosition", &A::EndPosition, &A::SetEndPosition, 90.0),
      Property("PositionPercent", &A::PositionPercent, &A::SetPositionPercent, 50.0),
      Property("Labels", &A::Labels, &A::SetLabels, false),
      Property("LabelsAngle", &A::LabelsAngle, &A::SetLabelsAngle, 359),
      Property("LabelsMultiLine", &A::LabelsMultiLine, &A::SetLabelsMultiLine, true),
      Property("LabelsOnAxis", &A::LabelsOnAxis, &A::SetLabelsOnAxis, false),
      Property("LabelsSeparation", &A::LabelsSeparation, &A::SetLabelsSeparation, 0),
      Property("LabelsSize", &A::LabelsSize, &A::SetLabelsSize, 30),
      Property("LabelStyle", &A::LabelStyle, &A::SetLabelStyle, talValue),
      Property("RoundFirstLabel", &A::RoundFirstLabel, &A::SetRoundFirstLabel, false),
      Property("AxisValuesFormat", &A::AxisValuesFormat, &A::SetAxisValuesFormat,
               std::string("0.00")),
      Property("DateTimeFormat", &A::DateTimeFormat, &A::SetDateTimeFormat, std::string("dd/mm")),
      Property("ExactDateTime", &A::ExactDateTime, &A::SetExactDateTime, false),
      Property("GridCentered", &A::GridCentered, &A::SetGridCentered, true),
      Property("MinorTickCount", &A::MinorTickCount, &A::SetMinorTickCount, 0),
      Property("MinorTickLength", &A::MinorTickLength, &A::SetMinorTickLength, 5),
      Property("TickInnerLength", &A::TickInnerLength, &A::SetTickInnerLength, 3),
      Property("TickLength", &A::TickLength, &A::SetTickLength, 0),
      Property("TickOnLabelsOnly", &A::TickOnLabelsOnly, &A::SetTickOnLabelsOnly, false),
      Property("TitleSize", &A::TitleSize, &A::SetTitleSize, 20),
      Property("Visible", &A::Visible, &A::SetVisible, false),
      {"Title.Caption", [](A& a) { a.Title().SetCaption("Months"); },
       [](A& a) { a.Title().SetCaption(a.Title().Caption()); },
       [](const A& a) { return a.Title().Caption() == "Months"; }},
      {"Title.Angle", [](A& a) { a.Title().SetAngle(180); },
       [](A& a) { a.Title().SetAngle(a.Title().Angle()); },
       [](const A& a) { return a.Title().Angle() == 180; }},
  };
  for (const auto& c : cases) {
    TCountingChart chart;
    TCustomChartAxis& axis = chart.LeftAxis();
    c.rewrite(axis);
    EXPECT_EQ(chart.invalidations, 0) << c.name << ": the default written again";
    c.change(axis);
    EXPECT_TRUE(c.changed(axis)) << c.name;
    EXPECT_EQ(chart.invalidations, 1) << c.name;
    c.change(axis);
    c.rewrite(axis);
    EXPECT_EQ(chart.invalidations, 1) << c.name << ": the new value written again";
  }
}

TEST(ChartAxis, AutomaticHoldsExactlyWhileBothSidesAre) {
  using Step = std::function<void(TCustomChartAxis&)>;
  const Step minOff = [](TCustomChartAxis& a) { a.SetAutomaticMinimum(false); };
  const Step minOn = [](TCustomChartAxis& a) { a.SetAutomaticMinimum(true); };
  const Step maxOff = [](TCustomChartAxis& a) { a.SetAutomaticMaximum(false); };
  const Step maxOn = [](TCustomChartAxis& a) { a.SetAutomaticMaximum(true); };
  const Step allOff = [](TCustomChartAxis& a) { a.SetAutomatic(false); };
  const Step allOn = [](TCustomChartAxis& a) { a.SetAutomatic(true); };
  const struct {
    const char* name;
    std::vector<Step> steps;
    bool automatic, automaticMinimum, automaticMaximum;
    int invalidations;
  } cases[] = {
      {"clearing Automatic clears both sides", {allOff}, false, false, false, 1},
      {"clearing one side clears Automatic", {minOff}, false, false, true, 1},
      {"the other side", {maxOff}, false, true, false, 1},
      {"restoring the side completes Automatic", {minOff, minOn}, true, true, true, 2},
      {"one side alone does not", {minOff, maxOff, minOn}, false, true, false, 3},
      {"nor the other side alone", {maxOff, minOff, maxOn}, false, false, true, 3},
      {"setting Automatic sets both sides", {minOff, maxOff, allOn}, true, true, true, 3},
      {"clearing Automatic clears the remaining side", {minOff, allOff}, false, false, false, 2},
  };
  for (const auto& c : cases) {
    TCountingChart chart;
    TCustomChartAxis& axis = chart.BottomAxis();
    for (const Step& step : c.steps) step(axis);
    EXPECT_EQ(axis.Automatic(), c.automatic) << c.name;
    EXPECT_EQ(axis.AutomaticMinimum(), c.automaticMinimum) << c.name;
    EXPECT_EQ(axis.AutomaticMaximum(), c.automaticMaximum) << c.name;
    EXPECT_EQ(chart.invalidations, c.invalidations) << c.name;
  }
}

// Attaches a series of one point whose X values are date-times.
void AttachDateTimeSeries(TCountingChart& chart, TChartSeries& series, bool active) {
  series.XValues().SetDateTime(true);
  series.AppendXY(1, 1, "", clAutoColor);
  series.SetActive(active);
  series.SetParentChart(&chart);
}

TEST(ChartAxis, RefusedSettingsRaiseAndLeaveTheValue) {
  enum Raises { kAccepted, kAxis, kChart };
  using A = TCustomChartAxis;
  const struct {
    const char* name;
    std::function<void(TCountingChart&, TChartSeries&)> setup;
    std::function<double(const A&)> read;
    std::function<void(A&)> write;
    Raises raises;
    const char* message;
  } cases[] = {
      {"Minimum above Maximum", nullptr, [](const A& a) { return a.Minimum(); },
       [](A& a) { a.SetMinimum(10); }, kAxis, "Axis Minimum Value must be <= Maximum"},
      {"Minimum equal to Maximum",
       [](TCountingChart& c, TChartSeries&) { c.BottomAxis().SetMaximum(4); },
       [](const A& a) { return a.Minimum(); }, [](A& a) { a.SetMinimum(4); }, kAccepted, ""},
      {"Maximum below Minimum", nullptr, [](const A& a) { return a.Maximum(); },
       [](A& a) { a.SetMaximum(-0.5); }, kAxis, "Axis Maximum Value must be >= Minimum"},
      {"negative Increment", nullptr, [](const A& a) { return a.Increment(); },
       [](A& a) { a.SetIncrement(-1e-9); }, kAxis, "Axis increment must be >= 0"},
      {"Increment back to automatic",
       [](TCountingChart& c, TChartSeries&) { c.BottomAxis().SetIncrement(2); },
       [](const A& a) { return a.Increment(); }, [](A& a) { a.SetIncrement(0); }, kAccepted, ""},
      {"negative LabelsSeparation", nullptr, [](const A& a) { return a.LabelsSeparation(); },
       [](A& a) { a.SetLabelsSeparation(-1); }, kAxis,
       "Labels Separation % must be greater than 0"},
      {"LabelsSeparation 0", nullptr, [](const A& a) { return a.LabelsSeparation(); },
       [](A& a) { a.SetLabelsSeparation(0); }, kAccepted, ""},
      {"LogarithmicBase 1", nullptr, [](const A& a) { return a.LogarithmicBase(); },
       [](A& a) { a.SetLogarithmicBase(1); }, kAxis, "Axis Logarithmic Base should be >= 2"},
      {"LogarithmicBase 2", nullptr, [](const A& a) { return a.LogarithmicBase(); },
       [](A& a) { a.SetLogarithmicBase(2); }, kAccepted, ""},
      {"LabelsAngle 360", nullptr, [](const A& a) { return a.LabelsAngle(); },
       [](A& a) { a.SetLabelsAngle(360); }, kChart,
       "Axis Labels Angle must be between 0 and 359 degrees"},
      {"LabelsAngle -1", nullptr, [](const A& a) { return a.LabelsAngle(); },
       [](A& a) { a.SetLabelsAngle(-1); }, kChart,
       "Axis Labels Angle must be between 0 and 359 degrees"},
      {"Title.Angle 360", nullptr, [](const A& a) { return a.Title().Angle(); },
       [](A& a) { a.Title().SetAngle(360); }, kChart,
       "Axis Title Angle must be between 0 and 359 degrees"},
      {"Title.Angle -90", nullptr, [](const A& a) { return a.Title().Angle(); },
       [](A& a) { a.Title().SetAngle(-90); }, kChart,
       "Axis Title Angle must be between 0 and 359 degrees"},
      {"Logarithmic below 0",
       [](TCountingChart& c, TChartSeries&) { c.BottomAxis().SetRange(-1, 5); },
       [](const A& a) { return a.Logarithmic(); }, [](A& a) { a.SetLogarithmic(true); }, kAxis,
       "Logarithmic Axis Min and Max values should be >= 0"},
      {"Logarithmic from 0",
       [](TCountingChart& c, TChartSeries&) { c.BottomAxis().SetRange(0, 5); },
       [](const A& a) { return a.Logarithmic(); }, [](A& a) { a.SetLogarithmic(true); }, kAccepted,
       ""},
      {"Logarithmic date-times",
       [](TCountingChart& c, TChartSeries& s) { AttachDateTimeSeries(c, s, true); },
       [](const A& a) { return a.Logarithmic(); }, [](A& a) { a.SetLogarithmic(true); }, kAxis,
       "DateTime Axis cannot be Logarithmic"},
      {"Logarithmic beside inactive date-times",
       [](TCountingChart& c, TChartSeries& s) { AttachDateTimeSeries(c, s, false); },
       [](const A& a) { return a.Logarithmic(); }, [](A& a) { a.SetLogarithmic(true); }, kAccepted,
       ""},
  };
  for (const auto& c : cases) {
    TCountingChart chart;
    TChartSeries series;
    if (c.setup) c.setup(chart, series);
    TCustomChartAxis& axis = chart.BottomAxis();
    const double before = c.read(axis);
    chart.invalidations = 0;
    std::string message;
    Raises raised = kAccepted;
    try {
      c.write(axis);
    } catch (const AxisException& e) {
      raised = kAxis;
      message = e.Message();
    } catch (const ChartException& e) {
      raised = kChart;
      message = e.Message();
    }
    EXPECT_EQ(raised, c.raises) << c.name;
    EXPECT_EQ(message, c.message) << c.name;
    if (c.raises == kAccepted) {
      EXPECT_NE(c.read(axis), before) << c.name;
      EXPECT_EQ(chart.invalidations, 1) << c.name;
    } else {
      EXPECT_EQ(c.read(axis), before) << c.name;
      EXPECT_EQ(chart.invalidations, 0) << c.name;
    }
  }
}

TEST(ChartAxis, OwnedPensAndFontsInvalidateTheirChart) {
  TCountingChart other;
  other.BottomAxis().Title().SetCaption("Months");
  other.invalidations = 0;
  TChartPen redPen;
  redPen.SetColor(clRed);
  TFont bigFont;
  bigFont.SetSize(14);
  const struct {
    const char* name;
    std::function<void(TCustomChartAxis&)> change;
  } cases[] = {
      {"Axis", [](TCustomChartAxis& a) { a.Axis().SetWidth(1); }},
      {"Grid", [](TCustomChartAxis& a) { a.Grid().SetStyle(psSolid); }},
      {"MinorGrid", [](TCustomChartAxis& a) { a.MinorGrid().SetVisible(true); }},
      {"MinorTicks", [](TCustomChartAxis& a) { a.MinorTicks().SetColor(clRed); }},
      {"Ticks", [](TCustomChartAxis& a) { a.Ticks().SetVisible(false); }},
      {"TicksInner", [](TCustomChartAxis& a) { a.TicksInner().SetSmallDots(true); }},
      {"LabelsFont", [](TCustomChartAxis& a) { a.LabelsFont().SetStyle(fsBold); }},
      {"Title.Font", [](TCustomChartAxis& a) { a.Title().Font().SetColor(clRed); }},
      {"copying a pen", [&](TCustomChartAxis& a) { a.SetTicks(redPen); }},
      {"copying a font", [&](TCustomChartAxis& a) { a.SetLabelsFont(bigFont); }},
      {"copying a title", [&](TCustomChartAxis& a) { a.SetTitle(other.BottomAxis().Title()); }},
  };
  for (const auto& c : cases) {
    TCountingChart chart;
    c.change(chart.BottomAxis());
    EXPECT_EQ(chart.invalidations, 1) << c.name;
  }
  EXPECT_EQ(other.invalidations, 0);

  TCountingChart chart;
  chart.BottomAxis().SetTicks(chart.BottomAxis().Ticks());
  chart.BottomAxis().SetTitle(chart.BottomAxis().Title());
  EXPECT_EQ(chart.invalidations, 0) << "copying equal settings";
}

}  // namespace
}  // namespace halvorn
