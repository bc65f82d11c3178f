// main() for the test executables that need a QApplication (widgets,
// dialogs, drawing text and images).

#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Set here, not in the test environment, because test discovery runs
  // this program at build time.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Keeps Qt's own dialog state (custom colours, recent folders) out of the
  // user's configuration.
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
