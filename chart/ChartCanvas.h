#pragma once
// The chart's drawing canvas. TChartCanvas refers to a framework canvas and
// shares its pen, brush and font; TCanvas3D declares the drawing operations
// with their depth variants; TChartCanvas3D implements them, paints through
// an off-screen bitmap and holds the projection state. With the projection
// inactive (a flat chart) every depth is ignored and each AtDepth operation
// is exactly its flat counterpart.

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "chart/ChartPen.h"
#include "chart/View3DOptions.h"
#include "platform/panel/PanelFrames.h"
#include "platform/raster/Bitmap.h"
#include "platform/raster/Canvas.h"
#include "platform/raster/DeviceContext.h"
#include "platform/raster/Graphics.h"
#include "platform/runtime/Types.h"

namespace halvorn {

enum TGradientDirection {
  gdTopBottom,
  gdBottomTop,
  gdLeftRight,
  gdRightLeft,
  gdFromCenter,
  gdFromTopLeft,
  gdFromBottomLeft
};

struct TPoint3D {
  int X = 0;
  int Y = 0;
  int Z = 0;
};

class TChartCanvas {
 public:
  TChartCanvas() = default;
  virtual ~TChartCanvas() = default;
  TChartCanvas(const TChartCanvas&) = delete;
  TChartCanvas& operator=(const TChartCanvas&) = delete;

  // Points the canvas at a framework canvas (not owned), whose pen, brush
  // and font become the current tools.
  void SetReferenceCanvas(TCanvas* canvas);
  TCanvas* ReferenceCanvas() const { return canvas_; }

  // The current tools; drawing without a referenced canvas is an
  // EInvalidOperation.
  TPen& Pen() const { return Referenced().Pen(); }
  TBrush& Brush() const { return Referenced().Brush(); }
  TFont& Font() const { return Referenced().Font(); }

  // Makes a chart pen the current pen: an invisible pen only clears the
  // current pen's style; a one-pixel pen with SmallDots becomes the pen that
  // sets every other pixel; any other copies colour, mode, style and width.
  void SelectPen(const TChartPen& pen);

  // Black solid pen of width 1, white solid brush, black font of size 10,
  // white background colour, transparent background mode.
  void ResetTools();

 protected:
  TCanvas& Referenced() const;

