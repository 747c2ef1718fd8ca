#include "tests/property/CanvasSurface.h"

#include <cstring>
#include <iterator>

#include "platform/runtime/Exceptions.h"

namespace halvorn::testing {
namespace {

// The raster operations each call accepts, and one it does not.
constexpr std::uint32_t kPatternRops[] = {PATCOPY,   PATINVERT, DSTINVERT,
                                          BLACKNESS, WHITENESS, SRCCOPY};
constexpr std::uint32_t kBlitRops[] = {SRCCOPY, SRCPAINT, SRCAND, SRCINVERT, PATCOPY};
constexpr const char* kFaces[] = {"MS Sans Serif", "Arial", "Liberation Serif",
                                  "Courier New",   "",      "No Such Face"};

template <typename T, std::size_t N>
const T& Pick(const T (&table)[N], std::uint32_t index) {
  return table[index % N];
}

constexpr const char* kKindNames[] = {
    "MoveTo",   "LineTo",   "Polyline",    "Rectangle", "RoundRect",   "Ellipse",
    "Arc",      "Pie",      "Polygon",     "SetPixel",  "FillRect",    "PatBlt",
    "TextOut",  "BitBlt",   "StretchBlt",  "SelectPen", "SelectBrush", "SelectFont",
    "SetModes", "ClipRect", "ClipPolygon", "ClearClip"};
static_assert(std::size(kKindNames) == static_cast<std::size_t>(TCanvasOpKind::Count));

TColor Colour(std::uint32_t v) { return v & 0xFFFFFFu; }

}  // namespace

std::ostream& operator<<(std::ostream& os, const TCanvasOp& op) {
  os << kKindNames[static_cast<std::size_t>(op.Kind)] << "(";
  for (int v : op.V) os << v << ",";
  os << " value 0x" << std::hex << op.Value << std::dec;
  if (!op.Points.empty()) {
    os << ", points";
    for (const TPoint& p : op.Points) os << " (" << p.X << "," << p.Y << ")";
  }
  if (!op.Text.empty()) os << ", text of " << op.Text.size() << " bytes";
  return os << ")";
}

TCanvasSurface::TCanvasSurface(int width, int height, bool monochrome)
    : sourceBitmap_(5, 4), source_(&sourceBitmap_), pattern_(3, 2) {
  if (monochrome) {
    bitmap_ = TRasterBitmap(width, height, TPixelFormat::pf1bit);
  } else {
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    store_.assign(pixels + 2 * kGuard, kGuardPixel);
    std::fill(store_.begin() + kGuard, store_.end() - kGuard, kPixelWhite);
    bitmap_ = TRasterBitmap::Wrap(store_.data() + kGuard, width, height);
  }
  dc_.SetTarget(&bitmap_);
  // A source and a pattern with more than one colour, so that copies move
  // something visible.
  source_.SelectPen(TLogPen{psSolid, 1, clRed, false});
  source_.SelectBrush(TLogBrush{bsDiagCross, clBlue, nullptr});
  source_.Rectangle(0, 0, 5, 4);
  pattern_.Row(0)[0] = ColorToPixel(clBlack);
  pattern_.Row(1)[2] = ColorToPixel(clLime);
}

std::string TCanvasSurface::Apply(const TCanvasOp& op) {
  before_.assign(bitmap_.Data(),
                 bitmap_.Data() + static_cast<std::size_t>(bitmap_.Width()) * bitmap_.Height());
  try {
    Perform(op);
  } catch (const Exception&) {
    // Refused arguments: the call must still have left the pixels alone
    // outside the clip.
  }
  return Check();
}

void TCanvasSurface::Perform(const TCanvasOp& op) {
  const auto& v = op.V;
  const TDeviceContext& from = (op.Value & 1) != 0 ? dc_ : source_;
  switch (op.Kind) {
    case TCanvasOpKind::MoveTo:
      dc_.MoveTo(v[0], v[1]);
      break;
    case TCanvasOpKind::LineTo:
      dc_.LineTo(v[0], v[1]);
      break;
    case TCanvasOpKind::Polyline:
      dc_.Polyline(op.Points);
      break;
    case TCanvasOpKind::Rectangle:
      dc_.Rectangle(v[0], v[1], v[2], v[3]);
      break;
    case TCanvasOpKind::RoundRect:
      dc_.RoundRect(v[0], v[1], v[2], v[3], v[4], v[5]);
      break;
    case TCanvasOpKind::Ellipse:
      dc_.Ellipse(v[0], v[1], v[2], v[3]);
      break;
    case TCanvasOpKind::Arc:
      dc_.Arc(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
      break;
    case TCanvasOpKind::Pie:
      dc_.Pie(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
      break;
    case TCanvasOpKind::Polygon:
      dc_.Polygon(op.Points);
      break;
    case TCanvasOpKind::SetPixel:
      dc_.SetPixel(v[0], v[1], Colour(op.Value));
      (void)dc_.GetPixel(v[2], v[3]);
      break;
    case TCanvasOpKind::FillRect:
      dc_.FillRect(TRect{v[0], v[1], v[2], v[3]},
                   TLogBrush{static_cast<TBrushStyle>(op.Value % 8), Colour(v[4]),
                             (op.Value & 0x100) != 0 ? &pattern_ : nullptr});
      break;
    case TCanvasOpKind::PatBlt:
      dc_.PatBlt(v[0], v[1], v[2], v[3], Pick(kPatternRops, op.Value));
      break;
    case TCanvasOpKind::TextOut:
      dc_.TextOut(v[0], v[1], op.Text);
      (void)dc_.TextExtent(op.Text);
      break;
    case TCanvasOpKind::BitBlt:
      dc_.BitBlt(v[0], v[1], v[2], v[3], from, v[4], v[5], Pick(kBlitRops, op.Value >> 1));
      break;
    case TCanvasOpKind::StretchBlt:
      dc_.StretchBlt(TRect{v[0], v[1], v[2], v[3]}, from, TRect{v[4], v[5], v[6], v[7]});
      break;
    case TCanvasOpKind::SelectPen:
      dc_.SelectPen(TLogPen{static_cast<TPenStyle>(op.Value % 7), v[0], Colour(v[1]),
                            (op.Value & 0x100) != 0});
      break;
    case TCanvasOpKind::SelectBrush:
      dc_.SelectBrush(TLogBrush{static_cast<TBrushStyle>(op.Value % 8), Colour(v[0]),
                                (op.Value & 0x100) != 0 ? &pattern_ : nullptr});
      break;
    case TCanvasOpKind::SelectFont: {
      TLogFont font;
      font.Height = v[0];
      font.Escapement = v[1];
      font.Orientation = v[2];
      font.Weight = v[3];
      font.Italic = (op.Value & 1) != 0;
      font.Underline = (op.Value & 2) != 0;
      font.StrikeOut = (op.Value & 4) != 0;
      font.Charset = static_cast<std::uint8_t>(op.Value >> 8);
      font.OutPrecision = static_cast<std::uint8_t>(op.Value >> 16);
      font.FaceName = Pick(kFaces, static_cast<std::uint32_t>(v[4]));
      dc_.SelectFont(font);
      break;
    }
    case TCanvasOpKind::SetModes:
      dc_.SetRop2(static_cast<TPenMode>(op.Value % 16));
      dc_.SetBkMode(v[0]);
      dc_.SetBkColor(Colour(v[1]));
      dc_.SetTextColor(Colour(v[2]));
      dc_.SetTextAlign(op.Value >> 8);
      break;
    case TCanvasOpKind::ClipRect: {
      const TRect r{v[0], v[1], v[2], v[3]};
      dc_.SetClipRect(r);
      clipRect_ = r;
      clipRegion_.reset();
      break;
    }
    case TCanvasOpKind::ClipPolygon:
      dc_.SetClipPolygon(op.Points);
      clipRect_.reset();
      clipRegion_ = TClipRegion::FromPolygon(op.Points, bitmap_.Bounds());
      break;
    case TCanvasOpKind::ClearClip:
    case TCanvasOpKind::Count:
      dc_.ClearClip();
      clipRect_.reset();
      clipRegion_.reset();
      break;
  }
}

// Whether the clip lets (x, y) of the bitmap be written. The rectangle is
// checked here on its own terms (right and bottom exclusive, an inverted
// one empty); a polygon's rows of spans by the region built from it.
bool TCanvasSurface::Clipped(int x, int y) const {
  if (clipRect_)
    return !(x >= clipRect_->Left && x < clipRect_->Right && y >= clipRect_->Top &&
             y < clipRect_->Bottom);
  if (clipRegion_) return !clipRegion_->Contains(x, y);
  return false;
}

std::string TCanvasSurface::Check() const {
  for (int i = 0; i < kGuard && !store_.empty(); ++i) {
    if (store_[static_cast<std::size_t>(i)] != kGuardPixel ||
        store_[store_.size() - 1 - static_cast<std::size_t>(i)] != kGuardPixel)
      return "a pixel beyond the bitmap was written";
  }
  for (int y = 0; y < bitmap_.Height(); ++y)
    for (int x = 0; x < bitmap_.Width(); ++x) {
      const TPixel now = bitmap_.At(x, y);
      if (Clipped(x, y) &&
          now !=
              before_[static_cast<std::size_t>(y) * bitmap_.Width() + static_cast<std::size_t>(x)])
        return "pixel (" + std::to_string(x) + "," + std::to_string(y) +
               ") outside the clip was written";
      if (bitmap_.Monochrome() && now != kPixelBlack && now != kPixelWhite)
        return "pixel (" + std::to_string(x) + "," + std::to_string(y) +
               ") of a monochrome bitmap is neither black nor white";
    }
  return {};
}

namespace {

// Reads the fuzzer's bytes front to back; past the end everything is zero.
class TByteReader {
 public:
  TByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool AtEnd() const { return at_ >= size_; }
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  std::uint32_t Word() {
    std::uint32_t w = 0;
    for (int i = 0; i < 4; ++i) w = w << 8 | Byte();
    return w;
  }
  // Mostly small coordinates, around the bitmap, with the extremes of the
  // int range reachable by one byte.
  int Coordinate() {
    const std::uint8_t tag = Byte();
    switch (tag >> 6) {
      case 0:
        return static_cast<int>(tag & 0x3F) - 8;
      case 1:
        return static_cast<std::int8_t>(Byte()) * 4;
      case 2:
        return static_cast<std::int16_t>(Byte() << 8 | Byte());
      default:
        return static_cast<int>(Word());
    }
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

}  // namespace

TCanvasScript DecodeCanvasScript(const std::uint8_t* data, std::size_t size) {
  TByteReader in(data, size);
  TCanvasScript script;
  script.Width = in.Byte() % 49;
  script.Height = in.Byte() % 49;
  script.Monochrome = (in.Byte() & 1) != 0;
  // A bounded script: every op costs at most the bitmap's area.
  while (!in.AtEnd() && script.Ops.size() < 256) {
    TCanvasOp op;
    op.Kind = static_cast<TCanvasOpKind>(in.Byte() % static_cast<int>(TCanvasOpKind::Count));
    for (int& v : op.V) v = in.Coordinate();
    op.Value = in.Word();
    const int points = in.Byte() % 9;
    for (int i = 0; i < points; ++i) op.Points.push_back({in.Coordinate(), in.Coordinate()});
    const int length = in.Byte() % 8;
    for (int i = 0; i < length; ++i) op.Text += static_cast<char>(in.Byte());
    script.Ops.push_back(std::move(op));
  }
  return script;
}

}  // namespace halvorn::testing
