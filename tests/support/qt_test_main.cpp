// main() for the test executables that need a QApplication (widgets,
// dialogs, drawing text and images).

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QStandardPaths>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Set here, not in the test environment, because test discovery runs
  // this program at build time.
  qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef _WIN32
  // Qt's offscreen platform on Windows reads fonts from one folder only and
  // finds none by default: without them every text is a row of boxes and
  // nothing that measures text can be tested. The system's fonts, or under
  // Wine (whose own fonts folder is empty) the host's.
  if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR")) {
    const QDir windowsFonts(qEnvironmentVariable("WINDIR") + "/Fonts", "*.ttf");
    qputenv("QT_QPA_FONTDIR", windowsFonts.isEmpty() ? QByteArray("Z:/usr/share/fonts/truetype/liberation")
                                                     : windowsFonts.absolutePath().toLocal8Bit());
  }
#endif
  // Keeps Qt's own dialog state (custom colours, recent folders) out of the
  // user's configuration.
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
#ifdef _WIN32
  // The offscreen platform's default family is no font of that folder:
  // Arial, as the main window asks for, or the same widths under Wine.
  QFont::insertSubstitutions("Sans Serif", {"Arial", "Liberation Sans"});
  QFont::insertSubstitution("Arial", "Liberation Sans");
#endif
  return RUN_ALL_TESTS();
}
