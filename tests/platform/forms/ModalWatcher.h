#pragma once
// Closes the modal dialogs that appear while it exists, recording what each
// showed. It looks from a zero-interval timer, which runs inside the
// dialog's own message loop, so no test waits for a dialog by time.

#include <QMessageBox>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <vector>

namespace halvorn::testing {

struct SeenDialog {
  QString caption;
  QString text;
  bool isMessageBox = false;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  bool hasIconPixmap = false;
  bool wordWrap = false;
  QStringList buttons;
  QRect frame;
  QWidget* owner = nullptr;
};

class ModalWatcher {
 public:
  ModalWatcher();
  ~ModalWatcher();
  ModalWatcher(const ModalWatcher&) = delete;
  ModalWatcher& operator=(const ModalWatcher&) = delete;

  const std::vector<SeenDialog>& Seen() const { return seen_; }

 private:
  void Look();

  QTimer timer_;
  std::vector<SeenDialog> seen_;
};

}  // namespace halvorn::testing
