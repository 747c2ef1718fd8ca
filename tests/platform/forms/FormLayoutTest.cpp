#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "FormTesting.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/FormLayout.h"
#include "platform/forms/PanelWindow.h"
#include "platform/forms/ProgressBar.h"
#include "platform/forms/ScrollBar.h"
#include "platform/panel/Panel.h"

namespace halvorn {
namespace {

class FormLayoutTest : public testing::FormTest {};

const TFontLayout kBoldBlue{"Arial", -13, true, clBlue};

TEST_F(FormLayoutTest, TheLoaderBuildsEachRowInItsParentWithItsLook) {
  const TFormLayout form{.Left = 30,
                         .Top = 40,
                         .Width = 400,
                         .Height = 300,
                         .Caption = "Layout",
                         .Color = clNavy,
                         .Font = TFontLayout{"MS Sans Serif", -11, false, clWindowText}};
  const std::vector<TControlLayout> rows = {
      {.Name = "Box",
       .Class = TControlClass::GroupBox,
       .Left = 8,
       .Top = 8,
       .Width = 200,
       .Height = 120,
       .Text = "Box",
       .ColorSource = TColorSource::Explicit,
       .Color = clInfoBk,
       .TabOrder = 1},
      {.Name = "Inside",
       .Class = TControlClass::Label,
       .Parent = "Box",
       .Left = 8,
       .Top = 20,
       .Text = "inside",
       .Font = kBoldBlue,
       .ColorSource = TColorSource::Parent},
      {.Name = "Choice",
       .Class = TControlClass::ComboBox,
       .Parent = "Box",
       .Left = 8,
       .Top = 40,
       .Width = 100,
       .Height = 23,
       .ColorSource = TColorSource::Parent,
       .Items = {"a", "b"},
       .ItemIndex = 1},
      {.Name = "Bar",
       .Class = TControlClass::ScrollBar,
       .Parent = "Box",
       .Left = 8,
       .Top = 70,
       .Width = 150,
       .Height = 17,
       .Range = TRangeLayout{1, 99, 80}},
      {.Name = "Own",
       .Class = TControlClass::Label,
       .Left = 220,
       .Top = 8,
       .Text = "own",
       .ColorSource = TColorSource::Explicit,
       .Color = clYellow,
       .Visible = false},
      {.Name = "Text",
       .Class = TControlClass::Edit,
       .Left = 220,
       .Top = 30,
       .Width = 90,
       .Height = 24,
       .TabOrder = 0},
      {.Name = "Go",
       .Class = TControlClass::Button,
       .Left = 220,
       .Top = 60,
       .Width = 90,
       .Height = 25,
       .Text = "Go",
       .TabOrder = 2,
       .TabStop = false},
      {.Name = "Done",
       .Class = TControlClass::ProgressBar,
       .Left = 8,
       .Top = 140,
       .Width = 300,
       .Height = 20,
       .Range = TRangeLayout{0, 1000, 250}},
      {.Name = "Picture",
       .Class = TControlClass::PanelWindow,
       .Left = 8,
       .Top = 170,
       .Width = 300,
       .Height = 100},
  };
  TCustomPanel panel;
  const TLayoutPanel panels[] = {{"Picture", &panel}};
  LoadFormLayout(Form(), form, rows, panels);

  EXPECT_EQ(Form().Caption(), "Layout");
  EXPECT_EQ(Form().Color(), clNavy);
  EXPECT_EQ(Form().Font().Name(), "MS Sans Serif");
  EXPECT_EQ(Form().BoundsRect(), (TRect{30, 40, 430, 340}));

  struct Expected {
    const char* name;
    const char* parent;  // empty: the form
    TColor color;
    std::optional<TFontLayout> font;
    int tabOrder;  // -1: a plain control
  };
  const Expected expected[] = {
      {"Box", "", clInfoBk, std::nullopt, 1},       {"Inside", "Box", clInfoBk, kBoldBlue, -1},
      {"Choice", "Box", clInfoBk, std::nullopt, 0}, {"Bar", "Box", clInfoBk, std::nullopt, 1},
      {"Own", "", clYellow, std::nullopt, -1},      {"Text", "", clWindow, std::nullopt, 0},
      {"Go", "", clNavy, std::nullopt, 2},          {"Done", "", clNavy, std::nullopt, 3},
      {"Picture", "", clBtnFace, std::nullopt, 4},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.name);
    TControl* control = FindLayoutControl(Form(), e.name);
    ASSERT_NE(control, nullptr);
    const TWinControl* parent = *e.parent ? &LayoutControl<TWinControl>(Form(), e.parent) : &Form();
    EXPECT_EQ(control->Parent(), parent);
    EXPECT_EQ(control->Color(), e.color);
    if (e.font) {
      EXPECT_EQ(control->Font().Name(), e.font->Name);
      EXPECT_EQ(control->Font().Height(), e.font->Height);
      EXPECT_EQ(control->Font().Style(), e.font->Bold ? fsBold : 0);
      EXPECT_EQ(control->Font().Color(), e.font->Color);
    }
    if (e.tabOrder >= 0) {
      EXPECT_EQ(LayoutControl<TWinControl>(Form(), e.name).TabOrder(), e.tabOrder);
    }
  }
  EXPECT_EQ(LayoutControl<TControl>(Form(), "Bar").BoundsRect(), (TRect{8, 70, 158, 87}));
  EXPECT_FALSE(LayoutControl<TControl>(Form(), "Own").Visible());
  EXPECT_FALSE(LayoutControl<TWinControl>(Form(), "Go").TabStop());
  EXPECT_EQ(LayoutControl<TComboBox>(Form(), "Choice").Text(), "b");
  const auto& bar = LayoutControl<TScrollBar>(Form(), "Bar");
  EXPECT_EQ((std::vector{bar.Min(), bar.Max(), bar.Position()}), (std::vector{1, 99, 80}));
  const auto& done = LayoutControl<TProgressBar>(Form(), "Done");
  EXPECT_EQ((std::vector{done.Min(), done.Max(), done.Position()}), (std::vector{0, 1000, 250}));
  auto& picture = LayoutControl<TPanelWindow>(Form(), "Picture");
  EXPECT_EQ(picture.Client(), &panel);
  EXPECT_EQ(panel.Host(), &picture);
  EXPECT_THROW(LayoutControl<TScrollBar>(Form(), "Choice"), EInvalidOperation);
  // The panel goes first.
  picture.SetClient(nullptr);
  panel.SetHost(nullptr);
}

TEST_F(FormLayoutTest, ATableThatCannotBeBuiltIsRefusedNamingTheRow) {
  const TControlLayout label{.Name = "Caption", .Class = TControlClass::Label};
  struct Case {
    const char* what;
    std::vector<TControlLayout> rows;
    const char* message;
  };
  const Case cases[] = {
      {"an unknown parent",
       {{.Name = "Lost", .Class = TControlClass::Edit, .Parent = "Nowhere"}},
       "\"Lost\" has no container \"Nowhere\""},
      {"a parent that holds no controls",
       {label, {.Name = "Inner", .Class = TControlClass::Button, .Parent = "Caption"}},
       "\"Inner\" has no container \"Caption\""},
      {"a parent of a later row",
       {{.Name = "Early", .Class = TControlClass::Edit, .Parent = "Late"},
        {.Name = "Late", .Class = TControlClass::GroupBox}},
       "\"Early\" has no container \"Late\""},
      {"a tab order on a plain control",
       {{.Name = "Caption", .Class = TControlClass::Label, .TabOrder = 0}},
       "\"Caption\" takes no focus"},
      {"a panel window without a panel",
       {{.Name = "Chart", .Class = TControlClass::PanelWindow}},
       "\"Chart\" has no panel"},
      {"a name given twice", {label, label}, "\"Caption\" is given twice"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TForm form(nullptr);
    try {
      LoadFormLayout(form, TFormLayout{}, c.rows);
      ADD_FAILURE() << "built";
    } catch (const EInvalidOperation& e) {
      EXPECT_NE(e.Message().find(c.message), std::string::npos) << e.Message();
    }
  }
}

}  // namespace
}  // namespace halvorn
