#include "ui/command_guard.h"

#include <exception>

#include "dialogs/dialogs.h"

namespace calorix::ui {

bool RunCommand(Dialogs& dialogs, QWidget* owner, const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (const std::exception& e) {
    dialogs.ShowError(owner, e.what());
  } catch (...) {
    dialogs.ShowError(owner, "Internal Error");
  }
  return false;
}

}  // namespace calorix::ui
