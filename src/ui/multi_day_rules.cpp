#include "ui/multi_day_rules.h"
#include "core/utf8_path.h"

#include <system_error>

#include "i18n/text_table.h"
#include "logdata/multi_day.h"

namespace calorix::ui {
namespace {

std::filesystem::path PathOf(std::string_view text) { return PathFromUtf8(text); }

bool IsFolder(std::string_view text) {
  if (text.empty()) return false;
  std::error_code error;
  return std::filesystem::is_directory(PathOf(text), error);
}

// A message on one line: the reader's messages put the path after a blank
// line.
std::string OneLine(const std::string& message) {
  std::string line;
  for (const char c : message) {
    if (c == '\r') continue;
    if (c == '\n') {
      if (!line.empty() && line.back() != ' ') line += ' ';
      continue;
    }
    line += c;
  }
  return line;
}

}  // namespace

void FailedFiles::Add(const std::filesystem::path& file, const std::string& message) {
  std::string line = OneLine(message);
  if (line.find(Utf8Of(file)) == std::string::npos) line = Utf8Of(file.filename()) + ": " + line;
  lines_.push_back(std::move(line));
}

std::string FailedFiles::Message(bool nothingLoaded) const {
  std::string message = i18n::Text(nothingLoaded ? i18n::kTextNoFileLoaded : i18n::kTextFilesLeftOut);
  message += "\n";
  for (std::size_t i = 0; i < lines_.size() && i < kListed; ++i) message += "\n" + lines_[i];
  if (lines_.size() > kListed) message += "\n...";
  return message;
}

std::string ListedWarnings(const std::vector<std::string>& warnings) {
  std::string message;
  for (std::size_t i = 0; i < warnings.size() && i < FailedFiles::kListed; ++i) {
    if (!message.empty()) message += "\n\n";
    message += warnings[i];
  }
  if (warnings.size() > FailedFiles::kListed) message += "\n\n...";
  return message;
}

std::string RememberedFolder(std::string_view lastFolder) {
  if (IsFolder(lastFolder)) return std::string(lastFolder);
  return logdata::FolderPartOf(lastFolder);
}

std::string BrowseStartFolder(std::string_view editText) {
  if (IsFolder(editText)) return std::string(editText);
  return logdata::FolderPartOf(editText);
}

}  // namespace calorix::ui
