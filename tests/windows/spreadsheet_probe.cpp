// Runs the Windows spreadsheet search on a workbook as "Open in Excel"
// does, with real processes and the real registry, and prints the App
// Paths programs of Excel and LibreOffice first. Exits with 0 when a
// program started, 3 when none did. For app_paths_test.sh under Wine.
#include <QCoreApplication>

#include <iostream>

#include "dialogs/qt_launcher.h"
#include "ui/spreadsheet_programs.h"

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  if (argc != 2) {
    std::cerr << "usage: spreadsheet_probe WORKBOOK\n";
    return 2;
  }
  calorix::QtLauncher launcher;
  std::cout << "Excel.exe=" << launcher.RegisteredProgram("Excel.exe") << "\n"
            << "soffice.exe=" << launcher.RegisteredProgram("soffice.exe") << std::endl;
  const bool started =
      calorix::ui::StartKnownSpreadsheet(calorix::ui::WindowsSpreadsheetSearch(), argv[1], "", launcher);
  return started ? 0 : 3;
}
