#include "app/PowerWindow.h"

#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <type_traits>

#include "app/PowerReadout.h"
#include "app/PowerWindowLayout.h"
#include "app/Saving.h"
#include "app/TestChoice.h"
#include "app/TextFile.h"
#include "app/WindowPlacement.h"
#include "platform/forms/Application.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/Label.h"
#include "platform/forms/PanelWindow.h"
#include "platform/forms/ProgressBar.h"
#include "platform/forms/RadioGroup.h"
#include "platform/forms/ScrollBar.h"
#include "platform/runtime/Exceptions.h"
#include "platform/runtime/Format.h"
#include "scene/SweepData.h"

namespace halvorn {
namespace {

constexpr TColor kDimmedColor = clGray;

// Reports the showing and hiding of a widget.
class TVisibilityWatch : public QObject {
 public:
  explicit TVisibilityWatch(std::function<void(bool visible)> changed)
      : changed_(std::move(changed)) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
      Dispatch([this, visible = event->type() == QEvent::Show] { changed_(visible); });
    return false;
  }

 private:
  std::function<void(bool visible)> changed_;
};

}  // namespace

// --- Layout -------------------------------------------------------------------

TPowerWindow::TPowerWindow(TComponent* owner, TPowerPool& pool, TTestChoice& tests)
    : TForm(owner), tests_(&tests), pool_(&pool) {
  const TLayoutPanel panels[] = {{"CurveWindow", &Curves.Chart()},
                                 {"PWindow", &PValues.Chart()},
                                 {"LastPWindow", &LastPs.Chart()}};
  LoadFormLayout(*this, PowerFormLayout(), PowerWindowControls(), panels);
  BindFields();
  // The session's choice, shown before the boxes report their clicks.
  for (const TTestInfo& test : kTests)
    TestBoxes[TestIndex(test.Kind)]->SetChecked(tests_->Chosen(test.Kind));
  ShowChosenTests();
  BindEvents();
  // Beside the main window's controls where the screen is wide enough,
  // else where it covers the least of them.
  PlaceBesideOwner(*this, kOwnerControlsRight, 0);
  SetMinimumSize(kPowerMinWidth, kPowerMinHeight);
  OnResize = [this] { Relayout(); };
  visibilityWatch_ =
      std::make_unique<TVisibilityWatch>([this](bool visible) { VisibilityChanged(visible); });
  Widget()->installEventFilter(visibilityWatch_.get());
}

TPowerWindow::~TPowerWindow() {
  // No result may arrive at a half-destroyed window, nor any event.
  Widget()->removeEventFilter(visibilityWatch_.get());
  job_.Stop();
  // The charts go before their windows (the form destroys its controls after
  // its members): the two let go of each other first.
  for (TPanelWindow* window : {CurveWindow, PWindow, LastPWindow})
    if (window) window->SetClient(nullptr);
  Curves.Chart().SetHost(nullptr);
  PValues.Chart().SetHost(nullptr);
  LastPs.Chart().SetHost(nullptr);
}

void TPowerWindow::BindFields() {
  const auto bind = [this](auto*& field, const std::string& name) {
    field = &LayoutControl<std::remove_reference_t<decltype(*field)>>(*this, name);
  };
  bind(ParameterBox, "ParameterBox");
  bind(RunsBox, "RunsBox");
  bind(TargetBar, "TargetBar");
  bind(TargetValue, "TargetValue");
  bind(PTestGroup, "PTestGroup");
  bind(CurveWindow, "CurveWindow");
  bind(PWindow, "PWindow");
  bind(LastPWindow, "LastPWindow");
  bind(Progress, "Progress");
  bind(Status, "Status");
  bind(ReachingHeader, "ReachingHeader");
  bind(DesignBox, "DesignBox");
  for (const TTestInfo& test : kTests) {
    const std::size_t i = TestIndex(test.Kind);
    bind(TestBoxes[i], PowerTestBoxName(test.Kind));
    bind(TestNames[i], PowerTestName(test.Kind));
    for (std::size_t column = 0; column < Cells[i].size(); ++column)
      bind(Cells[i][column], PowerCellName(test.Kind, column));
  }
}

