#include "evaluation/totals_export.h"

#include <gtest/gtest.h>

#include "evaluation/evaluation_model.h"
#include "logdata/multi_day.h"
#include "support/day_file_text.h"
#include "support/temp_folder.h"

namespace calorix::evaluation {
namespace {

using calorix::testing::DayFileText;
using calorix::testing::TempFolder;

// 30 April: 1 h at 2 l/min and 3 kW with the pump on; 1 May has no file;
// 2 May: 12 h at 1 l/min and 1.5 kW with the pump on.
TEST(TotalsExport, OneRowPerDayOrMonthOfTheRangeWithTheDaysTotals) {
  TempFolder folder;
  const auto first =
      folder.Write("20240430.csv", DayFileText("2024-04-30", {"00:00;50;;;;;;;2;3;100;;;", "01:00;70;;;;;;;0;0;0;;;"}));
  const auto last = folder.Write(
      "20240502.csv", DayFileText("2024-05-02", {"00:00;40,5;;;;;;;1;1,5;100;;;", "12:00;45,2;;;;;;;0;0;0;;;"}));
  EvaluationModel model;
  const logdata::MultiDayRequest request = logdata::ResolveMultiDayRequest(first.string(), last.string());
  logdata::RunMultiDayLoad(request.files, request.start, request.end, model, {});
  ASSERT_TRUE(model.Snapshot().load.Loaded());

  EXPECT_EQ(model.Snapshot().load.TotalsCsv(TotalsPer::Day),
            "date,volume [l],energy [kWh],collector max (T1) [\xC2\xB0"
            "C],pump hours (R1) [h]\n"
            "2024-04-30,120.0,3.000,70,1.00\n"
            "2024-05-01,,,,\n"
            "2024-05-02,720.0,18.000,45.2,12.00\n");
  EXPECT_EQ(model.Snapshot().load.TotalsCsv(TotalsPer::Month),
            "month,volume [l],energy [kWh],collector max (T1) [\xC2\xB0"
            "C],pump hours (R1) [h],days with a file\n"
            "2024-04,120.0,3.000,70,1.00,1\n"
            "2024-05,720.0,18.000,45.2,12.00,1\n");
}

}  // namespace
}  // namespace calorix::evaluation
