#pragma once

#include <functional>
#include <vector>

class QMainWindow;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QObject;

namespace calorix {
class Dialogs;
namespace ui {
class TChildform;
}
}  // namespace calorix

namespace calorix::app {

// The evaluation windows in the main window's frame: creating them, finding
// the one that receives a new evaluation, closing and arranging them.
class MdiWindows {
 public:
  // The frame becomes frame's central widget. closeFilter watches every
  // window's close requests; changed runs whenever the windows or what
  // they show change.
  MdiWindows(QMainWindow& frame, Dialogs& dialogs, QObject& closeFilter, std::function<void()> changed);

  // Prepares a new window before it shows (its settings and dialogs).
  void SetNewWindowSetup(std::function<void(ui::TChildform&)> setup) { setup_ = std::move(setup); }

  QMdiArea* Area() const { return mdi_; }
  // The frame keeps a current window also while the application is in the
  // background; failing that, the one last activated.
  QMdiSubWindow* ActiveSubWindow() const;
  ui::TChildform* ActiveChild() const;
  std::vector<ui::TChildform*> Children() const;
  int Count() const;

  // A new evaluation window, active; throws when it cannot be made.
  ui::TChildform* Create(bool maximized);
  // The window that receives a new evaluation: the active one if it is
  // empty, else a new one while fewer than three exist, else the active one
  // after the user agreed to lose its evaluation (null when declined).
  ui::TChildform* FindTarget();

  // Brings child's window to the front, restored if it was minimised.
  void Activate(ui::TChildform* child);

  void Close(ui::TChildform* child);
  void CloseActive();
  // Closes every window at once, as the program ends.
  void CloseAll();
  // While CloseAll runs, the active window and the count are in flux.
  bool IsClosingAll() const { return closingAll_; }

  void Cascade();
  // One window above the other, each across the full width.
  void TileHorizontal();
  void MinimizeAll();
  // Lists the windows at the end of the Window menu, the active one checked.
  void ListIn(QMenu* windowMenu);

 private:
  Dialogs& dialogs_;
  QObject& closeFilter_;
  std::function<void()> changed_;
  std::function<void(ui::TChildform&)> setup_;
  QMdiArea* mdi_ = nullptr;
  bool closingAll_ = false;
};

}  // namespace calorix::app
