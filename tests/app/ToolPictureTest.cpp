// The tool paints the chart as the window does: after the same Runs its
// picture equals the window's chart pixel for pixel.

#include <unistd.h>

#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "MainWindowTesting.h"
#include "app/ModelWindow.h"

namespace halvorn {
namespace {

using testing::MainWindowTest;

TEST_F(MainWindowTest, TheToolsPictureEqualsTheWindowsChartAfterTheSameRuns) {
  const struct {
    const char* options;
    TSlider slider;
    int position;
    int test;
    int runs;
    int limitPosition = 0;  // of the model's detection limit
  } cases[] = {
      {"", TSlider::Samples, 12, 0, 1},
      {"--samples 200 --test paired --runs 3", TSlider::Samples, 200, 2, 3},
      {"--step 6 --test unequal --runs 2", TSlider::Step, 6, 1, 2},
      // Censored samples and their marks.
      {"--samples 24 --detection-limit 90 --runs 2", TSlider::Samples, 24, 0, 2, 18},
  };
  ShowWindow();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.options);
    // Each case is the window's first Runs of a fresh process.
    SeedRandom(1);
    Bar(&SliderBar(c.slider))->setValue(c.position);
    if (c.limitPosition) Bar(MF().ShowModelWindow().Bars[2])->setValue(c.limitPosition);
    MF().RG1->SetItemIndex(c.test);
    for (int i = 0; i < c.runs; ++i) ClickRun();
    Settle();

    const std::string png =
        ::testing::TempDir() + "halvorn_picture_" + std::to_string(getpid()) + ".png";
    const std::string command =
        std::string(HALVORN_CLI) + " run " + c.options + " --png " + png + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const QImage tool = QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
    std::remove(png.c_str());

    const TPanelSurface window = MF().Chart1Window->Surface();
    ASSERT_EQ(tool.width(), window.Width);
    ASSERT_EQ(tool.height(), window.Height);
    int differing = 0;
    for (int y = 0; y < window.Height; ++y)
      for (int x = 0; x < window.Width; ++x)
        differing += (window.Row(y)[x] & 0xFFFFFFu) != (tool.pixel(x, y) & 0xFFFFFFu);
    EXPECT_EQ(differing, 0);
    Bar(&SliderBar(c.slider))->setValue(SliderInfo(c.slider).Default);
    if (c.limitPosition) Bar(MF().ModelWindow()->Bars[2])->setValue(0);
  }
}

}  // namespace
}  // namespace halvorn
