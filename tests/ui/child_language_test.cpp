// The evaluation window's texts across a language switch, and its own
// settings command.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

#include <memory>
#include <string>

#include "chart/chart_series.h"
#include "core/error.h"
#include "dialogs/dialog_driver.h"
#include "i18n/text_table.h"
#include "settings/ini_settings.h"
#include "settings/profile_file.h"
#include "ui/child_form.h"
#include "ui/locale_month_names.h"
#include "ui/settings_dialog.h"
#include "ui_test_support.h"

namespace calorix::ui {
namespace {

using testing::SampleFile;
using testing::TempFolder;

class ChildLanguageTest : public ::testing::Test, public testing::EnglishTexts, public testing::WindowTest {
 protected:
  void SwitchTo(i18n::LanguageBlock block) {
    i18n::SetCurrentBlock(block);
    Window().ApplyLanguage();
  }
  std::string Title(const chart::ChartPanel& panel, std::size_t i) { return panel.Series().at(i)->Title(); }
};

TEST_F(ChildLanguageTest, EmptyWindowIsCaptionedInTheNewLanguage) {
  SwitchTo(i18n::LanguageBlock::Spanish);
  EXPECT_EQ(Window().windowTitle().toStdString(), "Nuevo");
  EXPECT_EQ(Window().findChild<QPushButton*>("ButtonSettings")->text().toStdString(),
            i18n::TextOf(i18n::LanguageBlock::Spanish, 7));
  EXPECT_EQ(Window().ActionOpenSettings()->text(), Window().findChild<QPushButton*>("ButtonSettings")->text());
}

TEST_F(ChildLanguageTest, SpanChoiceKeepsItsPositionInTheNewLanguage) {
  LoadRange(SampleFile("2024/05/20240530.csv"), SampleFile("2024/06/20240602.csv"));
  ChooseSpan(1);
  SwitchTo(i18n::LanguageBlock::German);
  ASSERT_EQ(SpanChoice().count(), 5);
  EXPECT_EQ(SpanChoice().currentIndex(), 1);
  EXPECT_EQ(SpanChoice().currentText().toStdString(), "3 Stunden");
  EXPECT_EQ(SpanChoice().itemText(4).toStdString(), "1 Monat");
  EXPECT_EQ(Window().windowTitle().toStdString().rfind("Auswertung vom ", 0), 0u);
}

TEST_F(ChildLanguageTest, DefaultNamedSeriesTakeTheNewNamesTypedOnesStay) {
  TChildSettings settings = Window().Settings();
  settings.Labels[static_cast<std::size_t>(SettingSlot::T2)] = "Collector";
  Window().ApplySettings(settings);
  Window().LoadFile(SampleFile("2024/05/20240531.csv"));
  Box("CB_T1").setChecked(true);
  Box("CB_T2").setChecked(true);
  ASSERT_EQ(Upper().SeriesCount(), 2u);
  SwitchTo(i18n::LanguageBlock::German);
  // The legend of print and bitmap shows these names.
  EXPECT_EQ(Title(Upper(), 0), "Temperatur Sensor 1");
  EXPECT_EQ(Title(Upper(), 1), "Collector");
  EXPECT_EQ(Box("CB_T1").text().toStdString(), "Temperatur Sensor 1");
  EXPECT_EQ(Box("CB_T2").text().toStdString(), "Collector");
}

TEST_F(ChildLanguageTest, MonthNamesInDatesFollowTheGivenLocale) {
  Window().SetMonthNames(MonthNamesOf(QLocale(QLocale::French, QLocale::France)));
  Window().LoadFile(SampleFile("2024/05/20240531.csv"));
  EXPECT_NE(Window().windowTitle().toStdString().find("mai 2024"), std::string::npos)
      << Window().windowTitle().toStdString();
}

// The window's settings command with the dialog driven as a user would.
class WindowSettingsTest : public ChildLanguageTest {
 protected:
  WindowSettingsTest() { Window().SetSettingsDialog(&dialog_); }

  // The store keeps its file in the test's folder; with failingWrites the
  // file cannot be written.
  void UseStore(bool writable) {
    auto opens = std::make_shared<int>(0);
    store_ = std::make_unique<TIniSettings>(
        folder_ / "Calorix.ini", folder_.Path().string(),
        [opens, writable](const std::filesystem::path& path) -> std::unique_ptr<ProfileAccess> {
          if ((*opens)++ > 0 && !writable) return nullptr;
          return OpenProfileFile(path);
        });
    if (!writable) {
      EXPECT_THROW(store_->SetExcelPath("x"), Error);  // found out now
    }
    Window().SetSettingsStore(store_.get());
  }
  // The user types a heading and presses OK.
  void AnswerWithHeading(const char* heading) {
    calorix::testing::WhenShown<TDialogSettings>([heading](TDialogSettings& shown) {
      shown.EditOutputHeadline()->setText(heading);
      shown.findChild<QPushButton*>("OKBtn")->click();
    });
  }

  TempFolder folder_;
  TDialogSettings dialog_{Dialogs()};
  std::unique_ptr<TIniSettings> store_;
};

TEST_F(WindowSettingsTest, OkAppliesAndYesKeepsThemAsDefaults) {
  UseStore(true);
  AnswerWithHeading("Roof");
  Dialogs().AnswerMessage(MessageAnswer::Yes);
  Window().ActionOpenSettings()->trigger();
  EXPECT_EQ(Window().Settings().ChartTitle, "Roof");
  ASSERT_EQ(Dialogs().Messages().size(), 1u);
  EXPECT_EQ(Dialogs().Messages()[0].text, i18n::Text(81));
  EXPECT_EQ(Dialogs().Messages()[0].caption, "Question:");
  EXPECT_EQ(store_->GetChildSettings().ChartTitle, "Roof");
  EXPECT_EQ(TIniSettings(folder_ / "Calorix.ini", "").GetChildSettings().ChartTitle, "Roof");
}

TEST_F(WindowSettingsTest, NoKeepsTheDefaults) {
  UseStore(true);
  AnswerWithHeading("Roof");
  Dialogs().AnswerMessage(MessageAnswer::No);
  Window().ActionOpenSettings()->trigger();
  EXPECT_EQ(Window().Settings().ChartTitle, "Roof");
  EXPECT_EQ(store_->GetChildSettings().ChartTitle, "");
}

TEST_F(WindowSettingsTest, AStoreThatCannotBeWrittenIsNotOffered) {
  UseStore(false);
  AnswerWithHeading("Roof");
  Window().ActionOpenSettings()->trigger();
  EXPECT_EQ(Window().Settings().ChartTitle, "Roof");
  EXPECT_TRUE(Dialogs().Messages().empty());
}

TEST_F(WindowSettingsTest, DefaultThenCancelChangesNothing) {
  UseStore(true);
  TChildSettings own = Window().Settings();
  own.ChartTitle = "Roof";
  own.LineWidth = 5;
  Window().ApplySettings(own);
  const TChildSettings before = Window().Settings();
  calorix::testing::WhenShown<TDialogSettings>([](TDialogSettings& shown) {
    shown.findChild<QPushButton*>("DefaultButton")->click();
    shown.findChild<QPushButton*>("CancelBtn")->click();
  });
  Window().findChild<QPushButton*>("ButtonSettings")->click();
  EXPECT_EQ(Window().Settings(), before);
  EXPECT_TRUE(Dialogs().Messages().empty());
}

}  // namespace
}  // namespace calorix::ui
