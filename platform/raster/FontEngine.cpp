#include "platform/raster/FontEngine.h"

#include <QDir>
#include <QFontDatabase>
#include <QPainter>
#include <algorithm>
#include <climits>
#include <cmath>

#include "platform/raster/GuiApplication.h"

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
}

bool TFontFace::Renders(const TLogFont& font) const {
  return font.FaceName == key_.FaceName && font.Height == key_.Height &&
         font.Weight == key_.Weight && font.Italic == key_.Italic &&
         font.Underline == key_.Underline && font.StrikeOut == key_.StrikeOut;
}

TSize TFontFace::Extent(const QString& text) const {
  return TSize{metrics_.horizontalAdvance(text), height_};
}

void TFontFace::Paint(QImage& mask, double originX, double originY, double angleDegrees, int baseX,
                      int baseY, const QString& text) const {
  QPainter p(&mask);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::TextAntialiasing, false);
  p.setFont(font_);
  p.setPen(QColor(0, 0, 0, 255));
  p.translate(originX, originY);
  // Qt turns clockwise on the y-down screen.
  if (angleDegrees != 0) p.rotate(-angleDegrees);
  p.drawText(QPoint(baseX, baseY), text);
}

}  // namespace halvorn
