#include "ui/spreadsheet_opener.h"

#include <string>

#include "dialogs/dialogs.h"
#include "dialogs/launcher.h"
#include "i18n/text_table.h"
#include "settings/ini_settings.h"

namespace calorix::ui {
namespace {

std::string FindCalc(Launcher& launcher) {
  for (const char* name : {"soffice", "libreoffice"}) {
    std::string path = launcher.FindProgram(name);
    if (!path.empty()) return path;
  }
  return {};
}

}  // namespace

void OpenInSpreadsheet(const std::filesystem::path& workbook, Dialogs& dialogs, Launcher& launcher,
                       TIniSettings* store, QWidget* owner) {
  const std::string file = workbook.string();
  const std::string calc = FindCalc(launcher);
  if (!calc.empty() && launcher.Start(calc, {"--calc", file})) return;

  const std::string stored = store ? store->GetExcelPath() : std::string();
  if (!stored.empty() && launcher.Start(stored, {file})) return;
  if (launcher.OpenWithDesktop(file)) return;

  dialogs.ShowInformation(owner, i18n::Text(i18n::kTextSpreadsheetNotFound), CaptionStyle::Colon);
  const std::string folder = std::filesystem::path(stored).parent_path().string();
  const auto program =
      dialogs.ExecuteFileDialog("", owner, i18n::Text(i18n::kTextAllFiles) + " (*.*)|*", true, "", folder);
  if (!program) return;
  if (launcher.Start(*program, {file})) {
    if (store) store->SetExcelPath(*program);
    return;
  }
  dialogs.ShowError(owner, i18n::Text(i18n::kTextSpreadsheetFailed), CaptionStyle::Colon);
}

}  // namespace calorix::ui
