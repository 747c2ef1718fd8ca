#pragma once
// The meeting point of a drawing control that knows no window system (the
// chart) and the window that shows it. The window side, the host, owns a
// retained window surface: the pixels the window shows. The control side,
// the client, draws into that surface when the host asks it to paint, and
// receives the mouse input of the window.
//
// Paint model: the client never paints on its own initiative. It asks for a
// paint with RequestPaint, which the host coalesces the way a window system
// coalesces invalidations, so any number of requests made while one event is
// handled cost one Paint. Between paints the client may draw straight into
// the surface (a rubber band, say) and then call ShowSurface, which puts the
// surface on the screen without calling Paint.
//
// Every client call is entered through the application's dispatch point: an
// exception thrown by Paint or by a mouse handler is shown in the error box
// and the message loop carries on. No Qt type appears here, so the client's
// library does not depend on the windowing layer.

#include <cstddef>
#include <cstdint>

namespace halvorn {

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// The keys and buttons held during a mouse event, as a set of bits. A press
// that comes from a double click carries ssDouble.
using TShiftState = unsigned;
constexpr TShiftState ssShift = 1u << 0;
constexpr TShiftState ssAlt = 1u << 1;
constexpr TShiftState ssCtrl = 1u << 2;
constexpr TShiftState ssLeft = 1u << 3;
constexpr TShiftState ssRight = 1u << 4;
constexpr TShiftState ssMiddle = 1u << 5;
constexpr TShiftState ssDouble = 1u << 6;

// True when every key and button of `required` is held in `state`; an empty
// requirement is met by any state.
constexpr bool ShiftHolds(TShiftState state, TShiftState required) {
  return (state & required) == required;
}

// One notch of the mouse wheel, in the window system's units.
constexpr int kWheelDelta = 120;

// Mouse cursor ids in the framework's numbering.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crNo = -18;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// The window surface: Height rows of Width pixels 0xFFRRGGBB (the layout of
// the raster bitmaps), rows BytesPerLine apart. Valid until the next Resized.
struct TPanelSurface {
  std::uint32_t* Bits = nullptr;
  int Width = 0;
  int Height = 0;
  int BytesPerLine = 0;

  // Pixels a raster bitmap can wrap: present, not empty, and rows packed at
  // the width, as a host's surfaces always are.
  bool Usable() const {
    return Bits != nullptr && Width > 0 && Height > 0 &&
           BytesPerLine == Width * static_cast<int>(sizeof(std::uint32_t));
  }

  std::uint32_t* Row(int y) const {
    return reinterpret_cast<std::uint32_t*>(reinterpret_cast<unsigned char*>(Bits) +
                                            static_cast<std::ptrdiff_t>(y) * BytesPerLine);
  }
};

// What the host offers its client.
class IPanelHost {
 public:
  // Asks for a Paint soon; requests made before it happens merge into one.
  virtual void RequestPaint() = 0;
  // Paints at once: Paint runs before this returns.
  virtual void PaintNow() = 0;
  // Puts the surface on the screen as it is, without calling Paint.
  virtual void ShowSurface() = 0;
  virtual TPanelSurface Surface() = 0;
  // A spare surface of the window surface's size and layout, when the host
  // keeps one (none by default). A client may draw a whole picture into it
  // and show it with FlipSurfaces, which makes it the window surface and
  // the old window surface the spare: cheaper than copying the picture
  // (TPanelFrames does this for a panel). Valid until the next Resized.
  virtual TPanelSurface BackSurface() { return {}; }
  virtual void FlipSurfaces() {}
  // The cursor shown while the mouse is over the window.
  virtual void SetCursor(TCursor cursor) = 0;

 protected:
  ~IPanelHost() = default;
};

// What the host asks of its client. Positions are client pixels, (0, 0) at
// the top left of the surface.
class IPanelClient {
 public:
  // Brings the surface up to date; the host shows it afterwards.
  virtual void Paint() = 0;
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y) = 0;
  virtual void MouseMove(TShiftState shift, int x, int y) = 0;
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y) = 0;
  // Once per notch: delta is +kWheelDelta for a notch up (away from the
  // user), -kWheelDelta for a notch down. Finer wheel movement is summed
  // until it makes a whole notch.
  virtual void MouseWheel(TShiftState shift, int delta, int x, int y) = 0;
  virtual void MouseLeave() = 0;
  // The surface has the new size (its pixels are undefined); a Paint follows.
  virtual void Resized(int width, int height) = 0;

 protected:
  ~IPanelClient() = default;
};

}  // namespace halvorn
