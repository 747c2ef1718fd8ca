// The frames of a panel on an offscreen host: which surface holds the
// cached picture, what the screen shows, and when the picture is fresh.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/panel/OffscreenPanelHost.h"
#include "platform/panel/Panel.h"
#include "platform/panel/PanelFrames.h"

namespace halvorn {
namespace {

constexpr std::uint32_t kRed = 0xFFFF0000u, kBlue = 0xFF0000FFu, kWhite = 0xFFFFFFFFu;

struct THostedPanel {
  THostedPanel() {
    host.SetClient(&panel);
    panel.SetHost(&host);
    host.Resize(4, 3);
  }
  ~THostedPanel() { panel.SetHost(nullptr); }
  TPanelFrames& Frames() { return panel.Frames(); }
  // A frame of one colour, drawn into the target and presented.
  void PresentFrame(std::uint32_t colour) {
    const TPanelSurface target = Frames().Target();
    ASSERT_TRUE(target.Usable());
    std::fill(target.Bits, target.Bits + target.Width * target.Height, colour);
    Frames().PresentTarget();
  }
  std::vector<std::uint32_t> Screen() const {
    const TRasterBitmap& b = host.Pixels();
    return std::vector<std::uint32_t>(b.Data(), b.Data() + b.Width() * b.Height());
  }

  TOffscreenPanelHost host;
  TCustomPanel panel;
};

std::vector<std::uint32_t> Filled(std::uint32_t colour, int count = 12) {
  return std::vector<std::uint32_t>(static_cast<std::size_t>(count), colour);
}

TEST(PanelFrames, APresentedTargetIsTheScreenAndTheCachedPicture) {
  THostedPanel p;
  EXPECT_EQ(p.Frames().Cache(), TPanelFrames::kStale);
  const TPanelSurface target = p.Frames().Target();
  EXPECT_EQ(target.Width, 4);
  EXPECT_EQ(target.Height, 3);
  EXPECT_NE(target.Bits, p.host.Surface().Bits) << "the frame is drawn off the screen";
  p.PresentFrame(kRed);
  EXPECT_EQ(p.Frames().Cache(), TPanelFrames::kOnScreen);
  EXPECT_EQ(p.Screen(), Filled(kRed));
  // The window canvas follows the flip.
  EXPECT_EQ(p.panel.WindowCanvas().Handle()->Target()->Data(), p.host.Pixels().Data());
  // A frame begun replaces the picture: stale until presented.
  p.Frames().Target();
  EXPECT_FALSE(p.Frames().Fresh());
  EXPECT_EQ(p.Screen(), Filled(kRed));
}

// Drawing over the screen between paints goes on a copy of the picture;
// showing the cached picture again brings it back without the drawing.
TEST(PanelFrames, AnOverlayNeverReachesTheCachedPicture) {
  THostedPanel p;
  p.PresentFrame(kRed);
  p.Frames().BeginOverlay();
  EXPECT_EQ(p.Frames().Cache(), TPanelFrames::kInSpare);
  TCanvas& window = p.panel.WindowCanvas();
  window.Handle()->SetPixel(1, 1, clBlue);
  std::vector<std::uint32_t> drawn = Filled(kRed);
  drawn[5] = kBlue;
  EXPECT_EQ(p.Screen(), drawn);
  // A second overlay draws on the same copy.
  p.Frames().BeginOverlay();
  window.Handle()->SetPixel(2, 1, clBlue);
  drawn[6] = kBlue;
  EXPECT_EQ(p.Screen(), drawn);
  p.Frames().ShowCached();
  EXPECT_EQ(p.Frames().Cache(), TPanelFrames::kOnScreen);
  EXPECT_EQ(p.Screen(), Filled(kRed));
}

TEST(PanelFrames, ANewSizeOrHostLosesThePicture) {
  const struct {
    const char* what;
    bool overlay;
    int width;
  } rows[] = {{"same size", false, 4}, {"same size, overlay", true, 4}, {"wider", true, 5}};
  for (const auto& r : rows) {
    THostedPanel p;
    p.PresentFrame(kRed);
    if (r.overlay) p.Frames().BeginOverlay();
    p.host.Resize(r.width, 3);
    EXPECT_FALSE(p.Frames().Fresh()) << r.what;
    EXPECT_EQ(p.Screen(), Filled(kWhite, r.width * 3)) << r.what;
    EXPECT_EQ(p.Frames().Target().Width, r.width) << r.what;
  }
  THostedPanel p;
  p.PresentFrame(kRed);
  p.panel.SetHost(nullptr);
  EXPECT_FALSE(p.Frames().Fresh());
  EXPECT_EQ(p.Frames().Target().Bits, nullptr);
}

// Without a spare, frames are the client's own: an overlay draws on the
// screen, which never holds them.
TEST(PanelFrames, OwnFramesLeaveTheScreenToOverlays) {
  TPanelFrames frames;
  EXPECT_EQ(frames.Target().Bits, nullptr);
  frames.PresentedOwn();
  frames.BeginOverlay();
  EXPECT_EQ(frames.Cache(), TPanelFrames::kOwn);
  frames.Invalidate();
  frames.BeginOverlay();
  EXPECT_EQ(frames.Cache(), TPanelFrames::kStale);
}

}  // namespace
}  // namespace halvorn