void TPowerWindow::BindEvents() {
  ParameterBox->OnChange = [this](TObject*) { ParameterChanged(); };
  RunsBox->OnChange = [this](TObject*) { Recompute(); };
  TargetBar->OnChange = [this](TObject*) { TargetChanged(); };
  PTestGroup->OnClick = [this](TObject*) { ShowPValues(); };
  for (const TTestInfo& test : kTests)
    TestBoxes[TestIndex(test.Kind)]->OnClick = [this, kind = test.Kind](TObject*) {
      TestBoxClicked(kind);
    };
  // Closed as dialogs and documents are.
  AddShortcut("Escape", [this] { Close(); });
  AddShortcut("Ctrl+W", [this] { Close(); });
  AddShortcut("Ctrl+S", [this] {
    std::string chosen;
    const std::string path = AskSavePath(Widget(), "Αποθήκευση καμπυλών ισχύος",
                                         "halvorn-power.png", SweepExportFilters(), &chosen);
    if (!path.empty()) ExportSweep(path, SweepExportOfFilter(chosen));
  });
  Curves.SetParameter(Parameter(), ParameterBox->Text());
  TargetChanged();
}

void TPowerWindow::Relayout() {
  for (const TControlLayout& row : PowerWindowControls()) {
    if (!row.Parent.empty()) continue;
    const TRect bounds = PowerControlBounds(row, Width(), Height());
    FindLayoutControl(*this, row.Name)
        ->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  }
}

// --- Settings -----------------------------------------------------------------

TSlider TPowerWindow::Parameter() const {
  return static_cast<TSlider>(std::max(ParameterBox->ItemIndex(), 0));
}

std::int64_t TPowerWindow::RunsPerPoint() const {
  return kRunChoices[static_cast<std::size_t>(std::max(RunsBox->ItemIndex(), 0))];
}

int TPowerWindow::TargetPercent() const { return TargetBar->Position(); }

TTestKind TPowerWindow::PTest() const {
  return pTests_[static_cast<std::size_t>(std::max(PTestGroup->ItemIndex(), 0))];
}

void TPowerWindow::TestBoxClicked(TTestKind test) {
  TCheckBox* box = TestBoxes[TestIndex(test)];
  if (box->Checked() == tests_->Chosen(test)) return;
  if (!tests_->Set(test, box->Checked())) {
    // The last test shown stays.
    box->SetChecked(true);
    return;
  }
  ShowChosenTests();
  if (OnTestsChanged) OnTestsChanged();
}

void TPowerWindow::ShowChosenTests() {
  int row = 0;
  for (const TTestInfo& test : kTests) {
    const std::size_t i = TestIndex(test.Kind);
    const bool shown = tests_->Chosen(test.Kind);
    Curves.SetTestShown(test.Kind, shown);
    // The rows of the tests shown follow each other without gaps.
    for (TLabel* label : {TestNames[i], Cells[i][0], Cells[i][1], Cells[i][2], Cells[i][3]}) {
      if (shown) label->SetTop(PowerTableRowTop(row));
      label->SetVisible(shown);
    }
    row += shown;
  }
  // The p chart keeps its test while that is shown, else takes the first.
  const std::optional<TTestKind> previous =
      pTests_.empty() ? std::nullopt : std::optional<TTestKind>(PTest());
  pTests_ = tests_->Tests();
  std::vector<std::string> captions;
  for (const TTestKind test : pTests_) captions.emplace_back(TestInfo(test).Caption);
  // Up to three in a column; more share two.
  PTestGroup->SetColumns(pTests_.size() > 3 ? 2 : 1);
  PTestGroup->SetItems(captions);
  const auto kept = previous ? std::ranges::find(pTests_, *previous) : pTests_.end();
  PTestGroup->SetItemIndex(kept == pTests_.end() ? 0 : static_cast<int>(kept - pTests_.begin()));
}

void TPowerWindow::RunsChanged(const TRunHistory& history) { LastPs.Show(history); }

// --- Computation --------------------------------------------------------------

void TPowerWindow::DesignChanged(const SimParams& params, std::uint64_t state) {
  if (hasDesign_ && params == params_ && state == state_) return;
  params_ = params;
  state_ = state;
  hasDesign_ = true;
  if (Widget()->isVisible())
    Recompute();
  else
    stale_ = true;
}

