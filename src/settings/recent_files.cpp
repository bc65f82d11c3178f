#include "settings/recent_files.h"

#include "core/cp1252.h"
#include "settings/profile_text.h"

#include <algorithm>
#include <iterator>

namespace calorix {
namespace {

std::string Key(const char* name, int index) { return name + std::to_string(index + 1); }

std::string MenuEscaped(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    escaped += c;
    if (c == '&') escaped += '&';
  }
  return escaped;
}

// The file drops blanks around a value and one pair of quotes; a value
// that has either keeps them inside a pair of quotes of its own.
std::string StoredValue(const std::string& path) {
  if (path.empty()) return path;
  const char front = path.front();
  const char back = path.back();
  const bool trimmed = front == ' ' || front == '\t' || back == ' ' || back == '\t';
  const bool quoted = path.size() >= 2 && front == back && (front == '"' || front == '\'');
  return trimmed || quoted ? "\"" + path + "\"" : path;
}

}  // namespace

std::vector<RecentEntry> WithRecent(std::vector<RecentEntry> list, const RecentEntry& entry) {
  list.erase(std::remove(list.begin(), list.end(), entry), list.end());
  list.insert(list.begin(), entry);
  if (list.size() > static_cast<std::size_t>(kRecentCount)) list.resize(kRecentCount);
  return list;
}

RecentCheck WithoutMissing(const std::vector<RecentEntry>& list,
                           const std::function<bool(const std::string&)>& exists) {
  RecentCheck check;
  for (const RecentEntry& entry : list) {
    bool complete = true;
    for (const std::string* path : {&entry.first, &entry.last}) {
      if (path->empty() || exists(*path)) continue;
      complete = false;
      check.missing.push_back(*path);
    }
    if (complete) check.kept.push_back(entry);
  }
  return check;
}

std::string RecentMenuText(const RecentEntry& entry, int index) {
  std::string text = "&" + std::to_string(index + 1) + " " + MenuEscaped(entry.first);
  if (entry.IsRange()) text += " \u2013 " + MenuEscaped(entry.last);
  return text;
}

std::vector<RecentEntry> ReadRecentFiles(ProfileAccess& profile) {
  std::vector<RecentEntry> list;
  for (int i = 0; i < kRecentCount; ++i) {
    RecentEntry entry{profile.Read(kRecentSection, Key("File", i)).value_or(""),
                      profile.Read(kRecentSection, Key("Last", i)).value_or("")};
    if (!entry.first.empty()) list.push_back(std::move(entry));
  }
  return list;
}

bool IsStorableRecentPath(std::string_view path) {
  return path.size() <= kMaxProfileValueLength && path.find_first_of("\r\n") == std::string_view::npos &&
         IsValidUtf8(path);
}

bool WriteRecentFiles(ProfileAccess& profile, const std::vector<RecentEntry>& list) {
  std::vector<RecentEntry> stored;
  std::copy_if(list.begin(), list.end(), std::back_inserter(stored), [](const RecentEntry& entry) {
    return IsStorableRecentPath(entry.first) && IsStorableRecentPath(entry.last);
  });
  stored.resize(static_cast<std::size_t>(kRecentCount));
  std::vector<ProfileAccess::Entry> keys;
  for (int i = 0; i < kRecentCount; ++i) {
    const RecentEntry& entry = stored[static_cast<std::size_t>(i)];
    keys.push_back({std::string(kRecentSection), Key("File", i), StoredValue(entry.first)});
    keys.push_back({std::string(kRecentSection), Key("Last", i), StoredValue(entry.last)});
  }
  return profile.WriteAll(keys);
}

}  // namespace calorix
