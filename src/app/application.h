#pragma once

#include <QApplication>

#include "ui/window_look.h"

namespace calorix {
class Dialogs;
}

namespace calorix::app {

using ui::kProgramTitle;

// The application object. Every command already runs through RunCommand;
// this is the last net for an error that an event handler let through, so
// that it is shown like any other error instead of ending the program.
class TApplication : public QApplication {
 public:
  TApplication(int& argc, char** argv);

  // Where caught errors are shown; null shows nothing. Not owned.
  void SetErrorDialogs(Dialogs* dialogs) { dialogs_ = dialogs; }

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  Dialogs* dialogs_ = nullptr;
};

}  // namespace calorix::app
