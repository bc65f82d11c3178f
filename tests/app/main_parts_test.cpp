// The main window's parts on their own, without a main window.

#include "app/held_defaults.h"
#include "app/language_choices.h"
#include "app/language_switch.h"
#include "app/platform.h"
#include "app/recent_files_menu.h"

#include "app/builtin_settings.h"
#include "dialogs/scripted_dialogs.h"
#include "i18n/text_table.h"
#include "settings/ini_settings.h"
#include "support/temp_folder.h"
#include "core/platform.h"
#include "ui/command_guard.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFont>
#include <QLocale>
#include <QMenu>
#include <QObject>
#include <QWidget>

#include <stdexcept>

namespace calorix::app {
namespace {

using calorix::testing::TempFolder;

// Windows draws the main window in Arial at 11 pixels; elsewhere it keeps
// the desktop's font.
TEST(MainWindowFont, IsArialElevenPixelsOnWindowsOnly) {
  QWidget window;
  ApplyMainWindowFont(window);
  if (kWindowsBuild) {
    EXPECT_EQ(window.font().family(), "Arial");
    EXPECT_EQ(window.font().pixelSize(), 11);
  } else {
    EXPECT_EQ(window.font(), QApplication::font());
  }
}

TEST(HeldDefaults, WithoutAStoreNewDefaultsAreHeldButNotSaved) {
  ScriptedDialogs dialogs;
  HeldDefaults defaults(dialogs, nullptr);
  EXPECT_EQ(defaults.ForNewWindows(nullptr), BuiltInChildSettings());
  TChildSettings changed = BuiltInChildSettings();
  changed.ChartTitle = "Roof";
  EXPECT_FALSE(defaults.Keep(changed, nullptr));
  EXPECT_EQ(defaults.ForNewWindows(nullptr), changed);
}

TEST(HeldDefaults, AStoreKeepsThemAndSaysWhetherTheyWereWritten) {
  TempFolder folder;
  ScriptedDialogs dialogs;
  HeldDefaults defaults(dialogs, nullptr);
  TIniSettings store(folder / "Calorix.ini", "/opt/calorix/");
  TChildSettings changed = BuiltInChildSettings();
  changed.ChartTitle = "Roof";
  EXPECT_TRUE(defaults.Keep(changed, &store));
  EXPECT_EQ(defaults.ForNewWindows(&store), changed);
  EXPECT_EQ(defaults.ForNewWindows(nullptr), BuiltInChildSettings()) << "held only while there is no store";
  EXPECT_TRUE(dialogs.Messages().empty());
}

TEST(LanguageSwitch, StartsInGermanAndChecksOnlyTheLanguageInForce) {
  i18n::SetCurrentBlock(i18n::LanguageBlock::English);
  QObject owner;
  LanguageSwitch languages(&owner);
  EXPECT_EQ(languages.Current(), 0);
  EXPECT_EQ(i18n::CurrentBlock(), i18n::LanguageBlock::German);
  ASSERT_EQ(languages.Actions().size(), kLanguageChoices.size());

  languages.Select(2);
  EXPECT_EQ(i18n::CurrentBlock(), i18n::LanguageBlock::French);
  EXPECT_EQ(QLocale().name().toStdString(), "fr_FR");
  // A click on the checked action unchecks it; the switch checks it again.
  languages.Actions()[2]->setChecked(false);
  languages.CheckCurrent();
  for (std::size_t i = 0; i < languages.Actions().size(); ++i) {
    EXPECT_EQ(languages.Actions()[i]->isChecked(), i == 2) << i;
  }
  languages.Select(0);
}

TEST(RecentFilesMenu, ItemsGoBeforeTheGivenActionAndShowOnlyWhenUsed) {
  TempFolder folder;
  ScriptedDialogs dialogs;
  TIniSettings store(folder / "Calorix.ini", "/opt/calorix/");
  QMenu menu;
  QAction* exit = menu.addAction("Exit");
  RecentFilesMenu recent(dialogs, nullptr);
  recent.AddTo(&menu, exit, [](int) {});
  recent.Load(&store);
  ASSERT_EQ(menu.actions().size(), kRecentCount + 2);
  EXPECT_EQ(menu.actions().back(), exit);
  for (QAction* action : menu.actions()) {
    if (action != exit) {
      EXPECT_FALSE(action->isVisible()) << action->objectName().toStdString();
    }
  }
  const std::string day = folder.Write("20240531.csv", "x").string();
  recent.Remember({day, ""}, &store);
  EXPECT_TRUE(menu.actions()[0]->isVisible());
  EXPECT_FALSE(menu.actions()[1]->isVisible());
  EXPECT_TRUE(menu.actions()[kRecentCount]->isVisible()) << "the separator";
  EXPECT_EQ(recent.Available(0, &store)->first, day);
}

TEST(RecentFilesMenu, AnEntryWhoseFileIsGoneIsDroppedWithAMessage) {
  TempFolder folder;
  ScriptedDialogs dialogs;
  TIniSettings store(folder / "Calorix.ini", "/opt/calorix/");
  QMenu menu;
  RecentFilesMenu recent(dialogs, nullptr);
  recent.AddTo(&menu, menu.addAction("Exit"), [](int) {});
  const std::string gone = (folder / "20240530.csv").string();
  recent.Remember({gone, ""}, &store);
  EXPECT_FALSE(recent.Available(0, &store));
  EXPECT_TRUE(recent.Entries().empty());
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_NE(dialogs.Messages()[0].text.find(gone), std::string::npos);
  EXPECT_FALSE(recent.Available(3, &store)) << "no such entry";
}

struct Target : QWidget {
  void Fail() { throw std::runtime_error("the disk is full"); }
};

TEST(GuardedSlot, ShowsTheErrorOfTheCommandInsteadOfThrowing) {
  ScriptedDialogs dialogs;
  Target target;
  const auto slot = ui::GuardedSlot(dialogs, &target, &Target::Fail);
  EXPECT_NO_THROW(slot());
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Messages()[0].text, "the disk is full");
  EXPECT_EQ(dialogs.Messages()[0].owner, &target);
}

}  // namespace
}  // namespace calorix::app
