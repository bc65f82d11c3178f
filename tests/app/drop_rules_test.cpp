#include "app/drop_rules.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace calorix::app {
namespace {

using calorix::testing::TempFolder;
namespace fs = std::filesystem;
using Kind = DropPlan::Kind;

TEST(DropRules, DayFileNamesAreEightDigitsAndCsv) {
  for (const char* name : {"20240531.csv", "20240531.CSV", "/a/b/19991231.Csv"})
    EXPECT_TRUE(IsDayFileName(name)) << name;
  for (const char* name : {"2024053.csv", "20240531.txt", "2024o531.csv", "x20240531.csv", "20240531.csv.bak"}) {
    EXPECT_FALSE(IsDayFileName(name)) << name;
  }
}

TEST(DropRules, OneFolderTreeInEachOfTheThreeLayouts) {
  const struct {
    const char* a;
    const char* b;
    bool together;
  } cases[] = {
      {"/logs/20240501.csv", "/logs/20240531.csv", true},
      {"/logs/05/20240501.csv", "/logs/06/20240630.csv", true},
      {"/logs/2024/12/20241231.csv", "/logs/2025/01/20250101.csv", true},
      {"/logs/a/20240501.csv", "/logs/b/20240531.csv", false},
      {"/x/05/20240501.csv", "/y/06/20240630.csv", false},
      {"/x/2024/12/20241231.csv", "/y/2025/01/20250101.csv", false},
  };
  for (const auto& c : cases) EXPECT_EQ(InOneFolderTree(c.a, c.b), c.together) << c.a << " " << c.b;
}

TEST(DropRules, OneFileOpensAndTwoDayFilesOpenTheRangeEarlierFirst) {
  TempFolder folder;
  const fs::path may1 = folder.Write("2024/05/20240501.csv", "x");
  const fs::path june2 = folder.Write("2024/06/20240602.csv", "x");
  const fs::path other = folder.Write("elsewhere/20240603.csv", "x");
  const fs::path notes = folder.Write("notes.txt", "x");
  EXPECT_EQ(PlanDrop({may1}), (DropPlan{Kind::OpenFiles, {may1}}));
  EXPECT_EQ(PlanDrop({june2, may1}), (DropPlan{Kind::OpenRange, {may1, june2}}));
  EXPECT_EQ(PlanDrop({may1, other}), (DropPlan{Kind::OpenFiles, {may1, other}}));
  EXPECT_EQ(PlanDrop({may1, notes}), (DropPlan{Kind::OpenFiles, {may1, notes}}));
  EXPECT_EQ(PlanDrop({may1, june2, other}), (DropPlan{Kind::OpenFiles, {may1, june2, other}}));
  EXPECT_EQ(PlanDrop({folder.Path() / "2024", may1}), (DropPlan{Kind::OpenFiles, {may1}}));
  EXPECT_EQ(PlanDrop({}), DropPlan{});
}

TEST(DropRules, AFolderOffersItsFirstAndLastDayFileWhateverTheLayout) {
  TempFolder folder;
  folder.Write("flat/20240510.csv", "x");
  folder.Write("flat/20240502.csv", "x");
  folder.Write("flat/20240520.txt", "x");
  EXPECT_EQ(PlanDrop({folder.Path() / "flat"}),
            (DropPlan{Kind::OfferRange, {folder.Path() / "flat/20240502.csv", folder.Path() / "flat/20240510.csv"}}));
  folder.Write("years/2023/12/20231230.csv", "x");
  folder.Write("years/2024/01/20240102.csv", "x");
  folder.Write("years/2024/02/20240201.csv", "x");
  EXPECT_EQ(PlanDrop({folder.Path() / "years"}),
            (DropPlan{Kind::OfferRange,
                      {folder.Path() / "years/2023/12/20231230.csv", folder.Path() / "years/2024/02/20240201.csv"}}));
  folder.Write("months/05/20240531.csv", "x");
  folder.Write("months/06/20240601.csv", "x");
  EXPECT_EQ(PlanDrop({folder.Path() / "months"}).files.back(), folder.Path() / "months/06/20240601.csv");
  folder.Write("empty/readme.txt", "x");
  EXPECT_EQ(PlanDrop({folder.Path() / "empty"}), (DropPlan{Kind::NoDayFiles, {folder.Path() / "empty"}}));
}

}  // namespace
}  // namespace calorix::app
