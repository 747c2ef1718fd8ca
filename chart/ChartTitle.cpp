#include "chart/ChartTitle.h"

#include <algorithm>

#include "chart/CanvasTools.h"
#include "chart/ChartPanel.h"
#include "chart/StoreIfChanged.h"

namespace halvorn {

// The gap between the title's lines and the plot area.
constexpr int kTitleGap = 5;

TChartTitle::TChartTitle(TCustomChartPanel& chart)
    : TChartFontObject(chart.ChangeHandler()),
      chart_(&chart),
      brush_(chart.ChangeHandler()),
      frame_(chart.ChangeHandler()) {
  TNotifyChange handler = chart.ChangeHandler();
  Font().SetOnChange({});
  Font().SetColor(clBlue);
  Font().SetOnChange(std::move(handler));
}

void TChartTitle::Changed() const { chart_->Invalidate(); }

void TChartTitle::SetAdjustFrame(bool adjust) {
  if (StoreIfChanged(adjustFrame_, adjust)) Changed();
}

void TChartTitle::SetAlignment(TAlignment alignment) {
  if (StoreIfChanged(alignment_, alignment)) Changed();
}

void TChartTitle::SetColor(TColor color) {
  if (StoreIfChanged(color_, color)) Changed();
}

void TChartTitle::SetText(std::vector<std::string> lines) {
  if (StoreIfChanged(text_, std::move(lines))) Changed();
}

void TChartTitle::SetVisible(bool visible) {
  if (StoreIfChanged(visible_, visible)) Changed();
}

bool TChartTitle::Clicked(int x, int y) const {
  return visible_ && titleRect_.Contains(TPoint{x, y});
}

void TChartTitle::SelectBackground() const {
  TChartCanvas3D& canvas = chart_->Canvas();
  TBrush& brush = canvas.Brush();
  if (color_ == clAutoColor) {
    if (brush_.Style() == bsSolid) {
      // A solid brush of its own colour fills in that colour; the default
      // brush, whose colour is not chosen, fills nothing.
      if (brush_.Color() == clAutoColor) {
        brush.SetStyle(bsClear);
      } else {
        brush.SetColor(brush_.Color());
        brush.SetStyle(bsSolid);
      }
      return;
    }
    brush.SetColor(brush_.Color() == clAutoColor ? clBlack : brush_.Color());
    brush.SetStyle(brush_.Style());
    canvas.SetBackgroundMode(TRANSPARENT);
    return;
  }
  if (brush_.Style() == bsSolid) {
    brush.SetColor(color_);
    brush.SetStyle(bsSolid);
    return;
  }
  brush.SetColor(brush_.Color() == clAutoColor ? clBlack : brush_.Color());
  brush.SetStyle(brush_.Style());
  canvas.SetBackColor(ColorToRGB(color_));
  canvas.SetBackgroundMode(OPAQUE);
}

void TChartTitle::Draw(bool atTop) {
  TChartCanvas3D& canvas = chart_->Canvas();
  SelectFont(canvas, Font());
  const int lh = canvas.TextLineHeight();
  SelectBackground();

  const int fw = frame_.Visible() && frame_.Color() != clAutoColor ? frame_.Width() : 0;
  const TRect chartRect = chart_->ChartRect();
  const int lines = static_cast<int>(text_.size());
  const int left = chartRect.Left + fw;
  const int right = chartRect.Right - fw;
  int top, bottom;
  if (atTop) {
    top = chartRect.Top + fw;
    bottom = top + lines * lh;
  } else {
    bottom = chartRect.Bottom - fw;
    top = bottom - lines * lh;
  }
  titleRect_ = TRect{left, top, right, bottom}.Inflated(fw, fw);

  if (frame_.Visible())
    canvas.SelectPen(frame_);
  else
    canvas.Pen().SetStyle(psClear);

  const int wWidth = canvas.TextWidth("W");
  if (frame_.Visible() || canvas.Brush().Style() != bsClear) {
    if (adjustFrame_) {
      int widest = 0;
      for (const std::string& line : text_) widest = std::max(widest, canvas.TextWidth(line));
      const int width = widest + wWidth;
      switch (alignment_) {
        case taLeftJustify:
          titleRect_.Right = titleRect_.Left + width;
          break;
        case taRightJustify:
          titleRect_.Left = titleRect_.Right - width;
          break;
        case taCenter: {
          const int centre = (titleRect_.Left + titleRect_.Right) / 2;
          titleRect_.Left = centre - width / 2;
          titleRect_.Right = titleRect_.Left + width;
          break;
        }
      }
    }
    canvas.Rectangle(titleRect_.Left, titleRect_.Top, titleRect_.Right, titleRect_.Bottom);
  }

  canvas.SetBackgroundMode(TRANSPARENT);
  canvas.SetTextAlign(TA_LEFT | TA_TOP);
  const auto lineX = [&](const std::string& line) {
    switch (alignment_) {
      case taLeftJustify:
        return left + wWidth / 2;
      case taRightJustify:
        return right - canvas.TextWidth(line) - wWidth / 2;
      case taCenter:
        break;
    }
    return (left + right) / 2 - canvas.TextWidth(line) / 2;
  };
  if (atTop) {
    for (const std::string& line : text_) {
      canvas.TextOut(lineX(line), top, line);
      top += lh;
    }
  } else {
    for (auto line = text_.rbegin(); line != text_.rend(); ++line) {
      canvas.TextOut(lineX(*line), bottom - lh, *line);
      bottom -= lh;
    }
  }

  if (lines == 0 && !frame_.Visible()) return;
  TRect shrunk = chart_->ChartRect();
  const int frameGap = frame_.Visible() ? fw : 0;
  if (atTop)
    shrunk.Top = top + frameGap + kTitleGap;
  else
    shrunk.Bottom = bottom - frameGap - kTitleGap;
  chart_->SetChartRect(shrunk);
  chart_->RecalcChartRectSize();
}

}  // namespace halvorn
