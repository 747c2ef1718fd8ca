#include "platform/raster/internal/FontEngine.h"

#include <QDir>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QTextLayout>
#include <QTransform>
#include <algorithm>
#include <climits>
#include <cmath>

#include "platform/raster/internal/GuiApplication.h"
#include "platform/runtime/Assert.h"

namespace halvorn {
namespace {

constexpr const char* kFontDirectory = "/usr/share/fonts/truetype/liberation2";
constexpr const char* kSans = "Liberation Sans";
constexpr const char* kSerif = "Liberation Serif";
constexpr const char* kMono = "Liberation Mono";

// Pixel sizes Qt is asked for; beyond these glyph rendering gets expensive
// without any use on a screen.
constexpr int kMinPixelSize = 1;
constexpr int kMaxPixelSize = 2000;

// Qt rasterises glyphs up to 64 pixels as bitmaps and fills larger ones as
// outlines, where overlapping glyphs drawn one by one need not give the
// pixels of the whole text; such sizes are painted whole.
constexpr int kMaxAssembledPixelSize = 48;
// Beyond this many pixels from the box's corner, positions in 1/64 pixel no
// longer fit the integers Qt computes them in.
constexpr double kMaxAssembledOffset = 1 << 24;

// Bound of the faces; a full registry is emptied and fills again with what
// is in use, as the layouts of a face (kMaxLayouts) and its glyph cache are.
// A chart needs a few dozen texts and glyphs per face. Every Run writes new
// values in the legend, laid out once each: the bound on texts keeps what
// they hold to a few tens of kilobytes.
constexpr std::size_t kMaxFaces = 64;

void EnsureFontsLoaded() {
  static const bool loaded = [] {
    EnsureGuiApplication();
    const QDir dir(QString::fromLatin1(kFontDirectory));
    for (const QString& file : dir.entryList({QStringLiteral("*.ttf")}, QDir::Files))
      QFontDatabase::addApplicationFont(dir.filePath(file));
    return true;
  }();
  (void)loaded;
}

QFont MakeFont(const TLogFont& lf, int pixelSize) {
  QFont f(SubstituteFaceName(lf.FaceName));
  f.setPixelSize(std::clamp(pixelSize, kMinPixelSize, kMaxPixelSize));
  f.setWeight(lf.Weight >= 600 ? QFont::Bold : QFont::Normal);
  f.setItalic(lf.Italic);
  f.setUnderline(lf.Underline);
  f.setStrikeOut(lf.StrikeOut);
  f.setKerning(false);
  f.setHintingPreference(QFont::PreferFullHinting);
  f.setStyleStrategy(static_cast<QFont::StyleStrategy>(QFont::NoAntialias | QFont::NoFontMerging));
  return f;
}

// A negative height is the character height (Qt's pixel size); a positive
// one is the whole cell, ascent plus descent, which is larger by the
// face's internal leading.
QFont FontForHeight(const TLogFont& lf) {
  if (lf.Height < 0) return MakeFont(lf, lf.Height == INT_MIN ? kMaxPixelSize : -lf.Height);
  const int cell = lf.Height == 0 ? 16 : lf.Height;
  const QFontMetricsF probe(MakeFont(lf, 1000));
  const double ratio = 1000.0 / (probe.ascent() + probe.descent());
  return MakeFont(lf, static_cast<int>(std::lround(std::min(cell * ratio, 1e6))));
}

// Qt keeps glyph positions in 1/64 pixel and converts by truncation.
int FixedFromReal(double r) { return static_cast<int>(r * 64); }

void PreparePainter(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::TextAntialiasing, false);
  p.setPen(QColor(0, 0, 0, 255));
}

// The transform under which Qt places a text whose frame is turned by angle
// degrees counter-clockwise (Qt turns clockwise on the y-down screen).
QTransform Turned(double angle) {
  QTransform t;
  if (angle != 0) t.rotate(-angle);
  return t;
}

// Calls run(y, x0, x1) for every run of inked pixels of an 8-bit mask;
// glyphs are not antialiased, so any coverage of half or more is ink.
template <typename Fn>
void ForEachInkRun(const QImage& mask, Fn&& run) {
  for (int y = 0; y < mask.height(); ++y) {
    const uchar* coverage = mask.constScanLine(y);
    for (int x = 0; x < mask.width();) {
      if (coverage[x] < 128) {
        ++x;
        continue;
      }
      const int x0 = x;
      while (x < mask.width() && coverage[x] >= 128) ++x;
      run(y, x0, x);
    }
  }
}

// Texts that Qt lays out differently when painting than in a text layout:
// line breaks, tabs and other control characters.
bool HasControlCharacters(const QString& text) {
  return std::any_of(text.begin(), text.end(), [](QChar c) {
    return c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
           c == QChar::ParagraphSeparator;
  });
}

// Whether Qt's painter takes the text as one item. It splits a text where
// the script changes, characters of the common script (digits, punctuation,
// spaces) and combining marks joining the script around them, and where the
// bidirectional level changes, which a left-to-right text of left-to-right
// and neutral characters never does.
bool IsOneItem(const QString& text) {
  constexpr qsizetype kMaxItemLength = 1024;  // Qt splits long texts too
  if (text.size() > kMaxItemLength) return false;
  QChar::Script script = QChar::Script_Common;
  for (const char32_t c : text.toUcs4()) {
    switch (QChar::direction(c)) {
      case QChar::DirL:
      case QChar::DirEN:
      case QChar::DirES:
      case QChar::DirET:
      case QChar::DirCS:
      case QChar::DirWS:
      case QChar::DirON:
      case QChar::DirNSM:
      case QChar::DirBN:
        break;
      default:
        return false;
    }
    const QChar::Script s = QChar::script(c);
    if (s <= QChar::Script_Common || s == script) continue;
    if (script == QChar::Script_Common) {
      script = s;
      continue;
    }
    const QChar::Category category = QChar::category(c);
    if (category != QChar::Mark_NonSpacing && category != QChar::Mark_SpacingCombining &&
        category != QChar::Mark_Enclosing)
      return false;
  }
  return true;
}

// The number of quarter turns of a right angle, or -1 for any other angle.
int QuarterTurns(double angle) {
  for (int turns = 0; turns < 4; ++turns)
    if (angle == 90.0 * turns) return turns;
  return -1;
}

// The quarter turns of a frame whose glyphs are rasterised upright and
// turned here, or -1: at right angles glyphs look as they do upright, with
// their hinting, where Qt would rasterise them turned and unhinted.
int Upright(const TTextFrame& frame) {
  const auto whole = [](double v) {
    return v == std::floor(v) && std::fabs(v) <= kMaxAssembledOffset;
  };
  return whole(frame.OriginX) && whole(frame.OriginY) ? QuarterTurns(frame.Angle) : -1;
}

// The widest run of ink in any row of an "l": the width of the face's stems.
int StemWidth(const QFont& font) {
  const int size = 2 * font.pixelSize() + 8;
  QImage mask(size, size, QImage::Format_Alpha8);
  mask.fill(0);
  {
    QPainter p(&mask);
    PreparePainter(p);
    p.setFont(font);
    p.drawText(QPoint(4, font.pixelSize() + 4), QStringLiteral("l"));
  }
  int widest = 0;
  ForEachInkRun(mask, [&](int, int x0, int x1) { widest = std::max(widest, x1 - x0); });
  return widest;
}

}  // namespace

