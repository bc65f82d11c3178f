// The year span and its per-month view, on generated day files.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/date_time.h"
#include "evaluation/date_text.h"
#include "evaluation/evaluation_model.h"
#include "evaluation/time_navigation.h"
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

// One record at noon: the flow holds for the half day to midnight, so a
// day collects 720 × flow litres and 12 × power kWh.
double FlowOn(DateTime day) { return 1.0 + std::fmod(day, 7.0); }
double PowerOn(DateTime day) { return 0.5 + std::fmod(day, 3.0); }

// Writes a day file for every date from first to last (skipping the
// dates `skip` names) into one folder; returns the first and last paths.
std::pair<std::filesystem::path, std::filesystem::path> WriteDays(const TempFolder& folder, DateTime first,
                                                                  DateTime last,
                                                                  const std::function<bool(DateTime)>& skip = {}) {
  std::pair<std::filesystem::path, std::filesystem::path> ends;
  for (DateTime day = first; day <= last; day += 1.0) {
    if (skip && skip(day)) continue;
    char record[96];
    std::snprintf(record, sizeof record, "12:00;40,0;30,0;20,0;20,0;20,0;20,0;20,0;%.1f;%.1f;100;0;0;0", FlowOn(day),
                  PowerOn(day));
    std::string text = record;
    for (char& c : text) {
      if (c == '.') c = ',';
    }
    const auto path =
        folder.Write(FormatDate("yyyymmdd", day) + ".csv", DayFileText(FormatDate("yyyy-mm-dd", day), {text}));
    if (ends.first.empty()) ends.first = path;
    ends.second = path;
  }
  return ends;
}

DateTime Date(int year, int month, int day) { return *TryEncodeDate(year, month, day); }

class YearSpanTest : public ::testing::Test {
 protected:
  YearSpanTest() {
    i18n::SetCurrentBlock(i18n::LanguageBlock::English);
    model.ApplySettings(DefaultChildSettings());
    model.SetLowerChartWidth(1000);
  }
  ~YearSpanTest() override { i18n::SetCurrentBlock(i18n::LanguageBlock::German); }

  void Load(const std::pair<std::filesystem::path, std::filesystem::path>& ends) {
    const logdata::MultiDayRequest request = logdata::ResolveMultiDayRequest(ends.first.string(), ends.second.string());
    logdata::RunMultiDayLoad(request.files, request.start, request.end, model, {});
  }
  // 2023-12-20 to 2025-01-10: three calendar years, the middle one a leap year.
  void LoadThreeYears() { Load(WriteDays(folder, Date(2023, 12, 20), Date(2025, 1, 10))); }
  std::string Title() const {
    return model.Snapshot().upper.TitleLines().empty() ? "" : model.Snapshot().upper.TitleLines().front();
  }
  void ExpectYear(int year) {
    EXPECT_EQ(model.TimeWindow().min, Date(year, 1, 1)) << year;
    EXPECT_EQ(model.TimeWindow().max, Date(year + 1, 1, 1)) << year;
    EXPECT_EQ(Title(), std::to_string(year));
    EXPECT_EQ(model.Lower().BottomAxis().Minimum(), model.TimeWindow().min);
    EXPECT_EQ(model.Lower().BottomAxis().Maximum(), model.TimeWindow().max);
  }

  TempFolder folder;
  EvaluationModel model;
};

TEST(YearSpanOffer, OnlyWhenTheDaysReachFurtherThanAMonth) {
  struct Case {
    DateTime first, last;
    bool offered;
  };
  for (const Case& c :
       {Case{Date(2024, 5, 30), Date(2024, 6, 2), false},  // two months, four days
        Case{Date(2024, 1, 1), Date(2024, 1, 31), false},  // one whole month
        Case{Date(2024, 2, 1), Date(2024, 3, 3), true}, Case{Date(2023, 12, 20), Date(2025, 1, 10), true}}) {
    EXPECT_EQ(OffersYearSpan(c.first, c.last), c.offered) << FormatDate(kNumericDate, c.first);
  }
}

