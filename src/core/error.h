#pragma once

#include <stdexcept>
#include <string>

namespace calorix {

// The one failure type of the program: it carries the message text that is
// shown to the user as it stands (a language text or a fixed internal text).
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace calorix
