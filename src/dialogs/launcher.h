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
  // Asks the shell to "open" a program with arguments: on Windows the shell
  // also finds a bare program name registered under App Paths (such as
  // "Excel.exe"); elsewhere the same as Start.
  virtual bool ShellOpen(const std::string& program, const std::vector<std::string>& arguments) = 0;
  // The program the machine registers under App Paths for a program name
  // ("Excel.exe", "soffice.exe"), read only; empty where there is none or
  // the platform has no such registry.
  virtual std::string RegisteredProgram(const std::string& name) = 0;
};

}  // namespace calorix
