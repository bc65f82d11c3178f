#pragma once

#include "core/child_settings.h"

#include <vector>

class QWidget;

namespace calorix {
class Dialogs;
class TIniSettings;
namespace ui {
class TChildform;
class TDialogSettings;
}  // namespace ui
}  // namespace calorix

namespace calorix::app {

// The settings new evaluation windows start with: the store's when there is
// one, else held here (the built-in ones at first) until the program ends.
class HeldDefaults {
 public:
  HeldDefaults(Dialogs& dialogs, QWidget* owner);

  TChildSettings ForNewWindows(const TIniSettings* store) const;

  // Settings, New windows: edits the defaults in dialog, keeps them (in the
  // file when it can be written, else in memory) and offers them to the
  // open windows, saying whether they were saved.
  void Edit(ui::TDialogSettings& dialog, TIniSettings* store, const std::vector<ui::TChildform*>& windows);

  // Keeps new defaults; true when they were written to the settings file.
  // A store that refuses them is reported.
  bool Keep(const TChildSettings& settings, TIniSettings* store);

 private:
  Dialogs& dialogs_;
  QWidget* owner_;
  TChildSettings withoutStore_;
};

}  // namespace calorix::app
