#pragma once

#include <string>
#include <vector>

class QWidget;

// What the program does differently on each platform at start-up. One
// implementation per platform, chosen by the build: platform_windows.cpp and
// platform_posix.cpp.

namespace calorix::app {

// The program's arguments as UTF-8, without the program name (on Windows
// taken from the wide command line, since argv holds the ANSI code page).
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// On Windows the program is a window program without a console of its own:
// --help and --export write into the console of the command prompt that
// started it, if any (and output already redirected stays so).
void AttachToParentConsole();

// Before --export creates its application object: on Linux without a
// display Qt's offscreen platform is chosen, so that a cron job can export;
// Windows always has its own platform, which draws the texts.
void PrepareExportPlatform();

// The main window's font: Arial at 11 pixels character height on Windows;
// the desktop's default font elsewhere.
void ApplyMainWindowFont(QWidget& mainWindow);

}  // namespace calorix::app
