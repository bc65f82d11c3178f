#include "dialogs/color_dialog.h"

#include <gtest/gtest.h>

#include <QColorDialog>
#include <QGuiApplication>
#include <QScreen>

#include "dialog_driver.h"
#include "dialogs/qt_dialogs.h"
#include "dialogs/screen_placement.h"

namespace calorix {
namespace {

using testing::WhenShown;

TEST(ColorConversionTest, RedIsTheLowByte) {
  EXPECT_EQ(ToQColor(0x0000FF), QColor(255, 0, 0));
  EXPECT_EQ(ToQColor(0xFF0000), QColor(0, 0, 255));
  EXPECT_EQ(ToQColor(0x0A5E76), QColor(118, 94, 10));
  EXPECT_EQ(FromQColor(QColor(118, 94, 10)), 0x0A5E76u);
  EXPECT_EQ(FromQColor(QColor(0, 128, 255)), 0xFF8000u);
}

TEST(ColorConversionTest, HighByteIsDropped) {
  EXPECT_EQ(ToQColor(kNoColor), QColor(255, 255, 255));
  EXPECT_EQ(FromQColor(ToQColor(kNoColor)), 0xFFFFFFu);
}

TEST(ColorConversionTest, OtherColourSpecsAreConverted) {
  EXPECT_EQ(FromQColor(QColor::fromHsv(0, 255, 255)), 0x0000FFu);
}

TChildSettings NumberedColors() {
  TChildSettings settings;
  for (int slot = 0; slot < kSettingSlotCount; ++slot) settings.Colors[slot] = 0x010101u * (slot + 1);
  return settings;
}

TEST(CustomColorsTest, RecordColoursInKeyOrderThenBlack) {
  // Slots hold Volume before Power; the custom colours show Power first.
  const auto colors = CustomColorsOf(NumberedColors());
  const std::array<Color, 16> expected = {0x010101, 0x020202, 0x030303, 0x040404, 0x050505, 0x060606,
                                          0x070707, 0x080808, 0x0A0A0A, 0x090909, 0x0B0B0B, 0x0C0C0C,
                                          0x0D0D0D, 0x0E0E0E, 0x0F0F0F, 0x000000};
  EXPECT_EQ(colors, expected);
}

TEST(CustomColorsTest, PresetSetsAllSixteen) {
  for (int i = 0; i < kCustomColorCount; ++i) QColorDialog::setCustomColor(i, Qt::magenta);
  PresetCustomColors(NumberedColors());
  const auto expected = CustomColorsOf(NumberedColors());
  for (int i = 0; i < kCustomColorCount; ++i) {
    EXPECT_EQ(QColorDialog::customColor(i), ToQColor(expected[i])) << i;
  }
}

TEST(ColorDialogTest, GivenColourIsPreselected) {
  QColorDialog dialog;
  ConfigureColorDialog(dialog, 0x0A5E76);
  EXPECT_EQ(dialog.currentColor(), QColor(118, 94, 10));
  EXPECT_TRUE(dialog.testOption(QColorDialog::DontUseNativeDialog));
}

TEST(ColorDialogTest, OkGivesTheChosenColour) {
  WhenShown<QColorDialog>([](QColorDialog& dialog) {
    dialog.setCurrentColor(QColor(1, 2, 3));
    dialog.accept();
  });
  QtDialogs dialogs;
  EXPECT_EQ(dialogs.ExecuteColorDialog(0xFF0000, nullptr, NumberedColors()), 0x030201u);
}

TEST(ColorDialogTest, CancelGivesNoColour) {
  WhenShown<QColorDialog>([](QColorDialog& dialog) {
    dialog.setCurrentColor(QColor(1, 2, 3));
    dialog.reject();
  });
  QtDialogs dialogs;
  EXPECT_EQ(dialogs.ExecuteColorDialog(0xFF0000, nullptr, NumberedColors()), std::nullopt);
}

TEST(ColorDialogTest, EachShowingOffersTheRecordsCurrentColoursAndForgetsEdits) {
  QtDialogs dialogs;
  Color color = 0;
  QColor firstShown;
  WhenShown<QColorDialog>([&firstShown](QColorDialog& dialog) {
    firstShown = QColorDialog::customColor(0);
    QColorDialog::setCustomColor(0, Qt::magenta);  // as the user would
    QColorDialog::setCustomColor(15, Qt::cyan);
    dialog.reject();
  });
  TChildSettings settings = NumberedColors();
  dialogs.ExecuteColorDialog(color, nullptr, settings);
  EXPECT_EQ(firstShown, ToQColor(0x010101));

  settings.Colors[0] = 0x123456;
  QColor secondShown;
  QColor lastShown;
  WhenShown<QColorDialog>([&](QColorDialog& dialog) {
    secondShown = QColorDialog::customColor(0);
    lastShown = QColorDialog::customColor(15);
    dialog.reject();
  });
  dialogs.ExecuteColorDialog(color, nullptr, settings);
  EXPECT_EQ(secondShown, ToQColor(0x123456));
  EXPECT_EQ(lastShown, QColor(0, 0, 0));
}

TEST(ColorDialogTest, DialogIsCentredOnTheScreen) {
  QRect shown;
  WhenShown<QColorDialog>([&shown](QColorDialog& dialog) {
    shown = dialog.frameGeometry();
    dialog.reject();
  });
  QWidget owner;
  owner.setGeometry(5, 5, 50, 50);
  owner.show();
  Color color = 0;
  QtDialogs().ExecuteColorDialog(color, &owner, TChildSettings{});
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(shown.topLeft(), CenteredTopLeft(screen, shown.size()));
}

}  // namespace
}  // namespace calorix
