#pragma once

#include "dialogs/launcher.h"

namespace calorix {

class QtLauncher : public Launcher {
 public:
  std::string FindProgram(const std::string& name) override;
  bool Start(const std::string& program, const std::vector<std::string>& arguments) override;
  bool OpenWithDesktop(const std::string& file) override;
  bool ShellOpen(const std::string& program, const std::vector<std::string>& arguments) override;
  std::string RegisteredProgram(const std::string& name) override;
};

}  // namespace calorix