TEST_F(YearSpanTest, SliderAndJumpsMoveByCalendarYear) {
  LoadThreeYears();
  ASSERT_EQ(model.View().spanCount, kYearSpanCount);
  EXPECT_EQ(SpanTextRow(static_cast<int>(Span::Year)), i18n::kTextOneYear);
  model.ChooseSpan(static_cast<int>(Span::Year));
  EXPECT_EQ(model.View().span, Span::Year);
  EXPECT_EQ(model.View().slider, (SliderState{2, 0, true}));
  ExpectYear(2023);
  EXPECT_EQ(model.Upper().BottomAxis().DateTimeFormat(), kYearAxisFormat);
  EXPECT_EQ(model.Lower().BottomAxis().DateTimeFormat(), kYearAxisFormat);
  EXPECT_FALSE(model.View().scrollRepeat);
  EXPECT_FALSE(model.View().spreadsheetAvailable);
  model.ScrollClick(-1);  // already the first year
  ExpectYear(2023);
  model.JumpRight();
  EXPECT_EQ(model.View().slider.position, 2);
  ExpectYear(2025);
  model.ScrollClick(-1);
  ExpectYear(2024);
  EXPECT_EQ(model.TimeWindow().max - model.TimeWindow().min, 366.0);
  model.WheelScroll(+3);  // a year a notch, as the month span does a month
  ExpectYear(2025);
  model.JumpLeft();
  ExpectYear(2023);
  model.MoveSlider(1);
  ExpectYear(2024);
  // Zoomed in to a few weeks the axis names days; the next year is whole again.
  model.Upper().UserZoom({{Date(2024, 2, 1), Date(2024, 2, 20)}, {0, 50}, {0, 50}});
  EXPECT_EQ(model.Lower().BottomAxis().DateTimeFormat(), "dd.");
  model.ScrollClick(+1);
  ExpectYear(2025);
  EXPECT_EQ(model.Lower().BottomAxis().DateTimeFormat(), kYearAxisFormat);
  model.MoveSlider(1);
  EXPECT_EQ(ReadoutText(model.Snapshot(), Date(2024, 2, 29) + 0.5).front(), "29.02.2024 12:00");
}

TEST_F(YearSpanTest, OtherSpansTakeUpTheFirstLoadedDayOfTheShownYear) {
  LoadThreeYears();
  model.ChooseSpan(static_cast<int>(Span::Year));
  model.SetChannelChecked(Channel::Energy, true);
  model.ChooseSpan(static_cast<int>(Span::Day));
  EXPECT_EQ(model.TimeWindow().min, Date(2023, 12, 20));
  EXPECT_FALSE(model.View().checked[static_cast<std::size_t>(IndexOf(Channel::Energy))]);
  EXPECT_FALSE(model.HasGraphs());
  EXPECT_EQ(model.Upper().BottomAxis().DateTimeFormat(), "hh:mm");

  model.ChooseSpan(static_cast<int>(Span::Year));
  model.MoveSlider(1);
  model.ChooseSpan(static_cast<int>(Span::Day));
  EXPECT_EQ(model.TimeWindow().min, Date(2024, 1, 1));
  EXPECT_EQ(model.View().slider.position, 12);  // after the twelve days of December 2023
  EXPECT_EQ(Title(), FormatDate(kLongDate, Date(2024, 1, 1)));

  model.ChooseSpan(static_cast<int>(Span::Year));
  ExpectYear(2024);  // back to the year of the day shown
  model.JumpRight();
  model.ChooseSpan(static_cast<int>(Span::Month));
  EXPECT_EQ(model.TimeWindow().min, Date(2025, 1, 1));
  EXPECT_EQ(Title(), FormatDate(kMonthYear, Date(2025, 1, 1)));
}

TEST_F(YearSpanTest, PerMonthBarsHoldEachMonthsSumAndNoneForAMonthWithoutFiles) {
  // A leap year without March.
  const auto withoutMarch = [](DateTime day) { return DecodeDate(day).month == 3; };
  Load(WriteDays(folder, Date(2024, 1, 1), Date(2024, 12, 31), withoutMarch));
  model.ChooseSpan(static_cast<int>(Span::Year));
  EXPECT_TRUE(model.View().perMonthVisible);
  model.SetChannelChecked(Channel::Volume, true);
  model.SetChannelChecked(Channel::Energy, true);
  const std::size_t dailySeries = model.Upper().SeriesCount();
  model.SetPerMonth(true);
  EXPECT_EQ(model.Upper().SeriesCount(), 2u);
  const chart::ChartSeries& volume = *model.Snapshot().monthlyBars.Series(Channel::Volume);
  const chart::ChartSeries& energy = *model.Snapshot().monthlyBars.Series(Channel::Energy);
  ASSERT_EQ(volume.Count(), 12u);
  EXPECT_EQ(volume.Kind(), chart::SeriesKind::Bar);
  for (int month = 1; month <= 12; ++month) {
    const auto i = static_cast<std::size_t>(month - 1);
    const DateTime start = Date(2024, month, 1);
    const DateTime end = month == 12 ? Date(2025, 1, 1) : Date(2024, month + 1, 1);
    EXPECT_GT(volume.X(i), start);
    EXPECT_LT(volume.X(i), end);
    if (month == 3) {
      EXPECT_TRUE(volume.IsNull(i));
      EXPECT_TRUE(energy.IsNull(i));
      continue;
    }
    double litres = 0.0;
    double kwh = 0.0;
    for (DateTime day = start; day < end; day += 1.0) {
      litres += 720.0 * FlowOn(day);
      kwh += 12.0 * PowerOn(day);
    }
    EXPECT_FLOAT_EQ(static_cast<float>(volume.Y(i)), static_cast<float>(litres)) << month;
    EXPECT_FLOAT_EQ(static_cast<float>(energy.Y(i)), static_cast<float>(kwh)) << month;
  }
  // The readout over a bar gives its month's totals; over March a dash.
  const ValueReadout april = ReadoutAt(model.Snapshot(), Date(2024, 4, 3));
  ASSERT_EQ(april.rows.size(), 2u);
  EXPECT_EQ(april.rows[0].value, volume.Y(3));
  EXPECT_FALSE(ReadoutAt(model.Snapshot(), Date(2024, 3, 10)).rows[0].value);

  model.SetPerMonth(false);
  EXPECT_EQ(model.Upper().SeriesCount(), dailySeries);
  model.ChooseSpan(static_cast<int>(Span::Month));
  EXPECT_FALSE(model.View().perMonthVisible);
}

