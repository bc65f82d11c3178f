#pragma once

#include "core/error.h"

namespace calorix::logdata {

// What the reader found wrong with a day file's contents.
enum class LogFileFault { NoMeasuredValues, NotALogFile };

// A day file that opened but holds no log the reader can use: carries the
// fault, and the text to show for it in the language in use.
class LogFileError : public Error {
 public:
  explicit LogFileError(LogFileFault fault);
  LogFileFault Fault() const { return fault_; }

 private:
  LogFileFault fault_;
};

}  // namespace calorix::logdata
