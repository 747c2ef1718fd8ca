#include "app/PowerWindow.h"

#include <QEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "app/BackgroundPool.h"
#include "app/PowerReadout.h"
#include "scene/SweepData.h"
#include "app/TextFile.h"
#include "platform/forms/Application.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/Label.h"
#include "platform/forms/PanelWindow.h"
#include "platform/forms/ProgressBar.h"
#include "platform/forms/RadioGroup.h"
#include "platform/forms/ScrollBar.h"
#include "platform/raster/PngWriter.h"
#include "platform/runtime/Exceptions.h"

namespace halvorn {
namespace {

constexpr int kClientWidth = 900, kClientHeight = 640;
// The main window's controls end left of this column of its client area;
// the power window opens to their right.
constexpr int kOwnerControlsRight = 889;
// The progress bar counts in thousandths.
constexpr int kProgressSteps = 1000;
constexpr TColor kValueColor = clNavy, kDimmedColor = clGray;

void LoadFont(TFont& font, int height, bool bold, TColor color) {
  font.SetName("MS Sans Serif");
  font.SetHeight(height);
  font.SetStyle(bold ? fsBold : 0);
  font.SetColor(color);
  font.SetCharset(DEFAULT_CHARSET);
}

void SetBold(TFont& font, int height, TColor color) { LoadFont(font, height, true, color); }

// A bold label in the colour of the box or window it lies in.
TLabel* AddLabel(TComponent* owner, TWinControl& parent, int left, int top, const std::string& text,
                 TColor color) {
  auto* label = new TLabel(owner, &parent);
  SetBold(label->Font(), -13, color);
  label->SetCaption(text);
  label->SetLeft(left);
  label->SetTop(top);
  return label;
}

TGroupBox* AddBox(TComponent* owner, TWinControl& parent, const TRect& bounds,
                  const std::string& caption, TColor fontColor, TColor color) {
  auto* box = new TGroupBox(owner, &parent);
  box->SetBounds(bounds.Left, bounds.Top, bounds.Right - bounds.Left, bounds.Bottom - bounds.Top);
  box->SetCaption(caption);
  SetBold(box->Font(), -13, fontColor);
  box->SetColor(color);
  return box;
}

// A count with its thousands set apart by spaces: "100 000".
std::string Grouped(std::int64_t n) {
  std::string digits = std::to_string(n);
  for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
    digits.insert(static_cast<std::size_t>(i), " ");
  return digits;
}

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

TPowerWindow::TPowerWindow(TComponent* owner) : TForm(owner), pool_(MakeBackgroundPool()) {
  SetCaption("Ισχύς του σχεδιασμού");
  SetColor(clNavy);
  LoadFont(Font(), -11, false, clWindowText);
  SetBounds(220, 140, kClientWidth, kClientHeight);
  BuildSettings();
  BuildCharts();
  BuildTable();
  BuildProgress();
  BindEvents();
  PlaceBesideOwner();
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
  for (TPanelWindow* window : {CurveWindow, PWindow})
    if (window) window->SetClient(nullptr);
  Curves.Chart().SetHost(nullptr);
  PValues.Chart().SetHost(nullptr);
}

void TPowerWindow::BuildSettings() {
  TGroupBox* box = AddBox(this, *this, {8, 4, 892, 52}, "Σάρωση", clBlack, clScrollBar);
  AddLabel(this, *box, 8, 23, "Παράμετρος", clWindowText);
  ParameterBox = new TComboBox(this, box);
  ParameterBox->SetBounds(96, 19, 216, 23);
  std::vector<std::string> captions;
  for (const TSliderInfo& info : kSliders) captions.push_back(SliderCaption(info.Slider));
  ParameterBox->SetItems(captions);
  ParameterBox->SetItemIndex(static_cast<int>(TSlider::Dif));

  AddLabel(this, *box, 332, 23, "Run ανά σημείο", clWindowText);
  RunsBox = new TComboBox(this, box);
  RunsBox->SetBounds(452, 19, 88, 23);
  std::vector<std::string> runs;
  for (const std::int64_t n : kRunChoices) runs.push_back(Grouped(n));
  RunsBox->SetItems(runs);
  RunsBox->SetItemIndex(0);

  AddLabel(this, *box, 560, 23, "Στόχος ισχύος", clWindowText);
  TargetBar = new TScrollBar(this, box);
  TargetBar->SetBounds(672, 22, 152, 17);
  TargetBar->LoadParams(kDefaultTarget, 1, 99);
  TargetValue = AddLabel(this, *box, 832, 23, "", clWindowText);
  for (TComboBox* combo : {ParameterBox, RunsBox}) SetBold(combo->Font(), -13, clWindowText);
}

void TPowerWindow::BuildCharts() {
  CurveWindow = new TPanelWindow(this, this);
  CurveWindow->SetBounds(8, 64, 536, 384);
  CurveWindow->SetClient(&Curves.Chart());
  Curves.Chart().SetHost(CurveWindow);

  PTestGroup = new TRadioGroup(this, this);
  PTestGroup->SetBounds(552, 60, 340, 84);
  PTestGroup->SetCaption("Κατανομή του p για το τεστ");
  SetBold(PTestGroup->Font(), -13, clBlack);
  PTestGroup->SetColor(clScrollBar);
  std::vector<std::string> tests;
  for (const TTestInfo& test : kTests) tests.emplace_back(test.Caption);
  PTestGroup->SetItems(tests);
  PTestGroup->SetItemIndex(0);

  PWindow = new TPanelWindow(this, this);
  PWindow->SetBounds(552, 152, 340, 296);
  PWindow->SetClient(&PValues.Chart());
  PValues.Chart().SetHost(PWindow);
}

void TPowerWindow::BuildTable() {
  TGroupBox* box =
      AddBox(this, *this, {8, 456, 892, 572}, "Ο τρέχων σχεδιασμός", clOlive, clInfoBk);
  constexpr int kColumns[] = {8, 176, 424, 652};
  AddLabel(this, *box, kColumns[1], 20, "Ισχύς (διάστημα 95 %)", clOlive);
  AddLabel(this, *box, kColumns[2], 20, "Ψευδώς θετικά (διαφορά 0)", clOlive);
  SmallestHeader = AddLabel(this, *box, kColumns[3], 20, "", clOlive);
  for (const TTestInfo& test : kTests) {
    const std::size_t row = TestIndex(test.Kind);
    const int top = 44 + 22 * static_cast<int>(row);
    AddLabel(this, *box, kColumns[0], top, test.Caption, clWindowText);
    for (int column = 0; column < 3; ++column)
      Cells[row][static_cast<std::size_t>(column)] =
          AddLabel(this, *box, kColumns[column + 1], top, "", kValueColor);
  }
}

void TPowerWindow::BuildProgress() {
  Status = AddLabel(this, *this, 8, 584, "", clYellow);
  Progress = new TProgressBar(this, this);
  Progress->SetBounds(8, 608, 884, 20);
  Progress->SetRange(0, kProgressSteps);
}

void TPowerWindow::BindEvents() {
  ParameterBox->OnChange = [this](TObject*) { ParameterChanged(); };
  RunsBox->OnChange = [this](TObject*) { Recompute(); };
  TargetBar->OnChange = [this](TObject*) { TargetChanged(); };
  PTestGroup->OnClick = [this](TObject*) { ShowPValues(); };
  AddShortcut("Ctrl+S", [this] {
    const QString path = QFileDialog::getSaveFileName(Widget(), "Αποθήκευση καμπυλών ισχύος",
                                                      "halvorn-power.png", "Εικόνα PNG (*.png)");
    if (!path.isEmpty()) ExportSweep(path.toStdString());
  });
  Curves.SetParameter(Parameter(), ParameterBox->Text());
  TargetChanged();
}

void TPowerWindow::PlaceBesideOwner() {
  const auto* owner = dynamic_cast<const TForm*>(Owner());
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!owner || !screen) return;
  // Beside the main window's controls where the screen is wide enough,
  // else as far right as the window fits.
  const QRect area = screen->availableGeometry();
  const QPoint origin = owner->Widget()->mapToGlobal(QPoint(0, 0));
  const int left = std::clamp(origin.x() + kOwnerControlsRight, area.left(),
                              std::max(area.left(), area.right() - kClientWidth));
  const int top =
      std::clamp(origin.y(), area.top(), std::max(area.top(), area.bottom() - kClientHeight));
  SetBounds(left, top, kClientWidth, kClientHeight);
}

// --- Settings -----------------------------------------------------------------

TSlider TPowerWindow::Parameter() const {
  return static_cast<TSlider>(std::max(ParameterBox->ItemIndex(), 0));
}

std::int64_t TPowerWindow::RunsPerPoint() const {
  return kRunChoices[static_cast<std::size_t>(std::max(RunsBox->ItemIndex(), 0))];
}

int TPowerWindow::TargetPercent() const { return TargetBar->Position(); }

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
  ShowSmallestValues();
  Recompute();
}

