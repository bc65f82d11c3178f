#pragma once

#include <string>
#include <string_view>
#include <vector>

// The rules the main window follows for its windows, menus and file
// dialogs; no Qt, tested on their own.
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

// The least height of an upper chart that still shows its axis numbers and
// a readable curve, and whose output labels below do not overlap.
inline constexpr int kUsableUpperChartHeight = 150;

// The height a window needs for a usable upper chart: its height now less
// what the upper chart has now (the upper chart takes every change of the
// window's height) plus the usable chart height; never below its minimum.
int UsableWindowHeight(int windowHeight, int upperChartHeight, int minimumHeight);

// Where "one above the other" puts count windows of at least the minimum
// size in an area, front window first, so that every window lies wholly
// inside the area and keeps its minimum size: full-width bands while they
// are high enough, else side by side, else a grid, else bands of the
// minimum height that overlap evenly.
std::vector<Tile> TileWindows(int areaWidth, int areaHeight, int count, int minimumWidth, int minimumHeight);

// Menu texts with access keys ("&" before a character), unique within the
// list regardless of case: the first character if it is free, else the
// first free character that starts a word, else any free letter or digit.
// A text that already carries a marker keeps it and reserves its character
// ("&&" is a literal "&", no marker); a text with nothing free stays
// without one.
std::vector<std::string> WithAccessKeys(const std::vector<std::string>& texts);

}  // namespace calorix::app