 private:
  TCanvas* canvas_ = nullptr;
};

class TCanvas3D : public TChartCanvas {
 public:
  virtual TColor BackColor() const = 0;
  virtual int BackMode() const = 0;
  virtual TDeviceContext* Handle() const = 0;
  virtual bool Monochrome() const = 0;
  virtual unsigned TextAlign() const = 0;
  virtual bool Buffered() const = 0;
  virtual void SetBackColor(TColor color) = 0;
  virtual void SetBackgroundMode(int mode) = 0;
  virtual void SetMonochrome(bool flag) = 0;
  virtual void SetPixel(int x, int y, TColor color) = 0;
  virtual void SetTextAlign(unsigned flags) = 0;
  virtual void SetBuffered(bool flag) = 0;
  virtual void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) = 0;
  virtual void DrawGraphic(int x, int y, const TGraphic* graphic) = 0;
  virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
  virtual void FillRect(const TRect& rect) = 0;
  virtual void BevelFrame(const TRect& rect, TColor topColor, TColor bottomColor, int width) = 0;
  virtual void LineTo(int x, int y) = 0;
  virtual void MoveTo(int x, int y) = 0;
  virtual void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) = 0;
  virtual void Rectangle(int left, int top, int right, int bottom) = 0;
  virtual void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) = 0;
  virtual void DrawGraphicStretched(const TRect& rect, const TGraphic* graphic) = 0;
  virtual void TextOut(int x, int y, std::string_view text) = 0;
  virtual int TextWidth(std::string_view text) = 0;
  virtual int TextHeight(std::string_view text) = 0;
  virtual void ClipRect(const TRect& rect) = 0;
  virtual void HorizontalLine(int x0, int x1, int y) = 0;
  virtual void RectangleOfRect(const TRect& rect) = 0;
  virtual void VerticalLine(int x, int y0, int y1) = 0;
  virtual void EraseRect(const TRect& rect) = 0;
  virtual void GradientFill(const TRect& rect, TColor startColor, TGradientDirection direction,
                            TColor endColor) = 0;
  virtual void MarkStale() = 0;
  virtual void Line(int x0, int y0, int x1, int y1) = 0;
  // Draws points[0..lastIndex]: lastIndex + 1 points.
  virtual void Polygon(std::span<const TPoint> points, int lastIndex) = 0;
  virtual void RotatedTextOut(int x, int y, int angle, std::string_view text) = 0;
  virtual void Unclip() = 0;
  virtual void PixelAtDepth(int x, int y, TColor color, int z) = 0;
  virtual bool IsSceneCanvas() const = 0;
  virtual bool ZoomsTextItself() const = 0;
  virtual void UnprojectPoint(int& x, int& y, int& z) const = 0;
  virtual TPoint ProjectPoint(int x, int y, int z) const = 0;
  // Opens a frame on canvas inside rect and answers the rectangle to paint.
  virtual TRect BeginFrame(TCanvas* canvas, TView3DOptions* options, const TRect& rect,
                           bool is3D) = 0;
  virtual void AssignSettings(const TCanvas3D& other) = 0;
  virtual void SetProjection(int totalDepth, const TRect& paintRect, const TRect& chartRect) = 0;
  virtual void PresentFrame(TCanvas* destination, TCanvas* ownCanvas, const TRect& rect) = 0;
  virtual bool RepaintFromBuffer() = 0;
  virtual void ClipBox(const TRect& rect, int frontDepth, int backDepth) = 0;
  virtual void HLineAtDepth(int x0, int x1, int y, int z) = 0;
  virtual void VLineAtDepth(int x, int y0, int y1, int z) = 0;
  virtual void DepthLine(int x, int y, int z0, int z1) = 0;
  virtual void EllipseAtDepth(int x1, int y1, int x2, int y2, int z) = 0;
  virtual void SuspendProjection() = 0;
  virtual void ResumeProjection() = 0;
  virtual void LineAtDepth(int x0, int y0, int x1, int y1, int z) = 0;
  virtual void MoveToAtDepth(int x, int y, int z) = 0;
  virtual void LineToAtDepth(int x, int y, int z) = 0;
  virtual void RibbonBetweenDepths(TPoint p1, TPoint p2, int z0, int z1) = 0;
  virtual void QuadAtDepth(TPoint p1, TPoint p2, TPoint p3, TPoint p4, int z) = 0;
  virtual void QuadBetweenDepths(std::span<const TPoint, 4> points, int z0, int z1) = 0;
  virtual void PolygonAtDepth(std::span<const TPoint> points, int lastIndex, int z) = 0;
  virtual void RectangleAtDepth(const TRect& rect, int z) = 0;
  virtual void HorizontalPlane(int left, int right, int y, int z0, int z1) = 0;
  virtual void VerticalPlane(int x, int top, int bottom, int z0, int z1) = 0;
  virtual void RotatedTextOutAtDepth(int x, int y, int z, std::string_view text, int angle) = 0;
  virtual void TextOutAtDepth(int x, int y, int z, std::string_view text) = 0;
  virtual void TriangleOfPoints(const TPoint3D& p1, const TPoint3D& p2, const TPoint3D& p3,
                                TColor color) = 0;
  virtual void TriangleAtDepth(TPoint p1, TPoint p2, TPoint p3, int z) = 0;

  // The height of one line of text in the current font.
  int TextLineHeight() { return TextHeight("W"); }
};

class TChartCanvas3D : public TCanvas3D {
 public:
  TChartCanvas3D();
  ~TChartCanvas3D() override;