void TPowerWindow::TargetChanged() {
  const std::string target = std::to_string(TargetPercent()) + " %";
  TargetValue->SetCaption(target);
  SmallestHeader->SetCaption("Μικρότερη τιμή με ισχύ ≥ " + target);
  Curves.SetTarget(TargetPercent());
  ShowSmallestValues();
}

void TPowerWindow::ShowProgress(double fraction) {
  // An empty bar when nothing is computed.
  Progress->SetPosition(fraction < 1 ? static_cast<int>(std::lround(fraction * kProgressSteps))
                                     : 0);
  const std::string work = std::to_string(SliderInfo(Parameter()).PositionCount()) + " τιμές × " +
                           Grouped(RunsPerPoint()) + " Run";
  Status->SetCaption(fraction < 1 ? "Υπολογισμός: " + work + " … " +
                                        std::to_string(static_cast<int>(fraction * 100)) + " %"
                                  : "Έτοιμο: " + work);
}

void TPowerWindow::ShowCurrent(const TPowerResult& power, const TPowerResult& falsePositive) {
  power_ = power;
  falsePositive_ = falsePositive;
  powerDifference_ = SliderValue(params_, TSlider::Dif);
  for (const TTestInfo& test : kTests) {
    auto& row = Cells[TestIndex(test.Kind)];
    row[0]->SetCaption(TPowerReadout::PowerText(power, test.Kind));
    row[1]->SetCaption(TPowerReadout::PowerText(falsePositive, test.Kind));
  }
  SetCurrentDimmed(false);
  ShowPValues();
  if (OnCurrentShown) OnCurrentShown();
}

