// File, Follow today's log and --follow: which file a window follows.
#include "main_form_fixture.h"
#include "support/day_file_text.h"

namespace calorix::app {
namespace {

using namespace testing;  // NOLINT: the fixture
using calorix::testing::DayFileText;

class MainFollowTest : public MainFormTest {
 protected:
  std::string WriteDay(const char* name, const char* isoDate) {
    return logs_.Write(name, DayFileText(isoDate, {"10:00;40", "10:01;41"})).string();
  }
  std::vector<fs::path> Followed() { return form_->ActiveChild()->Model().FollowedFiles(); }

  TempFolder logs_;
};

TEST_F(MainFollowTest, TheCommandFollowsTheChosenFileAndReloadFollowsItAgain) {
  const std::string day = WriteDay("20240601.csv", "2024-06-01");
  Start();
  dialogs_.ChooseFile(day);
  form_->Action(CommandId::FollowLog)->trigger();
  Settle();
  ASSERT_EQ(form_->WindowCount(), 1);
  EXPECT_EQ(Followed(), std::vector<fs::path>{day});
  EXPECT_EQ(dialogs_.FileRequests().at(0).filter, "Log-Dateien (*.csv)|*.csv|Alle Dateien (*.*)|*");
  EXPECT_EQ(form_->SettingsStore()->GetMainSettings().LastUsedDir, logs_.Path().string());

  form_->Action(CommandId::Reload)->trigger();
  EXPECT_EQ(Followed(), std::vector<fs::path>{day});
  EXPECT_TRUE(dialogs_.Messages().empty());
}

TEST_F(MainFollowTest, AFolderIsFollowedAtItsNewestDayFile) {
  WriteDay("20240530.csv", "2024-05-30");
  const std::string newest = WriteDay("20240601.csv", "2024-06-01");
  Create();
  Show();
  form_->Opener().Follow(logs_.Path().string());
  EXPECT_EQ(Followed(), std::vector<fs::path>{newest});
  // Asked again, the window that follows it comes to the front.
  form_->Opener().Follow(logs_.Path().string());
  EXPECT_EQ(form_->WindowCount(), 1);
}

TEST_F(MainFollowTest, AFolderWithoutDayFilesSaysSo) {
  Start();
  form_->Opener().Follow(logs_.Path().string());
  ASSERT_EQ(dialogs_.Messages().size(), 1u);
  EXPECT_EQ(dialogs_.Messages()[0].text, i18n::Text(i18n::kTextNoFilesFound) + "\n\n" + logs_.Path().string());
  EXPECT_FALSE(form_->ActiveChild()->IsFollowing());
}

}  // namespace
}  // namespace calorix::app