void TPowerWindow::VisibilityChanged(bool visible) {
  if (visible && stale_) {
    Recompute();
  } else if (!visible && Computing()) {
    // Nobody sees the result: the work stops until the window is shown.
    job_.Stop();
    stale_ = true;
  }
}

TPowerWindow::TSweepKey TPowerWindow::KeyFor(TSlider slider) const {
  // The sweep sets the slider at every position itself, so the design's own
  // value of it makes no difference.
  TSweepKey key{params_, state_, RunsPerPoint(), slider};
  ApplySlider(key.Params, slider, SliderInfo(slider).Min);
  return key;
}

void TPowerWindow::Recompute() {
  if (!hasDesign_) return;
  stale_ = false;
  const TSweepKey key = KeyFor(Parameter());
  const bool sweep = sweepKey_ != key;
  Curves.SetCurrentValue(SliderValue(params_, key.Slider));
  SetCurrentDimmed(true);
  if (sweep) {
    Curves.SetDimmed(true);
    for (auto& row : Cells) row[2]->Font().SetColor(kDimmedColor);
  }
  ShowProgress(0);
  const TPowerRequest request{params_, state_, key.Runs};
  job_.Start([this, request, key, sweep](std::stop_token stop, const TBackgroundJob::TPost& post) {
    return Compute(stop, post, request, key, sweep);
  });
}

// Runs on the job's thread: touches nothing of the window but the pool.
TBackgroundJob::TContinuation TPowerWindow::Compute(std::stop_token stop,
                                                    const TBackgroundJob::TPost& post,
                                                    const TPowerRequest& request,
                                                    const TSweepKey& key, bool sweep) {
  const TSliderInfo& info = SliderInfo(key.Slider);
  // Each design's Runs weigh the same in the progress shown.
  const double designs = 2 + (sweep ? info.PositionCount() : 0);
  const auto progressFrom = [this, &post, designs](double done, double weight) {
    return [this, &post, designs, done, weight](double fraction) {
      const double overall = (done + weight * fraction) / designs;
      post([this, overall] { ShowProgress(overall); });
    };
  };
  const TPowerResult power = ComputePower(request, *pool_, stop, progressFrom(0, 1));
  const TPowerResult falsePositive =
      ComputeFalsePositive(request, *pool_, stop, progressFrom(1, 1));
  if (!sweep)
    return [this, power, falsePositive] {
      ShowCurrent(power, falsePositive);
      ShowProgress(1);
    };
  post([this, power, falsePositive] { ShowCurrent(power, falsePositive); });
  std::vector<TSweepPoint> points = SweepPower(request, key.Slider, info.Min, info.Max, 1, *pool_,
                                               stop, progressFrom(2, info.PositionCount()));
  return [this, key, points = std::move(points)] { ShowSweep(key, points); };
}

// --- Showing results ----------------------------------------------------------

void TPowerWindow::ParameterChanged() {
  // The curves of another parameter have no place on the new axis.
  sweep_.clear();
  sweepKey_.reset();
  Curves.SetParameter(Parameter(), ParameterBox->Text());
  ShowValuesReaching();
  Recompute();
}

void TPowerWindow::TargetChanged() {
  const std::string target = std::to_string(TargetPercent()) + " %";
  TargetValue->SetCaption(target);
  ReachingHeader->SetCaption("Τιμές με ισχύ ≥ " + target);
  Curves.SetTarget(TargetPercent());
  ShowValuesReaching();
}

void TPowerWindow::ShowProgress(double fraction) {
  // An empty bar when nothing is computed.
  Progress->SetPosition(fraction < 1 ? static_cast<int>(std::lround(fraction * Progress->Max()))
                                     : 0);
  const std::string work = std::to_string(SliderInfo(Parameter()).PositionCount()) + " τιμές × " +
                           RunsBox->Text() + " Run";
  Status->SetCaption(fraction < 1 ? "Υπολογισμός: " + work + " … " +
                                        std::to_string(static_cast<int>(fraction * 100)) + " %"
                                  : "Έτοιμο: " + work);
}

std::string TPowerWindow::ErrorsText(const TPowerResult& power, TTestKind test,
                                     double trueDifference) {
  const std::optional<double> s = power.TypeS(test, trueDifference);
  const std::optional<double> m = power.TypeM(test, trueDifference);
  return s && m ? FixedText(100 * *s, 1) + " % / " + FixedText(*m, 2) : "–";
}

