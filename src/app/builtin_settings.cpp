#include "app/builtin_settings.h"

#include "settings/settings_keys.h"

#include <optional>

namespace calorix::app {

TChildSettings BuiltInChildSettings() {
  // Every key missing, as in a settings file that has never been written;
  // the key table then supplies its defaults.
  SettingsValues values;
  for (const SettingsKey& key : SettingsKeys()) LoadKey(key, std::nullopt, {}, values);
  return values.Defaults;
}

}  // namespace calorix::app
