#include "app/LayoutRows.h"

#include "sim/TestTable.h"

namespace halvorn {

TControlLayout BoxLabel(std::string name, std::string parent, int left, int top, int width,
                        int height, std::string text, TColor fontColor) {
  return TControlLayout{.Name = std::move(name),
                        .Class = TControlClass::Label,
                        .Parent = std::move(parent),
                        .Left = left,
                        .Top = top,
                        .Width = width,
                        .Height = height,
                        .Text = std::move(text),
                        .Font = BoldSans(-13, fontColor),
                        .ColorSource = TColorSource::Parent};
}

TControlLayout GroupBoxRow(std::string name, int left, int top, int width, int height,
                           std::string text, TColor fontColor, TColor color, int tabOrder) {
  return TControlLayout{.Name = std::move(name),
                        .Class = TControlClass::GroupBox,
                        .Left = left,
                        .Top = top,
                        .Width = width,
                        .Height = height,
                        .Text = std::move(text),
                        .Font = BoldSans(-13, fontColor),
                        .ColorSource = TColorSource::Explicit,
                        .Color = color,
                        .TabOrder = tabOrder};
}

std::vector<std::string> TestCaptions() {
  std::vector<std::string> captions;
  for (const TTestInfo& test : WindowTests()) captions.emplace_back(test.Caption);
  return captions;
}

}  // namespace halvorn
