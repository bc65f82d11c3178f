#include "app/file_opener.h"

#include "app/drop_rules.h"
#include "app/window_rules.h"
#include "app/mdi_windows.h"
#include "app/recent_files_menu.h"
#include "core/error.h"
#include "core/utf8_path.h"
#include "dialogs/dialogs.h"
#include "i18n/text_table.h"
#include "logdata/multi_day.h"
#include "settings/ini_settings.h"
#include "ui/child_form.h"
#include "ui/dialog_multi_day.h"
#include "ui/range_load.h"

#include <QDir>
#include <QPointer>

#include <filesystem>
#include <optional>
#include <string_view>

namespace calorix::app {
namespace {

namespace fs = std::filesystem;

constexpr int kTextOneDayOnly = 93;

// Two names of one file: the same text, or the same file on disk.
bool SameFile(const std::string& a, const std::string& b) {
  if (a == b) return true;
  if (a.empty() || b.empty()) return false;
  std::error_code error;
  return fs::equivalent(PathFromUtf8(a), PathFromUtf8(b), error);
}

bool IsExistingFolder(const std::string& folder) {
  if (folder.empty()) return false;
  std::error_code error;
  return fs::is_directory(PathFromUtf8(folder), error);
}

}  // namespace

std::string HomeDialogFolder() { return NativeSeparators(QDir::homePath().toStdString() + "/"); }

FileOpener::FileOpener(Dialogs& dialogs, MdiWindows& windows, RecentFilesMenu& recent, OpenerHost host)
    : dialogs_(dialogs), windows_(windows), recent_(recent), host_(std::move(host)) {}

std::optional<FileOpener::ChosenFile> FileOpener::AskForLogFile() {
  TMainSettings main;
  std::string initialFolder = HomeDialogFolder();
  if (TIniSettings* store = host_.store()) {
    main = store->GetMainSettings();
    if (IsExistingFolder(main.LastUsedDir)) initialFolder = main.LastUsedDir;
  }
  const auto fileName = dialogs_.ExecuteFileDialog("", host_.owner, LogFileFilter(), true, "CSV", initialFolder);
  if (!fileName) return std::nullopt;
  return ChosenFile{*fileName, main.Language};
}

void FileOpener::OpenWithDialog() {
  if (const auto chosen = AskForLogFile()) OpenChosenFile(chosen->path, chosen->language);
}

void FileOpener::OpenFile(const std::string& path) {
  TIniSettings* store = host_.store();
  OpenChosenFile(path, store ? store->GetMainSettings().Language : std::int8_t{0});
}

void FileOpener::OpenFiles(const std::vector<std::string>& paths) {
  host_.run(host_.firstActivation);
  for (const std::string& path : paths) host_.run([this, &path] { OpenFile(path); });
}

void FileOpener::RememberingFolder(const std::string& path, std::int8_t language, const std::function<void()>& open) {
  // The folder not being remembered is no reason not to open the file: the
  // failure is reported once, after the opening.
  std::string storeFailure;
  if (TIniSettings* store = host_.store()) {
    try {
      store->SetMainSettings(language, FolderOfChosenFile(path));
    } catch (const std::exception& error) {
      storeFailure = error.what();
    }
  }
  const auto reportStoreFailure = [&] {
    if (!storeFailure.empty()) dialogs_.ShowError(host_.owner, storeFailure);
  };
  try {
    open();
  } catch (...) {
    reportStoreFailure();
    throw;
  }
  reportStoreFailure();
}

void FileOpener::OpenChosenFile(const std::string& chosen, std::int8_t language) {
  const std::string path = NativeSeparators(chosen);
  RememberingFolder(path, language, [&] {
    const RecentEntry source{path, ""};
    if (ui::TChildform* shown = WindowShowing(source)) {
      windows_.Activate(shown);
      Reload(*shown);
      recent_.Remember(source, host_.store());
    } else if (ui::TChildform* target = windows_.FindTarget()) {
      target->LoadFile(PathFromUtf8(path));
      target->SetSource(source);
      recent_.Remember(source, host_.store());
    }
  });
}

void FileOpener::FollowWithDialog() {
  if (const auto chosen = AskForLogFile()) FollowChosen(chosen->path, chosen->language);
}

void FileOpener::Follow(const std::string& path) {
  host_.run(host_.firstActivation);
  host_.run([this, &path] {
    TIniSettings* store = host_.store();
    FollowChosen(path, store ? store->GetMainSettings().Language : std::int8_t{0});
  });
}

void FileOpener::FollowChosen(const std::string& chosen, std::int8_t language) {
  const std::string path = NativeSeparators(chosen);
  std::string file = path;
  if (IsExistingFolder(path)) {
    const std::optional<fs::path> newest = logdata::NewestDayFileIn(PathFromUtf8(path));
    if (!newest) throw Error(i18n::Text(i18n::kTextNoFilesFound) + "\n\n" + path);
    file = Utf8Of(*newest);
  }
  RememberingFolder(file, language, [&] {
    if (ui::TChildform* shown = WindowFollowing(file)) {
      windows_.Activate(shown);
      return;
    }
    ui::TChildform* target = windows_.FindTarget();
    if (!target) return;
    const RecentEntry source{file, ""};
    target->Follow(PathFromUtf8(file));
    target->SetSource(source);
    recent_.Remember(source, host_.store());
  });
}

ui::TChildform* FileOpener::WindowFollowing(const std::string& file) const {
  for (ui::TChildform* child : windows_.Children()) {
    const std::vector<fs::path> followed = child->Model().FollowedFiles();
    if (!followed.empty()) {
      if (SameFile(Utf8Of(followed.front()), file)) return child;
    }
  }
  return nullptr;
}

void FileOpener::ChooseRange(const std::vector<std::string>& proposed) {
  TMainSettings main;
  std::string folder;
  TIniSettings* store = host_.store();
  if (store) {
    main = store->GetMainSettings();
    folder = main.LastUsedDir;
  }
  ui::TChildform* target = windows_.FindTarget();
  if (!target) return;
  const QPointer<ui::TChildform> chosen(target);
  multiDay_->PrepareAnalysis(target, folder);
  if (proposed.size() == 2) multiDay_->ProposeRange(proposed[0], proposed[1]);
  if (multiDay_->exec() == QDialog::Rejected) {
    if (chosen && !chosen->HasEvaluation()) windows_.Close(chosen);
    return;
  }
  // The range shows in front, not behind the window the user had open.
  if (chosen && chosen->HasEvaluation()) windows_.Activate(chosen);
  if (store) store->SetMainSettings(main.Language, NativeSeparators(multiDay_->GetLastDir()));
  if (chosen && chosen->HasEvaluation()) {
    const auto [typedFirst, typedLast] = multiDay_->ChosenRange();
    const std::string first = NativeSeparators(typedFirst);
    const std::string last = NativeSeparators(typedLast);
    const RecentEntry source = first == last ? RecentEntry{first, ""} : RecentEntry{first, last};
    chosen->SetSource(source);
    recent_.Remember(source, host_.store());
  }
}

void FileOpener::OpenRange(const std::string& first, const std::string& last) {
  host_.run(host_.firstActivation);
  host_.run([this, &first, &last] { LoadRange(first, last); });
}

void FileOpener::LoadRange(const std::string& typedFirst, const std::string& typedLast) {
  const std::string first = NativeSeparators(typedFirst);
  const std::string last = NativeSeparators(typedLast);
  // Checked before a window is chosen, so that a wrong range leaves none
  // behind.
  const logdata::MultiDayRequest request = logdata::ResolveMultiDayRequest(first, last);
  const bool singleDay = request.kind == logdata::MultiDayRequest::Kind::SingleDay;
  const RecentEntry source = singleDay ? RecentEntry{first, ""} : RecentEntry{first, last};
  if (ui::TChildform* shown = WindowShowing(source)) {
    windows_.Activate(shown);
    Reload(*shown);
  } else {
    ui::TChildform* target = windows_.FindTarget();
    if (!target) return;
    if (singleDay) {
      target->LoadFile(request.files.front());
      dialogs_.ShowInformation(host_.owner, i18n::Text(kTextOneDayOnly));
    } else if (!LoadRangeInto(*target, request)) {
      return;
    }
    target->SetSource(source);
    windows_.Activate(target);
  }
  recent_.Remember(source, host_.store());
  if (TIniSettings* store = host_.store()) {
    store->SetMainSettings(store->GetMainSettings().Language, FolderOfChosenFile(first));
  }
}

bool FileOpener::LoadRangeInto(ui::TChildform& target, const logdata::MultiDayRequest& request) {
  const ui::RangeLoadResult result = ui::LoadRange(target, request.files, request.start, request.end);
  if (!result.failureMessage.empty()) dialogs_.ShowError(host_.owner, result.failureMessage);
  ui::ShowRangeWarnings(dialogs_, host_.owner, result);
  return !result.nothingLoaded;
}

ui::TChildform* FileOpener::WindowShowing(const RecentEntry& source) const {
  for (ui::TChildform* child : windows_.Children()) {
    const RecentEntry& shown = child->Source();
    if (child->HasEvaluation() && SameFile(shown.first, source.first) && shown.IsRange() == source.IsRange() &&
        (!source.IsRange() || SameFile(shown.last, source.last))) {
      return child;
    }
  }
  return nullptr;
}

void FileOpener::ReloadActive() {
  ui::TChildform* child = windows_.ActiveChild();
  if (child && child->HasEvaluation() && !child->Source().first.empty()) Reload(*child);
}

void FileOpener::Reload(ui::TChildform& child) {
  const RecentEntry source = child.Source();
  const evaluation::HeldView held = child.HoldView();
  if (child.IsFollowing()) {
    // Following starts again from the first followed day.
    child.Follow(child.Model().FollowedFiles().front());
  } else if (source.IsRange()) {
    if (!LoadRangeInto(child, logdata::ResolveMultiDayRequest(source.first, source.last))) return;
  } else {
    child.LoadFile(PathFromUtf8(source.first));
  }
  child.SetSource(source);
  child.RestoreView(held);
}

void FileOpener::OpenDropped(const std::vector<std::string>& paths) {
  std::vector<fs::path> dropped;
  for (const std::string& path : paths) dropped.push_back(PathFromUtf8(NativeSeparators(path)));
  const DropPlan plan = PlanDrop(dropped);
  std::vector<std::string> files;
  for (const fs::path& file : plan.files) files.push_back(Utf8Of(file));
  switch (plan.kind) {
    case DropPlan::Kind::OpenFiles: OpenFiles(files); break;
    case DropPlan::Kind::OpenRange: OpenRange(files[0], files[1]); break;
    case DropPlan::Kind::OfferRange:
      host_.run(host_.firstActivation);
      host_.run([this, &files] { ChooseRange(files); });
      break;
    case DropPlan::Kind::NoDayFiles:
      dialogs_.ShowError(host_.owner, i18n::Text(i18n::kTextNoFilesFound) + "\n\n" + files[0]);
      break;
    case DropPlan::Kind::Nothing: break;
  }
}

void FileOpener::OpenRecent(int index) {
  const auto entry = recent_.Available(index, host_.store());
  if (!entry) return;
  if (entry->IsRange()) {
    OpenRange(entry->first, entry->last);
  } else {
    OpenFiles({entry->first});
  }
}

}  // namespace calorix::app
