#pragma once
// The chart's title and foot: lines of text above or below the plot area,
// with an optional background and frame. Drawing one takes its lines'
// space out of the chart's ChartRect.

#include <string>
#include <vector>

#include "chart/ChartFont.h"
#include "chart/ChartPen.h"
#include "platform/runtime/Colors.h"
#include "platform/runtime/Types.h"

namespace halvorn {

class TCanvas3D;
class TCustomChartPanel;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

class TChartTitle : public TChartFontObject {
 public:
  explicit TChartTitle(TCustomChartPanel& chart);

  TCustomChartPanel& ParentChart() const { return *chart_; }

  // The frame is narrowed to the text when it has a frame or a fill.
  bool AdjustFrame() const { return adjustFrame_; }
  void SetAdjustFrame(bool adjust);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TChartBrush& Brush() { return brush_; }
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TChartHiddenPen& Frame() { return frame_; }
  // One entry per line.
  const std::vector<std::string>& Text() const { return text_; }
  void SetText(std::vector<std::string> lines);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  // Where the title was last drawn, frame included.
  const TRect& TitleRect() const { return titleRect_; }
  // Whether a point lies on the visible title.
  bool Clicked(int x, int y) const;

  // Draws the lines at the top or the bottom of ChartRect and moves that
  // side of ChartRect past them.
  void Draw(bool atTop);

 private:
  void Changed() const;
  // Sets the canvas brush for the background: bsClear when nothing is filled.
  void SelectBackground() const;
  // Where the lines go: ChartRect's width inside the frame, the lines'
  // height at its top or bottom.
  TRect LinesRect(bool atTop, int lineHeight, int frameWidth) const;
  // The frame and background, narrowed to the text with AdjustFrame.
  void DrawBox(TCanvas3D& canvas, int wWidth);
  // Writes the lines and answers the y past them: below the last at the
  // top, above the first at the bottom.
  int WriteLines(TCanvas3D& canvas, const TRect& lines, bool atTop, int lineHeight,
                 int wWidth) const;

  TCustomChartPanel* chart_;
  bool adjustFrame_ = true;
  TAlignment alignment_ = taCenter;
  TChartBrush brush_;
  TColor color_ = clAutoColor;
  TChartHiddenPen frame_;
  std::vector<std::string> text_;
  bool visible_ = true;
  TRect titleRect_;
};

}  // namespace halvorn
