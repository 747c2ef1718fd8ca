#include "chart/ChartCanvas.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "chart/StoreIfChanged.h"
#include "platform/runtime/Exceptions.h"
#include "platform/runtime/FloatOps.h"
#include "platform/runtime/MulDiv.h"

namespace halvorn {
namespace {

// The convex hull of the points, counter-clockwise (Andrew's monotone chain).
std::vector<TPoint> ConvexHull(std::vector<TPoint> pts) {
  std::sort(pts.begin(), pts.end(),
            [](TPoint a, TPoint b) { return a.X < b.X || (a.X == b.X && a.Y < b.Y); });
  pts.erase(std::unique(pts.begin(), pts.end()), pts.end());
  if (pts.size() < 3) return pts;
  const auto cross = [](TPoint o, TPoint a, TPoint b) {
    return static_cast<long long>(a.X - o.X) * (b.Y - o.Y) -
           static_cast<long long>(a.Y - o.Y) * (b.X - o.X);
  };
  std::vector<TPoint> hull(2 * pts.size());
  std::size_t k = 0;
  for (std::size_t i = 0; i < pts.size(); ++i) {
    while (k >= 2 && cross(hull[k - 2], hull[k - 1], pts[i]) <= 0) --k;
    hull[k++] = pts[i];
  }
  for (std::size_t i = pts.size() - 1, t = k + 1; i > 0; --i) {
    while (k >= t && cross(hull[k - 2], hull[k - 1], pts[i - 1]) <= 0) --k;
    hull[k++] = pts[i - 1];
  }
  hull.resize(k - 1);
  return hull;
}

}  // namespace

// --- TChartCanvas -----------------------------------------------------------

void TChartCanvas::SetReferenceCanvas(TCanvas* canvas) { canvas_ = canvas; }

TCanvas& TChartCanvas::Referenced() const {
  if (canvas_ == nullptr) throw EInvalidOperation("The chart canvas has no canvas to draw on");
  return *canvas_;
}

void TChartCanvas::SelectPen(const TChartPen& pen) {
  TCanvas& c = Referenced();
  c.DropAlternatePen();
  if (!pen.Visible()) {
    c.Pen().SetStyle(psClear);
    return;
  }
  if (pen.SmallDots() && pen.Width() == 1) {
    c.SelectAlternatePen(pen.Color());
    return;
  }
  c.Pen().Assign(pen);
}

void TChartCanvas::ResetTools() {
  TCanvas& c = Referenced();
  c.DropAlternatePen();
  c.Pen().SetColor(clBlack);
  c.Pen().SetWidth(1);
  c.Pen().SetStyle(psSolid);
  c.Brush().SetColor(clWhite);
  c.Brush().SetStyle(bsSolid);
  c.Font().SetColor(clBlack);
  c.Font().SetSize(10);
  if (TDeviceContext* dc = c.SelectedHandle()) {
    dc->SetBkColor(clWhite);
    dc->SetBkMode(TRANSPARENT);
  }
}

// --- TChartCanvas3D: state and frame ---------------------------------------

TChartCanvas3D::TChartCanvas3D() = default;

TChartCanvas3D::~TChartCanvas3D() = default;

TDeviceContext& TChartCanvas3D::Device() const {
  TDeviceContext* dc = Referenced().SelectedHandle();
  if (dc == nullptr) throw EInvalidOperation("The chart canvas draws on a canvas without a device");
  return *dc;
}

TDeviceContext* TChartCanvas3D::Handle() const { return Referenced().SelectedHandle(); }
TColor TChartCanvas3D::BackColor() const { return Device().BkColor(); }
int TChartCanvas3D::BackMode() const { return Device().BkMode(); }
unsigned TChartCanvas3D::TextAlign() const { return Device().TextAlign(); }
void TChartCanvas3D::SetBackColor(TColor color) { Device().SetBkColor(ColorToRGB(color)); }
void TChartCanvas3D::SetBackgroundMode(int mode) { Device().SetBkMode(mode); }
void TChartCanvas3D::SetTextAlign(unsigned flags) { Device().SetTextAlign(flags); }

// The bitmap may be what the canvas draws on in the middle of a frame; the
// canvas then lets go of it rather than keep a dangling reference. The
// cached picture goes with it.
void TChartCanvas3D::DropBitmap() {
  if (bitmap_ && ReferenceCanvas() == &bitmap_->Canvas()) SetReferenceCanvas(nullptr);
  bitmap_.reset();
  onOffered_ = false;
  frames_->Invalidate();
}

void TChartCanvas3D::SetMonochrome(bool flag) {
  if (!StoreIfChanged(monochrome_, flag)) return;
  DropBitmap();
  if (options_ != nullptr) options_->InvalidateOwner();
}

void TChartCanvas3D::SetBuffered(bool flag) {
  buffered_ = flag;
  if (!flag && bitmap_) DropBitmap();
}

TRect TChartCanvas3D::BeginFrame(TCanvas* canvas, TView3DOptions* options, const TRect& rect,
                                 bool is3D) {
  frameRect_ = rect;
  options_ = options;
  is3D_ = is3D;
  orthogonal_ = false;
  zoom_ = 1.0;
  if (is3D && options != nullptr) {
    orthogonal_ = options->Orthogonal();
    zoom_ = options->Zoom() * 0.01;
    zoomText_ = options->ZoomText();
  }
  if (!buffered_) {
    SetReferenceCanvas(canvas);
    return rect;
  }
  // The frame replaces the cached picture: until it is presented, there is
  // none, and a frame that fails leaves the next paint to start over.
  frames_->Invalidate();
  const int w = rect.Width(), h = rect.Height();
  const TOfferedSurface offered = std::exchange(offered_, {});
  const bool onOffered =
      offered.Pixels != nullptr && !monochrome_ && offered.Width == w && offered.Height == h;
  if (bitmap_ && (bitmap_->Width() != w || bitmap_->Height() != h || onOffered != onOffered_))
    DropBitmap();
  onOffered_ = onOffered;
  if (!bitmap_)
    bitmap_ = std::make_unique<TBitmap>(onOffered ? 0 : w, onOffered ? 0 : h,
                                        monochrome_ ? TPixelFormat::pf1bit : TPixelFormat::pf32bit);
  if (onOffered) bitmap_->Wrap(offered.Pixels, w, h);
  bitmap_->Canvas().SetOnChange({});
  SetReferenceCanvas(&bitmap_->Canvas());
  return TRect{0, 0, w, h};
}

void TChartCanvas3D::PresentFrame(TCanvas* destination, TCanvas* ownCanvas, const TRect& rect) {
  if (buffered_ && bitmap_ && destination != nullptr) {
    if (onOffered_) {
      frames_->PresentTarget();
    } else {
      destination->Draw(rect.Left, rect.Top, *bitmap_);
      frames_->PresentedOwn();
    }
  }
  SetReferenceCanvas(ownCanvas);
}

void TChartCanvas3D::OfferFrameSurface(TPixel* pixels, int width, int height) {
  offered_ = TOfferedSurface{pixels, width, height};
}

bool TChartCanvas3D::RepaintFromBuffer() {
  if (!frames_->Fresh() || !bitmap_ || ReferenceCanvas() == nullptr) return false;
  if (frames_->Cache() == TPanelFrames::kOwn)
    ReferenceCanvas()->Draw(0, 0, *bitmap_);
  else
    frames_->ShowCached();
  return true;
}

// --- projection --------------------------------------------------------------

void TChartCanvas3D::SetProjection(int totalDepth, const TRect&, const TRect& chartRect) {
  centre_ = TPoint3D{(chartRect.Left + chartRect.Right) / 2, (chartRect.Top + chartRect.Bottom) / 2,
                     totalDepth / 2};
  offset_ = TPoint{centre_.X + (options_ != nullptr ? options_->HorizOffset() : 0),
                   centre_.Y + (options_ != nullptr ? options_->VertOffset() : 0)};
}

TPoint TChartCanvas3D::ProjectPoint(int x, int y, int z) const {
  if (orthogonal_) {
    return TPoint{
        offset_.X + static_cast<int>(Round(zoom_ * (static_cast<Extended>(x) + z - centre_.X))),
        offset_.Y + static_cast<int>(Round(zoom_ * (static_cast<Extended>(y) - centre_.Y - z)))};
  }
  if (is3D_) throw EInvalidOperation("Rotated and perspective 3D views are not drawn");
  return TPoint{x, y};
}

void TChartCanvas3D::UnprojectPoint(int& x, int& y, int& z) const {
  if (orthogonal_) {
    x = static_cast<int>(Round((static_cast<Extended>(x) - offset_.X) / zoom_)) + centre_.X - z;
    y = static_cast<int>(Round((static_cast<Extended>(y) - offset_.Y) / zoom_)) + centre_.Y + z;
    return;
  }
  if (is3D_) throw EInvalidOperation("Rotated and perspective 3D views are not drawn");
}

void TChartCanvas3D::SuspendProjection() {
  savedIs3D_ = is3D_;
  is3D_ = false;
}

void TChartCanvas3D::ResumeProjection() { is3D_ = savedIs3D_; }

// --- flat operations ---------------------------------------------------------

void TChartCanvas3D::SetPixel(int x, int y, TColor color) { Referenced().SetPixel(x, y, color); }

void TChartCanvas3D::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  Referenced().Arc(x1, y1, x2, y2, x3, y3, x4, y4);
}

