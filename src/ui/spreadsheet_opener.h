#pragma once

#include <filesystem>

#include "ui/spreadsheet_programs.h"

class QWidget;

namespace calorix {
class Dialogs;
class Launcher;
class TIniSettings;
}  // namespace calorix

namespace calorix::ui {

// Opens a workbook in a spreadsheet program, trying in turn the ways of the
// platform's search (spreadsheet_programs.h; on Linux: LibreOffice Calc on
// the PATH, the program stored as the spreadsheet program, the desktop's
// application for the file), then a program the user picks after text 99
// (stored when it starts). When the picked program does not start either
// (and on Windows the file's association neither), text 100 says the file
// must be opened by hand. The store may be null.
void OpenInSpreadsheet(const std::filesystem::path& workbook, Dialogs& dialogs, Launcher& launcher, TIniSettings* store,
                       QWidget* owner, const SpreadsheetSearch& search = NativeSpreadsheetSearch());

}  // namespace calorix::ui