// A month collects far more than a fixed axis made for temperatures holds:
// the axis that carries the monthly bars fits them, with or without
// dynamic scaling, and goes back to the fixed range with the daily bars.
TEST_F(YearSpanTest, TheAxisOfTheMonthlyBarsFitsThemWhateverTheScaling) {
  Load(WriteDays(folder, Date(2024, 1, 1), Date(2024, 12, 31)));
  for (const bool dynamic : {false, true}) {
    TChildSettings settings = DefaultChildSettings();
    settings.DynamicScaling = dynamic;
    model.ApplySettings(settings);
    model.ChooseSpan(static_cast<int>(Span::Year));
    model.SetChannelChecked(Channel::T1, true);
    model.SetChannelChecked(Channel::Energy, true);
    model.SetPerMonth(true);
    const chart::ChartSeries& energy = *model.Snapshot().monthlyBars.Series(Channel::Energy);
    const chart::ChartAxis& axis =
        energy.Axis() == chart::VerticalAxis::Right ? model.Upper().RightAxis() : model.Upper().LeftAxis();
    ASSERT_TRUE(energy.YRange());
    EXPECT_GT(energy.YRange()->max, settings.AxisMax) << dynamic;
    EXPECT_GE(axis.Maximum(), energy.YRange()->max) << dynamic;
    EXPECT_LE(axis.Minimum(), 0.0) << dynamic;
    model.SetPerMonth(false);
    model.SetChannelChecked(Channel::Energy, false);
    if (!dynamic) {
      EXPECT_EQ(axis.Maximum(), settings.AxisMax);
    }
    model.SetChannelChecked(Channel::T1, false);
    model.SetPerMonth(false);
  }
}

// Over a monthly bar the readout names the month in the language's month
// names and gives its total to a tenth.
TEST_F(YearSpanTest, TheReadoutOverAMonthlyBarNamesTheMonth) {
  Load(WriteDays(folder, Date(2024, 1, 1), Date(2024, 12, 31)));
  MonthNames names = EnglishMonthNames();
  names.full[4] = "Mai";
  model.SetMonthNames(names);
  model.ChooseSpan(static_cast<int>(Span::Year));
  model.SetChannelChecked(Channel::Energy, true);
  model.SetPerMonth(true);
  const double may = *model.Snapshot().monthlyBars.ValueAt(Channel::Energy, Date(2024, 5, 10));
  char total[32];
  std::snprintf(total, sizeof total, "%.1f", may);
  const std::vector<std::string> lines = ReadoutText(model.Snapshot(), Date(2024, 5, 10) + 0.3);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "Mai 2024");
  EXPECT_EQ(lines[1], i18n::Text(66) + ": " + total + " kWh");
  // With daily values beside the bars the time still counts.
  model.SetChannelChecked(Channel::T1, true);
  const std::vector<std::string> mixed = ReadoutText(model.Snapshot(), Date(2024, 5, 10) + 0.5);
  ASSERT_EQ(mixed.size(), 3u);
  EXPECT_EQ(mixed[0], "10.05.2024 12:00");
  EXPECT_EQ(mixed[2], i18n::Text(66) + ", Mai 2024: " + total + " kWh");
}

TEST(MonthAxisLabel, NamesTheMonthsOnTheYearAxisOnly) {
  chart::ChartPanel panel;
  panel.BottomAxis().SetDateTimeFormat(kYearAxisFormat);
  EXPECT_EQ(MonthAxisLabel(panel.BottomAxis(), "03", EnglishMonthNames()), "Mar");
  EXPECT_EQ(MonthAxisLabel(panel.BottomAxis(), "13", EnglishMonthNames()), "13");
  panel.LeftAxis().SetDateTimeFormat(kYearAxisFormat);
  EXPECT_EQ(MonthAxisLabel(panel.LeftAxis(), "03", EnglishMonthNames()), "03");
  panel.BottomAxis().SetDateTimeFormat("dd.");
  EXPECT_EQ(MonthAxisLabel(panel.BottomAxis(), "03", EnglishMonthNames()), "03");
}

}  // namespace
}  // namespace calorix::evaluation
