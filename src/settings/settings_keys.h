#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/child_settings.h"
#include "core/color.h"

namespace calorix {

inline constexpr const char* kMainSection = "Main";
inline constexpr const char* kChildSection = "Child";

// Everything the settings store keeps, as the key table reaches it.
struct SettingsValues {
  std::string ExcelPath;
  std::string LastUsedDir;
  std::int8_t Language = 0;
  TChildSettings Defaults;
};

// The field a key is stored in; its type decides how the value is encoded.
using SettingsField = std::variant<std::string*, std::int32_t*, bool*, Color*, std::int8_t*>;

// One key of the settings file.
struct SettingsKey {
  const char* section;
  std::string name;
  std::int32_t numberDefault;  // of integers, colours and flags (0 or 1)
  const char* textDefault;     // of texts; null for LastUsedDir: the program's folder
  SettingsField (*field)(SettingsValues& values, int slot);
  int slot;  // label or colour slot, for the per-channel keys
};

// Every key, in the order they are read and the "Child" keys are written.
const std::vector<SettingsKey>& SettingsKeys();

// The key of that section and name; Error if there is none.
const SettingsKey& SettingsKeyNamed(std::string_view section, std::string_view name);

// An integer as the settings file holds it: "0x"/"0X" followed by hex digits
// (only when longer than two characters), "$" followed by hex digits, or a
// decimal number with an optional sign, all within 32 bits. Nothing when the
// text is none of these.
std::optional<std::int32_t> ParseProfileInteger(std::string_view text);

// The language as loaded: the low 8 bits of the stored number as a signed
// number, 0 when outside 0..7.
std::int8_t LanguageFromStored(std::int32_t stored);

// Stores the key's value read from the file (nothing: the key is missing),
// or its default when it is missing or unreadable.
void LoadKey(const SettingsKey& key, const std::optional<std::string>& text, const std::string& programFolder,
             SettingsValues& values);

// The window settings an empty settings file gives: every "Child" key at
// its default, labels as "DEFAULT_LABEL".
TChildSettings DefaultChildSettings();

// The key's value as it is written to the file.
std::string EncodeKey(const SettingsKey& key, SettingsValues& values);

}  // namespace calorix