void TPowerWindow::ShowCurrent(const TPowerResult& power, const TPowerResult& falsePositive) {
  power_ = power;
  falsePositive_ = falsePositive;
  // The readout judges fewer Runs than the table may: each says how many.
  DesignBox->SetCaption("Ο τρέχων σχεδιασμός: επόμενα " + GroupedCount(power.Runs) + " Run");
  powerDifference_ = SliderValue(params_, TSlider::Dif);
  for (const TTestInfo& test : kTests) {
    auto& row = Cells[TestIndex(test.Kind)];
    row[0]->SetCaption(TPowerReadout::PowerText(power, test.Kind));
    row[1]->SetCaption(TPowerReadout::PowerText(falsePositive, test.Kind));
    row[3]->SetCaption(ErrorsText(power, test.Kind, LevelDifference(params_)));
  }
  SetCurrentDimmed(false);
  ShowPValues();
  if (OnCurrentShown) OnCurrentShown();
}

void TPowerWindow::ShowSweep(const TSweepKey& key, std::vector<TSweepPoint> sweep) {
  sweep_ = std::move(sweep);
  sweepKey_ = key;
  Curves.ShowSweep(sweep_);
  ShowValuesReaching();
  ShowProgress(1);
  if (OnSweepShown) OnSweepShown();
}

void TPowerWindow::ShowPValues() {
  if (power_ && falsePositive_) PValues.Show(*power_, powerDifference_, *falsePositive_, PTest());
}

void TPowerWindow::ShowValuesReaching() {
  for (const TTestInfo& test : kTests) {
    TLabel* cell = Cells[TestIndex(test.Kind)][2];
    cell->Font().SetColor(kPowerValueColor);
    if (sweep_.empty()) {
      cell->SetCaption("");
      continue;
    }
    cell->SetCaption(ValuesReachingText(
        ValuesReaching(sweep_, test.Kind, TPowerTarget::Percent(TargetPercent())), Parameter(),
        kGreekRangeWords));
  }
}

void TPowerWindow::SetCurrentDimmed(bool dimmed) {
  const TColor color = dimmed ? kDimmedColor : kPowerValueColor;
  // The current design's figures; the values reaching the target are the
  // sweep's.
  for (auto& row : Cells)
    for (const std::size_t column : {0u, 1u, 3u}) row[column]->Font().SetColor(color);
}

// --- Exports ------------------------------------------------------------------

const TRasterBitmap& TPowerWindow::CurvePicture() {
  TChart& chart = Curves.Chart();
  if (chart.Canvas().BufferStale() || !chart.Canvas().OffscreenBitmap()) CurveWindow->PaintNow();
  const TBitmap* bitmap = chart.Canvas().OffscreenBitmap();
  if (!bitmap)
    throw EInvalidOperation("Δεν ήταν δυνατή η εξαγωγή του γραφήματος: δεν έχει σχεδιαστεί ακόμη");
  return bitmap->Pixels();
}

void TPowerWindow::SaveCurvePicture(const std::string& path) {
  CurvePicture();
  const TSweepCaption caption{.Params = sweepKey_ ? sweepKey_->Params : params_,
                              .Slider = sweepKey_ ? sweepKey_->Slider : Parameter(),
                              .RunsPerPoint = sweepKey_ ? sweepKey_->Runs : RunsPerPoint(),
                              .TargetPercent = TargetPercent(),
                              .When = CaptionTimeNow()};
  TBitmap picture;
  DrawCaptionedPicture(*Curves.Chart().Canvas().OffscreenBitmap(), caption, picture);
  SavePicture(picture.Pixels(), path);
}

void TPowerWindow::SaveSweepData(const std::string& path) {
  const TSlider slider = sweepKey_ ? sweepKey_->Slider : Parameter();
  WriteTextFile(path, [this, slider](std::ostream& out) { WriteSweepData(out, slider, sweep_); });
}

std::string TPowerWindow::ExportSweep(const std::string& path, TSweepExport chosen) {
  const TExportTarget target = ExportTargetFor(path, chosen);
  if (target.Kind == TSweepExport::Picture)
    SaveCurvePicture(target.Path);
  else
    SaveSweepData(target.Path);
  return target.Path;
}

}  // namespace halvorn
