#include "app/mdi_windows.h"

#include "app/window_rules.h"
#include "core/error.h"
#include "core/scope_guard.h"
#include "dialogs/dialogs.h"
#include "i18n/text_table.h"
#include "ui/child_form.h"
#include "ui/window_look.h"

#include <QAction>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include <algorithm>
#include <memory>
#include <new>

namespace calorix::app {
namespace {

ui::TChildform* ChildOf(const QMdiSubWindow* sub) {
  return sub ? qobject_cast<ui::TChildform*>(sub->widget()) : nullptr;
}

// A minimised window's title bar shows the child's short caption (the
// dates first), any other its whole caption.
void ShowTitle(QMdiSubWindow* sub) {
  if (const ui::TChildform* child = ChildOf(sub)) {
    sub->setWindowTitle(sub->isMinimized() ? child->windowIconText() : child->windowTitle());
  }
}

void ShowRestored(QMdiSubWindow* sub) {
  if (sub->isMinimized()) sub->showNormal();
}

}  // namespace

MdiWindows::MdiWindows(QMainWindow& frame, Dialogs& dialogs, QObject& closeFilter, std::function<void()> changed)
    : dialogs_(dialogs), closeFilter_(closeFilter), changed_(std::move(changed)) {
  mdi_ = new QMdiArea(&frame);
  mdi_->setBackground(ui::kPanelColor);
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  frame.setCentralWidget(mdi_);
}

QMdiSubWindow* MdiWindows::ActiveSubWindow() const {
  if (QMdiSubWindow* current = mdi_->currentSubWindow()) return current;
  const auto history = mdi_->subWindowList(QMdiArea::ActivationHistoryOrder);
  return history.isEmpty() ? nullptr : history.last();
}

ui::TChildform* MdiWindows::ActiveChild() const { return ChildOf(ActiveSubWindow()); }

std::vector<ui::TChildform*> MdiWindows::Children() const {
  std::vector<ui::TChildform*> children;
  for (const QMdiSubWindow* sub : mdi_->subWindowList()) {
    if (ui::TChildform* child = ChildOf(sub)) children.push_back(child);
  }
  return children;
}

int MdiWindows::Count() const { return static_cast<int>(mdi_->subWindowList().size()); }

ui::TChildform* MdiWindows::Create(bool maximized) {
  QMdiSubWindow* sub = nullptr;
  try {
    auto child = std::make_unique<ui::TChildform>(dialogs_);
    if (setup_) setup_(*child);
    sub = mdi_->addSubWindow(child.get());
    ui::TChildform* created = child.release();
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // The window's system menu would claim Ctrl+W (and more) as well, and a
    // key with two owners does nothing: the main window's commands own them.
    if (QMenu* menu = sub->systemMenu()) {
      for (QAction* action : menu->actions()) action->setShortcuts({});
    }
    sub->installEventFilter(&closeFilter_);
    // The frame copies the child's caption into the title bar first; these
    // run after it.
    QObject::connect(sub, &QMdiSubWindow::windowStateChanged, sub, [sub] { ShowTitle(sub); });
    QObject::connect(created, &QWidget::windowTitleChanged, sub, [sub] { ShowTitle(sub); });
    QObject::connect(created, &ui::TChildform::DisplayChanged, mdi_, [this] { changed_(); });
    // The frame has forgotten the window only once it is gone.
    QObject::connect(
        sub, &QObject::destroyed, mdi_, [this] { changed_(); }, Qt::QueuedConnection);
    if (maximized) {
      sub->showMaximized();
    } else {
      sub->resize(ui::kEvaluationWindowSize);
      sub->show();
    }
    mdi_->setActiveSubWindow(sub);
    return created;
  } catch (...) {
    delete sub;
    throw;
  }
}

ui::TChildform* MdiWindows::FindTarget() {
  QMdiSubWindow* active = ActiveSubWindow();
  const bool activeHoldsEvaluation = ChildOf(active) && ChildOf(active)->HasEvaluation();
  switch (ChooseTargetWindow(Count(), activeHoldsEvaluation)) {
    case TargetChoice::ActiveWindow: ShowRestored(active); return ChildOf(active);
    case TargetChoice::NewWindow: try { return Create(false);
      } catch (const std::bad_alloc&) {
        // Out of memory says nothing to the user; the window's other errors
        // say what went wrong themselves.
        throw Error(i18n::Text(i18n::kTextWindowNotCreated));
      }
    case TargetChoice::ActiveIfConfirmed:
      ShowRestored(active);
      mdi_->setActiveSubWindow(active);
      active->raise();
      if (!dialogs_.AskWarning(mdi_->window(), i18n::Text(i18n::kTextMaximumReached))) return nullptr;
      return ChildOf(active);
  }
  return nullptr;
}

void MdiWindows::Activate(ui::TChildform* child) {
  auto* sub = qobject_cast<QMdiSubWindow*>(child->parentWidget());
  if (!sub) return;
  ShowRestored(sub);
  mdi_->setActiveSubWindow(sub);
  sub->raise();
  // Focus set while the frame is inactive (a dialog is up or just closing)
  // is where the focus returns when it becomes active again.
  child->setFocus(Qt::OtherFocusReason);
}

void MdiWindows::Close(ui::TChildform* child) {
  if (auto* sub = qobject_cast<QMdiSubWindow*>(child->parentWidget())) {
    sub->close();
  } else {
    child->close();
  }
}

void MdiWindows::CloseActive() {
  if (QMdiSubWindow* active = ActiveSubWindow()) active->close();
}

void MdiWindows::CloseAll() {
  closingAll_ = true;
  const ScopeGuard reset([this] { closingAll_ = false; });
  for (auto list = mdi_->subWindowList(); !list.isEmpty(); list = mdi_->subWindowList()) {
    QMdiSubWindow* sub = list.first();
    sub->disconnect(mdi_);
    if (ui::TChildform* child = ChildOf(sub)) child->disconnect(mdi_);
    sub->close();
    delete sub;
  }
}

void MdiWindows::Cascade() { mdi_->cascadeSubWindows(); }

void MdiWindows::TileHorizontal() {
  // The front window goes on top; minimised windows stay where they lie.
  std::vector<QMdiSubWindow*> tiled;
  int iconHeight = 0;
  const auto stack = mdi_->subWindowList(QMdiArea::StackingOrder);
  for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
    if ((*it)->isMinimized()) {
      iconHeight = std::max(iconHeight, (*it)->height());
    } else {
      tiled.push_back(*it);
    }
  }
  const QRect area = mdi_->viewport()->rect().adjusted(0, 0, 0, -iconHeight);
  QSize minimum;
  for (QMdiSubWindow* sub : tiled) {
    QSize own = sub->minimumSizeHint().expandedTo(sub->minimumSize());
    // Each upper chart keeps a usable height: windows go side by side (or
    // overlap) rather than stack into slivers.
    if (const ui::TChildform* child = ChildOf(sub)) {
      own.setHeight(UsableWindowHeight(sub->height(), child->UpperChartHeight(), own.height()));
    }
    minimum = minimum.expandedTo(own);
  }
  // Bands too low for a window would cut off its navigation row.
  const std::vector<Tile> tiles =
      TileWindows(area.width(), area.height(), static_cast<int>(tiled.size()), minimum.width(), minimum.height());
  for (std::size_t i = 0; i < tiled.size(); ++i) {
    tiled[i]->showNormal();
    tiled[i]->setGeometry(area.left() + tiles[i].x, area.top() + tiles[i].y, tiles[i].width, tiles[i].height);
  }
}