void TChartCanvas3D::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  Referenced().Pie(x1, y1, x2, y2, x3, y3, x4, y4);
}

void TChartCanvas3D::DrawGraphic(int x, int y, const TGraphic* graphic) {
  if (graphic == nullptr || graphic->Empty()) return;
  TCanvas& c = Referenced();
  // A monochrome graphic shows its white in the brush colour and its black
  // in the font colour, which the canvas has made the text colour.
  Device().SetBkColor(ColorToRGB(c.Brush().Color()));
  c.Draw(x, y, *graphic);
}

void TChartCanvas3D::DrawGraphicStretched(const TRect& rect, const TGraphic* graphic) {
  if (graphic == nullptr || graphic->Empty()) return;
  Referenced().StretchDraw(rect, *graphic);
}

void TChartCanvas3D::Ellipse(int x1, int y1, int x2, int y2) {
  Referenced().Ellipse(x1, y1, x2, y2);
}

void TChartCanvas3D::FillRect(const TRect& rect) { Referenced().FillRect(rect); }

void TChartCanvas3D::BevelFrame(const TRect& rect, TColor topColor, TColor bottomColor, int width) {
  TCanvas& c = Referenced();
  TRect r = rect;
  c.Pen().SetWidth(1);
  --r.Right;
  --r.Bottom;
  for (int ring = 0; ring < width; ++ring) {
    c.Pen().SetColor(topColor);
    const TPoint upper[] = {{r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right, r.Top}};
    c.Polyline(upper);
    c.Pen().SetColor(bottomColor);
    const TPoint lower[] = {{r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left - 1, r.Bottom}};
    c.Polyline(lower);
    r.Inflate(-1, -1);
  }
}

