#pragma once

#include "core/date_time.h"
#include "core/error.h"
#include "tools/log_generator.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

namespace calorix::loggen {

// Arguments that cannot be used; the program answers with a hint to --help.
class UsageError : public Error {
 public:
  using Error::Error;
};

struct CommandLine {
  bool help = false;
  CivilDate from;
  CivilDate to;
  std::filesystem::path out;
  FolderLayout layout = FolderLayout::Flat;
  Options options;
};

// Reads the arguments after the program name. --from and --out are
// required unless --help is given; --to defaults to --from. Throws
// UsageError naming the offending argument.
CommandLine ParseCommandLine(std::span<const std::string_view> args);

std::string_view UsageText();

// Exactly "yyyy-mm-dd" naming an existing date.
std::optional<CivilDate> ParseIsoDate(std::string_view text);

}  // namespace calorix::loggen
