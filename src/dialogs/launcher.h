#pragma once

#include <string>
#include <vector>

namespace calorix {

// Starting other programs, behind an interface so that the commands that
// do it can be tested without starting anything: QtLauncher starts real
// processes, RecordingLauncher (tests) writes down what it was asked.
// Programs get argument lists, never a command line for a shell.
class Launcher {
 public:
  virtual ~Launcher() = default;
  // The full path of a program found on the PATH; empty when there is none.
  virtual std::string FindProgram(const std::string& name) = 0;
  // Starts a program on its own; true when it started.
  virtual bool Start(const std::string& program, const std::vector<std::string>& arguments) = 0;
  // Opens a file with the desktop's application for its type; true when
  // the desktop took it.
  virtual bool OpenWithDesktop(const std::string& file) = 0;
};

}  // namespace calorix
