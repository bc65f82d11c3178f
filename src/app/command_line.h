#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/error.h"
#include "evaluation/time_navigation.h"
#include "evaluation/totals_export.h"
#include "logdata/channel.h"

namespace calorix::app {

// What the program is asked to do by its arguments (those after the
// program's name).
struct CommandLine {
  enum class Kind {
    Files,     // open each file as the Open command would (none: just start)
    Range,     // open the range from files[0] to files[1] as one evaluation
    Follow,    // follow the day file files[0], or the newest day file of the folder files[0]
    Help,      // print the usage and end
    Export,    // write the charts or the values of files[0] (or the range files[0]..files[1]) to output, no window
    Findings,  // print the findings of files[0] (or the range files[0]..files[1]), no window
  };
  Kind kind = Kind::Files;
  std::vector<std::string> files;
  // Export only.
  enum class Format { Png, Pdf, Svg, Csv, Xlsx };
  bool range = false;
  std::string output;
  Format format = Format::Png;
  std::vector<logdata::Channel> channels;  // none: the export's default set
  evaluation::Span span = evaluation::Span::Day;
  // The daily or monthly totals instead of the charts or values (.csv or .xlsx).
  std::optional<evaluation::TotalsPer> totals;
  // Export: the findings instead (.csv only).
  bool findings = false;
};

// Arguments that cannot be used; the message names the offending one.
class UsageError : public Error {
 public:
  using Error::Error;
};

// "--help" (or "-h") anywhere asks for the usage; "--range" takes exactly
// the first and the last day file, "--follow" exactly one file or folder; "--" ends the options, so that a file
// named like one can still be opened. "--export OUT" (.png, .pdf, .svg,
// .csv or .xlsx) with "--channels A,B,..." and "--span day|month|year"
// (not for .xlsx, which holds every day) before one file or "--range FIRST
// LAST" exports (the month and year spans only for a range, which shows
// its month by default); "--totals day|month" writes the totals instead
// (.csv or .xlsx, without --channels and --span). "--findings" before one
// file or "--range FIRST LAST" prints the findings, or with "--export
// OUT.csv" writes them (without --channels, --span and --totals). Any
// other "--"
// option is a UsageError, and so is an empty text where a day file goes or
// an option as a day file of "--range".
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The text "--help" prints.
std::string_view UsageText();

}  // namespace calorix::app