void TChartCanvas3D::LineTo(int x, int y) { Referenced().LineTo(x, y); }
void TChartCanvas3D::MoveTo(int x, int y) { Referenced().MoveTo(x, y); }

void TChartCanvas3D::Rectangle(int left, int top, int right, int bottom) {
  Referenced().Rectangle(left, top, right, bottom);
}

void TChartCanvas3D::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
  Referenced().RoundRect(x1, y1, x2, y2, x3, y3);
}

void TChartCanvas3D::TextOut(int x, int y, std::string_view text) {
  Referenced().TextOut(x, y, text);
}

int TChartCanvas3D::TextWidth(std::string_view text) { return Referenced().TextWidth(text); }
int TChartCanvas3D::TextHeight(std::string_view text) { return Referenced().TextHeight(text); }

void TChartCanvas3D::ClipRect(const TRect& rect) { Device().SetClipRect(rect); }
void TChartCanvas3D::Unclip() { Device().ClearClip(); }

void TChartCanvas3D::HorizontalLine(int x0, int x1, int y) {
  MoveTo(x0, y);
  LineTo(x1, y);
}

void TChartCanvas3D::VerticalLine(int x, int y0, int y1) {
  MoveTo(x, y0);
  LineTo(x, y1);
}

void TChartCanvas3D::Line(int x0, int y0, int x1, int y1) {
  MoveTo(x0, y0);
  LineTo(x1, y1);
}

