#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "dialogs/launcher.h"

namespace calorix {

// A launcher for tests: it knows the programs it is told of, starts only
// those it is told will start, and writes down every call in order.
class RecordingLauncher : public Launcher {
 public:
  struct Call {
    std::string what;  // "find", "start", "desktop", "shell" or "registry"
    std::string program;
    std::vector<std::string> arguments;
    friend bool operator==(const Call&, const Call&) = default;
  };

  void Install(const std::string& name, const std::string& path) { installed_[name] = path; }
  void WillStart(const std::string& program) { starts_.insert(program); }
  void DesktopOpens(bool opens) { desktopOpens_ = opens; }
  // A program registered under App Paths.
  void Register(const std::string& name, const std::string& path) { registered_[name] = path; }
  const std::vector<Call>& Calls() const { return calls_; }

  std::string FindProgram(const std::string& name) override;
  bool Start(const std::string& program, const std::vector<std::string>& arguments) override;
  bool OpenWithDesktop(const std::string& file) override;
  // The shell opens what will start (WillStart), by name or by path.
  bool ShellOpen(const std::string& program, const std::vector<std::string>& arguments) override;
  std::string RegisteredProgram(const std::string& name) override;

 private:
  std::map<std::string, std::string> installed_;
  std::map<std::string, std::string> registered_;
  std::set<std::string> starts_;
  bool desktopOpens_ = false;
  std::vector<Call> calls_;
};

}  // namespace calorix
