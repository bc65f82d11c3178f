#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/error.h"
#include "evaluation/time_navigation.h"
#include "logdata/channel.h"

namespace calorix::app {

// The most evaluation windows the main window holds at a time.
inline constexpr int kMaxEvaluationWindows = 3;

// Where a new evaluation goes.
enum class TargetChoice {
  ActiveWindow,      // the active window is empty: it takes the evaluation
  NewWindow,         // room for one more window
  ActiveIfConfirmed  // all windows in use: replace the active one if the user agrees
};

TargetChoice ChooseTargetWindow(int windowCount, bool activeWindowHoldsEvaluation);

// The enabled state of every main window command.
struct ActionStates {
  bool open = true;
  bool multiDayAnalysis = true;
  bool close = false;
  bool save = false;
  bool print = false;
  bool exit = true;
  bool defaultSettings = true;
  bool windowSettings = false;
  bool cascade = false;
  bool tileHorizontal = false;
  bool minimizeAll = false;
  bool about = true;

  friend bool operator==(const ActionStates&, const ActionStates&) = default;
};

// hasGraphs: the active window's charts show at least one series.
ActionStates ActionStatesFor(bool windowActive, bool hasGraphs, int windowCount);

// How the platform writes paths: the separators that end a folder name.
enum class PathStyle { Posix, Windows };
#ifdef _WIN32
inline constexpr PathStyle kNativePathStyle = PathStyle::Windows;
#else
inline constexpr PathStyle kNativePathStyle = PathStyle::Posix;
#endif

// The folder of a chosen file as it is remembered for the next file dialog:
// everything before the last separator (on Windows also a drive colon),
// without that separator unless the folder is a root ("/", "C:\") or the
// separator follows another one. Empty when the path has no separator.
std::string FolderOfChosenFile(std::string_view path, PathStyle style = kNativePathStyle);

// The open dialog's filter: log files first, then every file.
std::string LogFileFilter();

// A band of pixels: start and length.
struct Band {
  int start;
  int length;
  friend bool operator==(const Band&, const Band&) = default;
};

// Splits a height into count bands one above the other, the first ones one
// pixel taller when it does not divide evenly.
std::vector<Band> StackedBands(int height, int count);

// What the program is asked to do by its arguments (those after the
// program's name).
struct CommandLine {
  enum class Kind {
    Files,  // open each file as the Open command would (none: just start)
    Range,  // open the range from files[0] to files[1] as one evaluation
    Help,   // print the usage and end
    Export, // write the charts or the values of files[0] (or the range files[0]..files[1]) to output, no window
  };
  Kind kind = Kind::Files;
  std::vector<std::string> files;
  // Export only.
  enum class Format { Png, Pdf, Svg, Csv };
  bool range = false;
  std::string output;
  Format format = Format::Png;
  std::vector<logdata::Channel> channels;  // none: every channel with values
  evaluation::Span span = evaluation::Span::Day;
};

// Arguments that cannot be used; the message names the offending one.
class UsageError : public Error {
 public:
  using Error::Error;
};

// "--help" (or "-h") anywhere asks for the usage; "--range" takes exactly
// the first and the last day file; "--" ends the options, so that a file
// named like one can still be opened. "--export OUT" (.png, .pdf, .svg or
// .csv) with "--channels A,B,..." and "--span day|month" before one file
// or "--range FIRST LAST" exports (the month span only for a range, which
// it is by default). Any other "--" option is a UsageError.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The text "--help" prints.
std::string_view UsageText();

}  // namespace calorix::app
