#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "core/error.h"

namespace calorix {

inline constexpr const char* kSettingsFolderName = "Helvo";
inline constexpr const char* kSettingsFileName = "Calorix.ini";

// Looks up an environment variable; nothing when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;

// The environment of this process.
std::optional<std::string> ProcessEnvironment(const std::string& name);

enum class PlatformFamily { Win32s, Windows9x, WindowsNT, Other };

// The value of the variable that holds the settings folder on Windows: WinDir
// on 9x and NT 4 or earlier, AppData on NT 5, LocalAppData (else AppData) on
// NT 6 and later. Empty when there is no such variable or it is empty.
std::string WindowsBaseFolder(PlatformFamily family, int majorVersion, const EnvironmentLookup& env);

// The settings folder on Windows, "<base>\Helvo". Throws Error: on Win32s
// "Not compatible to Windows 3.11", without a base folder text 95.
std::string WindowsSettingsFolder(PlatformFamily family, int majorVersion, const EnvironmentLookup& env);

// The settings folder on Linux: $XDG_CONFIG_HOME, else $HOME/.config, then
// "Helvo". Throws Error with text 95 when neither variable is usable.
std::filesystem::path LinuxSettingsFolder(const EnvironmentLookup& env);

// The settings folder cannot be made or used: text 95, a blank line and the
// folder, so that the user can see what stands in the way (a file of that
// name, a folder without write access).
class SettingsFolderError : public Error {
 public:
  explicit SettingsFolderError(const std::filesystem::path& folder);
  const std::filesystem::path& Folder() const { return folder_; }

 private:
  std::filesystem::path folder_;
};

// Creates the folder and any missing parents. False when the path is not a
// folder afterwards.
bool EnsureFolder(const std::filesystem::path& folder);

// The settings file of the platform the program was built for, with its
// folder created. Throws Error (see above; text 95 when the folder cannot be
// created).
std::filesystem::path LocateSettingsFile(const EnvironmentLookup& env = ProcessEnvironment);

// The folder of the program's executable with a trailing separator, UTF-8.
std::string ProgramFolder();

}  // namespace calorix
