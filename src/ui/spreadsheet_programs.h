#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace calorix {
class Launcher;
}

namespace calorix::ui {

// The ways of starting a spreadsheet program on a workbook without asking.
enum class SpreadsheetWay {
  CalcOnPath,       // soffice or libreoffice on the PATH
  ShellExcel,       // the shell's "open" of "Excel.exe"
  RegisteredExcel,  // the App Paths entry of "Excel.exe"
  Stored,           // the stored spreadsheet program (ExcelPath)
  RegisteredCalc,   // the App Paths entry of "soffice.exe"
  Desktop,          // the desktop's application for the file
};

// How a platform looks for a spreadsheet program: the ways in order, then
// what the program chooser proposes, and whether the file's own
// association is tried after a chosen program failed to start.
struct SpreadsheetSearch {
  std::vector<SpreadsheetWay> ways;
  std::string chooserExtension;
  std::string proposedProgram;
  bool associationAfterChoice = false;
};

// Linux: Calc, the stored program, the desktop's application.
SpreadsheetSearch LinuxSpreadsheetSearch();
// Windows: the shell's Excel.exe, Excel's App Paths entry, the stored
// program, LibreOffice's App Paths entry; the chooser proposes "Excel.exe"
// ("*.exe"); the association is the last resort.
SpreadsheetSearch WindowsSpreadsheetSearch();
// The search of the platform this program was built for.
SpreadsheetSearch NativeSpreadsheetSearch();

// Tries the ways of a search in order on the workbook; true as soon as one
// started.
bool StartKnownSpreadsheet(const SpreadsheetSearch& search, const std::filesystem::path& workbook,
                           const std::string& stored, Launcher& launcher);

}  // namespace calorix::ui
