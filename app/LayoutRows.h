#pragma once
// The rows both of the program's windows are made of: its bold sans-serif
// font, labels and group boxes in it, and the tests' captions for a choice
// of test.

#include <string>
#include <vector>

#include "platform/forms/FormLayout.h"

namespace halvorn {

inline constexpr const char* kSans = "MS Sans Serif";

inline TFontLayout BoldSans(int height, TColor color) {
  return TFontLayout{kSans, height, true, color};
}

// A bold label (13 pixels) in the colour of the box or window it lies in.
TControlLayout BoxLabel(std::string name, std::string parent, int left, int top, int width,
                        int height, std::string text, TColor fontColor);

// A group box with a bold caption (13 pixels) on a colour of its own.
TControlLayout GroupBoxRow(std::string name, int left, int top, int width, int height,
                           std::string text, TColor fontColor, TColor color, int tabOrder = -1);

// The captions of the tests, in the order of the test table.
std::vector<std::string> TestCaptions();

}  // namespace halvorn