QString SubstituteFaceName(const std::string& faceName) {
  const QString name = QString::fromStdString(faceName).trimmed();
  const auto is = [&](const char* n) {
    return name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0;
  };
  if (is(kSerif) || is("Times New Roman") || is("Times")) return QString::fromLatin1(kSerif);
  if (is(kMono) || is("Courier New") || is("Courier")) return QString::fromLatin1(kMono);
  return QString::fromLatin1(kSans);
}

// The cell is measured the way the program's platform measures it: ascent
// and descent each rounded up from the face's design proportions, so an
// 11-pixel Arial cell is 10 + 3 = 13 pixels where Qt's rounded metrics
// would give 12.
TFontFace::TFontFace(const TLogFont& font)
    : key_(font), font_((EnsureFontsLoaded(), FontForHeight(font))), metrics_(font_) {
  constexpr int kProbe = 2048;
  const QFontMetricsF design(MakeFont(font, kProbe));
  const double px = font_.pixelSize();
  constexpr double kEps = 1e-6;
  ascent_ = static_cast<int>(std::ceil(px * design.ascent() / kProbe - kEps));
  height_ = ascent_ + static_cast<int>(std::ceil(px * design.descent() / kProbe - kEps));
  assemblable_ = !font.Underline && !font.StrikeOut && font_.pixelSize() <= kMaxAssembledPixelSize;
  if (font_.bold()) {
    QFont regular = font_;
    regular.setWeight(QFont::Normal);
    emboldened_ = StemWidth(font_) <= StemWidth(regular);
  }
}

