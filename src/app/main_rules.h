#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/error.h"
#include "evaluation/time_navigation.h"
#include "evaluation/totals_export.h"
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
  bool exportTotals = false;
  bool exit = true;
  bool defaultSettings = true;
  bool windowSettings = false;
  bool cascade = false;
  bool tileHorizontal = false;
  bool minimizeAll = false;
  bool about = true;

  friend bool operator==(const ActionStates&, const ActionStates&) = default;
};

// hasGraphs: the active window's charts show at least one series;
// hasEvaluation: it holds an evaluation.
ActionStates ActionStatesFor(bool windowActive, bool hasGraphs, int windowCount, bool hasEvaluation);

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

// A rectangle of the frame's client area.
struct Tile {
  int x;
  int y;
  int width;
  int height;
  friend bool operator==(const Tile&, const Tile&) = default;
};

// Where "one above the other" puts count windows of at least the minimum
// size in an area, front window first, so that every window lies wholly
// inside the area and keeps its minimum size: full-width bands while they
// are high enough, else side by side, else a grid, else bands of the
// minimum height that overlap evenly.
std::vector<Tile> TileWindows(int areaWidth, int areaHeight, int count, int minimumWidth, int minimumHeight);

// The seven interface languages in the order of the language menu and the
// tool bar. Their names are the same in every language.
struct LanguageChoice {
  const char* name;    // as the menu shows it
  std::int8_t code;    // as the settings store keeps it
  const char* icon;    // "language-<icon>"
  const char* locale;  // for Qt's own texts and the month names
};
inline constexpr std::array<LanguageChoice, 7> kLanguageChoices = {{
    {"Deutsch", 1, "de", "de_DE"},
    {"English (GB)", 2, "gb", "en_GB"},
    {"Français", 3, "fr", "fr_FR"},
    {"Español", 4, "es", "es_ES"},
    {"Italiano", 5, "it", "it_IT"},
    {"Português", 6, "pt", "pt_PT"},
    {"English (US)", 7, "us", "en_US"},
}};

// The language a stored code selects, as an index into kLanguageChoices:
// 2..7 their language, anything else (0 nothing stored, 1) German.
int LanguageChoiceOfCode(int code);

// Menu texts with access keys ("&" before a character), unique within the
// list regardless of case: the first character if it is free, else the
// first free character that starts a word, else any free letter or digit.
// A text that already carries a marker keeps it and reserves its character
// ("&&" is a literal "&", no marker); a text with nothing free stays
// without one.
std::vector<std::string> WithAccessKeys(const std::vector<std::string>& texts);

// What the program is asked to do by its arguments (those after the
// program's name).
struct CommandLine {
  enum class Kind {
    Files,  // open each file as the Open command would (none: just start)
    Range,  // open the range from files[0] to files[1] as one evaluation
    Help,   // print the usage and end
    Export, // write the charts or the values of files[0] (or the range files[0]..files[1]) to output, no window
    Findings,  // print the findings of files[0] (or the range files[0]..files[1]), no window
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
  // The daily or monthly totals instead of the charts or values (.csv only).
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
// the first and the last day file; "--" ends the options, so that a file
// named like one can still be opened. "--export OUT" (.png, .pdf, .svg or
// .csv) with "--channels A,B,..." and "--span day|month|year" before one
// file or "--range FIRST LAST" exports (the month and year spans only for
// a range, which shows its month by default); "--totals day|month" writes
// the totals instead (.csv, without --channels and --span). "--findings"
// before one file or "--range FIRST LAST" prints the findings, or with
// "--export OUT.csv" writes them (without --channels, --span and --totals).
// Any other "--" option is a UsageError.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The text "--help" prints.
std::string_view UsageText();

}  // namespace calorix::app
