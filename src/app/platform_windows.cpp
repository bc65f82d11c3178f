#include "app/platform.h"

#include <QFont>
#include <QWidget>

#include <cstdio>

#include <windows.h>
#include <shellapi.h>

namespace calorix::app {

std::vector<std::string> Utf8Arguments(int, char**) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; wide != nullptr && i < count; ++i) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    if (size > 1) WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, utf8.data(), size, nullptr, nullptr);
    arguments.push_back(std::move(utf8));
  }
  LocalFree(wide);
  return arguments;
}

void AttachToParentConsole() {
  const bool noOutput = GetStdHandle(STD_OUTPUT_HANDLE) == nullptr;
  const bool noErrors = GetStdHandle(STD_ERROR_HANDLE) == nullptr;
  if (!noOutput && !noErrors) return;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  if (noOutput) (void)std::freopen("CONOUT$", "w", stdout);
  if (noErrors) (void)std::freopen("CONOUT$", "w", stderr);
}

void PrepareExportPlatform() {}

void ApplyMainWindowFont(QWidget& mainWindow) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(11);
  mainWindow.setFont(font);
}

}  // namespace calorix::app