std::shared_ptr<TFontFace> TFontFace::Shared(const TLogFont& font) {
  struct TRegistry {
    std::mutex Mutex;
    std::vector<std::shared_ptr<TFontFace>> Faces;
  };
  // Never destroyed, like the application: at exit Qt's storage is gone
  // before static objects are, and the fonts must not be released after it.
  static TRegistry* const registry = new TRegistry;
  const std::lock_guard lock(registry->Mutex);
  for (const std::shared_ptr<TFontFace>& face : registry->Faces)
    if (face->Renders(font)) return face;
  // Device contexts keep the faces they hold.
  if (registry->Faces.size() >= kMaxFaces) registry->Faces.clear();
  return registry->Faces.emplace_back(std::make_shared<TFontFace>(font));
}

bool TFontFace::Renders(const TLogFont& font) const {
  return font.FaceName == key_.FaceName && font.Height == key_.Height &&
         font.Weight == key_.Weight && font.Italic == key_.Italic &&
         font.Underline == key_.Underline && font.StrikeOut == key_.StrikeOut;
}

TFontFace::TLayout& TFontFace::Layout(std::string_view utf8) {
  if (auto it = layouts_.find(utf8); it != layouts_.end()) return it->second;
  if (layouts_.size() >= kMaxLayouts) layouts_.clear();
  TLayout layout;
  layout.Width = metrics_.horizontalAdvance(
      QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
  TLayout& laid = layouts_.emplace(std::string(utf8), std::move(layout)).first->second;
  HALVORN_ASSERT(layouts_.size() <= kMaxLayouts, "the layouts of a face keep their bound");
  return laid;
}

// The glyphs and positions Qt paints the text with, as its text layout
// shapes them; a text that the layout would lay out otherwise than painting
// does is left to be painted whole.
void TFontFace::LayOut(const QString& text, TLayout& layout) {
  layout.Laid = true;
  if (!assemblable_ || HasControlCharacters(text)) return;
  QTextLayout shaper(text, font_);
  QTextOption option;
  option.setWrapMode(QTextOption::NoWrap);
  option.setTextDirection(Qt::LeftToRight);
  shaper.setTextOption(option);
  shaper.beginLayout();
  QTextLine line = shaper.createLine();
  shaper.endLayout();
  if (!line.isValid() || line.textLength() != text.size() || shaper.lineCount() != 1) return;
  const double lineX = line.x(), ascent = line.ascent();
  std::vector<TGlyphSlot> glyphs;
  for (const QGlyphRun& run : line.glyphRuns()) {
    if (!rawFont_.isValid()) rawFont_ = run.rawFont();
    if (run.rawFont() != rawFont_) return;
    const QList<quint32> indexes = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    for (qsizetype i = 0; i < indexes.size(); ++i)
      glyphs.push_back(TGlyphSlot{
          indexes[i], static_cast<std::int32_t>(std::lround((positions[i].x() - lineX) * 64)),
          static_cast<std::int32_t>(std::lround((positions[i].y() - ascent) * 64))});
  }
  layout.Glyphs = std::move(glyphs);
  layout.Assembled = true;
  layout.OneItem = IsOneItem(text);
}

const std::vector<TInkRun>& TFontFace::Glyph(double angle, std::uint32_t index, int phaseX,
                                             int phaseY) {
  const TGlyphKey key{angle, index, static_cast<std::uint16_t>(phaseX << 6 | phaseY)};
  return glyphs_.Runs(key, [&] { return Rasterise(angle, index, phaseX, phaseY); });
}

// The glyph as Qt draws it with its pen position at phase/64 pixel past a
// pixel corner, the runs relative to that pixel.
std::vector<TInkRun> TFontFace::Rasterise(double angle, std::uint32_t index, int phaseX,
                                          int phaseY) const {
  // Room for every glyph of the face around its origin, in any rotation.
  const int size = 4 * font_.pixelSize() + 32, origin = size / 2;
  QImage mask(size, size, QImage::Format_Alpha8);
  mask.fill(0);
  {
    QPainter p(&mask);
    PreparePainter(p);
    const QTransform t = Turned(angle);
    p.setTransform(QTransform(t.m11(), t.m12(), t.m21(), t.m22(), origin + phaseX / 64.0,
                              origin + phaseY / 64.0));
    QGlyphRun run;
    run.setRawFont(rawFont_);
    run.setGlyphIndexes({index});
    run.setPositions({QPointF()});
    p.drawGlyphRun(QPointF(), run);
  }
  std::vector<TInkRun> runs;
  ForEachInkRun(mask, [&](int y, int x0, int x1) {
    runs.push_back(TInkRun{static_cast<std::int16_t>(y - origin),
                           static_cast<std::int16_t>(x0 - origin),
                           static_cast<std::int16_t>(x1 - origin)});
  });
  return runs;
}

TFontFace::TKept TFontFace::Kept() {
  const std::lock_guard lock(mutex_);
  TKept kept{layouts_.size(), 0, glyphs_.Size()};
  for (const auto& [text, layout] : layouts_) kept.Inks += layout.Ink != nullptr;
  return kept;
}

TSize TFontFace::Extent(std::string_view utf8) {
  const std::lock_guard lock(mutex_);
  return TSize{Layout(utf8).Width, height_};
}

void TFontFace::Ink(std::string_view utf8, const TTextFrame& frame, std::vector<TInkSpan>& out) {
  std::unique_lock lock(mutex_);
  TLayout& layout = Layout(utf8);
  if (!layout.Laid)
    LayOut(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())), layout);
  const double reach = std::fabs(frame.OriginX) + std::fabs(frame.OriginY) +
                       std::fabs(static_cast<double>(frame.BaseX)) +
                       std::fabs(static_cast<double>(frame.BaseY)) + layout.Width;
  const int turns = Upright(frame);
  if (!layout.Assembled || reach > kMaxAssembledOffset || !(turns >= 0 || layout.OneItem)) {
    lock.unlock();
    InkPaintedWhole(utf8, frame, out);
    return;
  }

  if (turns >= 0) {
    // Upright glyphs at their pen positions, in 1/64 pixel from the pen's
    // start (whole pixels and a phase), moved to the frame's base and
    // turned as a whole.
    if (!layout.Ink && layout.DrawnBefore) {
      layout.Ink = std::make_unique<TInk>();
      UprightInk(layout, layout.Ink->Upright);
    }
    layout.DrawnBefore = true;
    std::vector<TInkSpan>* upright = &scratch_;
    if (layout.Ink) {
      upright = &layout.Ink->Upright;
    } else {
      scratch_.clear();
      UprightInk(layout, scratch_);
    }
    // The base moves the turned ink as the turn moves the vector to it.
    const int bx = frame.BaseX, by = frame.BaseY;
    if (turns == 0) {
      Place(frame, bx, by, *upright, out);
      return;
    }
    std::optional<std::vector<TInkSpan>> once;
    std::optional<std::vector<TInkSpan>>& turned =
        layout.Ink ? layout.Ink->Turned[turns - 1] : once;
    if (!turned) turned = TurnedAboutStart(turns, *upright);
    if (turns == 1)
      Place(frame, by, -bx, *turned, out);
    else if (turns == 2)
      Place(frame, -bx, -by, *turned, out);
    else
      Place(frame, -by, bx, *turned, out);
    return;
  }

  // The pen positions of the glyphs, computed as Qt's painter computes them
  // for the whole text, in 1/64 pixel from the box's corner.
  QTransform m;
  m.translate(frame.OriginX, frame.OriginY);
  if (frame.Angle != 0) m.rotate(-frame.Angle);
  m.translate(frame.BaseX, frame.BaseY);
  const bool turned = m.m11() != 1 || m.m12() != 0 || m.m21() != 0 || m.m22() != 1;
  const TRect box = frame.Box;
  for (const TGlyphSlot& slot : layout.Glyphs) {
    int fx = FixedFromReal(m.dx()) + slot.X, fy = FixedFromReal(m.dy()) + slot.Y;
    if (turned) {
      const QPointF p = m.map(QPointF(slot.X / 64.0, slot.Y / 64.0));
      fx = FixedFromReal(p.x());
      fy = FixedFromReal(p.y());
    }
    const int px = box.Left + (fx >> 6), py = box.Top + (fy >> 6);
    for (const TInkRun& run : Glyph(frame.Angle, slot.Index, fx & 63, fy & 63)) {
      const int y = py + run.Dy;
      const int x0 = std::max(px + run.X0, box.Left), x1 = std::min(px + run.X1, box.Right);
      if (y >= box.Top && y < box.Bottom && x0 < x1) out.push_back(TInkSpan{y, x0, x1});
    }
  }
}

