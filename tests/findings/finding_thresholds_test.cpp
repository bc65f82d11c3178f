#include "findings/finding_thresholds.h"

#include <gtest/gtest.h>

#include <string>

#include "settings/ini_settings.h"
#include "settings/profile_file.h"
#include "support/temp_folder.h"

namespace calorix::findings {
namespace {

using calorix::testing::TempFolder;

TEST(FindingThresholds, MissingSectionGivesTheDefaults) {
  TempFolder folder;
  ProfileFile profile(folder / "Calorix.ini");
  const ThresholdsRead read = ReadFindingThresholds(profile);
  EXPECT_EQ(read.thresholds, FindingThresholds{});
  EXPECT_TRUE(read.rejected.empty());
}

TEST(FindingThresholds, KeysOfTheSectionReplaceTheirDefaults) {
  TempFolder folder;
  const auto path = folder.Write("Calorix.ini",
                                 "[Findings]\r\nOverheatTemperature=130\r\nGapMinutes=7,5\r\nNightTankFall= 2.5 \r\n"
                                 "CyclingStarts=many\r\nNoYieldMinutes=\r\n[Other]\r\nOverheatMinutes=1\r\n");
  ProfileFile profile(path);
  const ThresholdsRead read = ReadFindingThresholds(profile);
  FindingThresholds expected;
  expected.overheatTemperature = 130.0;
  expected.gapMinutes = 7.5;
  expected.nightTankFall = 2.5;
  EXPECT_EQ(read.thresholds, expected) << "the key of another section, an empty and a wrong value change nothing";
  EXPECT_EQ(read.rejected, std::vector<std::string>{"CyclingStarts"});
}

TEST(FindingThresholds, EveryThresholdHasItsOwnKey) {
  TempFolder folder;
  std::string text = "[Findings]\r\n";
  for (const ThresholdKey& key : ThresholdKeys()) text += std::string(key.key) + "=1234\r\n";
  ProfileFile profile(folder.Write("Calorix.ini", text));
  const FindingThresholds read = ReadFindingThresholds(profile).thresholds;
  for (const ThresholdKey& key : ThresholdKeys()) EXPECT_EQ(read.*key.value, 1234.0) << key.key;
}

TEST(FindingThresholds, SettingsStoreKeepsTheSectionWhenItWrites) {
  TempFolder folder;
  const auto path = folder.Write("Calorix.ini", "[Findings]\r\nOverheatTemperature=110\r\n");
  TIniSettings store(path, folder.Path().string());
  store.SetExcelPath("/usr/bin/soffice");
  ProfileFile profile(path);
  EXPECT_EQ(ReadFindingThresholds(profile).thresholds.overheatTemperature, 110.0);
}

}  // namespace
}  // namespace calorix::findings
