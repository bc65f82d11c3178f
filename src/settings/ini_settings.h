#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/child_settings.h"
#include "settings/profile_file.h"
#include "settings/settings_keys.h"

namespace calorix {

// The application's own settings as handed to and from the store.
struct TMainSettings {
  std::int8_t Language = 0;  // 0 not set (German), 1..7 a language
  std::string LastUsedDir;

  friend bool operator==(const TMainSettings&, const TMainSettings&) = default;
};

// The settings store: the interface language, the folder last used in a file
// dialog, the spreadsheet program's path and the defaults for new evaluation
// windows. Loaded once when created; every change is written to the settings
// file at once, all keys of one change together, and the file is otherwise
// never read again.
class TIniSettings {
 public:
  // Locates the settings file of this platform, creating its folder, and
  // loads it. Throws Error (text 95 when the file cannot be used).
  TIniSettings();

  // Loads the settings file at iniPath. programFolder is the default of
  // LastUsedDir; opener gives the access to the file for each load or write.
  TIniSettings(std::filesystem::path iniPath, std::string programFolder, ProfileOpener opener = OpenProfileFile);

  const std::filesystem::path& IniPath() const { return iniPath_; }
  // The settings file, for sections other parts keep there (the findings'
  // thresholds); null when it cannot be opened.
  std::unique_ptr<ProfileAccess> OpenProfile() const { return opener_(iniPath_); }

  // False once the settings file could not be accessed for a write; from
  // then on the setters change the values in memory only.
  bool IsWritable() const { return writable_; }

  TMainSettings GetMainSettings() const;
  TChildSettings GetChildSettings() const;
  std::string GetExcelPath() const;

  // Each setter changes memory first and then writes its keys in one
  // replacement of the file; a failed write throws Error with text 95,
  // keeping the new values in memory.
  void SetMainSettings(std::int8_t language, const std::string& lastUsedDir);
  void SetChildSettings(const TChildSettings& settings);
  void SetExcelPath(const std::string& path);

 private:
  void Load(const std::string& programFolder);
  void WriteKeys(const std::vector<const SettingsKey*>& keys);

  std::filesystem::path iniPath_;
  ProfileOpener opener_;
  bool writable_ = true;
  SettingsValues values_;
};

}  // namespace calorix
