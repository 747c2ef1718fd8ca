#include "platform/forms/QtBridge.h"

#include <QFontMetricsF>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace halvorn {
namespace {

constexpr const char* kSansFace = "Liberation Sans";
// Pixel sizes beyond this are no use on a screen and slow to render.
constexpr int kMaxPixelSize = 2000;

QFont WithPixelSize(QFont font, int pixelSize) {
  font.setPixelSize(std::clamp(pixelSize, 1, kMaxPixelSize));
  return font;
}

}  // namespace

QColor ToQColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return QColor(static_cast<int>(GetRValue(rgb)), static_cast<int>(GetGValue(rgb)),
                static_cast<int>(GetBValue(rgb)));
}

QString SubstituteFace(const std::string& name) {
  const QString face = ToQString(name).trimmed();
  if (face.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0 ||
      face.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0)
    return QString::fromLatin1(kSansFace);
  return face;
}

QFont ToQFont(const TFont& font) {
  QFont q(SubstituteFace(font.Name()));
  q.setBold((font.Style() & fsBold) != 0);
  q.setItalic((font.Style() & fsItalic) != 0);
  q.setUnderline((font.Style() & fsUnderline) != 0);
  q.setStrikeOut((font.Style() & fsStrikeOut) != 0);
  if (font.Pitch() == fpFixed) q.setFixedPitch(true);
  const int height = font.Height();
  if (height < 0) return WithPixelSize(q, height < -kMaxPixelSize ? kMaxPixelSize : -height);
  // Height 0 asks for the framework's default character height.
  if (height == 0) return WithPixelSize(q, 11);
  // A cell height: scale by the face's own ratio of em to ascent plus descent.
  const QFontMetricsF probe(WithPixelSize(q, 1000));
  const double cell = probe.ascent() + probe.descent();
  return WithPixelSize(q, static_cast<int>(std::lround(std::min(height * 1000.0 / cell, 1e6))));
}

QString ToQString(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromQString(const QString& text) { return text.toStdString(); }

QPalette SystemPalette() {
  QPalette p;
  const auto set = [&p](QPalette::ColorRole role, TColor color) {
    p.setColor(QPalette::All, role, ToQColor(color));
  };
  set(QPalette::Window, clBtnFace);
  set(QPalette::WindowText, clWindowText);
  set(QPalette::Base, clWindow);
  set(QPalette::AlternateBase, clBtnFace);
  set(QPalette::Text, clWindowText);
  set(QPalette::Button, clBtnFace);
  set(QPalette::ButtonText, clBtnText);
  set(QPalette::BrightText, clHighlightText);
  set(QPalette::Light, clBtnHighlight);
  set(QPalette::Midlight, cl3DLight);
  set(QPalette::Mid, clBtnShadow);
  set(QPalette::Dark, clBtnShadow);
  set(QPalette::Shadow, cl3DDkShadow);
  set(QPalette::Highlight, clHighlight);
  set(QPalette::HighlightedText, clHighlightText);
  set(QPalette::ToolTipBase, clInfoBk);
  set(QPalette::ToolTipText, clInfoText);
  set(QPalette::PlaceholderText, clGrayText);
  for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    p.setColor(QPalette::Disabled, role, ToQColor(clGrayText));
  return p;
}

void ApplySystemColors(QWidget* widget) {
  QPalette p = widget->palette();
  const QPalette system = SystemPalette();
  for (const auto role : {QPalette::Window, QPalette::Button, QPalette::Base, QPalette::Light,
                          QPalette::Midlight, QPalette::Mid, QPalette::Dark, QPalette::Shadow,
                          QPalette::Highlight, QPalette::HighlightedText})
    p.setBrush(role, system.brush(role));
  widget->setPalette(p);
}

}  // namespace halvorn
