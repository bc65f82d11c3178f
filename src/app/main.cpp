#include "app/application.h"
#include "app/main_form.h"
#include "dialogs/qt_dialogs.h"

#include <QStringList>
#include <QTimer>

#include <exception>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// Every argument is a log file; there are no options. Relative names are
// made absolute so that the remembered folder is one the dialog can find.
std::vector<std::string> FilesOfArguments(const QStringList& arguments) {
  std::vector<std::string> files;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const std::string text = arguments[i].toStdString();
    const std::filesystem::path path(std::u8string(text.begin(), text.end()));
    const std::u8string absolute = std::filesystem::absolute(path).lexically_normal().u8string();
    files.emplace_back(absolute.begin(), absolute.end());
  }
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  calorix::app::TApplication app(argc, argv);
  QCoreApplication::setApplicationName(calorix::app::kProgramTitle);
  calorix::QtDialogs dialogs;
  app.SetErrorDialogs(&dialogs);
  try {
    calorix::app::TMainform mainform(dialogs);
    mainform.showMaximized();
    // After the window is up, so that the files go into the start-up window
    // and their messages have a window to sit on.
    const std::vector<std::string> files = FilesOfArguments(QCoreApplication::arguments());
    QTimer::singleShot(0, &mainform, [&mainform, &files] { mainform.OpenFiles(files); });
    return app.exec();
  } catch (const std::exception& error) {
    dialogs.ShowError(nullptr, error.what());
    return 1;
  }
}
