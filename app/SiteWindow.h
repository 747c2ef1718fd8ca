#pragma once
// The site window: a monitoring record of the user's site, the measurement
// model estimated from it and the settings a design takes from it. A record
// is read and fitted off the GUI thread, so that a large file does not hold
// up the windows; a record that cannot be read or fitted is reported in the
// error box, and the window keeps what it showed. "Χρήση" hands the
// settings to the main window.

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "app/BackgroundJob.h"
#include "app/SiteChart.h"
#include "app/SiteWindowLayout.h"
#include "platform/forms/Form.h"
#include "sim/SiteFit.h"

namespace halvorn {

class TButton;
class TLabel;
class TPanelWindow;

// The table's texts of an estimate: its exact value and the setting the
// design takes ("31.7" and "30").
struct TSiteEstimateText {
  std::string Estimate, Design;
};
TSiteEstimateText SiteEstimateText(const TSiteFit& fit, TSiteEstimate row);

class TSiteWindow : public TForm {
 public:
  // Builds the window hidden, showing no record.
  explicit TSiteWindow(TComponent* owner);
  ~TSiteWindow() override;

  // Reads and fits the record at `path` in the background; the window shows
  // it when done. A newer call wins over one still reading.
  void Open(const std::string& path);
  // Asks for a record with the open dialog and opens it.
  void AskAndOpen();
  // A record is being read.
  bool Reading() const { return job_.Busy(); }

  // The record shown, its fit and its file; empty before the first.
  const std::optional<TSiteFit>& Fit() const { return fit_; }
  const std::string& Path() const { return path_; }

  // "Χρήση": called with the fit's settings.
  std::function<void(const SimParams&)> OnUse;
  // Called on the GUI thread when a record has been shown or refused (for
  // tests).
  std::function<void()> OnSettled;

  TSiteChart Chart;
  TPanelWindow* ChartWindow = nullptr;
  TLabel* RecordLabel = nullptr;
  TLabel* Status = nullptr;
  TButton* OpenButton = nullptr;
  TButton* UseButton = nullptr;
  std::array<TLabel*, kSiteEstimateCount> Estimates{};
  std::array<TLabel*, kSiteEstimateCount> Designs{};

 private:
  void ShowRecord(const std::string& path, const std::string& extent, const TSiteMarks& marks,
                  const TSiteFit& fit);
  void Refused(const std::string& message);

  TBackgroundJob job_;
  std::optional<TSiteFit> fit_;
  std::string path_;
};

}  // namespace halvorn
