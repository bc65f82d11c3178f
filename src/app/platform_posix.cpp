#include "app/platform.h"

#include <cstdlib>

namespace calorix::app {

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void AttachToParentConsole() {}

void PrepareExportPlatform() {
  const bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
  if (!display && !std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

void ApplyMainWindowFont(QWidget&) {}

}  // namespace calorix::app
