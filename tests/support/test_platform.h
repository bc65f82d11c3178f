#pragma once

// The few things tests ask of the operating system, for Linux and Windows.

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

}  // namespace calorix::testing
