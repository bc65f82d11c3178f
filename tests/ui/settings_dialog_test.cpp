#include "ui/settings_dialog.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

#include <functional>
#include <string>

#include "core/error.h"
#include "dialogs/color_dialog.h"
#include "dialogs/scripted_dialogs.h"
#include "i18n/text_table.h"
#include "ui_test_support.h"

namespace calorix::ui {
namespace {

using logdata::Channel;

std::size_t Slot(SettingSlot slot) { return static_cast<std::size_t>(slot); }

// A record unlike the defaults in every field.
TChildSettings Edited() {
  TChildSettings settings = testing::DefaultSettings();
  settings.ChartTitle = "Roof";
  settings.LineWidth = 3;
  settings.AxisMin = -5;
  settings.AxisMax = 90;
  settings.DynamicScaling = false;
  settings.Labels[Slot(SettingSlot::T2)] = "Collector";
  settings.Labels[Slot(SettingSlot::Power)] = "P";
  settings.Labels[Slot(SettingSlot::Volume)] = "V";
  settings.Colors[Slot(SettingSlot::T1)] = 0x123456;
  settings.OthersShowBars = false;
  settings.RShowBars = true;
  return settings;
}

class SettingsDialogTest : public ::testing::Test, public testing::EnglishTexts {
 protected:
  // The dialog as a caller shows it.
  void Show(const TChildSettings& settings) {
    dialog_.SetValues(settings);
    dialog_.FormShow();
  }
  // OK as the button runs it: the error, if any, is returned.
  std::string Ok() {
    try {
      dialog_.OKBtnClick();
    } catch (const Error& error) {
      return error.what();
    }
    return {};
  }

