#include "platform/forms/Form.h"

#include <QCloseEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>
#include <QWidget>
#include <algorithm>

#include "platform/forms/Application.h"
#include "platform/forms/QtBridge.h"

namespace halvorn {

// The window of a form, reporting its closing to the form.
class TFormWindow : public QWidget {
 public:
  TFormWindow() = default;
  void SetForm(TForm* form) { form_ = form; }

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->accept();
    Dispatch([this] { form_->WindowClosed(); });
  }
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    form_->WindowResized(event->size().width(), event->size().height());
  }

 private:
  TForm* form_ = nullptr;
};

TForm::TForm(TComponent* owner) : TWinControl(owner, new TFormWindow, /*takesFocusOnClick=*/false) {
  static_cast<TFormWindow*>(Widget())->SetForm(this);
  StoreVisible(false);
  SetParentColor(false);
  Initialize(nullptr);
}

void TForm::BringToFront() {
  Widget()->raise();
  Widget()->activateWindow();
}

void TForm::AddShortcut(const std::string& keys, std::function<void()> handler) {
  auto* shortcut = new QShortcut(QKeySequence(ToQString(keys)), Widget());
  QObject::connect(shortcut, &QShortcut::activated, shortcut,
                   [handler = std::move(handler)] { Dispatch(handler); });
}

TForm::~TForm() {
  DestroyComponents();
  if (TApplication* app = Application()) app->FormDestroyed(this);
}

void TForm::SetCaption(const std::string& caption) {
  caption_ = caption;
  Widget()->setWindowTitle(ToQString(caption_));
}

TWindowState TForm::WindowState() const {
  if (!Widget()->isVisible()) return windowState_;
  const Qt::WindowStates state = Widget()->windowState();
  if (state & Qt::WindowMinimized) return wsMinimized;
  if (state & Qt::WindowMaximized) return wsMaximized;
  return wsNormal;
}

void TForm::SetWindowState(TWindowState state) {
  windowState_ = state;
  ApplyVisible();
}

void TForm::Close() { Widget()->close(); }

void TForm::SetMinimumSize(int width, int height) {
  Widget()->setMinimumSize(width, height);
  if (Width() < width || Height() < height)
    SetBounds(Left(), Top(), std::max(Width(), width), std::max(Height(), height));
}

void TForm::WindowResized(int width, int height) {
  // Only a form that lays itself out anew follows the window's size; a
  // maximised or minimised one keeps its bounds for when it is restored.
  if (!OnResize || Widget()->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)) return;
  StoreSize(width, height);
  // The program's own SetBounds stores the size before the window reports
  // it: what counts is a size not yet laid out.
  if (laidOut_ == TSize{width, height}) return;
  laidOut_ = TSize{width, height};
  Dispatch(OnResize);
}

void TForm::WindowClosed() {
  StoreVisible(false);
  TApplication* app = Application();
  if (app && app->MainForm() == this) app->Terminate();
}

void TForm::ApplyBounds() {
  Widget()->move(Left(), Top());
  Widget()->resize(Width(), Height());
}

void TForm::ApplyVisible() {
  if (!Visible()) {
    Widget()->hide();
    return;
  }
  QWidget* window = Widget();
  switch (windowState_) {
    case wsNormal:
      window->showNormal();
      ApplyBounds();
      break;
    case wsMinimized:
      window->showMinimized();
      break;
    case wsMaximized:
      // Where no window manager maximises the window (a bare X server), it
      // still fills the screen.
      if (const QScreen* screen = window->screen())
        window->setGeometry(screen->availableGeometry());
      window->showMaximized();
      break;
  }
}

}  // namespace halvorn