void TFontFace::InkPaintedWhole(std::string_view utf8, const TTextFrame& frame,
                                std::vector<TInkSpan>& out) {
  const std::lock_guard lock(mutex_);
  const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  const TRect box = frame.Box;
  const int turns = Upright(frame);
  if (turns < 0) {
    QImage mask(box.Width(), box.Height(), QImage::Format_Alpha8);
    mask.fill(0);
    PaintWhole(mask, frame, text);
    ForEachInkRun(mask, [&](int y, int x0, int x1) {
      out.push_back(TInkSpan{box.Top + y, box.Left + x0, box.Left + x1});
    });
    return;
  }
  // Painted upright over the frame pixels that turn into the box, with a
  // margin for emboldening to see the ink beside them.
  const TPoint origin{box.Left + static_cast<int>(frame.OriginX),
                      box.Top + static_cast<int>(frame.OriginY)};
  const TPoint a = UnturnPixel(turns, origin, box.Left, box.Top);
  const TPoint b = UnturnPixel(turns, origin, box.Right - 1, box.Bottom - 1);
  constexpr int kMargin = 2;
  const TRect upright{std::min(a.X, b.X) - kMargin, std::min(a.Y, b.Y) - kMargin,
                      std::max(a.X, b.X) + 1 + kMargin, std::max(a.Y, b.Y) + 1 + kMargin};
  QImage mask(upright.Width(), upright.Height(), QImage::Format_Alpha8);
  mask.fill(0);
  PaintWhole(mask,
             TTextFrame{{},
                        static_cast<double>(-upright.Left),
                        static_cast<double>(-upright.Top),
                        0,
                        frame.BaseX,
                        frame.BaseY},
             text);
  std::vector<TInkSpan> spans;
  ForEachInkRun(mask, [&](int v, int u0, int u1) {
    spans.push_back(TInkSpan{upright.Top + v, upright.Left + u0, upright.Left + u1});
  });
  if (emboldened_) Embolden(spans, frame.BaseX + Layout(utf8).Width);
  Turn(turns, frame, spans, out);
}

void TFontFace::UprightInk(const TLayout& layout, std::vector<TInkSpan>& out) {
  for (const TGlyphSlot& slot : layout.Glyphs)
    for (const TInkRun& run : Glyph(0, slot.Index, slot.X & 63, slot.Y & 63))
      out.push_back(
          TInkSpan{(slot.Y >> 6) + run.Dy, (slot.X >> 6) + run.X0, (slot.X >> 6) + run.X1});
  if (emboldened_) Embolden(out, layout.Width);
}

void TFontFace::PaintWhole(QImage& mask, const TTextFrame& frame, const QString& text) const {
  QPainter p(&mask);
  PreparePainter(p);
  p.setFont(font_);
  p.translate(frame.OriginX, frame.OriginY);
  if (frame.Angle != 0) p.rotate(-frame.Angle);
  p.drawText(QPoint(frame.BaseX, frame.BaseY), text);
}

}  // namespace halvorn