void MdiWindows::MinimizeAll() {
  // Minimising the active window activates another one, which the frame
  // would maximise again if the windows were maximised.
  mdi_->setOption(QMdiArea::DontMaximizeSubWindowOnActivation, true);
  for (QMdiSubWindow* sub : mdi_->subWindowList()) sub->showMinimized();
  mdi_->setOption(QMdiArea::DontMaximizeSubWindowOnActivation, false);
}

void MdiWindows::ListIn(QMenu* windowMenu) {
  for (QAction* action : windowMenu->actions()) {
    if (action->property("windowEntry").toBool()) delete action;
  }
  const QList<QMdiSubWindow*> windows = mdi_->subWindowList();
  if (windows.isEmpty()) return;
  windowMenu->addSeparator()->setProperty("windowEntry", true);
  QMdiSubWindow* active = ActiveSubWindow();
  for (qsizetype i = 0; i < windows.size(); ++i) {
    QMdiSubWindow* sub = windows[i];
    QString title = sub->windowTitle();
    title.replace(u'&', QStringLiteral("&&"));
    QAction* entry = windowMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(title));
    entry->setProperty("windowEntry", true);
    entry->setCheckable(true);
    entry->setChecked(sub == active);
    QObject::connect(entry, &QAction::triggered, mdi_, [this, sub] {
      ShowRestored(sub);
      mdi_->setActiveSubWindow(sub);
    });
  }
}

}  // namespace calorix::app
