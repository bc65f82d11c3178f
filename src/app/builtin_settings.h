#pragma once

#include "core/child_settings.h"

namespace calorix::app {

// The settings a new evaluation window gets when there is no settings store:
// the same values a store reads from an empty settings file.
TChildSettings BuiltInChildSettings();

}  // namespace calorix::app
