#include "ui/spreadsheet_opener.h"

#include <string>

#include "dialogs/dialogs.h"
#include "dialogs/launcher.h"
#include "i18n/text_table.h"
#include "logdata/spreadsheet_copy.h"
#include "settings/ini_settings.h"

namespace calorix::ui {
namespace {

constexpr int kLanguageEnglishGb = 2;
constexpr int kLanguageEnglishUs = 7;

std::string FindCalc(Launcher& launcher) {
  for (const char* name : {"soffice", "libreoffice"}) {
    std::string path = launcher.FindProgram(name);
    if (!path.empty()) return path;
  }
  return {};
}

// English spreadsheets read "," as the field separator and "." as the
// decimal point; they get a converted copy.
std::filesystem::path FileForOtherPrograms(const std::filesystem::path& dayFile, const TIniSettings* store) {
  const int language = store ? store->GetMainSettings().Language : 0;
  if (language != kLanguageEnglishGb && language != kLanguageEnglishUs) return dayFile;
  return logdata::WriteSpreadsheetCopy(dayFile, std::filesystem::temp_directory_path());
}

}  // namespace

void OpenInSpreadsheet(const std::filesystem::path& dayFile, Dialogs& dialogs, Launcher& launcher,
                       TIniSettings* store, QWidget* owner) {
  const std::string calc = FindCalc(launcher);
  if (!calc.empty() && launcher.Start(calc, {"--calc", kCalcDayFileFilter, dayFile.string()})) return;

  const std::string file = FileForOtherPrograms(dayFile, store).string();
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
