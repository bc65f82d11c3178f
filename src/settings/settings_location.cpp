#include "settings/settings_location.h"

#include "core/error.h"
#include "core/utf8_path.h"
#include "i18n/text_table.h"

#include <cstdlib>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace calorix {
namespace fs = std::filesystem;

namespace {

std::string VariableOrEmpty(const EnvironmentLookup& env, const char* name) {
  return env(name).value_or(std::string());
}

[[noreturn]] void ThrowAccessFailed() { throw Error(i18n::Text(i18n::kTextIniAccessFailed)); }

#ifdef _WIN32
// Qt 6 runs on nothing older than Windows 10, which is NT 10.
constexpr PlatformFamily kBuildFamily = PlatformFamily::WindowsNT;
constexpr int kBuildMajorVersion = 10;

fs::path ExecutablePath() {
  std::wstring buffer(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  buffer.resize(length);
  return fs::path(buffer);
}
#else
fs::path ExecutablePath() {
  std::error_code ec;
  const fs::path path = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::current_path(ec) / "calorix" : path;
}
#endif

}  // namespace

SettingsFolderError::SettingsFolderError(const fs::path& folder)
    : Error(i18n::Text(i18n::kTextIniAccessFailed) + "\n\n" + Utf8Of(folder)), folder_(folder) {}

#ifdef _WIN32
// The narrow environment of Windows is in the ANSI code page; the wide one
// gives every folder name, as UTF-8.
std::optional<std::string> ProcessEnvironment(const std::string& name) {
  const wchar_t* value = ::_wgetenv(fs::path(name).wstring().c_str());
  if (value == nullptr) return std::nullopt;
  return Utf8Of(fs::path(value));
}
#else
std::optional<std::string> ProcessEnvironment(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}
#endif

std::string WindowsBaseFolder(PlatformFamily family, int majorVersion, const EnvironmentLookup& env) {
  if (family == PlatformFamily::Windows9x) return VariableOrEmpty(env, "WinDir");
  if (family != PlatformFamily::WindowsNT) return {};
  if (majorVersion <= 4) return VariableOrEmpty(env, "WinDir");
  if (majorVersion == 5) return VariableOrEmpty(env, "AppData");
  const std::string local = VariableOrEmpty(env, "LocalAppData");
  return local.empty() ? VariableOrEmpty(env, "AppData") : local;
}

std::string WindowsSettingsFolder(PlatformFamily family, int majorVersion, const EnvironmentLookup& env) {
  if (family == PlatformFamily::Win32s) throw Error("Not compatible to Windows 3.11");
  std::string folder = WindowsBaseFolder(family, majorVersion, env);
  if (folder.empty()) ThrowAccessFailed();
  if (folder.back() != '\\') folder += '\\';
  return folder + kSettingsFolderName;
}

fs::path LinuxSettingsFolder(const EnvironmentLookup& env) {
  // A relative XDG_CONFIG_HOME is invalid and is to be ignored.
  const fs::path config = VariableOrEmpty(env, "XDG_CONFIG_HOME");
  if (config.is_absolute()) return config / kSettingsFolderName;
  const std::string home = VariableOrEmpty(env, "HOME");
  if (home.empty()) ThrowAccessFailed();
  return fs::path(home) / ".config" / kSettingsFolderName;
}

bool EnsureFolder(const fs::path& folder) {
  std::error_code ec;
  if (fs::is_directory(folder, ec)) return true;
  // The parents too: on a fresh account even ~/.config may be missing.
  fs::create_directories(folder, ec);
  return fs::is_directory(folder, ec);
}

fs::path LocateSettingsFile(const EnvironmentLookup& env) {
#ifdef _WIN32
  const std::string text = WindowsSettingsFolder(kBuildFamily, kBuildMajorVersion, env);
  const fs::path folder = PathFromUtf8(text);
#else
  const fs::path folder = LinuxSettingsFolder(env);
#endif
  if (!EnsureFolder(folder)) throw SettingsFolderError(folder);
  return folder / kSettingsFileName;
}

std::string ProgramFolder() {
  return Utf8Of(ExecutablePath().parent_path()) + static_cast<char>(fs::path::preferred_separator);
}

}  // namespace calorix
