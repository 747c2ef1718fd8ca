#pragma once
// The chart's legend: the framed box with one row per series (or per value
// of a series), each row a symbol and a text. This level holds the settings,
// the state the last layout left, and the row count, texts and measures the
// layout is built from.

#include <string>

#include "chart/ChartFont.h"
#include "chart/ChartPen.h"
#include "platform/runtime/Colors.h"
#include "platform/runtime/Types.h"

namespace halvorn {

class TCanvas3D;
class TChartSeries;
class TCustomAxisPanel;

// The chart side the legend stands at; laLeft and laRight make a vertical
// legend, one row per item.
enum TLegendAlignment { laLeft, laRight, laTop, laBottom };

// What the rows list. lsAuto lists series when two or more are active and
// the values of the first active series otherwise.
enum TLegendStyle { lsAuto, lsSeries, lsValues, lsLastValues };

// How a row that stands for a value joins the point's label and value.
enum TLegendTextStyle {
  ltsPlain,         // the label alone
  ltsLeftValue,     // value, label
  ltsRightValue,    // label, value
  ltsLeftPercent,   // percentage of the series, label
  ltsRightPercent,  // label, percentage
  ltsXValue         // the X value alone
};

class TCustomChartLegend : public TChartFontObject {
 public:
  // `chart` outlives the legend; every change of a setting invalidates it.
  explicit TCustomChartLegend(TCustomAxisPanel& chart);

  TCustomAxisPanel& ParentChart() const { return *chart_; }

  // --- Settings ---------------------------------------------------------------
  // A setter given the stored value does nothing; any other value is stored
  // and the chart invalidated.

  TLegendAlignment Alignment() const { return alignment_; }
  void SetAlignment(TLegendAlignment alignment);
  // Fill pattern of the box; assigning copies.
  TChartBrush& Brush() { return brush_; }
  const TChartBrush& Brush() const { return brush_; }
  void SetBrush(const TChartBrush& brush) { brush_.Assign(brush); }
  // Fill colour of the box.
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  // Symbol width in per cent of the widest row text plus 10 pixels; raises
  // LegendException outside 0..100.
  int ColorWidth() const { return colorWidth_; }
  void SetColorWidth(int percent);
  // Lines between rows, hidden by default; assigning copies.
  TChartPen& DividingLines() { return dividingLines_; }
  const TChartPen& DividingLines() const { return dividingLines_; }
  void SetDividingLines(const TChartPen& pen) { dividingLines_.Assign(pen); }
  // Index of the first item shown; raises LegendException below 0.
  int FirstValue() const { return firstValue_; }
  void SetFirstValue(int index);
  // Outline of the box; assigning copies.
  TChartPen& Frame() { return frame_; }
  const TChartPen& Frame() const { return frame_; }
  void SetFrame(const TChartPen& pen) { frame_.Assign(pen); }
  // Gap in pixels between a vertical legend and ChartRect; 0 stands for 3 %
  // of ChartRect's width.
  int HorizMargin() const { return horizMargin_; }
  void SetHorizMargin(int pixels);
  // Items in reverse order.
  bool Inverted() const { return inverted_; }
  void SetInverted(bool inverted);
  // Also resolves the style again.
  TLegendStyle LegendStyle() const { return legendStyle_; }
  void SetLegendStyle(TLegendStyle style);
  // Row limit of a horizontal legend.
  int MaxNumRows() const { return maxNumRows_; }
  void SetMaxNumRows(int rows);
  // Whether the legend's whole width (or height) is taken out of ChartRect,
  // not only the margin.
  bool ResizeChart() const { return resizeChart_; }
  void SetResizeChart(bool resize);
  TColor ShadowColor() const { return shadowColor_; }
  void SetShadowColor(TColor color);
  // Offset of the drop shadow in pixels; 0 draws none.
  int ShadowSize() const { return shadowSize_; }
  void SetShadowSize(int pixels);
  // Text of the rows that stand for values.
  TLegendTextStyle TextStyle() const { return textStyle_; }
  void SetTextStyle(TLegendTextStyle style);
  // Start of a vertical legend in per cent of the painted height; raises
  // LegendException outside 0..100.
  int TopPos() const { return topPos_; }
  void SetTopPos(int percent);
  // Gap in pixels between a horizontal legend and ChartRect; 0 stands for 4 %
  // of ChartRect's height.
  int VertMargin() const { return vertMargin_; }
  void SetVertMargin(int pixels);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  // Takes every setting of `other` except the shadow and the dividing lines.
  virtual void CopyFrom(const TCustomChartLegend& other);

