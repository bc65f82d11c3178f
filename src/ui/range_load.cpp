#include "ui/range_load.h"

#include <algorithm>

#include "core/scope_guard.h"
#include "dialogs/dialogs.h"
#include "ui/child_form.h"
#include "ui/multi_day_rules.h"

namespace calorix::ui {
namespace {

// The window as the load's target, except that a load in which every file
// failed drops the evaluation instead of ending it: a range of months
// without a single day has nothing to show, and ending it would fail.
class WindowTarget : public logdata::MultiDayTarget {
 public:
  explicit WindowTarget(TChildform& window) : window_(window) {}

  void Begin(unsigned count, const std::filesystem::path& first, DateTime start, DateTime end) override {
    window_.Begin(count, first, start, end);
  }
  void Add(const std::filesystem::path& path) override { window_.Add(path); }
  void AddPrepared(logdata::PreparedDayFile&& prepared) override { window_.AddPrepared(std::move(prepared)); }
  logdata::PreparationPanels PanelsForPreparation() const override { return window_.PanelsForPreparation(); }
  void Cancel() override { window_.Cancel(); }
  void End() override {
    nothingLoaded_ = window_.Model().Snapshot().load.DayCount() == 0;
    if (nothingLoaded_) {
      window_.Cancel();
    } else {
      window_.End();
    }
  }
  bool NothingLoaded() const { return nothingLoaded_; }

 private:
  TChildform& window_;
  bool nothingLoaded_ = false;
};

}  // namespace

RangeLoadResult LoadRange(TChildform& window, const std::vector<std::filesystem::path>& files, DateTime start,
                          DateTime end, const RangeLoadCallbacks& callbacks) {
  FailedFiles failed;
  // The load reports a file's failure before its progress step, so the last
  // position reported is the index of the file that failed.
  int handled = 0;
  const auto fileFailed = [&](const std::string& message) {
    if (files.empty()) return;
    failed.Add(files[std::min(static_cast<std::size_t>(handled), files.size() - 1)], message);
  };
  std::vector<std::string> warnings;
  window.SetFileFailureHandler(fileFailed);
  window.SetWarningHandler([&warnings](const std::string& warning) { warnings.push_back(warning); });
  const ScopeGuard detach([&window] {
    window.SetFileFailureHandler({});
    window.SetWarningHandler({});
  });

  logdata::MultiDayLoadCallbacks load;
  load.progress = [&](int position, int maximum) {
    handled = position;
    if (callbacks.progress) callbacks.progress(position, maximum);
  };
  load.shouldAbort = callbacks.shouldAbort;
  load.fileFailed = fileFailed;

  WindowTarget target(window);
  RangeLoadResult result;
  result.outcome = logdata::RunMultiDayLoad(files, start, end, target, load);
  if (result.outcome == logdata::MultiDayLoadOutcome::Finished) {
    result.nothingLoaded = target.NothingLoaded() || !window.HasEvaluation();
    if (result.nothingLoaded || !failed.Empty()) result.failureMessage = failed.Message(result.nothingLoaded);
    if (!result.nothingLoaded) result.warningMessage = ListedWarnings(warnings);
  }
  return result;
}

void ShowRangeWarnings(Dialogs& dialogs, QWidget* owner, const RangeLoadResult& result) {
  if (result.warningMessage.empty()) return;
  dialogs.ShowMessage(owner, MessageKind::Warning, MessageButtons::Ok, MessageCaption(MessageKind::Warning),
                      result.warningMessage);
}

}  // namespace calorix::ui
