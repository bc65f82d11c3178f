#include "app/application.h"
#include "app/export_command.h"
#include "app/findings_command.h"
#include "app/language_switch.h"
#include "app/main_form.h"
#include "app/command_line.h"
#include "app/platform.h"
#include "core/utf8_path.h"
#include "dialogs/qt_dialogs.h"

#include <QGuiApplication>
#include <QStringList>
#include <QTimer>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Relative names are made absolute so that the remembered folder is one the
// dialogs can find.
std::string Absolute(const std::string& text) {
  return calorix::Utf8Of(std::filesystem::absolute(calorix::PathFromUtf8(text)).lexically_normal());
}

calorix::app::CommandLine ParseArguments(const QStringList& arguments) {
  std::vector<std::string> args;
  for (qsizetype i = 1; i < arguments.size(); ++i) args.push_back(arguments[i].toStdString());
  calorix::app::CommandLine line = calorix::app::ParseCommandLine(args);
  for (std::string& file : line.files) file = Absolute(file);
  return line;
}

// The export needs no display: on Linux without one it draws on Qt's
// offscreen platform. Prints the error and gives 1 when it fails.
int Export(int argc, char** argv, calorix::app::CommandLine line) {
  calorix::app::PrepareExportPlatform();
  QGuiApplication app(argc, argv);
  QCoreApplication::setApplicationName(calorix::app::kProgramTitle);
  line.output = Absolute(line.output);
  for (std::string& file : line.files) file = Absolute(file);
  try {
    calorix::app::RunExport(
        line, [](const std::string& warning) { std::fprintf(stderr, "calorix: %s\n", warning.c_str()); },
        calorix::app::SystemLanguages());
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "calorix: %s\n", error.what());
    return 1;
  }
}

// The findings need neither a display nor a Qt application. Prints the
// error and gives 1 when they cannot be had or printed.
int PrintFindings(calorix::app::CommandLine line) {
  for (std::string& file : line.files) file = Absolute(file);
  try {
    calorix::app::RunFindings(
        line, [](const std::string& table) { std::fwrite(table.data(), 1, table.size(), stdout); },
        [](const std::string& warning) { std::fprintf(stderr, "calorix: %s\n", warning.c_str()); },
        calorix::app::SystemLanguages());
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) throw std::runtime_error("cannot write the findings");
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "calorix: %s\n", error.what());
    return 1;
  }
}

void Start(calorix::app::TMainform& mainform, const calorix::app::CommandLine& line) {
  if (line.kind == calorix::app::CommandLine::Kind::Range) {
    mainform.OpenRange(line.files[0], line.files[1]);
  } else if (line.kind == calorix::app::CommandLine::Kind::Follow) {
    mainform.Opener().Follow(line.files[0]);
  } else {
    mainform.OpenFiles(line.files);
  }
}

}  // namespace

int main(int argc, char** argv) {
  // The arguments are checked before the application connects to a display,
  // so that --help and a wrong call work without one. Qt's own options are
  // taken out of the arguments by the application object; they are read
  // again after it.
  calorix::app::AttachToParentConsole();
  try {
    const calorix::app::CommandLine line = calorix::app::ParseCommandLine(calorix::app::Utf8Arguments(argc, argv));
    if (line.kind == calorix::app::CommandLine::Kind::Help) {
      const std::string_view usage = calorix::app::UsageText();
      std::fwrite(usage.data(), 1, usage.size(), stdout);
      return 0;
    }
    if (line.kind == calorix::app::CommandLine::Kind::Export) return Export(argc, argv, line);
    if (line.kind == calorix::app::CommandLine::Kind::Findings) return PrintFindings(line);
  } catch (const calorix::app::UsageError& error) {
    std::fprintf(stderr, "calorix: %s\nTry 'calorix --help'.\n", error.what());
    return 2;
  }

  calorix::app::TApplication app(argc, argv);
  QCoreApplication::setApplicationName(calorix::app::kProgramTitle);
  // The desktop entry (desktop/calorix.desktop) the windows belong to.
  QGuiApplication::setDesktopFileName("calorix");
  calorix::QtDialogs dialogs;
  app.SetErrorDialogs(&dialogs);
  try {
    const calorix::app::CommandLine line = ParseArguments(QCoreApplication::arguments());
    calorix::app::TMainform mainform(dialogs);
    calorix::app::ApplyMainWindowFont(mainform);
    mainform.showMaximized();
    // After the window is up, so that the files go into the start-up window
    // and their messages have a window to sit on.
    QTimer::singleShot(0, &mainform, [&mainform, &line] { Start(mainform, line); });
    return app.exec();
  } catch (const std::exception& error) {
    dialogs.ShowError(nullptr, error.what());
    return 1;
  }
}
