#pragma once
// The 3D view settings of a chart panel. Every setter stores a changed value
// and invalidates the panel; none of the values is read while the chart is
// flat.

#include "chart/StoreIfChanged.h"
#include "platform/raster/Graphics.h"

namespace halvorn {

class TView3DOptions {
 public:
  // ownerChanged invalidates the panel the options belong to.
  explicit TView3DOptions(TNotifyChange ownerChanged) : ownerChanged_(std::move(ownerChanged)) {}
  TView3DOptions(const TView3DOptions&) = delete;
  TView3DOptions& operator=(const TView3DOptions&) = delete;

  int Elevation() const { return elevation_; }
  int HorizOffset() const { return horizOffset_; }
  bool Orthogonal() const { return orthogonal_; }
  int Perspective() const { return perspective_; }
  int Rotation() const { return rotation_; }
  int Tilt() const { return tilt_; }
  int VertOffset() const { return vertOffset_; }
  int Zoom() const { return zoom_; }
  bool ZoomText() const { return zoomText_; }

  void SetElevation(int v) {
    if (StoreIfChanged(elevation_, v)) InvalidateOwner();
  }
  // The offsets tell the scroll listener after the change.
  void SetHorizOffset(int v);
  void SetVertOffset(int v);
  void SetOrthogonal(bool v) {
    if (StoreIfChanged(orthogonal_, v)) InvalidateOwner();
  }
  void SetPerspective(int v) {
    if (StoreIfChanged(perspective_, v)) InvalidateOwner();
  }
  void SetRotation(int v) {
    if (StoreIfChanged(rotation_, v)) InvalidateOwner();
  }
  void SetTilt(int v) {
    if (StoreIfChanged(tilt_, v)) InvalidateOwner();
  }
  // The zoom listener hears of a new zoom before it is stored.
  void SetZoom(int v);
  void SetZoomText(bool v) {
    if (StoreIfChanged(zoomText_, v)) InvalidateOwner();
  }

  void SetOnScroll(TNotifyChange listener) { onScroll_ = std::move(listener); }
  void SetOnZoom(TNotifyChange listener) { onZoom_ = std::move(listener); }

  // Invalidates the owning panel.
  void InvalidateOwner() const {
    if (ownerChanged_) ownerChanged_();
  }

 private:
  // Invalidates the owner, then tells the scroll listener.
  void ScrolledBy() const;

  TNotifyChange ownerChanged_;
  TNotifyChange onScroll_;
  TNotifyChange onZoom_;
  int elevation_ = 345;
  int horizOffset_ = 0;
  bool orthogonal_ = true;
  int perspective_ = 15;
  int rotation_ = 345;
  int tilt_ = 0;
  int vertOffset_ = 0;
  int zoom_ = 100;
  bool zoomText_ = true;
};

}  // namespace halvorn
