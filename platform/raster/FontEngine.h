#pragma once
// Glyphs from Qt's font engine. The faces are the Liberation fonts, loaded
// from their files so that the result does not depend on the machine's font
// configuration; the faces of the program's era are mapped onto them.

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QString>
#include <string>

#include "platform/runtime/Types.h"
#include "platform/raster/DeviceContext.h"

namespace halvorn {

// The Liberation family that stands in for a face name: "Arial", "MS Sans
// Serif" and every name without a better match become "Liberation Sans".
QString SubstituteFaceName(const std::string& faceName);

// A font as Qt renders it, without its rotation.
class TFontFace {
 public:
  explicit TFontFace(const TLogFont& font);

  // Whether this face renders the given description (rotation aside).
  bool Renders(const TLogFont& font) const;

  const QFont& Font() const { return font_; }
  int Ascent() const { return ascent_; }
  // Advance width of the text and the cell height of the font.
  TSize Extent(const QString& text) const;

  // Paints the text into an 8-bit coverage mask. The text's frame has its
  // origin at (originX, originY) of the mask and is turned about it by
  // angleDegrees counter-clockwise; in that frame the baseline starts at
  // (baseX, baseY). Glyphs are not antialiased: each mask pixel is fully
  // inked or blank.
  void Paint(QImage& mask, double originX, double originY, double angleDegrees, int baseX,
             int baseY, const QString& text) const;

 private:
  TLogFont key_;
  QFont font_;
  QFontMetrics metrics_;
  int ascent_ = 0;
  int height_ = 0;
};

}  // namespace halvorn
