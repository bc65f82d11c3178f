#include "app/application.h"

#include "dialogs/dialogs.h"
#include "i18n/text_table.h"

#include <exception>
#include <string>

namespace calorix::app {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  std::string message;
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
    message = i18n::Text(i18n::kTextInternalError);
  }
  if (dialogs_) dialogs_->ShowError(activeWindow(), message);
  return false;
}

}  // namespace calorix::app
