#pragma once

// The few things tests ask of the operating system, for Linux and Windows.

#include <cstdlib>
#include <optional>
#include <string>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace calorix::testing {

inline long ProcessId() {
#ifdef _WIN32
  return static_cast<long>(::_getpid());
#else
  return static_cast<long>(::getpid());
#endif
}

// Root ignores file permissions, so permission cases cannot fail for it
// (nor for a Windows account, whose files have no POSIX permissions).
inline bool RunningAsRoot() {
#ifdef _WIN32
  return true;
#else
  return ::geteuid() == 0;
#endif
}

// The variable that names the folder the settings folder is made in.
#ifdef _WIN32
inline constexpr const char* kSettingsBaseVariable = "LocalAppData";
#else
inline constexpr const char* kSettingsBaseVariable = "XDG_CONFIG_HOME";
#endif

// Sets an environment variable for as long as the object lives; the value
// it had before (or its absence) comes back after.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
    if (const char* before = std::getenv(name)) before_ = before;
    Set(value);
  }
  ~ScopedEnvironment() { before_ ? Set(*before_) : Unset(); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
#ifdef _WIN32
  void Set(const std::string& value) { ::_putenv_s(name_.c_str(), value.c_str()); }
  void Unset() { ::_putenv_s(name_.c_str(), ""); }
#else
  void Set(const std::string& value) { ::setenv(name_.c_str(), value.c_str(), 1); }
  void Unset() { ::unsetenv(name_.c_str()); }
#endif
  std::string name_;
  std::optional<std::string> before_;
};

}  // namespace calorix::testing
