#pragma once

#include <filesystem>

class QWidget;

namespace calorix {
class Dialogs;
class Launcher;
class TIniSettings;
}  // namespace calorix

namespace calorix::ui {

// The arguments that make LibreOffice Calc read a day file right whatever
// the user's locale: ";" between fields, '"' around text, Windows-1252,
// from the first line, numbers with a decimal comma (German).
inline constexpr const char* kCalcDayFileFilter = "--infilter=CSV:59,34,1,1,,1031";

// Opens a day file in a spreadsheet program, trying in turn:
//  1. LibreOffice Calc (soffice or libreoffice on the PATH) on the file itself;
//  2. the program stored as the spreadsheet program;
//  3. the desktop's application for CSV files;
//  4. a program the user picks after text 99 (stored when it starts).
// From 2 on, an English interface gets a comma-separated copy with decimal
// points in the temporary folder. When the picked program does not start
// either, text 100 says the file must be opened by hand. The store may be
// null.
void OpenInSpreadsheet(const std::filesystem::path& dayFile, Dialogs& dialogs, Launcher& launcher,
                       TIniSettings* store, QWidget* owner);

}  // namespace calorix::ui
