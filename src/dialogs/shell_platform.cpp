#include "dialogs/shell_platform.h"

namespace calorix {

std::string ProgramOfAppPath(const std::string& name, const AppPathEntry& entry) {
  if (!entry.hasPathValue) return entry.defaultValue;
  std::string folder = entry.pathValue;
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder + "\\" + name;
}

std::string WindowsCommandLine(const std::vector<std::string>& arguments) {
  std::string line;
  for (const std::string& argument : arguments) {
    if (!line.empty()) line += ' ';
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) {
      line += argument;
      continue;
    }
    line += '"';
    std::size_t backslashes = 0;
    for (const char c : argument) {
      if (c == '\\') {
        ++backslashes;
        continue;
      }
      // Backslashes before a quote are doubled, the quote itself escaped.
      line.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
      backslashes = 0;
      line += c;
    }
    // Before the closing quote backslashes are doubled as well.
    line.append(2 * backslashes, '\\');
    line += '"';
  }
  return line;
}

}  // namespace calorix