  TColor BackColor() const override;
  int BackMode() const override;
  TDeviceContext* Handle() const override;
  bool Monochrome() const override { return monochrome_; }
  unsigned TextAlign() const override;
  bool Buffered() const override { return buffered_; }
  void SetBackColor(TColor color) override;
  void SetBackgroundMode(int mode) override;
  void SetMonochrome(bool flag) override;
  void SetPixel(int x, int y, TColor color) override;
  void SetTextAlign(unsigned flags) override;
  void SetBuffered(bool flag) override;
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
  void DrawGraphic(int x, int y, const TGraphic* graphic) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void FillRect(const TRect& rect) override;
  void BevelFrame(const TRect& rect, TColor topColor, TColor bottomColor, int width) override;
  void LineTo(int x, int y) override;
  void MoveTo(int x, int y) override;
  void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) override;
  void DrawGraphicStretched(const TRect& rect, const TGraphic* graphic) override;
  void TextOut(int x, int y, std::string_view text) override;
  int TextWidth(std::string_view text) override;
  int TextHeight(std::string_view text) override;
  void ClipRect(const TRect& rect) override;
  void HorizontalLine(int x0, int x1, int y) override;
  void RectangleOfRect(const TRect& rect) override;
  void VerticalLine(int x, int y0, int y1) override;
  void EraseRect(const TRect& rect) override { FillRect(rect); }
  void GradientFill(const TRect& rect, TColor startColor, TGradientDirection direction,
                    TColor endColor) override;
  void MarkStale() override { frames_->Invalidate(); }
  void Line(int x0, int y0, int x1, int y1) override;
  void Polygon(std::span<const TPoint> points, int lastIndex) override;
  void RotatedTextOut(int x, int y, int angle, std::string_view text) override;
  void Unclip() override;
  void PixelAtDepth(int x, int y, TColor color, int z) override;
  bool IsSceneCanvas() const override { return false; }
  bool ZoomsTextItself() const override { return false; }
  void UnprojectPoint(int& x, int& y, int& z) const override;
  TPoint ProjectPoint(int x, int y, int z) const override;
  TRect BeginFrame(TCanvas* canvas, TView3DOptions* options, const TRect& rect, bool is3D) override;
  void AssignSettings(const TCanvas3D& other) override { SetMonochrome(other.Monochrome()); }
  void SetProjection(int totalDepth, const TRect& paintRect, const TRect& chartRect) override;
  void PresentFrame(TCanvas* destination, TCanvas* ownCanvas, const TRect& rect) override;
  bool RepaintFromBuffer() override;
  void ClipBox(const TRect& rect, int frontDepth, int backDepth) override;
  void HLineAtDepth(int x0, int x1, int y, int z) override;
  void VLineAtDepth(int x, int y0, int y1, int z) override;
  void DepthLine(int x, int y, int z0, int z1) override;
  void EllipseAtDepth(int x1, int y1, int x2, int y2, int z) override;
  void SuspendProjection() override;
  void ResumeProjection() override;
  void LineAtDepth(int x0, int y0, int x1, int y1, int z) override;
  void MoveToAtDepth(int x, int y, int z) override;
  void LineToAtDepth(int x, int y, int z) override;
  void RibbonBetweenDepths(TPoint p1, TPoint p2, int z0, int z1) override;
  void QuadAtDepth(TPoint p1, TPoint p2, TPoint p3, TPoint p4, int z) override;
  void QuadBetweenDepths(std::span<const TPoint, 4> points, int z0, int z1) override;
  void PolygonAtDepth(std::span<const TPoint> points, int lastIndex, int z) override;
  void RectangleAtDepth(const TRect& rect, int z) override;
  void HorizontalPlane(int left, int right, int y, int z0, int z1) override;
  void VerticalPlane(int x, int top, int bottom, int z0, int z1) override;
  void RotatedTextOutAtDepth(int x, int y, int z, std::string_view text, int angle) override;
  void TextOutAtDepth(int x, int y, int z, std::string_view text) override;
  void TriangleOfPoints(const TPoint3D& p1, const TPoint3D& p2, const TPoint3D& p3,
                        TColor color) override;
  void TriangleAtDepth(TPoint p1, TPoint p2, TPoint p3, int z) override;

  // The frames the canvas presents through and keeps its cached picture
  // with: a panel's, whose frame target it may draw into (see
  // OfferFrameSurface), or, when null, its own, all drawn into its bitmap.
  // The frames must outlive the canvas or be replaced first.
  void SetFrames(TPanelFrames* frames) { frames_ = frames != nullptr ? frames : &ownFrames_; }
  // Pixels of the frame's size that the next BeginFrame may draw into
  // instead of an off-screen bitmap of its own: the frames' target, the
  // window's spare surface, which presenting the frame then shows by
  // flipping surfaces, with no copy. Taken by that one frame.
  void OfferFrameSurface(TPixel* pixels, int width, int height);

  bool BufferStale() const { return !frames_->Fresh(); }
  // The bitmap of the last frame: the cached picture while it is fresh.
  const TBitmap* OffscreenBitmap() const { return bitmap_.get(); }
  bool ZoomText() const { return zoomText_; }
  double ZoomFactor() const { return zoom_; }
  bool Is3D() const { return is3D_; }

 private:
  // The device context with the current tools selected.
  TDeviceContext& Device() const;
  void DropBitmap();
  // The font height of the current font scaled by the zoom factor, when
  // text follows the zoom of a 3D view; 0 when it does not.
  int ZoomedFontHeight() const;

  TView3DOptions* options_ = nullptr;
  TRect frameRect_;
  bool is3D_ = false;
  bool savedIs3D_ = false;
  bool orthogonal_ = false;
  double zoom_ = 1.0;
  bool zoomText_ = true;
  TPoint3D centre_;
  TPoint offset_;
  bool buffered_ = true;
  bool monochrome_ = false;
  std::unique_ptr<TBitmap> bitmap_;
  struct TOfferedSurface {
    TPixel* Pixels = nullptr;
    int Width = 0, Height = 0;
  } offered_;
  // Whether the bitmap wraps an offered surface.
  bool onOffered_ = false;
  TPanelFrames ownFrames_;
  TPanelFrames* frames_ = &ownFrames_;
};

}  // namespace halvorn
