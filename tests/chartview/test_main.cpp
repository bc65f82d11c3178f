#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  // Set before the application exists: discovery runs this binary at build
  // time without the test environment.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