  // --- State of the last layout -----------------------------------------------

  // The box without its frame.
  const TRect& LegendRect() const { return legendRect_; }
  // lsSeries, lsValues or lsLastValues: the style the items follow, as the
  // last ResolveStyle settled it (the style setter and every layout run it).
  TLegendStyle ResolvedStyle() const { return resolvedStyle_; }
  int SymbolWidth() const { return symbolWidth_; }
  int ColumnCount() const { return columnCount_; }
  int RowCount() const { return rowCount_; }

  bool IsVertical() const { return alignment_ == laLeft || alignment_ == laRight; }
  // Settles lsAuto by the chart's current number of active series.
  void ResolveStyle();

  // --- Items --------------------------------------------------------------------
  // Items follow ResolvedStyle and are counted from 0; FirstValue is where
  // the shown ones start.

  // The items from FirstValue on; never negative.
  int LegendItemCount() const;
  // Empty for an item that stands for nothing.
  std::string LegendItemText(int item) const;
  // The widest text of `count` items from FirstValue on (all of them for
  // -1), measured on `canvas` in its current font; 0 when there are none.
  int MaxItemTextWidth(TCanvas3D& canvas, int count) const;
  // How many rows (vertical) or columns (horizontal) of `size` pixels fit
  // from `position` to the far edge of ChartRect, inside the frame; at most
  // LegendItemCount, never negative.
  virtual int ItemsThatFit(int position, int size) const;

  // --- Drawing ----------------------------------------------------------------

  // Lays the box out against the chart's PaintRect and ChartRect, draws it
  // with its rows, and takes the legend's side of ChartRect (its margin,
  // and with ResizeChart its own size). A legend without a row to show
  // draws nothing and takes nothing.
  virtual void DrawLegend();
  // The item under a pixel of the last drawing: the row (vertical) or
  // row * ColumnCount + column (horizontal); -1 outside the box.
  int ItemAtPixel(int x, int y) const;

 private:
  void Changed() const;
  // The first active series, or null.
  TChartSeries* FirstActiveSeries() const;
  // The box, the rows and the symbol width; no rows when nothing fits.
  void Layout(TCanvas3D& canvas, int lineHeight);
  void DrawBox(TCanvas3D& canvas);
  void DrawItem(TCanvas3D& canvas, int item, int position, int lineHeight);
  void TakeSpace();
  // The text of a row that stands for point `index` of `series`.
  std::string ValueText(const TChartSeries& series, int index) const;

  TCustomAxisPanel* chart_;
  TLegendAlignment alignment_ = laRight;
  TChartBrush brush_;
  TColor color_ = clWhite;
  int colorWidth_ = 12;
  TChartHiddenPen dividingLines_;
  int firstValue_ = 0;
  TChartPen frame_;
  int horizMargin_ = 0;
  bool inverted_ = false;
  TLegendStyle legendStyle_ = lsAuto;
  int maxNumRows_ = 10;
  bool resizeChart_ = true;
  TColor shadowColor_ = clBlack;
  int shadowSize_ = 3;
  TLegendTextStyle textStyle_ = ltsLeftValue;
  int topPos_ = 10;
  int vertMargin_ = 0;
  bool visible_ = true;

  TRect legendRect_;
  TLegendStyle resolvedStyle_ = lsValues;
  int symbolWidth_ = 0;
  int columnCount_ = 0;
  int rowCount_ = 0;
  // Where the first row's text starts and how far apart the columns of a
  // horizontal legend are.
  int textX_ = 0;
  int itemWidth_ = 0;
};

// The legend as the chart publishes it.
class TChartLegend : public TCustomChartLegend {
 public:
  using TCustomChartLegend::TCustomChartLegend;
};

}  // namespace halvorn
