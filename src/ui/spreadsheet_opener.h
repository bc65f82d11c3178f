#pragma once

#include <filesystem>

class QWidget;

namespace calorix {
class Dialogs;
class Launcher;
class TIniSettings;
}  // namespace calorix

namespace calorix::ui {

// Opens a workbook in a spreadsheet program, trying in turn:
//  1. LibreOffice Calc (soffice or libreoffice on the PATH);
//  2. the program stored as the spreadsheet program;
//  3. the desktop's application for the file;
//  4. a program the user picks after text 99 (stored when it starts).
// When the picked program does not start either, text 100 says the file
// must be opened by hand. The store may be null.
void OpenInSpreadsheet(const std::filesystem::path& workbook, Dialogs& dialogs, Launcher& launcher,
                       TIniSettings* store, QWidget* owner);

}  // namespace calorix::ui
