#include "dialogs/recording_launcher.h"

namespace calorix {

std::string RecordingLauncher::FindProgram(const std::string& name) {
  calls_.push_back({"find", name, {}});
  const auto found = installed_.find(name);
  return found == installed_.end() ? std::string() : found->second;
}

bool RecordingLauncher::Start(const std::string& program, const std::vector<std::string>& arguments) {
  calls_.push_back({"start", program, arguments});
  return starts_.contains(program);
}

bool RecordingLauncher::OpenWithDesktop(const std::string& file) {
  calls_.push_back({"desktop", file, {}});
  return desktopOpens_;
}

bool RecordingLauncher::ShellOpen(const std::string& program, const std::vector<std::string>& arguments) {
  calls_.push_back({"shell", program, arguments});
  return starts_.contains(program);
}

std::string RecordingLauncher::RegisteredProgram(const std::string& name) {
  calls_.push_back({"registry", name, {}});
  const auto found = registered_.find(name);
  return found == registered_.end() ? std::string() : found->second;
}

}  // namespace calorix
