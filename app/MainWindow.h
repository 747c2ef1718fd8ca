#pragma once
// The program's one window: the chart with the two simulated series, the
// result area (t, p, the significance labels, the test selector and "Run")
// and the three boxes of sliders with their value labels. The window owns
// its controls, the chart and both series.

#include <memory>
#include <optional>
#include <string>

#include "app/RunHistory.h"
#include "app/TestChoice.h"
#include "chart/Chart.h"
#include "chart/CustomSeries.h"
#include "platform/forms/Button.h"
#include "platform/forms/Edit.h"
#include "platform/forms/Form.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/Label.h"
#include "platform/forms/PanelWindow.h"
#include "platform/forms/RadioGroup.h"
#include "platform/forms/ScrollBar.h"
#include "platform/raster/RasterBitmap.h"
#include "scene/CensoringMarks.h"
#include "scene/ChartRunTarget.h"
#include "sim/Simulation.h"

class QTimer;

namespace halvorn {

class TPowerPool;
class TPowerReadout;
class TModelWindow;
class TPowerWindow;
class TSiteWindow;

class TMF : public TForm, private TRunResultView {
 public:
  // Builds every control from the window's layout (no handler runs while it
  // is applied), then sets the simulation's defaults.
  explicit TMF(TComponent* owner);
  ~TMF() override;

  // The chart and its series; the chart shows in Chart1Window. The series
  // are declared after the chart, so they leave its list before it goes.
  TChart Chart1;
  TLineSeries Series1;
  TLineSeries Series2;
  TPanelWindow* Chart1Window = nullptr;

  // The controls, owned by the window through its component list.
  TButton* Button1 = nullptr;
  TEdit* TT = nullptr;
  TEdit* PP = nullptr;
  TRadioGroup* RG1 = nullptr;
  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* SIG1 = nullptr;
  TLabel* SIG2 = nullptr;
  TGroupBox* Prin = nullptr;
  TScrollBar* ErrorP = nullptr;
  TGroupBox* Meta = nullptr;
  TScrollBar* ErrorM = nullptr;
  TLabel* LErrorP = nullptr;
  TLabel* Label3 = nullptr;
  TLabel* LErrorM = nullptr;
  TLabel* Label4 = nullptr;
  TLabel* Label5 = nullptr;
  TLabel* Label6 = nullptr;
  TLabel* LAmpliP = nullptr;
  TLabel* LAmpliM = nullptr;
  TScrollBar* AmpliP = nullptr;
  TScrollBar* AmpliM = nullptr;
  TScrollBar* FasiP = nullptr;
  TLabel* LFasiP = nullptr;
  TLabel* Label7 = nullptr;
  TLabel* LFasiM = nullptr;
  TScrollBar* FasiM = nullptr;
  TGroupBox* GroupBox1 = nullptr;
  TScrollBar* Dif = nullptr;
  TLabel* Label8 = nullptr;
  TLabel* LDif = nullptr;
  TLabel* Label9 = nullptr;
  TScrollBar* Step = nullptr;
  TLabel* LStep = nullptr;
  TLabel* Label10 = nullptr;
  TLabel* LSamples = nullptr;
  TScrollBar* Samples = nullptr;
  TLabel* Label11 = nullptr;
  // Opens the power window (also Ctrl+P); the power readout's labels are
  // reached through Readout().
  TButton* PowerButton = nullptr;
  // Opens the model window (also Ctrl+M); LModel names the measurement model
  // while it is not the default one.
  TButton* ModelButton = nullptr;
  TLabel* LModel = nullptr;

  // The handlers. Button1Click is the Run; each slider's handler writes the
  // slider's value into the label beside it and into its parameter.
  void Button1Click(TObject* sender);
  void ErrorPChange(TObject* sender);
  void ErrorMChange(TObject* sender);
  void AmpliPChange(TObject* sender);
  void AmpliMChange(TObject* sender);
  void FasiPChange(TObject* sender);
  void FasiMChange(TObject* sender);
  void DifChange(TObject* sender);
  void StepChange(TObject* sender);
  void SamplesChange(TObject* sender);

  const TSimulation& Simulation() const { return *simulation_; }

  // The live power readout below the result area, and whether it shows the
  // figures of the current design and random state (none is pending).
  TPowerReadout& Readout() { return *readout_; }
  bool ReadoutSettled() const;
  // The tests the readout and the power window show, which the power
  // window's boxes choose; kept while the program runs.
  const TTestChoice& Tests() const { return tests_; }
  // The power window, created on first use and raised when already open.
  TPowerWindow& ShowPowerWindow();
  TPowerWindow* PowerWindow() const { return powerWindow_; }
  // The model window, created on first use and raised when already open.
  TModelWindow& ShowModelWindow();
  TModelWindow* ModelWindow() const { return modelWindow_; }
  // The site window, asking for a record when it shows none.
  TSiteWindow& ShowSiteWindow();
  TSiteWindow* SiteWindow() const { return siteWindow_; }
  // Sets the series' sliders and the measurement model to those of a site's
  // fit; the difference, the step and the sample count stay.
  void UseSiteSettings(const SimParams& settings);
  const TCensoringMarks& CensoringMarks() const { return censoringMarks_; }
  // The p values of the last Runs, which the power window charts.
  const TRunHistory& RunHistory() const { return runs_; }
  // Called whenever the design or the random source moves (for windows that
  // follow the design).
  void NotifyDesignChanged();

  // The chart's picture as the window shows it (from the chart's off-screen
  // bitmap, painted first if it is stale), and its exports. A failed write
  // raises EInOutError with the reason and changes nothing else.
  const TRasterBitmap& ChartPicture();
  void SaveChartPicture(const std::string& path);
  void SaveRunData(const std::string& path);
  void CopyChartPicture();

  // The control of the layout called `name`; null when there is none.
  // For Chart1 it is the chart's window.
  TControl* FindControl(const std::string& name) const;

 private:
  void BindFields();
  void BindEvents();
  void BindShortcuts();
  // The readout follows a burst of changes once, shortly after its last.
  void ScheduleReadout();
  // A slider moved: its value label and its parameter follow.
  void SliderChanged(TSlider slider);
  // The model window changed the measurement model.
  void ModelChanged();
  // A Run was made, with its test's result or none.
  void RunMade(std::optional<TRunP> result);
  TScrollBar& SliderBar(TSlider slider) const;

  // The Run's result view.
  void SetTText(const std::string& text) override;
  void SetPText(const std::string& text) override;
  void SetSignificanceVisible(bool visible) override;

  // Set to its defaults once the layout is applied.
  std::optional<TSimulation> simulation_;
  // The chart as the Run fills it, and the marks of its censored samples.
  TChartRunTarget chartTarget_{Chart1};
  TCensoringMarks censoringMarks_{Chart1, Series1, Series2};
  TTestChoice tests_;
  TRunHistory runs_;
  // The workers of the readout's and the power window's computations, which
  // both stop theirs before the pool goes (the power window in the
  // destructor, the readout as it is declared later).
  std::unique_ptr<TPowerPool> pool_;
  std::unique_ptr<TPowerReadout> readout_;
  std::unique_ptr<QTimer> readoutTimer_;
  TPowerWindow* powerWindow_ = nullptr;  // owned by the window
  TModelWindow* modelWindow_ = nullptr;  // owned by the window
  TSiteWindow* siteWindow_ = nullptr;    // owned by the window
};

}  // namespace halvorn
