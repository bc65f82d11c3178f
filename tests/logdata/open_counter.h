#pragma once

#include <sys/inotify.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>

namespace calorix::logdata::testing {

// Counts how often the files of a folder are opened, as the system reports
// it (inotify): how many times a load read each file from disk.
class OpenCounter {
 public:
  explicit OpenCounter(const std::filesystem::path& folder) : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    // Closes are watched too only so that two opens in a row are not
    // merged into one event.
    if (fd_ >= 0) ::inotify_add_watch(fd_, folder.c_str(), IN_OPEN | IN_CLOSE);
  }
  ~OpenCounter() {
    if (fd_ >= 0) ::close(fd_);
  }
  OpenCounter(const OpenCounter&) = delete;
  OpenCounter& operator=(const OpenCounter&) = delete;

  bool Watching() const { return fd_ >= 0; }

  // The opens of each file (by name) since the last call; the folder's own
  // opens (listing it) count under the empty name.
  std::map<std::string, int> Take() {
    std::map<std::string, int> opens;
    alignas(inotify_event) char buffer[1 << 16];
    for (ssize_t got; (got = ::read(fd_, buffer, sizeof buffer)) > 0;) {
      for (char* at = buffer; at < buffer + got;) {
        const auto* event = reinterpret_cast<const inotify_event*>(at);
        if (!(event->mask & IN_OPEN)) {
          // a close
        } else if (event->len == 0) {
          ++opens[""];
        } else if (!(event->mask & IN_ISDIR)) {
          ++opens[event->name];
        }
        at += sizeof(inotify_event) + event->len;
      }
    }
    return opens;
  }

 private:
  int fd_;
};

}  // namespace calorix::logdata::testing
