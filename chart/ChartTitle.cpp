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

TRect TChartTitle::LinesRect(bool atTop, int lineHeight, int frameWidth) const {
  const TRect& chartRect = chart_->ChartRect();
  const int height = static_cast<int>(text_.size()) * lineHeight;
  TRect r{chartRect.Left + frameWidth, 0, chartRect.Right - frameWidth, 0};
  if (atTop) {
    r.Top = chartRect.Top + frameWidth;
    r.Bottom = r.Top + height;
  } else {
    r.Bottom = chartRect.Bottom - frameWidth;
    r.Top = r.Bottom - height;
  }
  return r;
}

void TChartTitle::DrawBox(TCanvas3D& canvas, int wWidth) {
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

int TChartTitle::WriteLines(TCanvas3D& canvas, const TRect& lines, bool atTop, int lineHeight,
                            int wWidth) const {
  canvas.SetBackgroundMode(TRANSPARENT);
  canvas.SetTextAlign(TA_LEFT | TA_TOP);
  const auto lineX = [&](const std::string& line) {
    switch (alignment_) {
      case taLeftJustify:
        return lines.Left + wWidth / 2;
      case taRightJustify:
        return lines.Right - canvas.TextWidth(line) - wWidth / 2;
      case taCenter:
        break;
    }
    return (lines.Left + lines.Right) / 2 - canvas.TextWidth(line) / 2;
  };
  // At the top from the first line down, at the bottom from the last up.
  if (atTop) {
    int y = lines.Top;
    for (const std::string& line : text_) {
      canvas.TextOut(lineX(line), y, line);
      y += lineHeight;
    }
    return y;
  }
  int y = lines.Bottom;
  for (auto line = text_.rbegin(); line != text_.rend(); ++line) {
    canvas.TextOut(lineX(*line), y - lineHeight, *line);
    y -= lineHeight;
  }
  return y;
}

void TChartTitle::Draw(bool atTop) {
  TChartCanvas3D& canvas = chart_->Canvas();
  SelectFont(canvas, Font());
  const int lh = canvas.TextLineHeight();
  SelectBackground();
  const int fw = frame_.Visible() && frame_.Color() != clAutoColor ? frame_.Width() : 0;
  const TRect lines = LinesRect(atTop, lh, fw);
  titleRect_ = lines.Inflated(fw, fw);
  if (frame_.Visible())
    canvas.SelectPen(frame_);
  else
    canvas.Pen().SetStyle(psClear);
  const int wWidth = canvas.TextWidth("W");
  if (frame_.Visible() || canvas.Brush().Style() != bsClear) DrawBox(canvas, wWidth);
  const int edge = WriteLines(canvas, lines, atTop, lh, wWidth);
  // No lines and no frame take no room.
  if (text_.empty() && !frame_.Visible()) return;
  TRect shrunk = chart_->ChartRect();
  if (atTop)
    shrunk.Top = edge + fw + kTitleGap;
  else
    shrunk.Bottom = edge - fw - kTitleGap;
  chart_->SetChartRect(shrunk);
  chart_->RecalcChartRectSize();
}

}  // namespace halvorn
