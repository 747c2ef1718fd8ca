// The layers of the product and the only arrows allowed between them. Every
// quoted include of the product names its layer by its leading folders; an
// include of a layer not listed for the including file's layer, or of Qt
// where no Qt may be used, fails here.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The layers, most specific folder first.
const std::vector<std::string> kLayers = {"platform/runtime",
                                          "platform/raster",
                                          "platform/panel",
                                          "platform/forms",
                                          "sim",
                                          "chart",
                                          "scene",
                                          "app",
                                          "tools"};

const std::map<std::string, std::set<std::string>> kAllowed = {
    {"platform/runtime", {}},
    {"platform/raster", {"platform/runtime"}},
    {"platform/panel", {"platform/runtime", "platform/raster"}},
    {"platform/forms", {"platform/runtime", "platform/raster", "platform/panel"}},
    {"sim", {"platform/runtime"}},
    {"chart", {"platform/runtime", "platform/raster", "platform/panel"}},
    {"scene", {"sim", "chart", "platform/runtime", "platform/raster", "platform/panel"}},
    {"app",
     {"scene", "sim", "chart", "platform/runtime", "platform/raster", "platform/panel",
      "platform/forms"}},
    {"tools", {"scene", "sim", "chart", "platform/runtime", "platform/raster", "platform/panel"}},
};

// Layers whose code may include Qt: the raster for glyphs and pictures,
// the forms, the program and the tool.
const std::set<std::string> kQtAllowed = {"platform/raster", "platform/forms", "app", "tools"};

std::optional<std::string> LayerOf(const std::string& path) {
  for (const std::string& layer : kLayers)
    if (path.starts_with(layer + "/")) return layer;
  return std::nullopt;
}

// What is wrong with one include line of a file of `layer`; empty when the
// line is allowed (or is no include at all).
std::string Violation(const std::string& layer, const std::string& line) {
  static const std::regex quoted(R"(^\s*#\s*include\s*"([^"]+)\")");
  static const std::regex qt(R"(^\s*#\s*include\s*<(Q\w*)>)");
  std::smatch m;
  if (std::regex_search(line, m, qt))
    return kQtAllowed.contains(layer) ? "" : layer + " includes Qt <" + m[1].str() + ">";
  if (!std::regex_search(line, m, quoted)) return "";
  const std::optional<std::string> target = LayerOf(m[1].str());
  if (!target) return layer + " includes \"" + m[1].str() + "\", which belongs to no layer";
  if (*target == layer || kAllowed.at(layer).contains(*target)) return "";
  return layer + " -> " + *target + " (\"" + m[1].str() + "\")";
}

TEST(Layering, TheRulesAllowDownwardArrowsOnly) {
  const struct {
    const char* layer;
    const char* line;
    bool allowed;
  } rows[] = {
      {"app", "#include \"platform/forms/Form.h\"", true},
      {"app", "#include <QWidget>", true},
      {"tools", "#include \"scene/SimulationChart.h\"", true},
      {"tools", "#include \"platform/forms/Form.h\"", false},
      {"scene", "#include \"chart/Chart.h\"", true},
      {"scene", "#include \"app/MainWindow.h\"", false},
      {"chart", "#include \"platform/panel/Panel.h\"", true},
      {"chart", "#include \"sim/SimParams.h\"", false},
      {"chart", "#include \"platform/forms/Control.h\"", false},
      {"chart", "#include <QWidget>", false},
      {"sim", "#include \"platform/runtime/FloatOps.h\"", true},
      {"sim", "#include \"chart/ChartSeries.h\"", false},
      {"sim", "#include \"platform/raster/Canvas.h\"", false},
      {"sim", "  #  include <QString>", false},
      {"platform/runtime", "#include \"platform/raster/Bitmap.h\"", false},
      {"platform/raster", "#include <QImage>", true},
      {"platform/panel", "#include \"platform/forms/Form.h\"", false},
      {"platform/forms", "#include \"platform/panel/Panel.h\"", true},
      {"sim", "#include \"Local.h\"", false},
      {"sim", "#include <vector>", true},
      {"sim", "// #include \"chart/Chart.h\" in a comment", true},
  };
  for (const auto& r : rows)
    EXPECT_EQ(Violation(r.layer, r.line).empty(), r.allowed) << r.layer << ": " << r.line;
}

TEST(Layering, EveryIncludeOfTheProductFollowsTheRules) {
  const fs::path root = HALVORN_SOURCE_DIR;
  std::vector<std::string> violations;
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string ext = entry.path().extension().string();
    if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
    const std::string path = fs::relative(entry.path(), root).generic_string();
    const std::optional<std::string> layer = LayerOf(path);
    if (!layer) continue;  // tests, benchmarks, build trees
    ++files;
    std::ifstream in(entry.path());
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
      const std::string v = Violation(*layer, line);
      if (!v.empty()) violations.push_back(path + ":" + std::to_string(number) + ": " + v);
    }
  }
  EXPECT_GT(files, 100);
  std::sort(violations.begin(), violations.end());
  for (const std::string& v : violations) ADD_FAILURE() << v;
}

}  // namespace
