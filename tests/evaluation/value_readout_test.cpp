#include "evaluation/value_readout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "chart/chart_panel.h"
#include "evaluation/evaluation_model.h"
#include "i18n/text_table.h"
#include "logdata/multi_day.h"
#include "settings/settings_keys.h"
#include "support/day_file_text.h"
#include "support/temp_folder.h"

namespace calorix::evaluation {
namespace {

using calorix::testing::DayFileText;
using calorix::testing::TempFolder;
using logdata::Channel;

constexpr double kMay1 = 45413.0;  // 2024-05-01
double At(int hour, int minute, int second = 0) { return kMay1 + (hour * 3600 + minute * 60 + second) / 86400.0; }

TEST(SampleAt, LastSampleAtOrBeforeAndNothingInAGapOrBeforeTheFirst) {
  chart::ChartPanel panel;
  chart::ChartSeries series(chart::SeriesKind::Line, &panel);
  series.AddPoint(At(14, 35), 1.0);
  series.AddPoint(At(14, 36), 2.0);
  series.AddPoint(At(14, 37), 3.0);
  series.AddNullPoint(At(14, 45));  // the records of 14:38..14:44 are missing
  series.AddPoint(At(14, 45), 4.0);
  series.AddNullPoint(At(16, 0));  // a sample alone between gaps is a dot
  series.AddPoint(At(16, 0), 5.0);
  const struct {
    double t;
    std::optional<double> value;
  } cases[] = {
      {At(14, 34), std::nullopt},    {At(14, 35), 1.0},          {At(14, 36, 59), 2.0},      {At(14, 37), 3.0},
      {At(14, 37, 59), 3.0},         {At(14, 38), std::nullopt}, {At(14, 40), std::nullopt}, {At(14, 45), 4.0},
      {At(14, 45, 1), std::nullopt}, {At(16, 0), 5.0},           {At(20, 0), 5.0},
  };
  for (const auto& c : cases) EXPECT_EQ(SampleAt(series, c.t), c.value) << (c.t - kMay1) * 1440.0;
  EXPECT_EQ(NeighbourSampleTime(series, At(14, 37), +1), At(14, 45));
  EXPECT_EQ(NeighbourSampleTime(series, At(14, 45), -1), At(14, 37));
  EXPECT_EQ(NeighbourSampleTime(series, At(16, 0), +1), std::nullopt);
}

TEST(ReadoutLines, ValuesWithUnitsOutputsOnOrOffAndADashForNoSample) {
  const ValueReadout readout{At(14, 37, 30),
                             {{Channel::T1, "Collector", "\u00B0C", 63.2},
                              {Channel::T2, "Tank", "\u00B0C", std::nullopt},
                              {Channel::R1, "Pump", "%", 70.0},
                              {Channel::R2, "Valve", "%", 0.0}}};
  EXPECT_EQ(
      ReadoutLines(readout, false, "on", "off"),
      (std::vector<std::string>{"14:37", "Collector: 63.2 \u00B0C", "Tank: \u2013", "Pump: on 70 %", "Valve: off"}));
  EXPECT_EQ(ReadoutLines(readout, true, "on", "off").front(), "01.05.2024 14:37");
}

TEST(NumberText, PointDecimalsAndTheShortestExactText) {
  EXPECT_EQ(NumberText(63.2), "63.2");
  EXPECT_EQ(NumberText(-0.5), "-0.5");
  EXPECT_EQ(NumberText(1234.0 * 0.001), NumberText(1234.0 * 0.001));
  EXPECT_EQ(std::stod(NumberText(1234.0 * 0.001)), 1234.0 * 0.001);
}

class ReadoutModel : public ::testing::Test {
 protected:
  ReadoutModel() {
    i18n::SetCurrentBlock(i18n::LanguageBlock::English);
    model.ApplySettings(Settings());
    model.SetLowerChartWidth(1000);
  }
  ~ReadoutModel() override { i18n::SetCurrentBlock(i18n::LanguageBlock::German); }

