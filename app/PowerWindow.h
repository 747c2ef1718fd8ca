#pragma once
// The power window: how the detection probability of the main window's
// design changes with one of its parameters. It follows the main window's
// design and random state: every change computes, off the GUI thread, the
// current design's power and false-positive rate (shown in the table and
// the p chart) and then the sweep of the chosen parameter over all its
// slider positions (shown as the power curves). A newer change stops the
// computation under way; until the new curves arrive the old ones are shown
// dimmed. A hidden window computes nothing: it catches up when it is shown.
// Its boxes choose the tests shown in the curves, the table and the choice
// of the p chart; every test is computed, so a choice shows at once.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "app/BackgroundJob.h"
#include "app/PowerCharts.h"
#include "app/SweepExport.h"
#include "platform/forms/Form.h"
#include "platform/raster/RasterBitmap.h"
#include "sim/PowerEngine.h"
#include "sim/SimParams.h"

class QObject;

namespace halvorn {

class TCheckBox;
class TComboBox;
class TGroupBox;
class TLabel;
class TPanelWindow;
class TProgressBar;
class TRadioGroup;
class TScrollBar;
class TTestChoice;

class TPowerWindow : public TForm {
 public:
  // The choices of Runs per point.
  static constexpr std::array<std::int64_t, 3> kRunChoices = {1000, 10000, 100000};
  static constexpr int kDefaultTarget = 80;  // percent
  // The table's type S / M cell: "1.3 % / 2.55", or a dash where a test had
  // no significant Run or the design no difference.
  static std::string ErrorsText(const TPowerResult& power, TTestKind test, double trueDifference);

  // Builds the window hidden, beside its owner when the owner is a form,
  // showing the tests of `tests` and changing them as its boxes are
  // clicked; computes nothing until DesignChanged, then on `pool`. Both
  // must outlive the window.
  TPowerWindow(TComponent* owner, TPowerPool& pool, TTestChoice& tests);
  ~TPowerWindow() override;

  // The main window's design or random state moved: the window follows.
  void DesignChanged(const SimParams& params, std::uint64_t state);

  // The main window made a Run: the chart of the last Runs shows `history`.
  void RunsChanged(const TRunHistory& history);

  // The charts, hosted in CurveWindow, PWindow and LastPWindow.
  TPowerCurveChart Curves;
  TPValueChart PValues;
  TLastPChart LastPs;

  // The controls, owned by the window through its component list.
  TComboBox* ParameterBox = nullptr;  // the nine sliders by their captions
  TComboBox* RunsBox = nullptr;       // Runs per point
  TScrollBar* TargetBar = nullptr;    // the target power in percent
  TLabel* TargetValue = nullptr;
  TRadioGroup* PTestGroup = nullptr;  // the test of the p chart, among those shown
  TPanelWindow* CurveWindow = nullptr;
  TPanelWindow* PWindow = nullptr;
  TPanelWindow* LastPWindow = nullptr;
  TProgressBar* Progress = nullptr;
  TLabel* Status = nullptr;
  // Per test, in the table's order: its box, its name in the table, and its
  // power, false-positive rate, values reaching the target and type S / M
  // errors (in the layout's order of cells).
  std::array<TCheckBox*, kTestCount> TestBoxes{};
  std::array<TLabel*, kTestCount> TestNames{};
  std::array<std::array<TLabel*, 4>, kTestCount> Cells{};
  TLabel* ReachingHeader = nullptr;
  // The table's frame, whose caption says how many Runs its figures judged.
  TGroupBox* DesignBox = nullptr;

  // The settings as the controls show them.
  TSlider Parameter() const;
  std::int64_t RunsPerPoint() const;
  int TargetPercent() const;
  // The test whose p values the p chart shows.
  TTestKind PTest() const;
  // Called after a box changed the tests shown.
  std::function<void()> OnTestsChanged;

  // What is shown: the current design's figures and the sweep (empty until
  // the first sweep arrives, or after the parameter changed).
  const std::optional<TPowerResult>& CurrentPower() const { return power_; }
  const std::vector<TSweepPoint>& Sweep() const { return sweep_; }
  // A computation has been started whose sweep has not been shown.
  bool Computing() const { return job_.Busy(); }
  // Called on the GUI thread after the current design's figures, and after
  // a sweep, are shown (for tests).
  std::function<void()> OnCurrentShown;
  std::function<void()> OnSweepShown;

  // The curve chart's picture as the window shows it, and the exports of
  // the curves: the picture with the design, the Runs per point, the target
  // and the time written under it, or the sweep's data. A failed write
  // raises EInOutError with the reason.
  const TRasterBitmap& CurvePicture();
  void SaveCurvePicture(const std::string& path);
  void SaveSweepData(const std::string& path);
  // What Ctrl+S writes for a name and the file type chosen in its dialog:
  // one file, the picture or the data, at the path returned.
  std::string ExportSweep(const std::string& path, TSweepExport chosen);

 private:
  // What a sweep depends on; a sweep of an equal key is the same.
  struct TSweepKey {
    SimParams Params;  // with the swept slider at its minimum
    std::uint64_t State = 0;
    std::int64_t Runs = 0;
    TSlider Slider = TSlider::Dif;
    friend bool operator==(const TSweepKey&, const TSweepKey&) = default;
  };

  // Layout.
  void BindFields();
  void BindEvents();
  // The controls follow the window's size.
  void Relayout();
  // The window was shown or hidden.
  void VisibilityChanged(bool visible);
  // A box of the choice of tests was clicked.
  void TestBoxClicked(TTestKind test);
  // The curves, the table's rows and the choice of the p chart follow the
  // tests chosen.
  void ShowChosenTests();

  // Computation.
  TSweepKey KeyFor(TSlider slider) const;
  void Recompute();
  // The job's work: the current design's figures, then (when `sweep`) the
  // sweep of `key`.
  TBackgroundJob::TContinuation Compute(std::stop_token stop, const TBackgroundJob::TPost& post,
                                        const TPowerRequest& request, const TSweepKey& key,
                                        bool sweep);

  // Showing results.
  void ParameterChanged();
  void TargetChanged();
  void ShowProgress(double fraction);
  void ShowCurrent(const TPowerResult& power, const TPowerResult& falsePositive);
  void ShowSweep(const TSweepKey& key, std::vector<TSweepPoint> sweep);
  void ShowPValues();
  void ShowValuesReaching();
  void SetCurrentDimmed(bool dimmed);

  SimParams params_;
  std::uint64_t state_ = 0;
  bool hasDesign_ = false;
  // The figures shown are not the design's: a change came while hidden.
  bool stale_ = false;
  std::unique_ptr<QObject> visibilityWatch_;
  std::optional<TPowerResult> power_, falsePositive_;
  int powerDifference_ = 0;  // the difference of the design of power_
  std::vector<TSweepPoint> sweep_;
  std::optional<TSweepKey> sweepKey_;  // of the sweep shown
  TTestChoice* tests_;
  // The tests of the p chart's choice, in its order.
  std::vector<TTestKind> pTests_;
  TPowerPool* pool_;
  // Last, so that it stops its work before the rest goes.
  TBackgroundJob job_;
};

}  // namespace halvorn
