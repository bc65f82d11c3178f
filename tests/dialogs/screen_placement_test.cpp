#include "dialogs/screen_placement.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>

namespace calorix {
namespace {

QRect PrimaryScreen() { return QGuiApplication::primaryScreen()->geometry(); }

TEST(CenteredTopLeftTest, HalvesTheFreeSpace) {
  EXPECT_EQ(CenteredTopLeft(QRect(0, 0, 800, 600), QSize(400, 300)), QPoint(200, 150));
}

TEST(CenteredTopLeftTest, TruncatesTowardZero) {
  EXPECT_EQ(CenteredTopLeft(QRect(0, 0, 800, 600), QSize(401, 301)), QPoint(199, 149));
  EXPECT_EQ(CenteredTopLeft(QRect(0, 0, 800, 600), QSize(1001, 603)), QPoint(-100, -1));
}

TEST(CenteredTopLeftTest, WindowLargerThanTheScreenIsNotClamped) {
  EXPECT_EQ(CenteredTopLeft(QRect(0, 0, 800, 600), QSize(1000, 800)), QPoint(-100, -100));
}

TEST(CenteredTopLeftTest, ScreenOffsetIsKept) {
  EXPECT_EQ(CenteredTopLeft(QRect(1920, 100, 1280, 1024), QSize(280, 24)), QPoint(2420, 600));
}

TEST(CenterOnScreenTest, DialogIsCentredWhenShown) {
  QDialog dialog;
  dialog.setFixedSize(300, 201);
  CenterOnScreen(dialog);
  dialog.show();
  EXPECT_EQ(dialog.frameGeometry().topLeft(), CenteredTopLeft(PrimaryScreen(), dialog.frameGeometry().size()));
}

TEST(CenterOnScreenTest, OwnedDialogIsCentredOnTheScreenNotOnItsOwner) {
  QWidget owner;
  owner.setGeometry(10, 20, 200, 100);
  owner.show();
  QDialog dialog(&owner);
  dialog.setFixedSize(120, 80);
  CenterOnScreen(dialog);
  dialog.show();
  EXPECT_EQ(dialog.frameGeometry().topLeft(), CenteredTopLeft(PrimaryScreen(), dialog.frameGeometry().size()));
}

TEST(CenterOnScreenTest, DialogLargerThanTheScreenGetsANegativePosition) {
  QDialog dialog;
  const QRect screen = PrimaryScreen();
  dialog.setFixedSize(screen.width() + 200, screen.height() + 100);
  CenterOnScreen(dialog);
  dialog.show();
  const QRect frame = dialog.frameGeometry();
  EXPECT_EQ(frame.topLeft(), CenteredTopLeft(screen, frame.size()));
  EXPECT_LE(frame.left(), screen.left() - 100);
  EXPECT_LE(frame.top(), screen.top() - 50);
}

TEST(CenterOnScreenTest, DialogIsCentredAgainOnEveryShowing) {
  QDialog dialog;
  dialog.setFixedSize(100, 100);
  CenterOnScreen(dialog);
  dialog.show();
  const QPoint centred = dialog.frameGeometry().topLeft();
  dialog.move(1, 1);
  dialog.hide();
  dialog.show();
  EXPECT_EQ(dialog.frameGeometry().topLeft(), centred);
}

TEST(ScreenDpiTest, IsTheLogicalVerticalDpiOfThePrimaryScreen) {
  EXPECT_EQ(GetScreenDpi(), qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchY()));
  EXPECT_EQ(GetScreenDpi(), 96);  // what the offscreen platform reports
}

}  // namespace
}  // namespace calorix
