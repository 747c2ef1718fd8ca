#pragma once
// Glyphs from Qt's font engine. The faces are the Liberation fonts, loaded
// from their files so that the result does not depend on the machine's font
// configuration; the faces of the program's era are mapped onto them.
//
// Qt is asked as little as possible: a face measures and lays out each text
// once and keeps the result, and rasterises each glyph once per sub-pixel
// phase into its glyph cache, so that writing a known text is a few lookups
// and span fills. Text at right angles is assembled upright and turned by
// the span geometry (InkSpans.h), so it keeps the glyphs' hinting; at other
// angles Qt's turned glyphs are kept per angle. Only the raster includes
// this header: it shows Qt's types.

#include <QFont>
#include <QFontMetrics>
#include <QRawFont>
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/raster/DeviceContext.h"
#include "platform/raster/internal/GlyphCache.h"
#include "platform/raster/internal/InkSpans.h"
#include "platform/runtime/Types.h"

class QImage;

namespace halvorn {

// The Liberation family that stands in for a face name: "Arial", "MS Sans
// Serif" and every name without a better match become "Liberation Sans".
QString SubstituteFaceName(const std::string& faceName);

// A font as Qt renders it, without its rotation. Faces are shared by every
// device context and thread; each call locks the face.
class TFontFace {
 public:
  explicit TFontFace(const TLogFont& font);
  TFontFace(const TFontFace&) = delete;
  TFontFace& operator=(const TFontFace&) = delete;

  // The face for a description (its rotation aside), made once and shared.
  static std::shared_ptr<TFontFace> Shared(const TLogFont& font);

  // Whether this face renders the given description (rotation aside).
  bool Renders(const TLogFont& font) const;

  const QFont& Font() const { return font_; }
  int Ascent() const { return ascent_; }
  // Advance width of the text and the cell height of the font.
  TSize Extent(std::string_view utf8);

  // The pixels the text inks within frame.Box, as spans in any order.
  // Glyphs are not antialiased: each pixel is fully inked or blank.
  void Ink(std::string_view utf8, const TTextFrame& frame, std::vector<TInkSpan>& out);
  // The same painted by Qt as a whole text in one call, which is what the
  // glyph cache must reproduce; used when a text cannot be assembled from
  // single glyphs (decorations, glyphs Qt draws as outlines, control
  // characters).
  void InkPaintedWhole(std::string_view utf8, const TTextFrame& frame, std::vector<TInkSpan>& out);

  // What the face keeps: laid out texts, the texts among them whose ink is
  // kept, and rasterised glyphs.
  struct TKept {
    std::size_t Layouts = 0;
    std::size_t Inks = 0;
    std::size_t Glyphs = 0;
  };
  TKept Kept();
  // The bound on laid out texts; a full face forgets them all and lays out
  // again what is drawn.
  static constexpr std::size_t kMaxLayouts = 512;

 private:
  // One glyph of a laid-out text, its pen position in 1/64 pixel relative
  // to the start of the baseline.
  struct TGlyphSlot {
    std::uint32_t Index = 0;
    std::int32_t X = 0;
    std::int32_t Y = 0;
  };
  // The upright ink of a text (emboldened where the face is) with the pen
  // starting at (0, 0): whole pixels of base move it and leave the glyphs'
  // sub-pixel phases as they are; and that ink turned about the pen's start
  // by one, two and three quarter turns, made when first drawn so.
  struct TInk {
    std::vector<TInkSpan> Upright;
    std::array<std::optional<std::vector<TInkSpan>>, 3> Turned;
  };
  struct TLayout {
    int Width = 0;
    bool Laid = false;
    // Whether the glyphs below reproduce the text; otherwise it is painted whole.
    bool Assembled = false;
    // Whether Qt paints the text as one item: it then places every glyph
    // from the same start, which a rotation that is not a right angle needs
    // to come out exactly the same.
    bool OneItem = false;
    // Drawn upright or at a right angle before: drawn again, its ink is kept.
    bool DrawnBefore = false;
    std::vector<TGlyphSlot> Glyphs;
    // The ink of a text drawn more than once, as every paint draws its axis
    // labels and titles; a text drawn once (a changing value) keeps none.
    std::unique_ptr<TInk> Ink;
  };
  struct TStringHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };

  TLayout& Layout(std::string_view utf8);
  void LayOut(const QString& text, TLayout& layout);
  const std::vector<TInkRun>& Glyph(double angle, std::uint32_t index, int phaseX, int phaseY);
  std::vector<TInkRun> Rasterise(double angle, std::uint32_t index, int phaseX, int phaseY) const;
  void PaintWhole(QImage& mask, const TTextFrame& frame, const QString& text) const;
  // The upright ink of a laid out text with the pen starting at (0, 0).
  void UprightInk(const TLayout& layout, std::vector<TInkSpan>& out);

  TLogFont key_;
  QFont font_;
  QFontMetrics metrics_;
  int ascent_ = 0;
  int height_ = 0;
  // Whether single glyphs can be drawn at all: no decorations, and sizes
  // Qt rasterises as bitmaps rather than filling outlines.
  bool assemblable_ = false;
  // Whether the face's bold draws stems no wider than its regular weight, as
  // Liberation Sans Bold does up to 12 pixels where Arial Bold on the
  // program's platform draws two-pixel stems. Such a bold is emboldened
  // along its baseline (Embolden) at the angles its glyphs are rasterised
  // upright; extents stay those of the bold face.
  bool emboldened_ = false;
  // The ink of a text drawn for the first time.
  std::vector<TInkSpan> scratch_;
  QRawFont rawFont_;
  std::mutex mutex_;
  std::unordered_map<std::string, TLayout, TStringHash, std::equal_to<>> layouts_;
  TGlyphCache glyphs_;
};

}  // namespace halvorn
