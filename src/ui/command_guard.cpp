#include "ui/command_guard.h"

#include <exception>

#include "dialogs/dialogs.h"
#include "i18n/text_table.h"

namespace calorix::ui {

bool RunCommand(Dialogs& dialogs, QWidget* owner, const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (const std::exception& e) {
    dialogs.ShowError(owner, e.what());
  } catch (...) {
    dialogs.ShowError(owner, i18n::Text(i18n::kTextInternalError));
  }
  return false;
}

}  // namespace calorix::ui
