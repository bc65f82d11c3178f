#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>

#include "chart/chart_panel.h"
#include "logdata/day_log.h"
#include "logdata/log_format.h"

namespace calorix::logdata {

// Follows a day file that a logger is writing: each look reads only what
// was appended since the last one. A last line without its line end is
// read once it is complete; a file that became shorter, or whose bytes
// before the new ones changed (a file replaced by another), is read again
// from the start. The day log is always the one a whole read of the
// complete lines would give.
class DayFileFollower {
 public:
  // The charts must outlive the follower. Nothing is read until Poll.
  DayFileFollower(std::filesystem::path path, chart::ChartPanel* upper, chart::ChartPanel* lower);

  enum class Change {
    None,      // no complete line was added
    Appended,  // records were added to the day log
    Reloaded,  // the day log was read again from the start (or for the first time)
  };
  // Looks at the file once. Fails as ReadDayFile does when the file cannot
  // be read, and with the header's failures; a file without a record yet
  // gives None and no day log.
  Change Poll();

  // The day log read so far; none before the file held a record.
  const TDay* Day() const { return day_; }
  const LogReadState& Reading() const { return reading_; }
  const std::filesystem::path& Path() const { return path_; }

  // Hands the day log of the last Reloaded over to an owner (an evaluation)
  // that shows it; Appended then grows it there. The owner must keep it
  // for as long as the follower may look again: until the next Reloaded
  // gives a new one, or the follower goes. Null when it was handed over.
  std::unique_ptr<TDay> TakeDay() { return std::move(owned_); }

 private:
  Change Reload();
  Change Append(const std::string& bytes);

  std::filesystem::path path_;
  chart::ChartPanel* upper_;
  chart::ChartPanel* lower_;
  std::unique_ptr<TDay> owned_;  // until taken
  TDay* day_ = nullptr;
  LogReadState reading_;
  std::size_t consumed_ = 0;  // the bytes of complete lines read
  std::string seen_;          // the last of those bytes, to tell that the file is still the same
  std::size_t nextLine_ = 1;  // the line number after them
  std::size_t records_ = 0;
};

}  // namespace calorix::logdata
