#include "ui/spreadsheet_programs.h"

#include "core/platform.h"
#include "dialogs/launcher.h"

namespace calorix::ui {
namespace {

std::string FindCalc(Launcher& launcher) {
  for (const char* name : {"soffice", "libreoffice"}) {
    std::string path = launcher.FindProgram(name);
    if (!path.empty()) return path;
  }
  return {};
}

bool StartCalc(Launcher& launcher, const std::string& calc, const std::string& workbook) {
  return !calc.empty() && launcher.Start(calc, {"--calc", workbook});
}

}  // namespace

SpreadsheetSearch LinuxSpreadsheetSearch() {
  return {{SpreadsheetWay::CalcOnPath, SpreadsheetWay::Stored, SpreadsheetWay::Desktop}, "", "", false};
}

SpreadsheetSearch WindowsSpreadsheetSearch() {
  return {{SpreadsheetWay::ShellExcel, SpreadsheetWay::RegisteredExcel, SpreadsheetWay::Stored,
           SpreadsheetWay::RegisteredCalc},
          "*.exe",
          "Excel.exe",
          true};
}

SpreadsheetSearch NativeSpreadsheetSearch() {
  return kWindowsBuild ? WindowsSpreadsheetSearch() : LinuxSpreadsheetSearch();
}

bool StartKnownSpreadsheet(const SpreadsheetSearch& search, const std::filesystem::path& workbook,
                           const std::string& stored, Launcher& launcher) {
  const std::string file = workbook.string();
  for (const SpreadsheetWay way : search.ways) {
    bool started = false;
    switch (way) {
      case SpreadsheetWay::CalcOnPath: started = StartCalc(launcher, FindCalc(launcher), file); break;
      case SpreadsheetWay::ShellExcel: started = launcher.ShellOpen("Excel.exe", {file}); break;
      case SpreadsheetWay::RegisteredExcel: {
        const std::string excel = launcher.RegisteredProgram("Excel.exe");
        started = !excel.empty() && launcher.ShellOpen(excel, {file});
        break;
      }
      case SpreadsheetWay::Stored: started = !stored.empty() && launcher.Start(stored, {file}); break;
      case SpreadsheetWay::RegisteredCalc:
        started = StartCalc(launcher, launcher.RegisteredProgram("soffice.exe"), file);
        break;
      case SpreadsheetWay::Desktop: started = launcher.OpenWithDesktop(file); break;
    }
    if (started) return true;
  }
  return false;
}

}  // namespace calorix::ui
