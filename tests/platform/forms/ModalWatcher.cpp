#include "ModalWatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace halvorn::testing {

ModalWatcher::ModalWatcher() {
  QObject::connect(&timer_, &QTimer::timeout, [this] { Look(); });
  timer_.start(0);
}

ModalWatcher::~ModalWatcher() { timer_.stop(); }

void ModalWatcher::Look() {
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal || !modal->isVisible()) return;
  SeenDialog seen;
  seen.caption = modal->windowTitle();
  seen.frame = modal->frameGeometry();
  seen.owner = modal->parentWidget();
  for (const QLabel* label : modal->findChildren<QLabel*>()) {
    if (!label->pixmap().isNull()) seen.hasIconPixmap = true;
    if (!label->text().isEmpty() && seen.text.isEmpty()) {
      seen.text = label->text();
      seen.wordWrap = label->wordWrap();
    }
  }
  if (auto* box = qobject_cast<QMessageBox*>(modal)) {
    seen.isMessageBox = true;
    seen.icon = box->icon();
    seen.text = box->text();
  }
  const QList<QPushButton*> buttons = modal->findChildren<QPushButton*>();
  for (const QPushButton* button : buttons) seen.buttons << button->text();
  seen_.push_back(seen);
  if (!buttons.isEmpty())
    buttons.front()->click();
  else
    modal->close();
}

}  // namespace halvorn::testing
