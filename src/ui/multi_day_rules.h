#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace calorix::ui {

// The files of a multi-day load that failed, gathered while it runs and
// reported in one message when it ends: a message box per file would stop
// the load at every failure and leave the user clicking through them.
class FailedFiles {
 public:
  // The most files the message lists; more are summed up as "...".
  static constexpr std::size_t kListed = 10;

  void Add(const std::filesystem::path& file, const std::string& message);
  bool Empty() const { return lines_.empty(); }
  std::size_t Count() const { return lines_.size(); }
  // Text 112 when nothing could be loaded, else text 113, then a line per
  // failed file naming it.
  std::string Message(bool nothingLoaded) const;

 private:
  std::vector<std::string> lines_;
};

// The folder the multi-day dialog hands back for the next run: a folder
// that exists comes back unchanged; any other text up to and including its
// last separator.
std::string RememberedFolder(std::string_view lastFolder);

// Where a browse button's file dialog starts: the edit's text when it names
// a folder, else the folder part of the text (the folder of a file chosen
// before), up to and including its last separator.
std::string BrowseStartFolder(std::string_view editText);

}  // namespace calorix::ui
