#pragma once
// The pictures of a panel that draws its whole window at once, as the chart
// does. A frame of the whole window is drawn into the host's spare surface
// (the frame target) and presented by flipping, with no copy; the frame
// presented last is the cached picture, which a paint without changes shows
// again instead of drawing anew. This class alone knows which memory holds
// the cached picture, which the screen shows, and whether the cached picture
// is fresh.
//
// Between paints the client may draw over the screen (the zoom's rubber
// band, an inversion). BeginOverlay first puts a copy of the picture on the
// screen when the screen is the cached picture itself, so such drawing never
// reaches the cached picture: a paint during the drag shows the clean
// picture again, and the client draws its overlay anew over it.

#include "platform/panel/PanelHost.h"
#include "platform/runtime/Assert.h"

namespace halvorn {

class TCustomPanel;

class TPanelFrames {
 public:
  // Where the cached picture is kept.
  enum TCache {
    kStale,     // nowhere: no frame was presented, or the picture has changed since
    kOnScreen,  // the host's window surface, which the screen shows
    kInSpare,   // the host's spare surface; the screen shows a copy, drawn over
    kOwn,       // the client's own bitmap, copied onto the screen to show it
  };

  // The frames of a panel's host; without a panel (a canvas drawn for
  // itself) every frame is the client's own.
  explicit TPanelFrames(TCustomPanel* panel = nullptr) : panel_(panel) {}
  TPanelFrames(const TPanelFrames&) = delete;
  TPanelFrames& operator=(const TPanelFrames&) = delete;

  TCache Cache() const { return cache_; }
  bool Fresh() const { return cache_ != kStale; }
  // The picture has changed, or the memory that held it is gone (new
  // surfaces of a resize, a dropped bitmap): the next paint draws a frame.
  void Invalidate() { cache_ = kStale; }

  // Pixels for a frame of the whole window: the host's spare surface, when
  // it keeps a usable one of the window surface's size; no bits otherwise,
  // and the client draws into a bitmap of its own. A frame begun replaces
  // the cached picture, which is stale from here on.
  TPanelSurface Target();
  // Shows the frame drawn into Target by flipping the surfaces; it is the
  // cached picture.
  void PresentTarget();
  // The frame was drawn into the client's own bitmap and copied onto the
  // screen; that bitmap is the cached picture until Invalidate.
  void PresentedOwn() { cache_ = kOwn; }
  // Puts the cached picture, which the host holds (kOnScreen or kInSpare),
  // back on the screen.
  void ShowCached() {
    HALVORN_ASSERT(cache_ == kOnScreen || cache_ == kInSpare, "the host holds the cached picture");
    if (cache_ == kInSpare) ShowSpare();
  }
  // Called before drawing over the screen between paints: when the screen
  // is the cached picture, a copy of it goes on the screen, so the drawing
  // leaves the cached picture as it was.
  void BeginOverlay();

 private:
  // Flips the cached picture in the spare back onto the screen.
  void ShowSpare();

  TCustomPanel* panel_;
  TCache cache_ = kStale;
};

}  // namespace halvorn
