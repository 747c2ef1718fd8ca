#include "app/SiteWindow.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <memory>
#include <type_traits>

#include "app/Saving.h"
#include "app/WindowPlacement.h"
#include "platform/forms/Button.h"
#include "platform/forms/Label.h"
#include "platform/forms/MessageWindows.h"
#include "platform/forms/PanelWindow.h"
#include "platform/runtime/Exceptions.h"
#include "platform/runtime/Format.h"
#include "sim/SliderTable.h"

namespace halvorn {
namespace {

std::string SliderText(const TSiteFit& fit, TSlider slider) {
  return SliderValueText(SliderInfo(slider), SliderValue(fit.Settings, slider));
}

std::string MonthText(std::int32_t monthIndex) {
  return Fmt("%04d-%02d", monthIndex / 12, monthIndex % 12 + 1);
}

// "«nitrate.csv»: 72 δείγματα (3 κάτω από όριο) σε 72 μήνες, 2015-01 – 2020-12".
std::string ExtentText(const std::string& path, const TSiteRecord& record) {
  const auto censored = std::ranges::count_if(record.Samples(), &TSiteSample::Censored);
  std::string text = "«" + std::filesystem::path(path).filename().string() +
                     "»: " + std::to_string(record.Samples().size()) + " δείγματα";
  if (censored) text += " (" + std::to_string(censored) + " κάτω από όριο)";
  return text + " σε " + std::to_string(record.MonthsSpanned()) + " μήνες, " +
         MonthText(record.FirstMonthIndex()) + " – " + MonthText(record.LastMonthIndex());
}

}  // namespace

TSiteEstimateText SiteEstimateText(const TSiteFit& fit, TSiteEstimate row) {
  switch (row) {
    case TSiteEstimate::Level:
      return {Fmt("%.4g", fit.Level), "100"};
    case TSiteEstimate::Amplitude:
      return {Fmt("%.1f", fit.AmplitudePct), SliderText(fit, TSlider::AmpliP)};
    case TSiteEstimate::Phase:
      return {Fmt("%.1f", fit.Phase), SliderText(fit, TSlider::FasiP)};
    case TSiteEstimate::Error:
      return {Fmt("%.1f", fit.ErrorPct), SliderText(fit, TSlider::ErrorP)};
    case TSiteEstimate::ErrorModel: {
      const std::string model = ErrorModelInfo(fit.ErrorModel).Caption;
      return {model, model};
    }
    case TSiteEstimate::Correlation:
      return {Fmt("%.2f", fit.Correlation), SliderText(fit, TSlider::Correlation)};
    case TSiteEstimate::YearVariation:
      return {Fmt("%.1f", fit.YearVariationPct), SliderText(fit, TSlider::YearVariation)};
    case TSiteEstimate::DetectionLimit:
      // In the program's units, then in the record's own.
      return {fit.DetectionLimit > 0
                  ? Fmt("%.1f (%g)", fit.ScaledDetectionLimit, fit.DetectionLimit)
                  : std::string("—"),
              SliderText(fit, TSlider::DetectionLimit)};
  }
  return {};
}

TSiteWindow::TSiteWindow(TComponent* owner) : TForm(owner) {
  const TLayoutPanel panels[] = {{"SiteChartWindow", &Chart.Chart()}};
  LoadFormLayout(*this, SiteFormLayout(), SiteWindowControls(), panels);
  const auto bind = [this](auto*& field, const std::string& name) {
    field = &LayoutControl<std::remove_reference_t<decltype(*field)>>(*this, name);
  };
  bind(ChartWindow, "SiteChartWindow");
  bind(RecordLabel, "RecordLabel");
  bind(Status, "Status");
  bind(OpenButton, "OpenButton");
  bind(UseButton, "UseButton");
  for (std::size_t i = 0; i < kSiteEstimateCount; ++i) {
    bind(Estimates[i], SiteEstimateName(static_cast<TSiteEstimate>(i)));
    bind(Designs[i], SiteDesignName(static_cast<TSiteEstimate>(i)));
  }
  UseButton->SetEnabled(false);
  OpenButton->OnClick = [this](TObject*) { AskAndOpen(); };
  UseButton->OnClick = [this](TObject*) {
    if (fit_ && OnUse) OnUse(fit_->Settings);
  };
  AddShortcut("Ctrl+O", [this] { AskAndOpen(); });
  AddShortcut("Escape", [this] { Close(); });
  PlaceBesideOwner(*this, kOwnerControlsRight, 160);
}

TSiteWindow::~TSiteWindow() {
  job_.Stop();
  // The chart goes before its window: the two let go of each other first.
  if (ChartWindow) ChartWindow->SetClient(nullptr);
  Chart.Chart().SetHost(nullptr);
}

void TSiteWindow::AskAndOpen() {
  const std::string path =
      AskOpenPath(Widget(), "Άνοιγμα καταγραφής μετρήσεων",
                  {"Καταγραφές μετρήσεων (*.csv *.txt *.tsv)", "Όλα τα αρχεία (*)"});
  if (!path.empty()) Open(path);
}

void TSiteWindow::Open(const std::string& path) {
  Status->SetCaption("Ανάγνωση «" + std::filesystem::path(path).filename().string() + "»…");
  UseButton->SetEnabled(false);
  job_.Start([this, path](std::stop_token, const TBackgroundJob::TPost&) {
    TBackgroundJob::TContinuation shown;
    try {
      // The record goes with this thread: a long one would take a while to
      // free.
      const TSiteRecord record = TSiteRecord::ReadFile(path);
      const TSiteFit fit = FitSite(record);
      shown = [this, path, fit, extent = ExtentText(path, record),
               marks = std::make_shared<const TSiteMarks>(TSiteChart::Marks(record))] {
        ShowRecord(path, extent, *marks, fit);
      };
    } catch (const EInOutError& e) {
      // The message names the file already.
      shown = [this, message = std::string(e.what())] { Refused(message); };
    } catch (const std::exception& e) {
      shown = [this, message = "Η καταγραφή «" + path + "» δεν διαβάστηκε: " + e.what()] {
        Refused(message);
      };
    }
    return shown;
  });
}

void TSiteWindow::ShowRecord(const std::string& path, const std::string& extent,
                             const TSiteMarks& marks, const TSiteFit& fit) {
  fit_ = fit;
  path_ = path;
  RecordLabel->SetCaption(extent);
  Chart.Show(marks, fit);
  for (std::size_t i = 0; i < kSiteEstimateCount; ++i) {
    const TSiteEstimateText text = SiteEstimateText(fit, static_cast<TSiteEstimate>(i));
    Estimates[i]->SetCaption(text.Estimate);
    Designs[i]->SetCaption(text.Design);
  }
  Status->SetCaption("");
  UseButton->SetEnabled(true);
  if (OnSettled) OnSettled();
}

void TSiteWindow::Refused(const std::string& message) {
  Status->SetCaption("");
  UseButton->SetEnabled(fit_.has_value());
  ShowErrorBox(message);
  if (OnSettled) OnSettled();
}

}  // namespace halvorn