void TPowerWindow::ShowSweep(const TSweepKey& key, std::vector<TSweepPoint> sweep) {
  sweep_ = std::move(sweep);
  sweepKey_ = key;
  Curves.ShowSweep(sweep_);
  ShowSmallestValues();
  ShowProgress(1);
  if (OnSweepShown) OnSweepShown();
}

void TPowerWindow::ShowPValues() {
  if (power_ && falsePositive_)
    if (const auto test = TestAt(PTestGroup->ItemIndex()))
      PValues.Show(*power_, powerDifference_, *falsePositive_, *test);
}

void TPowerWindow::ShowSmallestValues() {
  for (const TTestInfo& test : kTests) {
    TLabel* cell = Cells[TestIndex(test.Kind)][2];
    cell->Font().SetColor(kValueColor);
    if (sweep_.empty()) {
      cell->SetCaption("");
      continue;
    }
    const std::optional<int> value =
        SmallestValueReaching(sweep_, test.Kind, TargetPercent() / 100.0);
    cell->SetCaption(value ? std::to_string(*value) : "καμία");
  }
}

void TPowerWindow::SetCurrentDimmed(bool dimmed) {
  for (auto& row : Cells)
    for (int column = 0; column < 2; ++column)
      row[static_cast<std::size_t>(column)]->Font().SetColor(dimmed ? kDimmedColor : kValueColor);
}

// --- Exports ------------------------------------------------------------------

const TRasterBitmap& TPowerWindow::CurvePicture() {
  TChart& chart = Curves.Chart();
  if (chart.Canvas().BufferStale() || !chart.Canvas().OffscreenBitmap()) CurveWindow->PaintNow();
  const TBitmap* bitmap = chart.Canvas().OffscreenBitmap();
  if (!bitmap) throw EInvalidOperation("The chart has not been painted yet");
  return bitmap->Pixels();
}

void TPowerWindow::SaveCurvePicture(const std::string& path) { SaveToPng(CurvePicture(), path); }

void TPowerWindow::SaveSweepData(const std::string& path) {
  const TSlider slider = sweepKey_ ? sweepKey_->Slider : Parameter();
  WriteTextFile(path, [this, slider](std::ostream& out) { WriteSweepData(out, slider, sweep_); });
}

void TPowerWindow::ExportSweep(const std::string& pngPath) {
  SaveCurvePicture(pngPath);
  SaveSweepData(std::filesystem::path(pngPath).replace_extension(".csv").string());
}

}  // namespace halvorn
