#include "app/SiteWindowLayout.h"

#include "app/LayoutRows.h"
#include "sim/SliderTable.h"

namespace halvorn {
namespace {

constexpr int kRowPitch = 24;
constexpr int kFirstRowTop = 40;
// The left edges of the table's columns.
constexpr int kEstimateLeft = 164, kDesignLeft = 236;

// The rows' titles: the sliders' own where a slider takes the estimate.
constexpr std::array<const char*, kSiteEstimateCount> kTitles = {
    "Επίπεδο",
    SliderInfo(TSlider::AmpliP).Title,
    SliderInfo(TSlider::FasiP).Title,
    SliderInfo(TSlider::ErrorP).Title,
    "Κατανομή σφάλματος",
    SliderInfo(TSlider::Correlation).Title,
    SliderInfo(TSlider::YearVariation).Title,
    SliderInfo(TSlider::DetectionLimit).Title};

std::string RowSuffix(TSiteEstimate row) { return std::to_string(static_cast<int>(row)); }

TControlLayout Label(std::string name, std::string parent, int left, int top, std::string text,
                     TColor color) {
  return BoxLabel(std::move(name), std::move(parent), left, top, 0, 0, std::move(text), color);
}

TControlLayout Button(std::string name, int left, int width, std::string text, int tabOrder,
                      std::string hint) {
  return TControlLayout{.Name = std::move(name),
                        .Class = TControlClass::Button,
                        .Left = left,
                        .Top = 336,
                        .Width = width,
                        .Height = 25,
                        .Text = std::move(text),
                        .Font = BoldSans(-11, clWindowText),
                        .TabOrder = tabOrder,
                        .Hint = std::move(hint)};
}

std::vector<TControlLayout> BuildControls() {
  std::vector<TControlLayout> c;
  c.push_back(Label("RecordLabel", "", 8, 8, "Καμία καταγραφή", clYellow));
  c.push_back(TControlLayout{.Name = "SiteChartWindow",
                             .Class = TControlClass::PanelWindow,
                             .Left = 8,
                             .Top = 32,
                             .Width = 420,
                             .Height = 292});
  c.push_back(GroupBoxRow("EstimatesBox", 436, 28, 316, 260, "Εκτιμήσεις", clOlive, clInfoBk));
  c.push_back(Label("EstimateHeader", "EstimatesBox", kEstimateLeft, 18, "εκτίμηση", clGray));
  c.push_back(Label("DesignHeader", "EstimatesBox", kDesignLeft, 18, "σχεδιασμός", clGray));
  for (std::size_t i = 0; i < kSiteEstimateCount; ++i) {
    const auto row = static_cast<TSiteEstimate>(i);
    const int top = kFirstRowTop + kRowPitch * static_cast<int>(i);
    c.push_back(Label(SiteTitleName(row), "EstimatesBox", 8, top, kTitles[i], clWindowText));
    c.push_back(Label(SiteEstimateName(row), "EstimatesBox", kEstimateLeft, top, "", clWindowText));
    c.push_back(Label(SiteDesignName(row), "EstimatesBox", kDesignLeft, top, "", clNavy));
  }
  c.push_back(Label("DesignNote", "", 436, 296,
                    "Ο σχεδιασμός παίρνει την πλησιέστερη θέση κάθε\nολισθητή· το επίπεδο της "
                    "καταγραφής γίνεται 100.",
                    clWindow));
  c.push_back(Button("OpenButton", 436, 120, "Άλλο αρχείο…", 0,
                     "Άνοιγμα άλλης καταγραφής μετρήσεων (Ctrl+O)"));
  c.push_back(Button("UseButton", 564, 89, "Χρήση", 1,
                     "Ο σχεδιασμός και το μοντέλο παίρνουν τις εκτιμήσεις"));
  c.push_back(Label("Status", "", 8, 340, "", clWindow));
  return c;
}

}  // namespace

std::string SiteTitleName(TSiteEstimate row) { return "EstimateTitle" + RowSuffix(row); }
std::string SiteEstimateName(TSiteEstimate row) { return "Estimate" + RowSuffix(row); }
std::string SiteDesignName(TSiteEstimate row) { return "Design" + RowSuffix(row); }

const TFormLayout& SiteFormLayout() {
  static const TFormLayout layout{.Left = 200,
                                  .Top = 120,
                                  .Width = 760,
                                  .Height = 372,
                                  .Caption = "Δεδομένα θέσης",
                                  .Color = clNavy,
                                  .Font = TFontLayout{kSans, -11, false, clWindowText}};
  return layout;
}

const std::vector<TControlLayout>& SiteWindowControls() {
  static const std::vector<TControlLayout> controls = BuildControls();
  return controls;
}

}  // namespace halvorn
