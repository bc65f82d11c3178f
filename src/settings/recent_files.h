#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/profile_file.h"

namespace calorix {

// One entry of the File menu's recent files: a day file, or a range from
// a first to a last day file.
struct RecentEntry {
  std::string first;
  std::string last;  // empty for a single day file
  bool IsRange() const { return !last.empty(); }
  friend bool operator==(const RecentEntry&, const RecentEntry&) = default;
};

inline constexpr int kRecentCount = 5;
// The section of the settings file the list lives in. Calorix's own: files
// that other programs wrote, without it, read as an empty list.
inline constexpr std::string_view kRecentSection = "Recent";

// The list with entry on top: an equal entry further down moves up, and
// the oldest fall off beyond five.
std::vector<RecentEntry> WithRecent(std::vector<RecentEntry> list, const RecentEntry& entry);

// The list without the entries whose files are gone (exists tells), and
// the paths that were missing, for the message.
struct RecentCheck {
  std::vector<RecentEntry> kept;
  std::vector<std::string> missing;
};
RecentCheck WithoutMissing(const std::vector<RecentEntry>& list, const std::function<bool(const std::string&)>& exists);

// The menu text of the entry at index (0-based): "&1 path" for a file,
// "&2 first – last" for a range. An "&" in a path is doubled so that it
// shows as itself.
std::string RecentMenuText(const RecentEntry& entry, int index);

// Whether the settings file gives the path back exactly: well-formed UTF-8
// on one line (no CR or LF) of at most 2047 bytes. Blanks and quotes around
// it are kept (the value is put in quotes where the file would drop them).
bool IsStorableRecentPath(std::string_view path);

// The list as stored: keys File1..File5 with the (first) file and Last1..
// Last5 with the last file of a range, empty where there is none. Reading
// skips empty slots.
std::vector<RecentEntry> ReadRecentFiles(ProfileAccess& profile);
// Writes all ten keys in one group, so that a failure leaves the old list
// whole; entries with a path that cannot be stored are left out. False when
// the write failed.
[[nodiscard]] bool WriteRecentFiles(ProfileAccess& profile, const std::vector<RecentEntry>& list);

}  // namespace calorix