  ScriptedDialogs dialogs_;
  TDialogSettings dialog_{dialogs_};
};

TEST_F(SettingsDialogTest, OkReturnsWhatWasShownWithPowerAndVolumeInTheirSlots) {
  Show(Edited());
  EXPECT_EQ(dialog_.LabelEdit(Channel::Power)->text().toStdString(), "P");
  EXPECT_EQ(dialog_.LabelEdit(Channel::Volume)->text().toStdString(), "V");
  EXPECT_EQ(dialog_.LabelEdit(Channel::T1)->text().toStdString(), "Temperature sensor 1");
  EXPECT_EQ(dialog_.EditLineWidth()->text().toStdString(), "3");
  EXPECT_FALSE(dialog_.RadioAxisDynamic()->isChecked());
  EXPECT_EQ(Ok(), "");
  EXPECT_EQ(dialog_.result(), QDialog::Accepted);
  EXPECT_EQ(dialog_.GetValues(), Edited());
}

TEST_F(SettingsDialogTest, ShowsTheTextsOfTheCurrentLanguage) {
  Show(Edited());
  EXPECT_EQ(dialog_.windowTitle().toStdString(), "Settings");
  EXPECT_EQ(dialog_.findChild<QWidget*>("DefaultButton")->property("text").toString().toStdString(), "Default");
  EXPECT_EQ(dialog_.findChild<QWidget*>("LabelPower")->property("text").toString().toStdString(), "Thermal output");
  EXPECT_EQ(dialog_.findChild<QWidget*>("GroupBoxExits")->property("title").toString().toStdString(), "Outputs ");
}

// Whatever the language, every language's default name fits its field
// whole (the longer Romance names were cut off).
TEST_F(SettingsDialogTest, LabelFieldsHoldTheLongestDefaultNameOfEveryLanguage) {
  for (int block = 0; block < i18n::kBlockCount; ++block) {
    i18n::SetCurrentBlock(static_cast<i18n::LanguageBlock>(block));
    Show(testing::DefaultSettings());
    dialog_.show();
    dialog_.layout()->activate();
    for (const Channel channel : logdata::kPanelOrder) {
      QLineEdit* edit = dialog_.LabelEdit(channel);
      const QFontMetrics metrics(edit->font());
      for (int other = 0; other < i18n::kBlockCount; ++other) {
        const QString name = QString::fromStdString(
            i18n::TextOf(static_cast<i18n::LanguageBlock>(other), logdata::InfoOf(channel).defaultNameText));
        EXPECT_GE(edit->width(), metrics.horizontalAdvance(name) + 8) << name.toStdString() << " in block " << block;
      }
    }
    dialog_.hide();
  }
  i18n::SetCurrentBlock(i18n::LanguageBlock::English);
}

struct Invalid {
  const char* name;
  std::function<void(TDialogSettings&)> enter;
  int text;
  const char* focus;  // the control that gets the focus; empty: none moves
};

class SettingsDialogValidation : public SettingsDialogTest, public ::testing::WithParamInterface<Invalid> {};

TEST_P(SettingsDialogValidation, ShowsItsTextMovesTheFocusAndKeepsTheCommittedCopy) {
  Show(Edited());
  dialog_.findChild<QWidget*>("EditOutputHeadline")->setFocus();
  GetParam().enter(dialog_);
  EXPECT_EQ(Ok(), i18n::Text(GetParam().text));
  EXPECT_NE(dialog_.result(), QDialog::Accepted);
  const std::string focus = GetParam().focus;
  ASSERT_NE(dialog_.focusWidget(), nullptr);
  EXPECT_EQ(dialog_.focusWidget()->objectName().toStdString(), focus.empty() ? "EditOutputHeadline" : focus);
  EXPECT_EQ(dialog_.GetValues(), Edited());
}

void SetText(TDialogSettings& d, const char* name, const char* text) {
  d.findChild<QLineEdit*>(name)->setText(QString::fromUtf8(text));
}

INSTANTIATE_TEST_SUITE_P(
    EachCheck, SettingsDialogValidation,
    ::testing::Values(
        Invalid{"LineWidthZero", [](auto& d) { SetText(d, "EditLineWidth", "0"); }, 105, "EditLineWidth"},
        Invalid{"LineWidthNegative", [](auto& d) { SetText(d, "EditLineWidth", "-1"); }, 105, "EditLineWidth"},
        Invalid{"LineWidthStoredAbove99", [](auto& d) { SetText(d, "EditLineWidth", "150"); }, 105, "EditLineWidth"},
        // Not a number: the same text and focus, not the conversion's own message.
        Invalid{"LineWidthNotANumber", [](auto& d) { SetText(d, "EditLineWidth", "2x"); }, 105, "EditLineWidth"},
        Invalid{"YMinNotANumber", [](auto& d) { SetText(d, "EditYMin", "low"); }, 104, ""},
        // Checked even with dynamic scaling chosen.
        Invalid{"YMaxEmptyWhileDynamic",
                [](auto& d) {
                  d.RadioAxisDynamic()->setChecked(true);
                  SetText(d, "EditYMax", "");
                },
                104, ""},
        Invalid{"EmptyLabel", [](auto& d) { SetText(d, "EditT3", ""); }, 103, "EditT3"},
        // Screen order: Power stands above Volume and R1.
        Invalid{"FirstEmptyLabelOnScreen",
                [](auto& d) {
                  SetText(d, "EditR1", "");
                  SetText(d, "EditVolume", "");
                  SetText(d, "EditPower", "");
                },
                103, "EditPower"},
        // The line width is checked before the labels.
        Invalid{"LineWidthBeforeLabels",
                [](auto& d) {
                  SetText(d, "EditT1", "");
                  SetText(d, "EditLineWidth", "");
                },
                105, "EditLineWidth"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsDialogTest, LimitsOfTheOtherValuesAreAccepted) {
  for (const char* width : {"1", "99", " 7 "}) {
    Show(Edited());
    dialog_.EditLineWidth()->setText(width);
    dialog_.EditYMin()->setText("200");  // above the maximum: allowed
    dialog_.EditOutputHeadline()->setText("");
    dialog_.LabelEdit(Channel::T4)->setText("  ");  // blanks are not empty
    EXPECT_EQ(Ok(), "") << width;
    EXPECT_EQ(dialog_.GetValues().AxisMin, 200);
    EXPECT_EQ(dialog_.GetValues().ChartTitle, "");
    EXPECT_EQ(dialog_.GetValues().Labels[Slot(SettingSlot::T4)], "  ");
  }
}

TEST_F(SettingsDialogTest, DefaultLabelFollowsTheLanguageWhileATypedOneStays) {
  Show(Edited());
  ASSERT_EQ(Ok(), "");
  EXPECT_EQ(dialog_.GetValues().Labels[Slot(SettingSlot::T1)], kDefaultLabel);
  EXPECT_EQ(dialog_.GetValues().Labels[Slot(SettingSlot::T2)], "Collector");
  i18n::SetCurrentBlock(i18n::LanguageBlock::German);
  Show(dialog_.GetValues());
  EXPECT_EQ(dialog_.LabelEdit(Channel::T1)->text().toStdString(), "Temperatur Sensor 1");
  EXPECT_EQ(dialog_.LabelEdit(Channel::T2)->text().toStdString(), "Collector");
}

TEST_F(SettingsDialogTest, AnotherLanguagesDefaultNameTypedStaysLiteral) {
  Show(Edited());
  dialog_.LabelEdit(Channel::T1)->setText("Temperatur Sensor 1");
  ASSERT_EQ(Ok(), "");
  EXPECT_EQ(dialog_.GetValues().Labels[Slot(SettingSlot::T1)], "Temperatur Sensor 1");
}

TEST_F(SettingsDialogTest, DefaultThenCancelLeavesTheCallersRecordAlone) {
  TChildSettings callers = Edited();
  Show(callers);
  dialog_.DefaultButtonClick();
  EXPECT_EQ(dialog_.EditLineWidth()->text().toStdString(), "2");
  EXPECT_EQ(dialog_.LabelEdit(Channel::T2)->text().toStdString(), "Temperature sensor 2");
  EXPECT_TRUE(dialog_.RadioOthersShowBars()->isChecked());
  dialog_.CancelBtnClick();
  EXPECT_EQ(dialog_.result(), QDialog::Rejected);
  EXPECT_EQ(callers, Edited());
  // The next showing starts from what the caller hands over.
  Show(callers);
  EXPECT_EQ(dialog_.LabelEdit(Channel::T2)->text().toStdString(), "Collector");
}

TEST_F(SettingsDialogTest, DefaultThenOkGivesTheDefaultsWithDefaultLabels) {
  Show(Edited());
  dialog_.DefaultButtonClick();
  ASSERT_EQ(Ok(), "");
  EXPECT_EQ(dialog_.GetValues(), testing::DefaultSettings());
}

TEST_F(SettingsDialogTest, CancelledColourDialogKeepsTheColour) {
  Show(Edited());
  dialogs_.CancelColor();
  dialog_.PickColour(SettingSlot::T1);
  ASSERT_EQ(dialogs_.ColorRequests().size(), 1u);
  EXPECT_EQ(dialogs_.ColorRequests()[0].color, 0x123456u);
  EXPECT_EQ(dialogs_.ColorRequests()[0].owner, &dialog_);
  ASSERT_EQ(Ok(), "");
  EXPECT_EQ(dialog_.GetValues().Colors[Slot(SettingSlot::T1)], 0x123456u);
}

TEST_F(SettingsDialogTest, CustomColoursAreTheWorkingColoursInScreenOrder) {
  Show(Edited());
  dialogs_.ChooseColor(0x00AA00);
  dialog_.PickColour(SettingSlot::Power);
  dialogs_.CancelColor();
  dialog_.PickColour(SettingSlot::Volume);
  ASSERT_EQ(dialogs_.ColorRequests().size(), 2u);
  const auto& second = dialogs_.ColorRequests()[1];
  EXPECT_EQ(second.color, Edited().Colors[Slot(SettingSlot::Volume)]);
  const auto custom = CustomColorsOf(second.settings);
  EXPECT_EQ(custom[0], 0x123456u);  // T1, chosen before the showing
  EXPECT_EQ(custom[8], 0x00AA00u);  // Power, chosen in this showing
  EXPECT_EQ(custom[9], Edited().Colors[Slot(SettingSlot::Volume)]);
  ASSERT_EQ(Ok(), "");
  EXPECT_EQ(dialog_.GetValues().Colors[Slot(SettingSlot::Power)], 0x00AA00u);
}

TEST_F(SettingsDialogTest, UpDownStepsTheLineWidthWithinItsRange) {
  Show(Edited());
  const auto stepFrom = [&](const char* text, int delta) {
    dialog_.EditLineWidth()->setText(text);
    dialog_.StepLineWidth(delta);
    return dialog_.EditLineWidth()->text().toStdString();
  };
  EXPECT_EQ(stepFrom("5", 1), "6");
  EXPECT_EQ(stepFrom("5", -1), "4");
  EXPECT_EQ(stepFrom("99", 1), "99");
  EXPECT_EQ(stepFrom("1", -1), "1");
  EXPECT_EQ(stepFrom("abc", 1), "1");
}

TEST(SettingsLabels, ConvertExactlyAndCaseSensitively) {
  const testing::EnglishTexts english;
  EXPECT_EQ(StoredToLabel(kDefaultLabel, 63), "Flow rate");
  EXPECT_EQ(StoredToLabel("default_label", 63), "default_label");
  EXPECT_EQ(LabelToStored("Flow rate", 63), kDefaultLabel);
  EXPECT_EQ(LabelToStored("flow rate", 63), "flow rate");
  EXPECT_EQ(LabelToStored("Flow rate ", 63), "Flow rate ");
}

}  // namespace
}  // namespace calorix::ui
