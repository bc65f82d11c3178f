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

// English spreadsheets read "," as the field separator and "." as the
// decimal point; they get a converted copy.
std::filesystem::path FileForOtherPrograms(const std::filesystem::path& dayFile, const TIniSettings* store) {
  const int language = store ? store->GetMainSettings().Language : 0;
  if (language != kLanguageEnglishGb && language != kLanguageEnglishUs) return dayFile;
  return logdata::WriteSpreadsheetCopy(dayFile, std::filesystem::temp_directory_path());
}

}  // namespace

void OpenInSpreadsheet(const std::filesystem::path& dayFile, Dialogs& dialogs, Launcher& launcher,
                       TIniSettings* store, QWidget* owner, const SpreadsheetSearch& search) {
  std::string file;
  const auto fileForOthers = [&] {
    if (file.empty()) file = FileForOtherPrograms(dayFile, store).string();
    return file;
  };
  const std::string stored = store ? store->GetExcelPath() : std::string();
  if (StartKnownSpreadsheet(search, dayFile, fileForOthers, stored, launcher)) return;
  fileForOthers();

  dialogs.ShowInformation(owner, i18n::Text(i18n::kTextSpreadsheetNotFound), CaptionStyle::Colon);
  std::string program = search.proposedProgram;
  const std::string folder = std::filesystem::path(stored).parent_path().string();
  if (!dialogs.ExecuteFileDialog(program, owner, i18n::Text(i18n::kTextAllFiles) + " (*.*)|*", true,
                                 search.chooserExtension, folder)) {
    return;
  }
  if (launcher.Start(program, {file})) {
    if (store) store->SetExcelPath(program);
    return;
  }
  if (search.associationAfterChoice && launcher.OpenWithDesktop(file)) return;
  dialogs.ShowError(owner, i18n::Text(i18n::kTextSpreadsheetFailed), CaptionStyle::Colon);
}

}  // namespace calorix::ui
