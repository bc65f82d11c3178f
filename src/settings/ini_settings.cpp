#include "settings/ini_settings.h"

#include "core/error.h"
#include "i18n/text_table.h"
#include "settings/settings_location.h"

#include <utility>

namespace calorix {
namespace {

[[noreturn]] void ThrowAccessFailed() { throw Error(i18n::Text(i18n::kTextIniAccessFailed)); }

std::vector<const SettingsKey*> KeysOfSection(std::string_view section) {
  std::vector<const SettingsKey*> keys;
  for (const SettingsKey& key : SettingsKeys()) {
    if (key.section == section) keys.push_back(&key);
  }
  return keys;
}

}  // namespace

TIniSettings::TIniSettings() : TIniSettings(LocateSettingsFile(), ProgramFolder()) {}

TIniSettings::TIniSettings(std::filesystem::path iniPath, std::string programFolder, ProfileOpener opener)
    : iniPath_(std::move(iniPath)), opener_(std::move(opener)) {
  Load(programFolder);
}

void TIniSettings::Load(const std::string& programFolder) {
  const auto access = opener_(iniPath_);
  if (!access) ThrowAccessFailed();
  for (const SettingsKey& key : SettingsKeys()) {
    LoadKey(key, access->Read(key.section, key.name), programFolder, values_);
  }
}

TMainSettings TIniSettings::GetMainSettings() const { return {values_.Language, values_.LastUsedDir}; }

TChildSettings TIniSettings::GetChildSettings() const { return values_.Defaults; }

std::string TIniSettings::GetExcelPath() const { return values_.ExcelPath; }

void TIniSettings::SetMainSettings(std::int8_t language, const std::string& lastUsedDir) {
  values_.Language = language;
  values_.LastUsedDir = lastUsedDir;
  WriteKeys({&SettingsKeyNamed(kMainSection, "Language"), &SettingsKeyNamed(kMainSection, "LastUsedDir")});
}

void TIniSettings::SetChildSettings(const TChildSettings& settings) {
  values_.Defaults = settings;
  WriteKeys(KeysOfSection(kChildSection));
}

void TIniSettings::SetExcelPath(const std::string& path) {
  values_.ExcelPath = path;
  WriteKeys({&SettingsKeyNamed(kMainSection, "ExcelPath")});
}

void TIniSettings::WriteKeys(const std::vector<const SettingsKey*>& keys) {
  if (!writable_) return;
  const auto access = opener_(iniPath_);
  if (!access) {
    writable_ = false;
    ThrowAccessFailed();
  }
  // One command's keys go to the file together.
  std::vector<ProfileAccess::Entry> entries;
  for (const SettingsKey* key : keys) entries.push_back({key->section, key->name, EncodeKey(*key, values_)});
  if (!access->WriteAll(entries)) ThrowAccessFailed();
}

}  // namespace calorix