  TChildSettings Settings(bool othersAsBars = false) const {
    TChildSettings settings = DefaultChildSettings();
    settings.OthersShowBars = othersAsBars;
    return settings;
  }
  void Load() {
    model.LoadFile(folder.Write(
        "20240501.csv",
        DayFileText("2024-05-01",
                    {"14:35;60,0;40,0;;;;;;2,50;1,200;100;0;0;0", "14:36;61,5;40,1;;;;;;2,50;1,300;70;0;0;0",
                     "14:37;63,2;40,2;;;;;;2,75;1,400;0;0;0;0", "14:45;64,0;40,3;;;;;;3,00;1,500;100;0;0;0"})));
  }
  std::optional<double> Value(Channel channel, double t) {
    for (const ReadoutRow& row : ReadoutAt(model.Snapshot(), t).rows) {
      if (row.channel == channel) return row.value;
    }
    ADD_FAILURE() << "channel not in the readout";
    return std::nullopt;
  }

  TempFolder folder;
  EvaluationModel model;
};

TEST_F(ReadoutModel, ListsCheckedChannelsInPanelOrderWithNameAndUnit) {
  Load();
  for (const Channel c : {Channel::R1, Channel::Flow, Channel::T1}) model.SetChannelChecked(c, true);
  const ValueReadout readout = ReadoutAt(model.Snapshot(), At(14, 36));
  ASSERT_EQ(readout.rows.size(), 3u);
  EXPECT_EQ(readout.rows[0], (ReadoutRow{Channel::T1, "Temperature sensor 1", "\u00B0C", 61.5}));
  EXPECT_EQ(readout.rows[1], (ReadoutRow{Channel::Flow, "Flow rate", "l/min", 2.5}));
  EXPECT_EQ(readout.rows[2], (ReadoutRow{Channel::R1, "Output 1", "%", 70.0}));
  EXPECT_EQ(ReadoutText(model.Snapshot(), At(14, 36, 30)),
            (std::vector<std::string>{"14:36", "Temperature sensor 1: 61.5 \u00B0C", "Flow rate: 2.5 l/min",
                                      "Output 1: on 70 %"}));
}

// Lines, stair outputs and bars read the same record; a gap reads nothing.
TEST_F(ReadoutModel, LinesStairsBarsAndGapsReadTheRecordAtOrBefore) {
  model.ApplySettings(Settings(true));  // flow and power as bars
  Load();
  for (const Channel c : {Channel::T1, Channel::Flow, Channel::R1}) model.SetChannelChecked(c, true);
  EXPECT_EQ(Value(Channel::T1, At(14, 37, 40)), 63.2);
  EXPECT_EQ(Value(Channel::Flow, At(14, 37, 40)), 2.75);
  EXPECT_EQ(Value(Channel::R1, At(14, 37, 40)), 0.0);
  EXPECT_EQ(Value(Channel::R1, At(14, 35, 59)), 100.0);
  for (const Channel c : {Channel::T1, Channel::Flow, Channel::R1}) {
    EXPECT_EQ(Value(c, At(14, 40)), std::nullopt);
    EXPECT_EQ(Value(c, At(14, 0)), std::nullopt);
  }
  EXPECT_EQ(Value(Channel::T1, At(14, 45)), 64.0);
}

// A record whose field reads "Err" shows "Err" until the channel's next
// record, though the line runs on unbroken; a gap after it still reads
// nothing, and the other channels of those records read their values.
TEST_F(ReadoutModel, AnErrFieldReadsErrUntilTheNextRecord) {
  model.LoadFile(folder.Write("20240501.csv",
                              DayFileText("2024-05-01", {"09:00;60,0;;;21,0;;;;;;;;;", "09:01;61,0;;;Err;;;;;;;;;",
                                                         "09:02;62,0;;;Err;;;;;;;;;", "09:03;63,0;;;22,0;;;;;;;;;",
                                                         "09:04;64,0;;;Err;;;;;;;;;", "09:20;65,0;;;23,0;;;;;;;;;"})));
  for (const Channel c : {Channel::T1, Channel::T4}) model.SetChannelChecked(c, true);
  const auto row = [&](double t) { return ReadoutAt(model.Snapshot(), t).rows.at(1); };
  EXPECT_EQ(row(At(9, 0, 30)).value, 21.0);
  for (const double t : {At(9, 1), At(9, 2, 59), At(9, 4, 30)}) {
    EXPECT_TRUE(row(t).error) << t;
    EXPECT_EQ(row(t).value, std::nullopt) << t;
  }
  EXPECT_FALSE(row(At(9, 3, 30)).error);
  EXPECT_EQ(row(At(9, 3, 30)).value, 22.0);
  EXPECT_FALSE(row(At(9, 10)).error) << "a gap after the Err record";
  EXPECT_EQ(row(At(9, 10)).value, std::nullopt);
  EXPECT_EQ(row(At(9, 20)).value, 23.0);
  EXPECT_EQ(ReadoutText(model.Snapshot(), At(9, 2)),
            (std::vector<std::string>{"09:02", "Temperature sensor 1: 62 \u00B0C", "Temperature sensor 4: Err"}));
}

TEST_F(ReadoutModel, ADailyTotalReadsTheSameAtEveryTimeOfItsDay) {
  const auto first =
      folder.Write("20240501.csv", DayFileText("2024-05-01", {"10:00;;;;;;;;;2,0;;;;", "11:00;;;;;;;;;0;;;;"}));
  const auto last =
      folder.Write("20240502.csv", DayFileText("2024-05-02", {"10:00;;;;;;;;;1,0;;;;", "11:00;;;;;;;;;0;;;;"}));
  const logdata::MultiDayRequest request = logdata::ResolveMultiDayRequest(first.string(), last.string());
  logdata::RunMultiDayLoad(request.files, request.start, request.end, model, {});
  model.ChooseSpan(static_cast<int>(Span::Month));
  model.SetChannelChecked(Channel::Energy, true);
  const double may2 = std::floor(At(0, 0)) + 1.0;
  for (const double hour : {0.5, 8.0, 12.0, 23.5}) {
    EXPECT_EQ(Value(Channel::Energy, may2 + hour / 24.0), 1.0) << hour;
    EXPECT_EQ(Value(Channel::Energy, may2 - 1.0 + hour / 24.0), 2.0) << hour;
  }
}

TEST_F(ReadoutModel, ArrowStepsGoFromRecordToRecordOverAGap) {
  Load();
  model.SetChannelChecked(Channel::T1, true);
  EXPECT_EQ(NextRecordTime(model.Snapshot(), At(14, 35, 30), +1), At(14, 36));
  EXPECT_EQ(NextRecordTime(model.Snapshot(), At(14, 37), +1), At(14, 45));
  EXPECT_EQ(NextRecordTime(model.Snapshot(), At(14, 35), -1), std::nullopt);
  model.SetChannelChecked(Channel::T1, false);
  EXPECT_EQ(NextRecordTime(model.Snapshot(), At(14, 35), +1), std::nullopt);  // nothing shown, nothing to step to
}

TEST_F(ReadoutModel, CtrlWheelZoomKeepsTheTimeUnderTheCursorAndStopsAtOneHour) {
  Load();
  const double t = At(14, 37);
  const auto share = [&] {
    const chart::ValueRange w = model.TimeWindow();
    return (t - w.min) / (w.max - w.min);
  };
  const double before = share();
  for (int i = 0; i < 3; ++i) {
    model.WheelZoom(t, 0.5);
    EXPECT_NEAR(share(), before, 1e-9);
  }
  EXPECT_NEAR((model.TimeWindow().max - model.TimeWindow().min) * 24.0, 3.0, 1e-9);
  for (int i = 0; i < 5; ++i) model.WheelZoom(t, 0.5);
  EXPECT_NEAR((model.TimeWindow().max - model.TimeWindow().min) * 24.0, 1.0, 1e-9);
  EXPECT_LE(model.TimeWindow().min, t);
  EXPECT_GE(model.TimeWindow().max, t);
  EXPECT_EQ(model.Lower().BottomAxis().Minimum(), model.Upper().BottomAxis().Minimum());
  EXPECT_EQ(model.Lower().BottomAxis().Maximum(), model.Upper().BottomAxis().Maximum());
  // Zooming out past the day gives the day again, unzoomed.
  model.WheelZoom(t, 100.0);
  EXPECT_FALSE(model.Upper().IsZoomed());
  EXPECT_EQ(model.TimeWindow().min, kMay1);
  EXPECT_EQ(model.TimeWindow().max, kMay1 + 1.0);
}

TEST_F(ReadoutModel, WheelScrollsLikeTheScrollButtons) {
  Load();
  model.ChooseSpan(1);  // 3 hours
  const double start = model.TimeWindow().min;
  model.WheelScroll(2);
  EXPECT_NEAR((model.TimeWindow().min - start) * 24.0, 2 * 0.025 * 3.0, 1e-9);
  model.WheelScroll(-2);
  EXPECT_NEAR(model.TimeWindow().min, start, 1e-9);
  model.WheelZoom(At(1, 0), 0.5);  // the hour spans pan instead of zooming
  EXPECT_FALSE(model.Upper().IsZoomed());
}

}  // namespace
}  // namespace calorix::evaluation
