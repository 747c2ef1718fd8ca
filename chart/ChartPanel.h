#pragma once
// The two window-backed levels of the chart panel. TCustomChartPanel adds
// the chart's drawing canvas, margins, the rectangles of a paint and the
// paint cycle through the off-screen bitmap; TCustomChartPanelExtended adds
// the background settings and the zoom and pan switches.
//
// Paint cycle: every change only invalidates (marks the cached picture
// stale and asks the host for a paint). The host's paint either shows the
// fresh cached picture again or, when it is stale, renders the whole chart
// into a frame and presents it (see TPanelFrames), so a burst of changes
// costs one render and a repaint without changes at most one block copy.
// What is drawn over the picture rather than into it, the zoom's rubber
// band, is drawn over the screen after each paint and never reaches the
// cached picture.

#include <functional>
#include <memory>

#include "chart/ChartCanvas.h"
#include "chart/ChartGradient.h"
#include "chart/View3DOptions.h"
#include "chart/ZoomPanningRecord.h"
#include "platform/panel/Panel.h"
#include "platform/raster/Bitmap.h"
#include "platform/runtime/Types.h"

namespace halvorn {

class TCustomChartPanel;

// A chart event: the chart is the sender.
using TChartNotifyEvent = std::function<void(TCustomChartPanel& sender)>;

class TCustomChartPanel : public TCustomPanel {
 public:
  TCustomChartPanel();
  ~TCustomChartPanel() override;

  // Ignored until construction has finished; afterwards marks the
  // off-screen bitmap stale and asks the host for a paint.
  void Invalidate() override;
  // Invalidates and, in a window, paints before returning.
  void Repaint();
  // The handler that the chart's pens, brushes, fonts and pictures call.
  void CanvasChanged() { Invalidate(); }
  // Hands CanvasChanged to an owned tool.
  TNotifyChange ChangeHandler() {
    return [this] { CanvasChanged(); };
  }

  TChartCanvas3D& Canvas() { return canvas_; }

  // Margins in percent: left and right of PaintRect's width, top and
  // bottom of its height. Index 0 left, 1 top, 2 right, 3 bottom.
  int Margin(int index) const;
  void SetMargin(int index, int percent);
  int MarginLeft() const { return margins_.Left; }
  int MarginTop() const { return margins_.Top; }
  int MarginRight() const { return margins_.Right; }
  int MarginBottom() const { return margins_.Bottom; }
  void SetMarginLeft(int percent) { SetMargin(0, percent); }
  void SetMarginTop(int percent) { SetMargin(1, percent); }
  void SetMarginRight(int percent) { SetMargin(2, percent); }
  void SetMarginBottom(int percent) { SetMargin(3, percent); }

  bool View3D() const { return view3D_; }
  void SetView3D(bool view3D);
  TView3DOptions& View3DOptions() { return view3DOptions_; }
  int Chart3DPercent() const { return chart3DPercent_; }
  // Raises ChartException outside 1..100; the value stays.
  void SetChart3DPercent(int percent);
  bool PrintProportional() const { return printProportional_; }
  void SetPrintProportional(bool proportional) { printProportional_ = proportional; }
  const TRect& PrintMargins() const { return printMargins_; }
  bool Printing() const { return printing_; }

  // The rectangles of the last paint.
  const TRect& PaintRect() const { return paintRect_; }
  const TRect& ChartRect() const { return chartRect_; }
  // For the steps of a paint that take space out of the plot rectangle;
  // follow it with RecalcChartRectSize.
  void SetChartRect(const TRect& rect) { chartRect_ = rect; }
  int ChartRectWidth() const { return chartRect_.Right - chartRect_.Left; }
  int ChartRectHeight() const { return chartRect_.Bottom - chartRect_.Top; }
  int ChartRectXCenter() const { return (chartRect_.Left + chartRect_.Right) / 2; }
  int ChartRectYCenter() const { return (chartRect_.Top + chartRect_.Bottom) / 2; }
  // Keeps ChartRect inside PaintRect's top left and at least one pixel
  // wide and high.
  void RecalcChartRectSize();

