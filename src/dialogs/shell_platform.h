#pragma once

#include <optional>
#include <string>
#include <vector>

// What the launcher needs of the platform's shell and registry. One
// implementation per platform, chosen by the build: shell_platform_windows.cpp
// (ShellExecute, the registry) and shell_platform_posix.cpp (neither exists).

namespace calorix {

// True where the shell finds programs by their registered name (Windows).
extern const bool kShellFindsRegisteredPrograms;

// The values of a program's key under
// HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths.
struct AppPathEntry {
  std::string pathValue;     // the "Path" value: the program's folder
  std::string defaultValue;  // the key's default value: the program's full path
  bool hasPathValue = false;
};

// The program an App Paths key names: with a "Path" value, that folder
// (without a trailing backslash) + "\" + name; else the default value.
std::string ProgramOfAppPath(const std::string& name, const AppPathEntry& entry);

// One command line of Windows from arguments: each in double quotes when it
// is empty or holds a blank, tab or quote, with quotes and the backslashes
// before them escaped so that the program reads the arguments back as given.
std::string WindowsCommandLine(const std::vector<std::string>& arguments);

// Reads the key of a program name (opened for reading only, never created);
// nothing when the key does not exist. UTF-8 texts.
std::optional<AppPathEntry> ReadAppPathEntry(const std::string& name);

// The shell's "open" of a program (a name the shell finds, or a path) with
// the arguments, normal display; true when the shell reports success.
bool ShellOpenProgram(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace calorix
