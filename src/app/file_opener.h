#pragma once

#include "logdata/multi_day.h"
#include "settings/recent_files.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace calorix {
class Dialogs;
class TIniSettings;
namespace ui {
class TChildform;
class TDialogMultiDayAnalysis;
}  // namespace ui
}  // namespace calorix

namespace calorix::app {

class MdiWindows;
class RecentFilesMenu;

// The folder file dialogs start in while nothing is stored, with a
// trailing separator as the remembered folders have.
std::string HomeDialogFolder();

// What the ways of opening files use of the main window.
struct OpenerHost {
  QWidget* owner = nullptr;
  // The settings store, or null.
  std::function<TIniSettings*()> store;
  // Runs a command as the user's commands run (an error is shown).
  std::function<void(const std::function<void()>&)> run;
  // The first activation's start-up window, if it has not happened yet.
  std::function<void()> firstActivation;
};

// Every way a log file or a range comes into an evaluation window: the Open
// and Multi-day analysis commands, the command line, dropped files and the
// recent files. Each remembers the folder and the recent entry.
class FileOpener {
 public:
  FileOpener(Dialogs& dialogs, MdiWindows& windows, RecentFilesMenu& recent, OpenerHost host);

  void SetMultiDayDialog(ui::TDialogMultiDayAnalysis* dialog) { multiDay_ = dialog; }

  // Open: asks for a log file and opens it.
  void OpenWithDialog();
  // Opens a chosen log file: remembers its folder, picks the window for it
  // and loads it there.
  void OpenFile(const std::string& path);
  // Each file opens as with the Open command, into the start-up window
  // first. An error ends only that file's opening.
  void OpenFiles(const std::vector<std::string>& paths);

  // Multi-day analysis: picks the window for it, then lets the dialog load
  // the range there, its path fields at the remembered folder or at a
  // proposed first and last file. A cancelled dialog takes an empty target
  // window with it; any other end remembers the dialog's folder.
  void ChooseRange(const std::vector<std::string>& proposed);
  // A range loaded as the dialog would load it, without the dialog, into
  // the start-up window first.
  void OpenRange(const std::string& first, const std::string& last);

  // Follow today's log: asks for a day file as Open does and follows it.
  void FollowWithDialog();
  // Follows a day file as a logger writes it, or the newest day file of a
  // folder (the command line), in the window Open would choose, after the
  // start-up window; remembers its folder. A window that follows it
  // already is brought to the front.
  void Follow(const std::string& path);

  // Files or a folder dropped on the window, as PlanDrop says: one file
  // opens, two day files open their range, a folder offers its range in
  // the multi-day dialog.
  void OpenDropped(const std::vector<std::string>& paths);
  // Opens recent entry index as it was opened before; an entry whose files
  // are gone is taken off the list with a message naming them.
  void OpenRecent(int index);

  // Reload: the active window reads its day file or range again and shows
  // what it showed (span, position, zoom, ticked channels). A window that
  // already shows what is opened is activated and reloaded the same way
  // instead of taking another window.
  void ReloadActive();

 private:
  struct ChosenFile {
    std::string path;
    std::int8_t language = 0;  // stored with the file's folder
  };
  // The Open dialog at the remembered folder.
  std::optional<ChosenFile> AskForLogFile();
  // These take paths as given and keep them with the platform's separators
  // (the folder remembered, the recent entries, the window's source).
  void OpenChosenFile(const std::string& chosen, std::int8_t language);
  void FollowChosen(const std::string& chosen, std::int8_t language);
  // Remembers the folder of a chosen file, then runs open; a failure to
  // remember is reported after it.
  void RememberingFolder(const std::string& path, std::int8_t language, const std::function<void()>& open);
  void LoadRange(const std::string& typedFirst, const std::string& typedLast);
  // The window that follows from that day file, if any.
  ui::TChildform* WindowFollowing(const std::string& file) const;
  // The window whose evaluation came from source, if any.
  ui::TChildform* WindowShowing(const RecentEntry& source) const;
  void Reload(ui::TChildform& child);
  // Loads a range into target and reports its failures; whether a day
  // was loaded.
  bool LoadRangeInto(ui::TChildform& target, const logdata::MultiDayRequest& request);

  Dialogs& dialogs_;
  MdiWindows& windows_;
  RecentFilesMenu& recent_;
  OpenerHost host_;
  ui::TDialogMultiDayAnalysis* multiDay_ = nullptr;
};

}  // namespace calorix::app
