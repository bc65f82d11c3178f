// Any settings file and any paths: the list read has at most five entries,
// each with a file; adding keeps the newest on top, once; writing the list
// keeps every other section byte for byte and reads back as the entries
// whose paths can be stored, in order.

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "settings/profile_file.h"
#include "settings/recent_files.h"

namespace {

using calorix::RecentEntry;

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The name of a section line: "[name]" with blanks allowed around both.
std::optional<std::string> SectionName(std::string_view line) {
  const std::string_view text = Trim(line);
  if (text.empty() || text.front() != '[') return std::nullopt;
  const std::size_t close = text.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  std::string name(Trim(text.substr(1, close - 1)));
  for (char& c : name) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return name;
}

// The bytes before the first [Recent] section and from the section after it
// on; without such a section, the whole content and nothing.
struct Around {
  std::string before;
  std::optional<std::string> after;
};
Around AroundRecent(const std::string& content) {
  std::size_t pos = content.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  std::optional<std::size_t> sectionAt;
  while (pos < content.size()) {
    const std::size_t stop = std::min(content.find('\n', pos), content.find('\r', pos));
    const std::size_t end = stop == std::string::npos ? content.size() : stop;
    const auto name = SectionName(std::string_view(content).substr(pos, end - pos));
    if (name && sectionAt) return {content.substr(0, *sectionAt), content.substr(pos)};
    if (name && *name == "recent") sectionAt = pos;
    pos = end == content.size()
              ? end
              : end + (content[end] == '\r' && end + 1 < content.size() && content[end + 1] == '\n' ? 2 : 1);
  }
  if (sectionAt) return {content.substr(0, *sectionAt), std::string()};
  return {content, std::nullopt};
}

bool Storable(const RecentEntry& entry) {
  return calorix::IsStorableRecentPath(entry.first) &&
         (entry.last.empty() || calorix::IsStorableRecentPath(entry.last));
}

}  // namespace

// Input: the settings file, then paths; a path whose first byte is odd is
// the last file of a range begun by the one before it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace calorix;
  const std::vector<std::string> parts = fuzz::Parts(data, size, 8);
  const std::filesystem::path ini = fuzz::ScratchFolder() / "Calorix.ini";
  fuzz::WriteFile(ini, parts[0]);

  std::vector<RecentEntry> list = ReadRecentFiles(*OpenProfileFile(ini));
  FUZZ_CHECK(list.size() <= static_cast<std::size_t>(kRecentCount));
  for (const RecentEntry& entry : list) FUZZ_CHECK(!entry.first.empty());

  for (std::size_t i = 1; i < parts.size(); ++i) {
    if (parts[i].empty()) continue;
    RecentEntry entry{parts[i], ""};
    if (i + 1 < parts.size() && !parts[i + 1].empty() && (static_cast<unsigned char>(parts[i + 1].front()) & 1)) {
      entry.last = parts[++i];
    }
    list = WithRecent(list, entry);
    FUZZ_CHECK(list.front() == entry);
    FUZZ_CHECK(list.size() <= static_cast<std::size_t>(kRecentCount));
    FUZZ_CHECK(std::count(list.begin(), list.end(), entry) == 1);
  }
  const auto exists = [](const std::string& path) { return path.size() % 3 != 0; };
  const RecentCheck check = WithoutMissing(list, exists);
  std::vector<RecentEntry> present;
  std::copy_if(list.begin(), list.end(), std::back_inserter(present),
               [&](const RecentEntry& e) { return exists(e.first) && (e.last.empty() || exists(e.last)); });
  FUZZ_CHECK(check.kept == present);
  for (const std::string& path : check.missing) FUZZ_CHECK(!exists(path));

  const std::string old = *ReadFileBytes(ini);
  FUZZ_CHECK(WriteRecentFiles(*OpenProfileFile(ini), list));
  std::vector<RecentEntry> expected;
  std::copy_if(list.begin(), list.end(), std::back_inserter(expected), Storable);
  FUZZ_CHECK(ReadRecentFiles(*OpenProfileFile(ini)) == expected);

  const std::string now = *ReadFileBytes(ini);
  const Around was = AroundRecent(old);
  if (was.after) {
    FUZZ_CHECK(now.starts_with(was.before) && now.ends_with(*was.after));
  } else {
    FUZZ_CHECK(now.starts_with(was.before));
  }
  return 0;
}
