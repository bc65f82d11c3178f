// The profile format and the settings file. Setting a key leaves every other
// line of the file as it was, and a value set reads back as it was set; the
// settings store writes and reads back any UTF-8 folder and title, also
// from a file that starts out as garbage.

#include "core/cp1252.h"
#include "core/error.h"
#include "fuzz_support.h"
#include "settings/ini_settings.h"
#include "settings/profile_text.h"

namespace {

using namespace calorix;

std::vector<std::string_view> LinesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t from = 0; from <= text.size();) {
    const std::size_t lf = std::min(text.find('\n', from), text.size());
    lines.push_back(text.substr(from, lf - from));
    from = lf + 1;
  }
  return lines;
}

// Every line of before is a line of after, in order, except at most one
// (the key's line, changed in place).
bool KeepsOtherLines(std::string_view before, std::string_view after) {
  const auto old = LinesOf(before);
  const auto now = LinesOf(after);
  for (std::size_t skip = 0; skip <= old.size(); ++skip) {
    std::size_t j = 0;
    bool all = true;
    for (std::size_t i = 0; i < old.size() && all; ++i) {
      if (i == skip) continue;
      while (j < now.size() && now[j] != old[i]) ++j;
      all = j < now.size();
      ++j;
    }
    if (all) return true;
    if (skip == 0 && old.size() > 64) break;  // long inputs: only the plain case
  }
  return false;
}

bool IsName(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    if (!plain) return false;
  }
  return true;
}

// Values as the store hands them over: UTF-8 on one line, that the format
// keeps as it is (no blanks around it, no quotes around it, not too long).
bool IsKeptValue(std::string_view value) {
  if (value.size() > kMaxProfileValueLength || !IsValidUtf8(value)) return false;
  if (value.find_first_of("\r\n") != std::string_view::npos) return false;
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  if (!value.empty() && (blank(value.front()) || blank(value.back()))) return false;
  return !(value.size() >= 2 && value.front() == value.back() && (value.front() == '"' || value.front() == '\''));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto parts = fuzz::Parts(data, size, 4);
  const std::string& content = parts[0];
  const std::string& section = parts[1];
  const std::string& key = parts[2];
  const std::string& value = parts[3];

  (void)FindProfileValue(content, section, key);
  const std::string updated = SetProfileValue(content, section, key, value);
  if (IsName(section) && IsName(key)) {
    FUZZ_CHECK(KeepsOtherLines(content, updated));
    if (IsKeptValue(value)) FUZZ_CHECK(FindProfileValue(updated, section, key) == value);
  }

  const std::filesystem::path ini = fuzz::ScratchFolder() / "Calorix.ini";
  fuzz::WriteFile(ini, content);
  try {
    TIniSettings store(ini, "/opt/calorix/");
    if (!IsKeptValue(value)) return 0;
    store.SetMainSettings(2, value);
    TChildSettings child = store.GetChildSettings();
    child.ChartTitle = value;
    store.SetChildSettings(child);
    const TIniSettings again(ini, "/opt/calorix/");
    FUZZ_CHECK(again.GetMainSettings().LastUsedDir == value);
    FUZZ_CHECK(again.GetChildSettings().ChartTitle == value);
  } catch (const Error&) {
    // the settings file could not be used: a message for the user
  }
  return 0;
}
