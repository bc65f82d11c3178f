#include "settings/recent_files.h"

#include <algorithm>

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

bool WriteRecentFiles(ProfileAccess& profile, const std::vector<RecentEntry>& list) {
  for (int i = 0; i < kRecentCount; ++i) {
    const RecentEntry entry = static_cast<std::size_t>(i) < list.size() ? list[static_cast<std::size_t>(i)] : RecentEntry{};
    if (!profile.Write(kRecentSection, Key("File", i), entry.first)) return false;
    if (!profile.Write(kRecentSection, Key("Last", i), entry.last)) return false;
  }
  return true;
}

}  // namespace calorix