  // The depth of one series and of the whole chart; all 0 in a flat chart.
  int SeriesWidth3D() const { return seriesWidth3D_; }
  int SeriesHeight3D() const { return seriesHeight3D_; }
  int Width3D() const { return width3D_; }
  int Height3D() const { return height3D_; }

  TZoomPanningRecord& Zoom() { return zoom_; }
  TZoomPanningRecord& Panning() { return panning_; }
  // The cursor the chart returns to when the mouse leaves it.
  TCursor OriginalCursor() const { return originalCursor_; }
  void SetOriginalCursor(TCursor cursor) { originalCursor_ = cursor; }

  // The paint handler: the fresh cached picture or a full Render, and the
  // zoom's rubber band over it.
  void Paint() override;
  // Paints the whole chart onto canvas inside rect through the off-screen
  // bitmap.
  virtual void Render(TCanvas* canvas, const TRect& rect);
  // The ordered steps of one paint.
  virtual void DrawChart(const TRect& paintRect) = 0;
  virtual void DrawPanelBevels(const TRect& rect);
  // The rectangle a paint covers: the client rectangle.
  virtual TRect GetRectangle() const { return ClientRect(); }
  // Draws the zoom's rubber band over the picture on the screen, not into
  // it, after a paint during a zoom drag; nothing here.
  virtual void PaintZoomBand() {}

  // The mouse leaving the chart ends a pan and restores its cursor.
  void MouseLeave() override;

 protected:
  void SetDepthSizes(int seriesWidth, int seriesHeight, int width, int height);

 private:
  TChartCanvas3D canvas_;
  TView3DOptions view3DOptions_;
  TRect margins_{3, 4, 3, 4};
  bool view3D_ = true;
  int chart3DPercent_ = 15;
  bool printProportional_ = true;
  TRect printMargins_{15, 15, 15, 15};
  bool printing_ = false;
  TRect paintRect_;
  TRect chartRect_;
  int seriesWidth3D_ = 0;
  int seriesHeight3D_ = 0;
  int width3D_ = 0;
  int height3D_ = 0;
  TZoomPanningRecord zoom_;
  TZoomPanningRecord panning_;
  TCursor originalCursor_ = crDefault;
  bool constructed_ = false;
};

enum TPanningMode { pmNone, pmHorizontal, pmVertical, pmBoth };
enum TBackImageMode { pbmStretch, pbmTile, pbmCenter };

class TCustomChartPanelExtended : public TCustomChartPanel {
 public:
  TCustomChartPanelExtended();

  TChartGradient& Gradient() { return gradient_; }
  // A picture behind the chart; this program never shows one.
  TBitmap& BackImage() { return backImage_; }
  TBackImageMode BackImageMode() const { return backImageMode_; }
  void SetBackImageMode(TBackImageMode mode);
  bool AllowZoom() const { return allowZoom_; }
  void SetAllowZoom(bool allow) { allowZoom_ = allow; }
  TPanningMode AllowPanning() const { return allowPanning_; }
  void SetAllowPanning(TPanningMode mode) { allowPanning_ = mode; }
  bool AnimatedZoom() const { return animatedZoom_; }
  void SetAnimatedZoom(bool animated) { animatedZoom_ = animated; }
  int AnimatedZoomSteps() const { return animatedZoomSteps_; }
  void SetAnimatedZoomSteps(int steps) { animatedZoomSteps_ = steps; }

  TChartNotifyEvent OnAfterDraw;
  TChartNotifyEvent OnScroll;
  TChartNotifyEvent OnUndoZoom;
  TChartNotifyEvent OnZoom;

 protected:
  // The panel colour, or the gradient when it is visible.
  virtual void FillBackground(const TRect& rect);
  // FillBackground, then the panel bevels.
  virtual void DrawBackground(const TRect& rect);

 private:
  TChartGradient gradient_{ChangeHandler()};
  TBitmap backImage_;
  TBackImageMode backImageMode_ = pbmStretch;
  bool allowZoom_ = true;
  TPanningMode allowPanning_ = pmBoth;
  bool animatedZoom_ = false;
  int animatedZoomSteps_ = 8;
};

}  // namespace halvorn
