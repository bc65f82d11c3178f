#include "app/builtin_settings.h"

#include "settings/settings_keys.h"

namespace calorix::app {

// Every key missing, as in a settings file that has never been written; the
// key table then supplies its defaults.
TChildSettings BuiltInChildSettings() { return DefaultChildSettings(); }

}  // namespace calorix::app
