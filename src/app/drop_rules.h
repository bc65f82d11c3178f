#pragma once

#include <filesystem>
#include <optional>
#include <utility>
#include <vector>

namespace calorix::app {

// What dropping files or a folder on the main window does.
struct DropPlan {
  enum class Kind {
    Nothing,     // nothing usable was dropped
    OpenFiles,   // open each file as the Open command does
    OpenRange,   // open files[0]..files[1] as the multi-day command does
    OfferRange,  // show the multi-day dialog with files[0] and files[1] filled in
    NoDayFiles,  // a folder without day files: say so
  };
  Kind kind = Kind::Nothing;
  std::vector<std::filesystem::path> files;
  friend bool operator==(const DropPlan&, const DropPlan&) = default;
};

// A day file's name: yyyymmdd.csv (the extension in any case).
bool IsDayFileName(const std::filesystem::path& path);

// The earliest and the latest day file in a folder laid out as a range is
// (all in the folder, in month folders "mm", or in "yyyy/mm" folders), by
// the dates of their names; nothing when there is none.
std::optional<std::pair<std::filesystem::path, std::filesystem::path>> DayFileSpan(const std::filesystem::path& folder);

// Whether two day files can be the ends of one range: in the same folder,
// or in month folders ("mm") of one folder, or in "yyyy/mm" folders of one
// folder.
bool InOneFolderTree(const std::filesystem::path& a, const std::filesystem::path& b);

// One file opens; two day files of one folder tree open as the range
// between them, the earlier name first; a folder alone offers its first
// and last day file as the range; anything else opens file by file
// (folders among several items are left out).
DropPlan PlanDrop(const std::vector<std::filesystem::path>& paths);

}  // namespace calorix::app
