#include "ui/spreadsheet_opener.h"

#include <string>

#include "core/utf8_path.h"
#include "dialogs/dialogs.h"
#include "dialogs/launcher.h"
#include "i18n/text_table.h"
#include "settings/ini_settings.h"

namespace calorix::ui {

void OpenInSpreadsheet(const std::filesystem::path& workbook, Dialogs& dialogs, Launcher& launcher, TIniSettings* store,
                       QWidget* owner, const SpreadsheetSearch& search) {
  const std::string file = workbook.string();
  const std::string stored = store ? store->GetExcelPath() : std::string();
  if (StartKnownSpreadsheet(search, workbook, stored, launcher)) return;

  dialogs.ShowInformation(owner, i18n::Text(i18n::kTextSpreadsheetNotFound), CaptionStyle::Colon);
  const std::string folder = Utf8Of(PathFromUtf8(stored).parent_path());
  const auto program =
      dialogs.ExecuteFileDialog(search.proposedProgram, owner, i18n::Text(i18n::kTextAllFiles) + " (*.*)|*", true,
                                search.chooserExtension, folder);
  if (!program) return;
  if (launcher.Start(*program, {file})) {
    if (store) store->SetExcelPath(*program);
    return;
  }
  if (search.associationAfterChoice && launcher.OpenWithDesktop(file)) return;
  dialogs.ShowError(owner, i18n::Text(i18n::kTextSpreadsheetFailed), CaptionStyle::Colon);
}

}  // namespace calorix::ui
