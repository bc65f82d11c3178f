#include "dialogs/qt_launcher.h"

#include "dialogs/shell_platform.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

namespace calorix {

std::string QtLauncher::FindProgram(const std::string& name) {
  return QStandardPaths::findExecutable(QString::fromStdString(name)).toStdString();
}

bool QtLauncher::Start(const std::string& program, const std::vector<std::string>& arguments) {
  QStringList list;
  for (const std::string& argument : arguments) list << QString::fromStdString(argument);
  return QProcess::startDetached(QString::fromStdString(program), list);
}

bool QtLauncher::OpenWithDesktop(const std::string& file) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file)));
}

bool QtLauncher::ShellOpen(const std::string& program, const std::vector<std::string>& arguments) {
  if (!kShellFindsRegisteredPrograms) return Start(program, arguments);
  return ShellOpenProgram(program, arguments);
}

std::string QtLauncher::RegisteredProgram(const std::string& name) {
  const std::optional<AppPathEntry> entry = ReadAppPathEntry(name);
  return entry ? ProgramOfAppPath(name, *entry) : std::string();
}

}  // namespace calorix
