#pragma once

#include <string>
#include <string_view>
#include <vector>

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

}  // namespace calorix::app
