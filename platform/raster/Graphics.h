#pragma once
// The framework's drawing tools: pen, brush and font records with change
// notification. A tool reports every effective change (a write of a
// different value) to its owner's handler, which usually requests a repaint.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/runtime/Colors.h"

namespace halvorn {

using TNotifyChange = std::function<void()>;

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

// Binary raster operations of a pen, in the framework's order.
enum TPenMode {
  pmBlack,
  pmWhite,
  pmNop,
  pmNot,
  pmCopy,
  pmNotCopy,
  pmMergePenNot,
  pmMaskPenNot,
  pmMergeNotPen,
  pmMaskNotPen,
  pmMerge,
  pmNotMerge,
  pmMask,
  pmNotMask,
  pmXor,
  pmNotXor
};

enum TBrushStyle {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};

enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = std::uint8_t;

enum TFontPitch { fpDefault, fpVariable, fpFixed };

constexpr std::uint8_t DEFAULT_CHARSET = 1;

// Base of the tools: holds the owner's change handler.
class TGraphicsObject {
 public:
  explicit TGraphicsObject(TNotifyChange onChange = {}) : onChange_(std::move(onChange)) {}
  virtual ~TGraphicsObject() = default;

  void SetOnChange(TNotifyChange onChange) { onChange_ = std::move(onChange); }

 protected:
  void Changed() {
    if (onChange_) onChange_();
  }
  // Stores a different value and notifies; an equal value does nothing.
  template <typename T>
  void Store(T& field, const T& value) {
    if (field == value) return;
    field = value;
    Changed();
  }

 private:
  TNotifyChange onChange_;
};

class TPen : public TGraphicsObject {
 public:
  using TGraphicsObject::TGraphicsObject;

  TColor Color() const { return color_; }
  TPenMode Mode() const { return mode_; }
  TPenStyle Style() const { return style_; }
  int Width() const { return width_; }

  void SetColor(TColor v) { Store(color_, v); }
  void SetMode(TPenMode v) { Store(mode_, v); }
  void SetStyle(TPenStyle v) { Store(style_, v); }
  void SetWidth(int v) { Store(width_, v < 0 ? 0 : v); }

  // Copies the four pen fields, notifying once if anything changed.
  void Assign(const TPen& other);

  friend bool operator==(const TPen& a, const TPen& b) {
    return a.color_ == b.color_ && a.mode_ == b.mode_ && a.style_ == b.style_ &&
           a.width_ == b.width_;
  }

 protected:
  void AssignFields(const TPen& other) {
    color_ = other.color_;
    mode_ = other.mode_;
    style_ = other.style_;
    width_ = other.width_;
  }

 private:
  TColor color_ = clBlack;
  TPenMode mode_ = pmCopy;
  TPenStyle style_ = psSolid;
  int width_ = 1;
};

class TBrush : public TGraphicsObject {
 public:
  using TGraphicsObject::TGraphicsObject;

  TColor Color() const { return color_; }
  TBrushStyle Style() const { return style_; }
  void SetColor(TColor v) { Store(color_, v); }
  void SetStyle(TBrushStyle v) { Store(style_, v); }

  void Assign(const TBrush& other);

 protected:
  void AssignFields(const TBrush& other) {
    color_ = other.color_;
    style_ = other.style_;
  }

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
};

// A font by face name and pixel height. Height -n means n pixels of
// character height; Size is the same in points at PixelsPerInch.
class TFont : public TGraphicsObject {
 public:
  using TGraphicsObject::TGraphicsObject;

  const std::string& Name() const { return name_; }
  int Height() const { return height_; }
  int Size() const;
  TColor Color() const { return color_; }
  TFontStyles Style() const { return style_; }
  std::uint8_t Charset() const { return charset_; }
  TFontPitch Pitch() const { return pitch_; }
  int PixelsPerInch() const { return pixelsPerInch_; }

  void SetName(const std::string& v) { Store(name_, v); }
  void SetHeight(int v) { Store(height_, v); }
  void SetSize(int points);  // Height := -MulDiv(points, PixelsPerInch, 72)
  void SetColor(TColor v) { Store(color_, v); }
  void SetStyle(TFontStyles v) { Store(style_, v); }
  void SetCharset(std::uint8_t v) { Store(charset_, v); }
  void SetPitch(TFontPitch v) { Store(pitch_, v); }
  // Changes the conversion base only; the pixel height stays.
  void SetPixelsPerInch(int v) { pixelsPerInch_ = v; }

  void Assign(const TFont& other);

 private:
  std::string name_ = "MS Sans Serif";
  int height_ = -11;
  TColor color_ = clWindowText;
  TFontStyles style_ = 0;
  std::uint8_t charset_ = DEFAULT_CHARSET;
  TFontPitch pitch_ = fpDefault;
  int pixelsPerInch_ = 96;
};

// The screen's vertical resolution; fixed, as on the program's platform.
constexpr int kScreenPixelsPerInch = 96;

}  // namespace halvorn
