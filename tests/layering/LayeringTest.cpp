// The layers of the product and the only arrows allowed between them. Every
// quoted include of the product names its layer by its leading folders; an
// include of a layer not listed for the including file's layer, or of Qt
// where no Qt may be used, fails here. The raster uses Qt privately: a
// public raster header that includes Qt, or an include of the raster's own
// headers (platform/raster/internal) from outside the raster, fails too.

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

// Layers whose code may include Qt: the raster for glyphs and pictures
// (in its sources and internal headers), the forms, the program and the
// tool.
const std::set<std::string> kQtAllowed = {"platform/raster", "platform/forms", "app", "tools"};

// The headers only the raster itself may include.
const std::string kRasterInternal = "platform/raster/internal/";

std::optional<std::string> LayerOf(const std::string& path) {
  for (const std::string& layer : kLayers)
    if (path.starts_with(layer + "/")) return layer;
  return std::nullopt;
}

// What is wrong with one include line of the file at `path` (relative to the
// source tree, in a layer); empty when the line is allowed (or is no include
// at all).
std::string Violation(const std::string& path, const std::string& line) {
  static const std::regex quoted(R"(^\s*#\s*include\s*"([^"]+)\")");
  static const std::regex qt(R"(^\s*#\s*include\s*<(Q\w*)>)");
  const std::string layer = LayerOf(path).value();
  const bool publicRasterHeader =
      layer == "platform/raster" && path.ends_with(".h") && !path.starts_with(kRasterInternal);
  std::smatch m;
  if (std::regex_search(line, m, qt)) {
    if (!kQtAllowed.contains(layer)) return layer + " includes Qt <" + m[1].str() + ">";
    if (publicRasterHeader)
      return "the public raster header " + path + " includes Qt <" + m[1].str() +
             ">; Qt belongs in the raster's sources or in " + kRasterInternal;
    return "";
  }
  if (!std::regex_search(line, m, quoted)) return "";
  const std::string target = m[1].str();
  const std::optional<std::string> targetLayer = LayerOf(target);
  if (!targetLayer) return layer + " includes \"" + target + "\", which belongs to no layer";
  if (target.starts_with(kRasterInternal) && layer != "platform/raster")
    return layer + " includes the raster's own header \"" + target + "\"";
  // Through a public header the raster's own would reach every includer.
  if (target.starts_with(kRasterInternal) && publicRasterHeader)
    return "the public raster header " + path + " includes \"" + target + "\"";
  if (*targetLayer == layer || kAllowed.at(layer).contains(*targetLayer)) return "";
  return layer + " -> " + *targetLayer + " (\"" + target + "\")";
}

TEST(Layering, TheRulesAllowDownwardArrowsOnly) {
  const struct {
    const char* path;
    const char* line;
    bool allowed;
  } rows[] = {
      {"app/MainWindow.cpp", "#include \"platform/forms/Form.h\"", true},
      {"app/MainWindow.h", "#include <QWidget>", true},
      {"tools/halvorn_cli.cpp", "#include \"scene/SimulationChart.h\"", true},
      {"tools/halvorn_cli.cpp", "#include \"platform/forms/Form.h\"", false},
      {"scene/SimulationChart.cpp", "#include \"chart/Chart.h\"", true},
      {"scene/SimulationChart.cpp", "#include \"app/MainWindow.h\"", false},
      {"chart/Chart.h", "#include \"platform/panel/Panel.h\"", true},
      {"chart/Chart.cpp", "#include \"sim/SimParams.h\"", false},
      {"chart/Chart.cpp", "#include \"platform/forms/Control.h\"", false},
      {"chart/Chart.cpp", "#include <QWidget>", false},
      {"sim/Run.cpp", "#include \"platform/runtime/FloatOps.h\"", true},
      {"sim/Run.cpp", "#include \"chart/ChartSeries.h\"", false},
      {"sim/Run.cpp", "#include \"platform/raster/Canvas.h\"", false},
      {"sim/Run.cpp", "  #  include <QString>", false},
      {"platform/runtime/Types.h", "#include \"platform/raster/Bitmap.h\"", false},
      {"platform/raster/PngWriter.cpp", "#include <QImage>", true},
      {"platform/raster/internal/FontEngine.h", "#include <QFont>", true},
      {"platform/raster/Canvas.h", "#include <QImage>", false},
      {"platform/raster/Text.cpp", "#include \"platform/raster/internal/FontEngine.h\"", true},
      {"platform/raster/internal/FontEngine.h", "#include \"platform/raster/internal/InkSpans.h\"",
       true},
      {"platform/raster/Canvas.h", "#include \"platform/raster/internal/FontEngine.h\"", false},
      {"platform/panel/Panel.h", "#include \"platform/raster/Canvas.h\"", true},
      {"platform/panel/Panel.cpp", "#include \"platform/raster/internal/InkSpans.h\"", false},
      {"chart/ChartCanvas.cpp", "#include \"platform/raster/internal/FontEngine.h\"", false},
      {"platform/panel/Panel.h", "#include \"platform/forms/Form.h\"", false},
      {"platform/forms/PanelWindow.h", "#include \"platform/panel/Panel.h\"", true},
      {"sim/Run.cpp", "#include \"Local.h\"", false},
      {"sim/Run.cpp", "#include <vector>", true},
      {"sim/Run.cpp", "// #include \"chart/Chart.h\" in a comment", true},
  };
  for (const auto& r : rows)
    EXPECT_EQ(Violation(r.path, r.line).empty(), r.allowed) << r.path << ": " << r.line;
}

TEST(Layering, EveryIncludeOfTheProductFollowsTheRules) {
  const fs::path root = HALVORN_SOURCE_DIR;
  std::vector<std::string> violations;
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string ext = entry.path().extension().string();
    if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
    const std::string path = fs::relative(entry.path(), root).generic_string();
    if (!LayerOf(path)) continue;  // tests, benchmarks, build trees
    ++files;
    std::ifstream in(entry.path());
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
      const std::string v = Violation(path, line);
      if (!v.empty()) violations.push_back(path + ":" + std::to_string(number) + ": " + v);
    }
  }
  EXPECT_GT(files, 100);
  std::sort(violations.begin(), violations.end());
  for (const std::string& v : violations) ADD_FAILURE() << v;
}

}  // namespace
