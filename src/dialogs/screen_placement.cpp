#include "dialogs/screen_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace calorix {
namespace {

QScreen* ScreenOf(const QWidget& dialog) {
  const QWidget* owner = dialog.parentWidget();
  if (owner != nullptr && owner->screen() != nullptr) return owner->screen();
  return QGuiApplication::primaryScreen();
}

// Moving the dialog while it receives its show event places it before it is
// mapped, and keeps QDialog from centring it on its owner instead.
class CenterOnShowFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
      auto* dialog = static_cast<QWidget*>(watched);
      if (const QScreen* screen = ScreenOf(*dialog)) {
        dialog->move(CenteredTopLeft(screen->geometry(), dialog->frameGeometry().size()));
      }
    }
    return false;
  }
};

}  // namespace

QPoint CenteredTopLeft(const QRect& screen, const QSize& window) {
  return {screen.x() + (screen.width() - window.width()) / 2, screen.y() + (screen.height() - window.height()) / 2};
}

void CenterOnScreen(QWidget& dialog) { dialog.installEventFilter(new CenterOnShowFilter(&dialog)); }

int GetScreenDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? qRound(screen->logicalDotsPerInchY()) : 96;
}

}  // namespace calorix
