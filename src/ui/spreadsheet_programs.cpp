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

bool StartCalc(Launcher& launcher, const std::string& calc, const std::filesystem::path& dayFile) {
  return !calc.empty() && launcher.Start(calc, {"--calc", kCalcDayFileFilter, dayFile.string()});
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

bool StartKnownSpreadsheet(const SpreadsheetSearch& search, const std::filesystem::path& dayFile,
                           const std::function<std::string()>& fileForOthers, const std::string& stored,
                           Launcher& launcher) {
  for (const SpreadsheetWay way : search.ways) {
    bool started = false;
    switch (way) {
      case SpreadsheetWay::CalcOnPath:
        started = StartCalc(launcher, FindCalc(launcher), dayFile);
        break;
      case SpreadsheetWay::ShellExcel:
        started = launcher.ShellOpen("Excel.exe", {fileForOthers()});
        break;
      case SpreadsheetWay::RegisteredExcel: {
        const std::string excel = launcher.RegisteredProgram("Excel.exe");
        started = !excel.empty() && launcher.ShellOpen(excel, {fileForOthers()});
        break;
      }
      case SpreadsheetWay::Stored:
        started = !stored.empty() && launcher.Start(stored, {fileForOthers()});
        break;
      case SpreadsheetWay::RegisteredCalc:
        started = StartCalc(launcher, launcher.RegisteredProgram("soffice.exe"), dayFile);
        break;
      case SpreadsheetWay::Desktop:
        started = launcher.OpenWithDesktop(fileForOthers());
        break;
    }
    if (started) return true;
  }
  return false;
}

}  // namespace calorix::ui
