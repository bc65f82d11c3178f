#pragma once

#include <QApplication>

namespace calorix {
class Dialogs;
}

namespace calorix::app {

// The program's title, shown as the main window's caption.
inline constexpr const char* kProgramTitle = "Marlo Calorix 1";

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