void TChartCanvas3D::RectangleOfRect(const TRect& rect) {
  Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom);
}

void TChartCanvas3D::Polygon(std::span<const TPoint> points, int lastIndex) {
  if (lastIndex < 0) return;
  if (static_cast<std::size_t>(lastIndex) >= points.size())
    throw EListError::IndexOutOfBounds(lastIndex);
  Referenced().Polygon(points.first(static_cast<std::size_t>(lastIndex) + 1));
}

namespace {

// Bands of colour from one colour to another, at most 256 of them, each a
// pattern fill with its own solid brush.
class TGradientBands {
 public:
  TGradientBands(TDeviceContext& dc, TColor from, TColor to) : dc_(dc), from_(from), to_(to) {}

  // Bands across the rectangle's height (or width), the first at the top
  // (left) unless reversed.
  void Vertical(const TRect& r, bool reversed) const {
    const long long h = r.Height(), n = std::min<long long>(256, h);
    for (long long i = 0; i < n; ++i)
      Fill(Band(reversed ? n - 1 - i : i, n), r.Left, static_cast<int>(r.Top + i * h / n), r.Right,
           static_cast<int>(r.Top + (i + 1) * h / n));
  }
  void Horizontal(const TRect& r, bool reversed) const {
    const long long w = r.Width(), n = std::min<long long>(256, w);
    for (long long i = 0; i < n; ++i)
      Fill(Band(reversed ? n - 1 - i : i, n), static_cast<int>(r.Left + i * w / n), r.Top,
           static_cast<int>(r.Left + (i + 1) * w / n), r.Bottom);
  }
  // Nested rectangles from the edge (the first colour) to the centre.
  void FromCenter(const TRect& r) const {
    const long long w = r.Width(), h = r.Height();
    const long long n = std::min<long long>(256, (std::min(w, h) + 1) / 2);
    for (long long i = 0; i < n; ++i) {
      const int dx = static_cast<int>(i * (w / 2) / n), dy = static_cast<int>(i * (h / 2) / n);
      Fill(Band(i, n), r.Left + dx, r.Top + dy, r.Right - dx, r.Bottom - dy);
    }
  }
  // Diagonal bands by their distance along x + y from the top left (or the
  // bottom left) corner.
  void Diagonal(const TRect& r, bool fromBottom) const {
    const long long span = r.Width() + r.Height() - 1;
    const long long n = std::min<long long>(256, std::max<long long>(span, 1));
    for (int y = r.Top; y < r.Bottom; ++y) {
      const long long dy = fromBottom ? r.Bottom - 1 - y : y - r.Top;
      for (long long i = 0; i < n; ++i) {
        const long long x0 = std::max<long long>(r.Left + i * span / n - dy, r.Left);
        const long long x1 = std::min<long long>(r.Left + (i + 1) * span / n - dy, r.Right);
        if (x0 < x1) Fill(Band(i, n), static_cast<int>(x0), y, static_cast<int>(x1), y + 1);
      }
    }
  }

 private:
  // The colour of band i of n.
  TColor Band(long long i, long long n) const {
    const auto mix = [&](unsigned a, unsigned b) {
      return n <= 1 ? a : static_cast<unsigned>(a + (static_cast<long long>(b) - a) * i / (n - 1));
    };
    return RGB(mix(GetRValue(from_), GetRValue(to_)), mix(GetGValue(from_), GetGValue(to_)),
               mix(GetBValue(from_), GetBValue(to_)));
  }
  void Fill(TColor c, int x0, int y0, int x1, int y1) const {
    dc_.SelectBrush(TLogBrush{bsSolid, c, nullptr});
    dc_.PatBlt(x0, y0, x1 - x0, y1 - y0, PATCOPY);
  }

  TDeviceContext& dc_;
  TColor from_;
  TColor to_;
};

}  // namespace

