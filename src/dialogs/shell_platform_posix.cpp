#include "dialogs/shell_platform.h"

namespace calorix {

const bool kShellFindsRegisteredPrograms = false;

std::optional<AppPathEntry> ReadAppPathEntry(const std::string&) { return std::nullopt; }

bool ShellOpenProgram(const std::string&, const std::vector<std::string>&) { return false; }

}  // namespace calorix
