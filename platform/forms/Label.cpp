#include "platform/forms/Label.h"

#include <QFontMetrics>
#include <QLabel>

#include "platform/forms/QtBridge.h"

namespace halvorn {

TLabel::TLabel(TComponent* owner, TWinControl* parent) : TControl(owner, new QLabel) {
  QLabel* label = Label();
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setMargin(0);
  label->setIndent(0);
  Initialize(parent);
  AdjustBounds();
}

QLabel* TLabel::Label() const { return static_cast<QLabel*>(Widget()); }

void TLabel::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Label()->setText(ToQString(caption_));
  AdjustBounds();
}

void TLabel::SetBounds(int left, int top, int width, int height) {
  TControl::SetBounds(left, top, width, height);
  AdjustBounds();
}

void TLabel::FontChanged() { AdjustBounds(); }

void TLabel::AdjustBounds() {
  // An empty caption measures as one space, so the label keeps a line's height.
  const QString text = caption_.empty() ? QStringLiteral(" ") : ToQString(caption_);
  const QSize size = QFontMetrics(ToQFont(Font())).size(Qt::TextExpandTabs, text);
  if (size.width() == Width() && size.height() == Height()) return;
  TControl::SetBounds(Left(), Top(), size.width(), size.height());
}

}  // namespace halvorn