void TChartCanvas3D::GradientFill(const TRect& rect, TColor startColor,
                                  TGradientDirection direction, TColor endColor) {
  if (rect.IsEmpty()) return;
  const TGradientBands bands(Device(), ColorToRGB(startColor), ColorToRGB(endColor));
  switch (direction) {
    case gdTopBottom:
    case gdBottomTop:
      bands.Vertical(rect, direction == gdBottomTop);
      break;
    case gdLeftRight:
    case gdRightLeft:
      bands.Horizontal(rect, direction == gdRightLeft);
      break;
    case gdFromCenter:
      bands.FromCenter(rect);
      break;
    case gdFromTopLeft:
    case gdFromBottomLeft:
      bands.Diagonal(rect, direction == gdFromBottomLeft);
      break;
  }
}

int TChartCanvas3D::ZoomedFontHeight() const {
  if (!zoomText_ || zoom_ == 1.0) return 0;
  const TFont& f = Font();
  const int size = std::max(1, static_cast<int>(Round(f.Size() * static_cast<Extended>(zoom_))));
  return -MulDiv(size, f.PixelsPerInch(), 72);
}

void TChartCanvas3D::RotatedTextOut(int x, int y, int angle, std::string_view text) {
  if (angle > 360) angle -= 360;
  TCanvas& c = Referenced();
  c.Brush().SetStyle(bsClear);
  TLogFont font = c.LogFont();
  font.Escapement = angle * 10;
  font.Orientation = angle * 10;
  font.OutPrecision = OUT_TT_ONLY_PRECIS;
  if (const int h = ZoomedFontHeight()) font.Height = h;
  c.TextOutInFont(x, y, text, font);
}

void TChartCanvas3D::TextOutAtDepth(int x, int y, int z, std::string_view text) {
  const TPoint p = ProjectPoint(x, y, z);
  const int h = ZoomedFontHeight();
  if (h == 0) {
    TextOut(p.X, p.Y, text);
    return;
  }
  TCanvas& c = Referenced();
  TLogFont font = c.LogFont();
  font.Height = h;
  c.TextOutInFont(p.X, p.Y, text, font);
}

void TChartCanvas3D::RotatedTextOutAtDepth(int x, int y, int z, std::string_view text, int angle) {
  const TPoint p = ProjectPoint(x, y, z);
  RotatedTextOut(p.X, p.Y, angle, text);
}

// --- depth operations --------------------------------------------------------

void TChartCanvas3D::PixelAtDepth(int x, int y, TColor color, int z) {
  const TPoint p = ProjectPoint(x, y, z);
  if (Pen().Width() <= 1) {
    SetPixel(p.X, p.Y, color);
  } else {
    MoveTo(p.X, p.Y);
    LineTo(p.X, p.Y);
  }
}

void TChartCanvas3D::LineAtDepth(int x0, int y0, int x1, int y1, int z) {
  const TPoint a = ProjectPoint(x0, y0, z), b = ProjectPoint(x1, y1, z);
  Line(a.X, a.Y, b.X, b.Y);
}

void TChartCanvas3D::HLineAtDepth(int x0, int x1, int y, int z) { LineAtDepth(x0, y, x1, y, z); }
void TChartCanvas3D::VLineAtDepth(int x, int y0, int y1, int z) { LineAtDepth(x, y0, x, y1, z); }

void TChartCanvas3D::MoveToAtDepth(int x, int y, int z) {
  const TPoint p = ProjectPoint(x, y, z);
  MoveTo(p.X, p.Y);
}

void TChartCanvas3D::LineToAtDepth(int x, int y, int z) {
  const TPoint p = ProjectPoint(x, y, z);
  LineTo(p.X, p.Y);
}

void TChartCanvas3D::DepthLine(int x, int y, int z0, int z1) {
  const TPoint a = ProjectPoint(x, y, z1), b = ProjectPoint(x, y, z0);
  Line(a.X, a.Y, b.X, b.Y);
}

