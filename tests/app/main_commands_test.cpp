#include "app/main_commands.h"

#include "i18n/text_table.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace calorix::app {
namespace {

using Id = CommandId;

std::set<Id> EnabledIn(const WindowsState& state) {
  std::set<Id> enabled;
  for (const CommandEntry& command : kCommands) {
    if (IsCommandEnabled(command.id, state)) enabled.insert(command.id);
  }
  return enabled;
}

TEST(IsCommandEnabled, NoWindowLeavesOnlyTheAlwaysCommands) {
  EXPECT_EQ(EnabledIn({false, false, 0, false}),
            (std::set<Id>{Id::Open, Id::MultiDayAnalysis, Id::FollowLog, Id::Exit, Id::DefaultSettings, Id::About}));
}

TEST(IsCommandEnabled, ActiveWindowWithoutSeriesCanBeClosedButNotSaved) {
  const std::set<Id> enabled = EnabledIn({true, false, 1, false});
  for (const Id id : {Id::Close, Id::WindowSettings, Id::Cascade, Id::TileHorizontal, Id::MinimizeAll}) {
    EXPECT_TRUE(enabled.count(id)) << static_cast<int>(id);
  }
  for (const Id id : {Id::Save, Id::Print, Id::ExportDailyTotals, Id::ExportMonthlyTotals}) {
    EXPECT_FALSE(enabled.count(id)) << static_cast<int>(id);
  }
}

TEST(IsCommandEnabled, SeriesOnTheActiveWindowEnableSaveAndPrint) {
  const WindowsState state{true, true, 2, true};
  for (const Id id : {Id::Save, Id::Print, Id::ExportDailyTotals, Id::ExportMonthlyTotals}) {
    EXPECT_TRUE(IsCommandEnabled(id, state)) << static_cast<int>(id);
  }
  EXPECT_TRUE(IsCommandEnabled(Id::ExportMonthlyTotals, {true, false, 1, true})) << "totals need no series shown";
  EXPECT_FALSE(IsCommandEnabled(Id::Save, {true, false, 1, true})) << "nothing to save without a series";
}

TEST(IsCommandEnabled, WindowsWithoutAnActiveOneCanStillBeArranged) {
  const std::set<Id> enabled = EnabledIn({false, false, 2, false});
  EXPECT_FALSE(enabled.count(Id::Close));
  EXPECT_FALSE(enabled.count(Id::WindowSettings));
  for (const Id id : {Id::Cascade, Id::TileHorizontal, Id::MinimizeAll}) EXPECT_TRUE(enabled.count(id));
}

// CommandOf finds a command by its position in the table.
TEST(CommandTable, ListsEveryCommandOnceInTheOrderOfItsIds) {
  for (std::size_t i = 0; i < kCommands.size(); ++i) {
    EXPECT_EQ(static_cast<std::size_t>(kCommands[i].id), i);
    EXPECT_EQ(&CommandOf(kCommands[i].id), &kCommands[i]);
    EXPECT_NE(kCommands[i].run, nullptr);
  }
}

// Two commands with one key or one caption could not be told apart.
TEST(CommandTable, KeysAndCaptionsBelongToOneCommandEach) {
  std::set<QKeySequence::StandardKey> standardKeys;
  std::set<int> texts;
  std::set<std::string> captions;
  for (const CommandEntry& command : kCommands) {
    if (command.standardKey != QKeySequence::UnknownKey) {
      EXPECT_TRUE(standardKeys.insert(command.standardKey).second) << command.builtInCaption;
    }
    EXPECT_TRUE(texts.insert(command.text).second) << command.builtInCaption;
    EXPECT_TRUE(captions.insert(command.builtInCaption).second) << command.builtInCaption;
  }
}

// The built-in captions are the German texts with an access key added.
TEST(CommandTable, BuiltInCaptionsAreTheGermanTexts) {
  for (const CommandEntry& command : kCommands) {
    std::string caption = command.builtInCaption;
    caption.erase(caption.find('&'), 1);
    EXPECT_EQ(caption, i18n::TextOf(i18n::LanguageBlock::German, command.text)) << command.builtInCaption;
  }
}

}  // namespace
}  // namespace calorix::app
