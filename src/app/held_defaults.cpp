#include "app/held_defaults.h"

#include "app/builtin_settings.h"
#include "dialogs/dialogs.h"
#include "i18n/text_table.h"
#include "settings/ini_settings.h"
#include "ui/child_form.h"
#include "ui/settings_dialog.h"

#include <exception>

namespace calorix::app {

HeldDefaults::HeldDefaults(Dialogs& dialogs, QWidget* owner)
    : dialogs_(dialogs), owner_(owner), withoutStore_(BuiltInChildSettings()) {}

TChildSettings HeldDefaults::ForNewWindows(const TIniSettings* store) const {
  return store ? store->GetChildSettings() : withoutStore_;
}

void HeldDefaults::Edit(ui::TDialogSettings& dialog, TIniSettings* store, const std::vector<ui::TChildform*>& windows) {
  dialog.SetValues(ForNewWindows(store));
  if (dialog.exec() != QDialog::Accepted) return;
  const TChildSettings settings = dialog.GetValues();
  const bool saved = Keep(settings, store);
  if (windows.empty()) return;
  // Say "saved" only when they were.
  const int question = saved ? i18n::kTextSettingsSaved : i18n::kTextSettingsNotSaved;
  if (!dialogs_.AskQuestion(owner_, i18n::Text(question))) return;
  for (ui::TChildform* window : windows) window->ApplySettings(settings);
}

bool HeldDefaults::Keep(const TChildSettings& settings, TIniSettings* store) {
  if (!store) {
    withoutStore_ = settings;
    return false;
  }
  // The store keeps them in memory also when it cannot write them.
  const bool writable = store->IsWritable();
  try {
    store->SetChildSettings(settings);
  } catch (const std::exception& error) {
    dialogs_.ShowError(owner_, error.what());
    return false;
  }
  return writable;
}

}  // namespace calorix::app