void TChartCanvas3D::EllipseAtDepth(int x1, int y1, int x2, int y2, int z) {
  const TPoint a = ProjectPoint(x1, y1, z), b = ProjectPoint(x2, y2, z);
  Ellipse(a.X, a.Y, b.X + 1, b.Y + 1);
}

void TChartCanvas3D::RibbonBetweenDepths(TPoint p1, TPoint p2, int z0, int z1) {
  const TPoint pts[] = {ProjectPoint(p1.X, p1.Y, z0), ProjectPoint(p2.X, p2.Y, z0),
                        ProjectPoint(p2.X, p2.Y, z1), ProjectPoint(p1.X, p1.Y, z1)};
  Polygon(pts, 3);
}

void TChartCanvas3D::QuadAtDepth(TPoint p1, TPoint p2, TPoint p3, TPoint p4, int z) {
  const TPoint pts[] = {ProjectPoint(p1.X, p1.Y, z), ProjectPoint(p2.X, p2.Y, z),
                        ProjectPoint(p3.X, p3.Y, z), ProjectPoint(p4.X, p4.Y, z)};
  Polygon(pts, 3);
}

void TChartCanvas3D::QuadBetweenDepths(std::span<const TPoint, 4> points, int z0, int z1) {
  const TPoint pts[] = {
      ProjectPoint(points[0].X, points[0].Y, z0), ProjectPoint(points[1].X, points[1].Y, z0),
      ProjectPoint(points[2].X, points[2].Y, z1), ProjectPoint(points[3].X, points[3].Y, z1)};
  Polygon(pts, 3);
}

void TChartCanvas3D::PolygonAtDepth(std::span<const TPoint> points, int lastIndex, int) {
  Polygon(points, lastIndex);
}

void TChartCanvas3D::RectangleAtDepth(const TRect& r, int z) {
  QuadAtDepth({r.Left, r.Top}, {r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}, z);
}

void TChartCanvas3D::HorizontalPlane(int left, int right, int y, int z0, int z1) {
  const TPoint pts[] = {ProjectPoint(left, y, z0), ProjectPoint(right, y, z0),
                        ProjectPoint(right, y, z1), ProjectPoint(left, y, z1)};
  Polygon(pts, 3);
}

void TChartCanvas3D::VerticalPlane(int x, int top, int bottom, int z0, int z1) {
  const TPoint pts[] = {ProjectPoint(x, top, z0), ProjectPoint(x, bottom, z0),
                        ProjectPoint(x, bottom, z1), ProjectPoint(x, top, z1)};
  Polygon(pts, 3);
}

void TChartCanvas3D::TriangleOfPoints(const TPoint3D& p1, const TPoint3D& p2, const TPoint3D& p3,
                                      TColor color) {
  Brush().SetColor(color);
  const TPoint pts[] = {ProjectPoint(p1.X, p1.Y, p1.Z), ProjectPoint(p2.X, p2.Y, p2.Z),
                        ProjectPoint(p3.X, p3.Y, p3.Z)};
  Polygon(pts, 2);
}

void TChartCanvas3D::TriangleAtDepth(TPoint p1, TPoint p2, TPoint p3, int z) {
  const TPoint pts[] = {ProjectPoint(p1.X, p1.Y, z), ProjectPoint(p2.X, p2.Y, z),
                        ProjectPoint(p3.X, p3.Y, z)};
  Polygon(pts, 2);
}

void TChartCanvas3D::ClipBox(const TRect& rect, int frontDepth, int backDepth) {
  if (!is3D_ && !orthogonal_) {
    ClipRect(TRect{rect.Left + 1, rect.Top + 1, rect.Right, rect.Bottom - 1});
    return;
  }
  std::vector<TPoint> corners;
  for (int z : {frontDepth, backDepth})
    for (TPoint p : {TPoint{rect.Left, rect.Top}, TPoint{rect.Right, rect.Top},
                     TPoint{rect.Right, rect.Bottom}, TPoint{rect.Left, rect.Bottom}})
      corners.push_back(ProjectPoint(p.X, p.Y, z));
  const std::vector<TPoint> hull = ConvexHull(std::move(corners));
  Device().SetClipPolygon(hull);
}

}  // namespace halvorn
