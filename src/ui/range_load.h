#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/date_time.h"
#include "logdata/multi_day.h"

class QWidget;

namespace calorix {
class Dialogs;
}

namespace calorix::ui {

class TChildform;

// What a load of a range into a window came to.
struct RangeLoadResult {
  logdata::MultiDayLoadOutcome outcome = logdata::MultiDayLoadOutcome::NoFiles;
  // Finished, but not one day could be loaded: the window is empty.
  bool nothingLoaded = false;
  // The one message about the files that failed; empty when none failed or
  // the load was aborted.
  std::string failureMessage;
  // The one message about the files that loaded only in part; empty when
  // every file was read to its end.
  std::string warningMessage;
};

struct RangeLoadCallbacks {
  std::function<void(int position, int maximum)> progress;
  std::function<bool()> shouldAbort;
};

// Loads the day files of a range into the window. Files that fail are
// gathered into one message instead of being shown one by one; a failing
// start throws, with the window left empty.
RangeLoadResult LoadRange(TChildform& window, const std::vector<std::filesystem::path>& files, DateTime start,
                          DateTime end, const RangeLoadCallbacks& callbacks = {});

// Shows a range's warnings about files read only in part, if any, in one
// warning box.
void ShowRangeWarnings(Dialogs& dialogs, QWidget* owner, const RangeLoadResult& result);

}  // namespace calorix::ui
