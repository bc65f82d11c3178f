#pragma once

#include "settings/recent_files.h"

#include <array>
#include <functional>
#include <optional>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace calorix {
class Dialogs;
class TIniSettings;
}  // namespace calorix

namespace calorix::app {

// The File menu's recent files: their five items before Exit, the list as
// the settings file holds it, a newly opened file or range on top.
class RecentFilesMenu {
 public:
  RecentFilesMenu(Dialogs& dialogs, QWidget* owner) : dialogs_(dialogs), owner_(owner) {}

  // Puts the items and their separator before `before`; choosing item i
  // runs open(i).
  void AddTo(QMenu* menu, QAction* before, const std::function<void(int)>& open);
  // The list as the store's file holds it (empty without a store).
  void Load(const TIniSettings* store);
  // Newest first.
  const std::vector<RecentEntry>& Entries() const { return entries_; }
  // Puts entry on top and writes the list while the store can write;
  // throws when that write fails.
  void Remember(const RecentEntry& entry, const TIniSettings* store);
  // Entry index when its files are all there; otherwise it is taken off the
  // list with a message naming the missing files.
  std::optional<RecentEntry> Available(int index, const TIniSettings* store);

 private:
  void Show();
  void Store(const TIniSettings* store) const;

  Dialogs& dialogs_;
  QWidget* owner_;
  std::vector<RecentEntry> entries_;
  std::array<QAction*, kRecentCount> items_{};
  QAction* separator_ = nullptr;
};

}  // namespace calorix::app
