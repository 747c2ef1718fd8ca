#include "app/MainWindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QTimer>
#include <type_traits>

#include "app/BackgroundPool.h"
#include "app/MainWindowLayout.h"
#include "app/ModelWindow.h"
#include "app/PowerReadout.h"
#include "app/PowerWindow.h"
#include "app/Saving.h"
#include "app/SiteWindow.h"
#include "app/TextFile.h"
#include "platform/forms/Application.h"
#include "platform/runtime/Exceptions.h"
#include "scene/RunData.h"
#include "scene/SimulationChart.h"
#include "sim/RandomSource.h"
#include "sim/Significance.h"
#include "sim/SliderTable.h"

namespace halvorn {
namespace {

// The readout waits this long after a change, so a slider dragged across
// its range costs one computation, not one per position.
constexpr int kReadoutDelayMs = 40;

}  // namespace

TMF::TMF(TComponent* owner) : TForm(owner), pool_(MakeBackgroundPool()) {
  const TLayoutPanel panels[] = {{"Chart1", &Chart1}};
  LoadFormLayout(*this, MainFormLayout(), MainWindowControls(), panels);
  BindFields();
  ConfigureChart(Chart1);
  Series1.SetParentChart(&Chart1);
  ConfigureBeforeSeries(Series1);
  Series2.SetParentChart(&Chart1);
  ConfigureAfterSeries(Series2);
  // The handlers are bound only now, so none runs while the layout is
  // applied.
  BindEvents();
  simulation_.emplace();
  // The power readout, refreshed a moment after the design or the random
  // source moved.
  readout_ = std::make_unique<TPowerReadout>(*this, *pool_, tests_);
  readoutTimer_ = std::make_unique<QTimer>();
  readoutTimer_->setSingleShot(true);
  readoutTimer_->setInterval(kReadoutDelayMs);
  QObject::connect(readoutTimer_.get(), &QTimer::timeout, readoutTimer_.get(),
                   [this] { Dispatch([this] { NotifyDesignChanged(); }); });
  PowerButton->OnClick = [this](TObject*) { ShowPowerWindow(); };
  ModelButton->OnClick = [this](TObject*) { ShowModelWindow(); };
  BindShortcuts();
  NotifyDesignChanged();
}

TMF::~TMF() {
  // The power and model windows follow this window's design: they go first.
  delete powerWindow_;
  delete siteWindow_;
  delete modelWindow_;
  // The chart's window outlives the chart (the form destroys its controls
  // after these members), so the two let go of each other first: the window
  // must not paint a destroyed chart, nor the chart ask a destroyed window.
  if (Chart1Window) Chart1Window->SetClient(nullptr);
  Chart1.SetHost(nullptr);
}

TControl* TMF::FindControl(const std::string& name) const { return FindLayoutControl(*this, name); }

void TMF::BindFields() {
  const auto bind = [this](auto*& field, const char* name) {
    field = &LayoutControl<std::remove_reference_t<decltype(*field)>>(*this, name);
  };
  bind(Chart1Window, "Chart1");
  bind(Button1, "Button1");
  bind(TT, "TT");
  bind(PP, "PP");
  bind(RG1, "RG1");
  bind(Label1, "Label1");
  bind(Label2, "Label2");
  bind(SIG1, "SIG1");
  bind(SIG2, "SIG2");
  bind(Prin, "Prin");
  bind(ErrorP, "ErrorP");
  bind(Meta, "Meta");
  bind(ErrorM, "ErrorM");
  bind(LErrorP, "LErrorP");
  bind(Label3, "Label3");
  bind(LErrorM, "LErrorM");
  bind(Label4, "Label4");
  bind(Label5, "Label5");
  bind(Label6, "Label6");
  bind(LAmpliP, "LAmpliP");
  bind(LAmpliM, "LAmpliM");
  bind(AmpliP, "AmpliP");
  bind(AmpliM, "AmpliM");
  bind(FasiP, "FasiP");
  bind(LFasiP, "LFasiP");
  bind(Label7, "Label7");
  bind(LFasiM, "LFasiM");
  bind(FasiM, "FasiM");
  bind(GroupBox1, "GroupBox1");
  bind(Dif, "Dif");
  bind(Label8, "Label8");
  bind(LDif, "LDif");
  bind(Label9, "Label9");
  bind(Step, "Step");
  bind(LStep, "LStep");
  bind(Label10, "Label10");
  bind(LSamples, "LSamples");
  bind(Samples, "Samples");
  bind(Label11, "Label11");
  bind(PowerButton, "PowerButton");
  bind(ModelButton, "ModelButton");
  bind(LModel, "LModel");
}

namespace {

// The slider handlers, in the order of the slider table.
constexpr std::array<void (TMF::*)(TObject*), kWindowSliderCount> kSliderHandlers = {
    &TMF::ErrorPChange, &TMF::ErrorMChange, &TMF::AmpliPChange,
    &TMF::AmpliMChange, &TMF::FasiPChange,  &TMF::FasiMChange,
    &TMF::DifChange,    &TMF::StepChange,   &TMF::SamplesChange};

}  // namespace

void TMF::BindEvents() {
  Button1->OnClick = [this](TObject* sender) { Button1Click(sender); };
  for (const TSliderInfo& info : WindowSliders()) {
    const auto handler = kSliderHandlers[static_cast<std::size_t>(info.Slider)];
    SliderBar(info.Slider).OnChange = [this, handler](TObject* sender) {
      (this->*handler)(sender);
    };
  }
}

void TMF::Button1Click(TObject*) {
  // The random source moves even when the Run fails.
  ScheduleReadout();
  const std::optional<TTestKind> test = TestAt(RG1->ItemIndex());
  try {
    simulation_->Run(chartTarget_, test, *this);
  } catch (...) {
    // A failed Run's samples stay, marks and all.
    censoringMarks_.Show(simulation_->Censoring());
    RunMade(std::nullopt);
    throw;
  }
  censoringMarks_.Show(simulation_->Censoring());
  RunMade(test ? std::optional<TRunP>(TRunP{runs_.NextRun(), simulation_->ResultP(),
                                            IsSignificant(simulation_->ResultP()), *test})
               : std::nullopt);
}

void TMF::RunMade(std::optional<TRunP> result) {
  runs_.RunMade(result);
  if (powerWindow_) powerWindow_->RunsChanged(runs_);
}

void TMF::ScheduleReadout() {
  readout_->MarkStale();
  readoutTimer_->start();
}

bool TMF::ReadoutSettled() const { return !readoutTimer_->isActive() && readout_->Idle(); }

void TMF::NotifyDesignChanged() {
  readoutTimer_->stop();
  readout_->Update(simulation_->Params(), RandomState);
  if (powerWindow_) powerWindow_->DesignChanged(simulation_->Params(), RandomState);
}

TPowerWindow& TMF::ShowPowerWindow() {
  if (!powerWindow_) {
    powerWindow_ = new TPowerWindow(this, *pool_, tests_);
    powerWindow_->OnTestsChanged = [this] { readout_->TestsChanged(); };
    powerWindow_->DesignChanged(simulation_->Params(), RandomState);
    powerWindow_->RunsChanged(runs_);
  }
  powerWindow_->Show();
  powerWindow_->BringToFront();
  return *powerWindow_;
}

TModelWindow& TMF::ShowModelWindow() {
  if (!modelWindow_) {
    modelWindow_ = new TModelWindow(this);
    modelWindow_->ShowModel(simulation_->Params());
    modelWindow_->OnChange = [this] { ModelChanged(); };
    modelWindow_->OnData = [this] { ShowSiteWindow(); };
  }
  modelWindow_->Show();
  modelWindow_->BringToFront();
  return *modelWindow_;
}

TSiteWindow& TMF::ShowSiteWindow() {
  if (!siteWindow_) {
    siteWindow_ = new TSiteWindow(this);
    siteWindow_->OnUse = [this](const SimParams& settings) { UseSiteSettings(settings); };
  }
  siteWindow_->Show();
  siteWindow_->BringToFront();
  if (!siteWindow_->Fit() && !siteWindow_->Reading()) siteWindow_->AskAndOpen();
  return *siteWindow_;
}

void TMF::UseSiteSettings(const SimParams& settings) {
  for (const TSlider slider : {TSlider::ErrorP, TSlider::ErrorM, TSlider::AmpliP, TSlider::AmpliM,
                               TSlider::FasiP, TSlider::FasiM})
    SliderBar(slider).SetPosition(SliderValue(settings, slider) / SliderInfo(slider).Scale);
  // The model window holds the model's settings: they go through it, as
  // the user's own changes do.
  if (!modelWindow_) ShowModelWindow();
  modelWindow_->ShowModel(settings);
  ModelChanged();
}

void TMF::ModelChanged() {
  ScheduleReadout();
  simulation_->SetErrorModel(modelWindow_->ErrorModel());
  for (const TSliderInfo& info : ModelSliders())
    simulation_->SliderChanged(info.Slider, modelWindow_->Position(info.Slider));
  const std::string summary = ModelSummary(simulation_->Params());
  LModel->SetCaption(summary);
  LModel->SetVisible(!summary.empty());
}

void TMF::BindShortcuts() {
  AddShortcut("Ctrl+P", [this] { ShowPowerWindow(); });
  AddShortcut("Ctrl+M", [this] { ShowModelWindow(); });
  AddShortcut("Ctrl+S", [this] {
    const std::string path =
        AskSavePath(Widget(), "Αποθήκευση γραφήματος", "halvorn.png", "Εικόνα PNG (*.png)");
    if (!path.empty()) SaveChartPicture(path);
  });
  AddShortcut("Ctrl+Shift+S", [this] {
    const std::string path =
        AskSavePath(Widget(), "Αποθήκευση σημείων", "halvorn.csv", "Πίνακας CSV (*.csv)");
    if (!path.empty()) SaveRunData(path);
  });
  AddShortcut("Ctrl+C", [this] { CopyChartPicture(); });
}

const TRasterBitmap& TMF::ChartPicture() {
  if (Chart1.Canvas().BufferStale() || !Chart1.Canvas().OffscreenBitmap()) Chart1Window->PaintNow();
  const TBitmap* bitmap = Chart1.Canvas().OffscreenBitmap();
  if (!bitmap)
    throw EInvalidOperation("Δεν ήταν δυνατή η εξαγωγή του γραφήματος: δεν έχει σχεδιαστεί ακόμη");
  return bitmap->Pixels();
}

void TMF::SaveChartPicture(const std::string& path) { SavePicture(ChartPicture(), path); }

void TMF::SaveRunData(const std::string& path) {
  WriteTextFile(path, [this](std::ostream& out) {
    WriteRunData(out, Series1, Series2, simulation_->Censoring());
  });
}

void TMF::CopyChartPicture() {
  const TRasterBitmap& picture = ChartPicture();
  const QImage image(reinterpret_cast<const uchar*>(picture.Data()), picture.Width(),
                     picture.Height(), picture.BytesPerLine(), QImage::Format_RGB32);
  QGuiApplication::clipboard()->setImage(image.copy());
}

void TMF::SliderChanged(TSlider slider) {
  ScheduleReadout();
  LayoutControl<TLabel>(*this, SliderInfo(slider).Label)
      .SetCaption(simulation_->SliderChanged(slider, SliderBar(slider).Position()));
}

TScrollBar& TMF::SliderBar(TSlider slider) const {
  return LayoutControl<TScrollBar>(*this, SliderInfo(slider).Control);
}

void TMF::ErrorPChange(TObject*) { SliderChanged(TSlider::ErrorP); }
void TMF::ErrorMChange(TObject*) { SliderChanged(TSlider::ErrorM); }
void TMF::AmpliPChange(TObject*) { SliderChanged(TSlider::AmpliP); }
void TMF::AmpliMChange(TObject*) { SliderChanged(TSlider::AmpliM); }
void TMF::FasiPChange(TObject*) { SliderChanged(TSlider::FasiP); }
void TMF::FasiMChange(TObject*) { SliderChanged(TSlider::FasiM); }
void TMF::DifChange(TObject*) { SliderChanged(TSlider::Dif); }
void TMF::StepChange(TObject*) { SliderChanged(TSlider::Step); }
void TMF::SamplesChange(TObject*) { SliderChanged(TSlider::Samples); }

void TMF::SetTText(const std::string& text) { TT->SetText(text); }
void TMF::SetPText(const std::string& text) { PP->SetText(text); }

void TMF::SetSignificanceVisible(bool visible) {
  SIG1->SetVisible(visible);
  SIG2->SetVisible(visible);
}

}  // namespace halvorn
