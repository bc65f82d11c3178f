#include "settings/settings_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/error.h"
#include "settings/channel_keys.h"

namespace calorix {
namespace {

TEST(ProfileIntegerTest, DecimalWithOptionalSign) {
  EXPECT_EQ(ParseProfileInteger("0"), 0);
  EXPECT_EQ(ParseProfileInteger("120"), 120);
  EXPECT_EQ(ParseProfileInteger("-10"), -10);
  EXPECT_EQ(ParseProfileInteger("+7"), 7);
  EXPECT_EQ(ParseProfileInteger("007"), 7);
}

TEST(ProfileIntegerTest, DecimalMustFitIn32Bits) {
  EXPECT_EQ(ParseProfileInteger("2147483647"), 2147483647);
  EXPECT_EQ(ParseProfileInteger("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ParseProfileInteger("2147483648"), std::nullopt);
  EXPECT_EQ(ParseProfileInteger("-2147483649"), std::nullopt);
  EXPECT_EQ(ParseProfileInteger("99999999999999999999999"), std::nullopt);
}

TEST(ProfileIntegerTest, ZeroXPrefixIsHexOnlyWhenLongerThanTwoCharacters) {
  EXPECT_EQ(ParseProfileInteger("0xFF"), 255);
  EXPECT_EQ(ParseProfileInteger("0XfF"), 255);
  EXPECT_EQ(ParseProfileInteger("0x1"), 1);
  EXPECT_EQ(ParseProfileInteger("0x"), std::nullopt);
  EXPECT_EQ(ParseProfileInteger("0X"), std::nullopt);
}

TEST(ProfileIntegerTest, DollarPrefixIsHex) {
  EXPECT_EQ(ParseProfileInteger("$10"), 16);
  EXPECT_EQ(ParseProfileInteger("$ff0000"), 16711680);
  EXPECT_EQ(ParseProfileInteger("$"), std::nullopt);
}

TEST(ProfileIntegerTest, HexFillsAll32Bits) {
  EXPECT_EQ(ParseProfileInteger("0xFFFFFFFF"), -1);
  EXPECT_EQ(ParseProfileInteger("$80000000"), -2147483647 - 1);
  EXPECT_EQ(ParseProfileInteger("0x00000000FF"), 255);
  EXPECT_EQ(ParseProfileInteger("0x100000000"), std::nullopt);
}

TEST(ProfileIntegerTest, AnythingElseIsNoInteger) {
  for (const char* text : {"",    "abc", "1.5",  "1,5",  "12a",  "1 2", " 1", "- 1", "-",   "+",
                           "--1", "+-1", "-0x5", "0x-5", "0x 5", "$-1", "$G", "0xG", "1e3", "\x01"}) {
    EXPECT_EQ(ParseProfileInteger(text), std::nullopt) << '"' << text << '"';
  }
}

TEST(LanguageFromStoredTest, LowEightBitsAsSignedNumberWithinZeroToSeven) {
  EXPECT_EQ(LanguageFromStored(0), 0);
  EXPECT_EQ(LanguageFromStored(1), 1);
  EXPECT_EQ(LanguageFromStored(7), 7);
  EXPECT_EQ(LanguageFromStored(8), 0);
  EXPECT_EQ(LanguageFromStored(9), 0);
  EXPECT_EQ(LanguageFromStored(-1), 0);
  EXPECT_EQ(LanguageFromStored(127), 0);
  EXPECT_EQ(LanguageFromStored(128), 0);
  EXPECT_EQ(LanguageFromStored(258), 2);
  EXPECT_EQ(LanguageFromStored(-256 + 3), 3);
  EXPECT_EQ(LanguageFromStored(0x7FFFFF05), 5);
}

std::vector<std::string> KeyNames(const char* section) {
  std::vector<std::string> names;
  for (const SettingsKey& key : SettingsKeys()) {
    if (std::string_view(key.section) == section) names.push_back(key.name);
  }
  return names;
}

TEST(SettingsKeysTest, MainKeysInReadingOrder) {
  EXPECT_EQ(KeyNames("Main"), (std::vector<std::string>{"ExcelPath", "LastUsedDir", "Language"}));
}

TEST(SettingsKeysTest, ChildKeysInFileOrder) {
  const std::vector<std::string> expected = {
      "ChartTitle",     "LineWidth",   "AxisMin",     "AxisMax", "DynamicScaling", "T1Label",     "T2Label",
      "T3Label",        "T4Label",     "T5Label",     "T6Label", "TDLabel",        "FlowLabel",   "PowerLabel",
      "VolumeLabel",    "EnergyLabel", "R1Label",     "R2Label", "R3Label",        "RErrorLabel", "T1Color",
      "T2Color",        "T3Color",     "T4Color",     "T5Color", "T6Color",        "TDColor",     "FlowColor",
      "PowerColor",     "VolumeColor", "EnergyColor", "R1Color", "R2Color",        "R3Color",     "RErrorColor",
      "OthersShowBars", "RShowBars"};
  EXPECT_EQ(KeyNames("Child"), expected);
}

TEST(SettingsKeysTest, MainKeysComeFirst) {
  ASSERT_EQ(SettingsKeys().size(), 40u);
  EXPECT_STREQ(SettingsKeys()[2].section, "Main");
  EXPECT_STREQ(SettingsKeys()[3].section, "Child");
}

TEST(SettingsKeysTest, ChannelKeysTieEachKeyToItsSlot) {
  EXPECT_EQ(kChannelKeys[8].name, "Power");
  EXPECT_EQ(kChannelKeys[8].slot, SettingSlot::Power);
  EXPECT_EQ(kChannelKeys[9].name, "Volume");
  EXPECT_EQ(kChannelKeys[9].slot, SettingSlot::Volume);
  EXPECT_EQ(static_cast<int>(SettingSlot::Volume), 8);
}

TEST(SettingsKeysTest, KeyNamedFindsKeyAndRejectsUnknownName) {
  EXPECT_EQ(SettingsKeyNamed("Child", "RShowBars").name, "RShowBars");
  EXPECT_THROW(SettingsKeyNamed("Main", "RShowBars"), Error);
}

TEST(SettingsKeysTest, EncodingsAsWritten) {
  SettingsValues values;
  values.Language = -1;
  values.LastUsedDir = "/x/";
  values.Defaults.AxisMin = -10;
  values.Defaults.DynamicScaling = true;
  values.Defaults.RShowBars = false;
  values.Defaults.Colors[static_cast<int>(SettingSlot::T2)] = 0xFF0000;
  values.Defaults.Colors[static_cast<int>(SettingSlot::T3)] = 0xFFFFFFFF;
  EXPECT_EQ(EncodeKey(SettingsKeyNamed("Main", "Language"), values), "-1");
  EXPECT_EQ(EncodeKey(SettingsKeyNamed("Main", "LastUsedDir"), values), "/x/");
  EXPECT_EQ(EncodeKey(SettingsKeyNamed("Child", "AxisMin"), values), "-10");
  EXPECT_EQ(EncodeKey(SettingsKeyNamed("Child", "DynamicScaling"), values), "1");
  EXPECT_EQ(EncodeKey(SettingsKeyNamed("Child", "RShowBars"), values), "0");
  EXPECT_EQ(EncodeKey(SettingsKeyNamed("Child", "T2Color"), values), "16711680");
  EXPECT_EQ(EncodeKey(SettingsKeyNamed("Child", "T3Color"), values), "-1");
}

}  // namespace
}  // namespace calorix
