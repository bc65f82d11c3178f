#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

// Widget tests need a QApplication. The platform is set here, not in the
// test environment, because test discovery runs this program at build time.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Keeps Qt's own dialog state out of the user's configuration.
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
