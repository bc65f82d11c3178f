// What a user waits for after pressing Analyse on a year of per-minute day
// files in yyyy/mm folders: from the click to the first day shown, through
// the multi-day dialog (which lets events through between files, so that
// its progress bar moves and Esc can abort); and the same work without the
// dialog, the load alone, into the same window. Both include finding the
// files and painting the window afterwards. The dialog should cost at most
// 10 % over the load alone.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <string>

#include "dialogs/scripted_dialogs.h"
#include "logdata/multi_day.h"
#include "settings/ini_settings.h"
#include "tools/log_generator.h"
#include "ui/child_form.h"
#include "ui/dialog_multi_day.h"

namespace calorix::ui {
namespace {

const std::filesystem::path& YearFolder() {
  static const std::filesystem::path dir = [] {
    const auto folder = std::filesystem::temp_directory_path() / "calorix-bench-ui-year";
    if (!std::filesystem::exists(folder / "2023" / "12" / "20231231.csv")) {
      loggen::WriteDays({2023, 1, 1}, {2023, 12, 31}, folder, loggen::FolderLayout::Year, {});
    }
    return folder;
  }();
  return dir;
}

std::string First() { return (YearFolder() / "2023/01/20230101.csv").string(); }
std::string Last() { return (YearFolder() / "2023/12/20231231.csv").string(); }

// One evaluation window as the main window makes it, and the dialog.
class Setting {
 public:
  Setting() : window_(dialogs_), dialog_(dialogs_) {
    window_.setAttribute(Qt::WA_DeleteOnClose, false);
    const auto ini = std::filesystem::temp_directory_path() / "calorix-bench-ui-none.ini";
    window_.ApplySettings(TIniSettings(ini, "/tmp").GetChildSettings());
    window_.resize(1600, 900);
    window_.show();
    QApplication::processEvents();
  }

  // An empty window and a freshly shown dialog holding the year's paths.
  void Prepare() {
    window_.CancelMultiDayEvaluation();
    dialog_.hide();
    dialog_.PrepareAnalysis(&window_, YearFolder().string());
    dialog_.show();
    dialog_.findChild<QLineEdit*>("PathFrom")->setText(QString::fromStdString(First()));
    dialog_.findChild<QLineEdit*>("PathTo")->setText(QString::fromStdString(Last()));
    QApplication::processEvents();
  }

  void Execute() { dialog_.findChild<QPushButton*>("ExecuteBtn")->click(); }

  void LoadAlone() {
    const auto request = logdata::ResolveMultiDayRequest(First(), Last());
    logdata::RunMultiDayLoad(request.files, request.start, request.end, window_, {});
  }

  bool Loaded() { return window_.HasEvaluation() && dialogs_.Messages().empty(); }

 private:
  ScriptedDialogs dialogs_;
  TChildform window_;
  TDialogMultiDayAnalysis dialog_;
};

Setting& TheSetting() {
  static Setting* setting = new Setting;
  return *setting;
}

// One run: the window emptied and the dialog prepared untimed, then the
// timed work and the paint of the first day.
void TimeYear(benchmark::State& state, void (Setting::*work)()) {
  Setting& setting = TheSetting();
  YearFolder();
  for (auto _ : state) {
    state.PauseTiming();
    setting.Prepare();
    state.ResumeTiming();
    (setting.*work)();
    QApplication::processEvents();
  }
  if (!setting.Loaded()) state.SkipWithError("the year did not load");
}

void BM_YearFromExecuteToFirstDayShown(benchmark::State& state) { TimeYear(state, &Setting::Execute); }
BENCHMARK(BM_YearFromExecuteToFirstDayShown)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(8);

void BM_YearLoadAlone(benchmark::State& state) { TimeYear(state, &Setting::LoadAlone); }
BENCHMARK(BM_YearLoadAlone)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(8);

}  // namespace
}  // namespace calorix::ui
