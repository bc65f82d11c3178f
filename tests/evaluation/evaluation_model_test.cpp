#include "evaluation/evaluation_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "core/error.h"
#include "evaluation/axis_rules.h"
#include "evaluation/date_text.h"
#include "i18n/text_table.h"
#include "logdata/multi_day.h"
#include "logdata/series_style.h"
#include "settings/settings_keys.h"
#include "support/day_file_text.h"
#include "support/temp_folder.h"

namespace calorix::evaluation {
namespace {

using calorix::testing::DayFileText;
using calorix::testing::TempFolder;
using logdata::Channel;

constexpr double kMay30 = 45442.0;  // 2024-05-30
constexpr double kMay31 = 45443.0;
constexpr double kJune1 = 45444.0;
constexpr double kJune2 = 45445.0;

std::filesystem::path SampleFile(std::string_view relative) {
  return std::filesystem::path(CALORIX_SAMPLES_DIR) / relative;
}

// T3 empty, T4 "Err" throughout; the rest has values.
std::vector<std::string> GapRecords() {
  return {"00:00;10,0;20,0;;Err;50,0;60,0;70,0;1,5;2,0;100;0;0;0",
          "00:01;11,0;21,0;;Err;50,0;60,0;70,0;1,5;2,0;100;0;0;0",
          "00:02;12,0;22,0;;Err;50,0;60,0;70,0;1,5;2,0;0;0;0;0"};
}

TChildSettings DefaultSettings() { return DefaultChildSettings(); }

class ModelTest : public ::testing::Test {
 protected:
  ModelTest() {
    i18n::SetCurrentBlock(i18n::LanguageBlock::English);
    model.ApplySettings(DefaultSettings());
    model.SetLowerChartWidth(1000);
  }
  ~ModelTest() override { i18n::SetCurrentBlock(i18n::LanguageBlock::German); }

  void LoadDay() { model.LoadFile(SampleFile("2024/05/20240531.csv")); }
  void LoadSampleRange() { LoadRange(SampleFile("2024/05/20240530.csv"), SampleFile("2024/06/20240602.csv")); }
  void LoadRange(const std::filesystem::path& first, const std::filesystem::path& last) {
    const logdata::MultiDayRequest request = logdata::ResolveMultiDayRequest(first.string(), last.string());
    logdata::RunMultiDayLoad(request.files, request.start, request.end, model, {});
  }
  void Check(Channel channel, bool checked = true) { model.SetChannelChecked(channel, checked); }
  bool Checked(Channel channel) const { return model.View().checked[static_cast<std::size_t>(IndexOf(channel))]; }
  bool Enabled(Channel channel) const { return model.View().enabled[static_cast<std::size_t>(IndexOf(channel))]; }
  const SliderState& Slider() const { return model.View().slider; }
  chart::ChartPanel& Upper() { return model.Upper(); }
  chart::ChartPanel& Lower() { return model.Lower(); }
  // The visible window as minutes since midnight of `day`.
  double StartMinute(double day) { return (model.TimeWindow().min - day) * 1440.0; }
  double EndMinute(double day) { return (model.TimeWindow().max - day) * 1440.0; }
  std::string Title() { return Upper().TitleLines().empty() ? "" : Upper().TitleLines().front(); }
  void ExpectLowerFollowsUpper() {
    EXPECT_EQ(Lower().BottomAxis().Minimum(), Upper().BottomAxis().Minimum());
    EXPECT_EQ(Lower().BottomAxis().Maximum(), Upper().BottomAxis().Maximum());
    EXPECT_EQ(Lower().BottomAxis().DateTimeFormat(), Upper().BottomAxis().DateTimeFormat());
  }
  std::string ErrorOf(const std::function<void()>& command) {
    try {
      command();
    } catch (const Error& e) {
      return e.what();
    }
    return "";
  }

  EvaluationModel model;
};

// Loading -----------------------------------------------------------------

TEST_F(ModelTest, ANewModelIsEmpty) {
  EXPECT_FALSE(model.HasEvaluation());
  EXPECT_FALSE(model.HasGraphs());
  EXPECT_FALSE(Slider().enabled);
  EXPECT_EQ(model.View().span, Span::Day);
  EXPECT_FALSE(Enabled(Channel::Volume));
  EXPECT_FALSE(Enabled(Channel::Energy));
  EXPECT_TRUE(Enabled(Channel::T1));
  EXPECT_EQ(ComposeCaption(model.View().caption), "New");
  EXPECT_EQ(ComposeIconCaption(model.View().caption), "New");
}

TEST_F(ModelTest, LoadingADayShowsTheWholeDayOnBothCharts) {
  LoadDay();
  EXPECT_TRUE(model.HasEvaluation());
  EXPECT_EQ(ComposeCaption(model.View().caption), "Analysis from " + FormatDate(kLongDate, kMay31) + ".");
  EXPECT_EQ(ComposeIconCaption(model.View().caption), FormatDate(kLongDate, kMay31));
  EXPECT_EQ(Title(), FormatDate(kLongDate, kMay31));
  EXPECT_DOUBLE_EQ(StartMinute(kMay31), 0.0);
  EXPECT_DOUBLE_EQ(EndMinute(kMay31), 1440.0);
  ExpectLowerFollowsUpper();
  EXPECT_EQ(model.View().spanCount, 4);
  EXPECT_EQ(Slider(), (SliderState{0, 0, false}));
  EXPECT_TRUE(model.View().spreadsheetAvailable);
}

TEST_F(ModelTest, AFailedLoadLeavesTheModelEmptyAndNamesTheFileAndWhatWasFound) {
  TempFolder folder;
  const auto notALog = folder.Write("20240501.csv", "just some text\r\nand more\r\n");
  const auto headerOnly = folder.Write("20240502.csv", DayFileText("2024-05-02", {}));
  const auto missing = folder.Path() / "20240503.csv";
  const struct {
    std::filesystem::path path;
    int text;
  } cases[] = {{notALog, i18n::kTextNotAValidLogFile},
               {headerOnly, i18n::kTextNoMeasuredValues},
               {missing, i18n::kTextErrorOpeningFile}};
  for (const auto& c : cases) {
    LoadDay();
    Check(Channel::T1);
    EXPECT_EQ(ErrorOf([&] { model.LoadFile(c.path); }), i18n::Text(c.text) + "\n\n" + c.path.string()) << c.path;
    EXPECT_FALSE(model.HasEvaluation());
    EXPECT_FALSE(model.HasGraphs());
    EXPECT_FALSE(Checked(Channel::T1));
    EXPECT_TRUE(Upper().TitleLines().empty());
    EXPECT_EQ(ComposeCaption(model.View().caption), "New");
  }
}

TEST_F(ModelTest, ANewEvaluationStartsCleanWhateverTheWindowShowedBefore) {
  for (const int span : {0, 4}) {
    LoadSampleRange();
    model.ChooseSpan(span);
    if (span == 4) Upper().UserZoom({{kMay30 + 2, kMay30 + 3}, {0, 50}, {0, 50}});
    LoadDay();
    EXPECT_EQ(model.View().span, Span::Day) << span;
    EXPECT_EQ(Upper().BottomAxis().DateTimeFormat(), "hh:mm") << span;
    EXPECT_FALSE(Upper().IsZoomed()) << span;
    EXPECT_TRUE(Upper().ZoomAllowed()) << span;
    EXPECT_EQ(Upper().PanningMode(), chart::Panning::None) << span;
    EXPECT_DOUBLE_EQ(StartMinute(kMay31), 0.0) << span;
    EXPECT_DOUBLE_EQ(EndMinute(kMay31), 1440.0) << span;
    ExpectLowerFollowsUpper();
    // The zoom saved before the new evaluation is gone: undoing stays here.
    Upper().UserUndoZoom();
    EXPECT_DOUBLE_EQ(StartMinute(kMay31), 0.0) << span;
  }
}

TEST_F(ModelTest, MultiDayCaptionNamesTheRangeAndTheFileCount) {
  LoadSampleRange();
  EXPECT_EQ(ComposeCaption(model.View().caption), "Analysis from 30.05.2024 to 02.06.2024. (4 files found)");
  EXPECT_EQ(ComposeIconCaption(model.View().caption), "30.05.2024 \u2013 02.06.2024");
  EXPECT_EQ(model.View().spanCount, 5);
  EXPECT_EQ(Slider(), (SliderState{3, 0, true}));
}

// Start and end files of one date load the end file alone, as a single
// day: the spans offered are a single day's, and every one of them works.
TEST_F(ModelTest, ARangeOfOneDateOffersTheSingleDaySpans) {
  TempFolder folder;
  const auto start = folder.Write("a/20240531.csv", DayFileText("2024-05-31", GapRecords()));
  const auto end = folder.Write("b/20240531.csv", DayFileText("2024-05-31", GapRecords()));
  LoadRange(start, end);
  ASSERT_TRUE(model.HasEvaluation());
  EXPECT_EQ(model.View().spanCount, kSingleDaySpanCount);
  for (int span = 0; span < model.View().spanCount; ++span) {
    EXPECT_EQ(ErrorOf([&] {
                model.ChooseSpan(span);
                model.JumpLeft();
                model.JumpRight();
                model.ScrollClick(+1);
              }),
              "")
        << span;
  }
}

// Until its last file is in, a range has no place in time: its summary
// would be of day 0 (30.12.1899).
TEST_F(ModelTest, TheSummaryStaysEmptyUntilTheRangeIsLoaded) {
  const logdata::MultiDayRequest request = logdata::ResolveMultiDayRequest(SampleFile("2024/05/20240530.csv").string(),
                                                                           SampleFile("2024/06/20240602.csv").string());
  ASSERT_EQ(request.files.size(), 4u);
  model.Begin(4, request.files[0], request.start, request.end);
  model.Add(request.files[1]);
  EXPECT_EQ(model.SummaryText(), "");
  EXPECT_TRUE(Summary(model.Snapshot()).outputs.empty());
  model.Add(request.files[2]);
  model.Add(request.files[3]);
  model.End();
  EXPECT_NE(model.SummaryText(), "");
  EXPECT_EQ(model.SummaryText().find("1899"), std::string::npos);
}

TEST_F(ModelTest, ARangeOverSeveralMonthsWithoutADayLeavesTheModelEmpty) {
  TempFolder folder;
  std::vector<std::string> failures;
  const auto first = folder.Write("20240530.csv", DayFileText("2024-05-30", {}));
  const auto last = folder.Write("20240602.csv", DayFileText("2024-06-02", {}));
  const logdata::MultiDayRequest request = logdata::ResolveMultiDayRequest(first.string(), last.string());
  logdata::MultiDayLoadCallbacks callbacks;
  callbacks.fileFailed = [&](const std::string& message) { failures.push_back(message); };
  EXPECT_NO_THROW(logdata::RunMultiDayLoad(request.files, request.start, request.end, model, callbacks));
  EXPECT_FALSE(model.HasEvaluation());
  EXPECT_EQ(ComposeCaption(model.View().caption), "New");
  EXPECT_EQ(failures.size() + model.TakeMessages().size(), 2u);
}

// Channels and axes ---------------------------------------------------------

TEST_F(ModelTest, CheckingAChannelPutsItsCurveOnTheChart) {
  LoadDay();
  Check(Channel::T1);
  EXPECT_TRUE(Checked(Channel::T1));
  EXPECT_EQ(Upper().SeriesCount(), 1u);
  Check(Channel::T1, false);
  EXPECT_EQ(Upper().SeriesCount(), 0u);
}

TEST_F(ModelTest, AChannelWithoutValuesSaysNoDataAndUnchecksItself) {
  TempFolder folder;
  model.LoadFile(folder.Write("20240501.csv", DayFileText("2024-05-01", GapRecords())));
  Check(Channel::T1);
  for (const Channel empty : {Channel::T3, Channel::T4}) {
    EXPECT_EQ(ErrorOf([&] { Check(empty); }), "No data available.");
    EXPECT_FALSE(Checked(empty));
  }
  EXPECT_TRUE(Checked(Channel::T1));
  EXPECT_EQ(Upper().SeriesCount(), 1u);
}

TEST_F(ModelTest, CheckingWithoutAnEvaluationAsksForAFile) {
  EXPECT_EQ(ErrorOf([&] { Check(Channel::T1); }), "Please open a log file (*.csv) first.");
  EXPECT_FALSE(Checked(Channel::T1));
}

TEST_F(ModelTest, OnlyTemperaturesTitleTheLeftAxisWithTrailingBlanks) {
  LoadDay();
  Check(Channel::T1);
  Check(Channel::T2);
  EXPECT_EQ(Upper().LeftAxis().Title(), "[\u00B0C]   ");
  EXPECT_EQ(Upper().RightAxis().Title(), "");
  EXPECT_EQ(Lower().Margins().right, 3.0);
}

TEST_F(ModelTest, FlowAloneTitlesTheLeftAxisAndMovesRightWithATemperature) {
  LoadDay();
  Check(Channel::Flow);
  EXPECT_EQ(Upper().LeftAxis().Title(), "[l/min]");
  EXPECT_EQ(Upper().Series().front()->Axis(), chart::VerticalAxis::Left);
  Check(Channel::T1);
  Check(Channel::R1);
  EXPECT_EQ(Upper().LeftAxis().Title(), "[\u00B0C]");
  EXPECT_EQ(Upper().RightAxis().Title(), "[l/min]");
  EXPECT_EQ(Lower().LeftAxis().Title(), "[%]");
  int right = 0;
  for (const chart::ChartSeries* s : Upper().Series()) right += s->Axis() == chart::VerticalAxis::Right ? 1 : 0;
  EXPECT_EQ(right, 1);
  EXPECT_EQ(Lower().Margins().right, LowerChartMargin(ChartSide::Right, Upper().RightAxis().Maximum(), 1000));
  EXPECT_EQ(Lower().Margins().left, 3.0);
  Check(Channel::T1, false);
  EXPECT_EQ(Upper().RightAxis().Title(), "");
  EXPECT_EQ(Lower().Margins().right, 3.0);
}

TEST_F(ModelTest, DynamicScalingFitsTheLeftAxisToTheCurves) {
  LoadDay();
  Check(Channel::T1);
  const auto range = Upper().Series().front()->YRange();
  ASSERT_TRUE(range);
  EXPECT_DOUBLE_EQ(Upper().LeftAxis().Minimum(), std::trunc(range->min) - 0.2);
  EXPECT_DOUBLE_EQ(Upper().LeftAxis().Maximum(), std::trunc(range->max) + 1.0);
  Check(Channel::T1, false);
  EXPECT_EQ(Upper().LeftAxis().Minimum(), model.Settings().AxisMin);
  EXPECT_EQ(Upper().LeftAxis().Maximum(), model.Settings().AxisMax);
}

TEST_F(ModelTest, FixedScalingKeepsTheSettingsRangeInOrder) {
  const std::pair<int, int> ranges[] = {{-5, 90}, {120, -10}};
  for (const auto& [min, max] : ranges) {
    TChildSettings settings = DefaultSettings();
    settings.DynamicScaling = false;
    settings.AxisMin = min;
    settings.AxisMax = max;
    model.ApplySettings(settings);
    LoadDay();
    Check(Channel::T1);
    EXPECT_EQ(Upper().LeftAxis().Minimum(), std::min(min, max));
    EXPECT_EQ(Upper().LeftAxis().Maximum(), std::max(min, max));
    EXPECT_EQ(Upper().RightAxis().Maximum(), std::max(min, max));
  }
}

TEST_F(ModelTest, SettingsColourTheCurvesAndDefaultNamesFollowTheLanguage) {
  TChildSettings settings = DefaultSettings();
  settings.Colors[static_cast<std::size_t>(SettingSlot::T1)] = MakeColor(10, 20, 30);
  model.ApplySettings(settings);
  LoadDay();
  Check(Channel::T1);
  const chart::ChartSeries& series = *Upper().Series().front();
  EXPECT_EQ(series.SeriesColor(), MakeColor(10, 20, 30));
  EXPECT_EQ(series.Title(), "Temperature sensor 1");
  i18n::SetCurrentBlock(i18n::LanguageBlock::German);
  model.ApplyLanguage();
  EXPECT_EQ(series.Title(), "Temperatur Sensor 1");
}

// Restyling names the series again; it must not move flow and power off
// the right axis that their title names, for a day or a year of bars.
TEST_F(ModelTest, ALanguageSwitchKeepsEveryTickedCurveOnItsAxis) {
  const auto axes = [this] {
    std::vector<chart::VerticalAxis> result;
    for (const chart::ChartSeries* s : Upper().Series()) result.push_back(s->Axis());
    return result;
  };
  for (const bool range : {false, true}) {
    if (range) {
      LoadSampleRange();
    } else {
      LoadDay();
    }
    for (const Channel channel : {Channel::T1, Channel::T2, Channel::Flow, Channel::Power, Channel::R1}) {
      Check(channel);
    }
    const std::vector<chart::VerticalAxis> before = axes();
    ASSERT_GT(std::count(before.begin(), before.end(), chart::VerticalAxis::Right), 0);
    const std::string rightTitle = Upper().RightAxis().Title();
    for (const auto block : {i18n::LanguageBlock::German, i18n::LanguageBlock::French}) {
      i18n::SetCurrentBlock(block);
      model.ApplyLanguage();
      EXPECT_EQ(axes(), before) << range;
      EXPECT_EQ(Upper().RightAxis().Title(), rightTitle) << range;
    }
    i18n::SetCurrentBlock(i18n::LanguageBlock::English);
  }
}

TEST_F(ModelTest, NewMonthNamesRewriteTheDatesShown) {
  LoadDay();
  model.ScrollStep(+1);
  MonthNames german = EnglishMonthNames();
  german.full[4] = "Mai";
  german.abbreviated[4] = "Mai";
  german.abbreviated[5] = "Jun";
  model.SetMonthNames(german);
  EXPECT_EQ(Title(), "31. Mai 2024 + 01. Jun 2024");
  EXPECT_EQ(ComposeCaption(model.View().caption), "Analysis from 31. Mai 2024.");
}

TEST_F(ModelTest, TheDisplayListenerHearsOnceForEachChangeOfTheCurves) {
  int changes = 0;
  model.SetDisplayListener([&] { ++changes; });
  LoadDay();
  EXPECT_EQ(changes, 1);
  Check(Channel::T1);
  Check(Channel::T2);
  EXPECT_EQ(changes, 3);
  model.MoveSlider(0);  // the same day: the curves stay
  EXPECT_EQ(changes, 3);
  model.Reset();
  EXPECT_EQ(changes, 4);
}

// Spans ---------------------------------------------------------------------

TEST_F(ModelTest, OneHourInTheDaySpanShowsTheFirstHour) {
  LoadDay();
  model.ChooseSpan(0);
  EXPECT_DOUBLE_EQ(StartMinute(kMay31), 0.0);
  EXPECT_NEAR(EndMinute(kMay31), 60.0, 1e-6);
  EXPECT_EQ(Slider(), (SliderState{23, 0, true}));
  EXPECT_FALSE(Upper().ZoomAllowed());
  EXPECT_EQ(Upper().PanningMode(), chart::Panning::Horizontal);
  model.MoveSlider(7);
  EXPECT_NEAR(StartMinute(kMay31), 7 * 60.0, 1e-6);
  EXPECT_NEAR(EndMinute(kMay31), 8 * 60.0, 1e-6);
  ExpectLowerFollowsUpper();
}

TEST_F(ModelTest, EachHourSpanHasItsWidthAndSliderRange) {
  LoadDay();
  const std::pair<int, int> spans[] = {{0, 1}, {1, 3}, {2, 8}};
  for (const auto& [item, hours] : spans) {
    model.ChooseSpan(item);
    EXPECT_NEAR(EndMinute(kMay31) - StartMinute(kMay31), hours * 60.0, 1e-6) << item;
    EXPECT_EQ(Slider().maximum, 24 - hours) << item;
  }
  model.ChooseSpan(3);
  EXPECT_DOUBLE_EQ(StartMinute(kMay31), 0.0);
  EXPECT_DOUBLE_EQ(EndMinute(kMay31), 1440.0);
  EXPECT_EQ(Slider(), (SliderState{0, 0, false}));
  EXPECT_TRUE(Upper().ZoomAllowed());
  EXPECT_EQ(Upper().PanningMode(), chart::Panning::None);
}

TEST_F(ModelTest, EightHoursFromAThreeHourWindowAtTwentyShowsTheDaysEnd) {
  LoadDay();
  model.ChooseSpan(1);
  model.MoveSlider(20);
  model.ChooseSpan(2);
  EXPECT_NEAR(StartMinute(kMay31), 16 * 60.0, 1e-6);
  EXPECT_NEAR(EndMinute(kMay31), 24 * 60.0, 1e-6);
  EXPECT_EQ(Slider().position, 16);
  EXPECT_EQ(Slider().maximum, 16);
}

TEST_F(ModelTest, ChoosingTheHourSpanInForceChangesNothing) {
  LoadDay();
  model.ChooseSpan(1);
  model.MoveSlider(5);
  model.ScrollStep(+1);
  const double before = model.TimeWindow().min;
  const std::string title = Title();
  model.ChooseSpan(1);
  EXPECT_EQ(model.TimeWindow().min, before);
  EXPECT_EQ(Title(), title);
}

TEST_F(ModelTest, ChoosingOneDayAgainAfterScrollingShowsAndNamesTheWholeDay) {
  LoadSampleRange();
  for (int i = 0; i < 3; ++i) model.ScrollStep(+1);
  EXPECT_NEAR(StartMinute(kMay30), 3 * 36.0, 1e-6);
  EXPECT_EQ(Title(), FormatDate(kShortDate, kMay30) + " + " + FormatDate(kShortDate, kMay31));
  model.ChooseSpan(3);
  EXPECT_DOUBLE_EQ(StartMinute(kMay30), 0.0);
  EXPECT_DOUBLE_EQ(EndMinute(kMay30), 1440.0);
  EXPECT_EQ(Title(), FormatDate(kLongDate, kMay30));
}

TEST_F(ModelTest, TotalsAreOnlyAvailableInTheMonthSpan) {
  LoadSampleRange();
  EXPECT_FALSE(Enabled(Channel::Volume));
  model.ChooseSpan(4);
  EXPECT_TRUE(Enabled(Channel::Volume));
  EXPECT_TRUE(Enabled(Channel::Energy));
  Check(Channel::Energy);
  EXPECT_GT(Upper().SeriesCount(), 0u);
  EXPECT_FALSE(model.View().spreadsheetAvailable);
  EXPECT_FALSE(model.View().scrollRepeat);
  model.ChooseSpan(3);
  EXPECT_FALSE(Checked(Channel::Energy));
  EXPECT_FALSE(Enabled(Channel::Energy));
  EXPECT_EQ(Upper().SeriesCount(), 0u);
  EXPECT_TRUE(model.View().scrollRepeat);
}

// The legend's entries as a legend lists them: by rank, then by placement.
std::vector<std::string> LegendTitles(const chart::ChartPanel& panel) {
  std::vector<const chart::ChartSeries*> listed;
  for (const chart::ChartSeries* series : panel.Series()) {
    if (series->ShowInLegend()) listed.push_back(series);
  }
  std::stable_sort(listed.begin(), listed.end(),
                   [](const auto* a, const auto* b) { return a->LegendRank() < b->LegendRank(); });
  std::vector<std::string> titles;
  for (const chart::ChartSeries* series : listed) titles.push_back(series->Title());
  return titles;
}

// Whatever order the channels were ticked in and the span placed them in,
// the legend follows the selection panel.
TEST_F(ModelTest, LegendListsTheChannelsInTheSelectionOrderInEverySpan) {
  LoadSampleRange();
  model.ChooseSpan(static_cast<int>(Span::Month));
  for (const Channel channel : {Channel::Energy, Channel::T2, Channel::R1, Channel::Power, Channel::T1}) Check(channel);
  const TChildSettings settings = DefaultSettings();
  std::vector<std::string> upper;
  for (const Channel channel : {Channel::T1, Channel::T2, Channel::Power, Channel::Energy}) {
    upper.push_back(logdata::ChannelLabel(settings, channel));
  }
  for (const Span span : {Span::Month, Span::Day, Span::EightHours}) {
    model.ChooseSpan(static_cast<int>(span));
    // Totals are for months only: leaving the month unticks them.
    if (span == Span::Day) upper.pop_back();
    EXPECT_EQ(LegendTitles(Upper()), upper) << static_cast<int>(span);
    EXPECT_EQ(LegendTitles(Lower()), std::vector<std::string>{logdata::ChannelLabel(settings, Channel::R1)});
  }
}

TEST_F(ModelTest, ANewEvaluationStartsWithoutTotals) {
  LoadSampleRange();
  model.ChooseSpan(4);
  Check(Channel::Volume);
  LoadDay();
  EXPECT_FALSE(Checked(Channel::Volume));
  EXPECT_FALSE(Enabled(Channel::Volume));
  EXPECT_FALSE(model.HasGraphs());
}

TEST_F(ModelTest, TheMonthSpanShowsWholeMonthsAndJumpsToTheFirstAndLast) {
  LoadSampleRange();
  model.ChooseSpan(4);
  const double may1 = *TryEncodeDate(2024, 5, 1);
  const double june1 = *TryEncodeDate(2024, 6, 1);
  EXPECT_EQ(model.TimeWindow().min, may1);
  EXPECT_EQ(model.TimeWindow().max, june1);
  EXPECT_EQ(Upper().BottomAxis().DateTimeFormat(), "dd.");
  ExpectLowerFollowsUpper();
  EXPECT_EQ(Slider().maximum, 1);
  EXPECT_EQ(Title(), FormatDate(kMonthYear, may1));
  model.JumpRight();
  EXPECT_EQ(Slider().position, 1);
  EXPECT_EQ(model.TimeWindow().min, june1);
  EXPECT_EQ(model.TimeWindow().max, *TryEncodeDate(2024, 7, 1));
  model.JumpLeft();
  EXPECT_EQ(model.TimeWindow().min, may1);
  model.ScrollClick(+1);
  EXPECT_EQ(Slider().position, 1);
}

TEST_F(ModelTest, ChoosingTheMonthAgainWhileZoomedShowsTheMonthOnBothCharts) {
  LoadSampleRange();
  model.ChooseSpan(4);
  Upper().UserZoom({{kMay30, kMay31}, {0, 50}, {0, 50}});
  ExpectLowerFollowsUpper();
  model.ChooseSpan(4);
  EXPECT_EQ(model.TimeWindow().min, *TryEncodeDate(2024, 5, 1));
  ExpectLowerFollowsUpper();
}

TEST_F(ModelTest, LeavingTheMonthSpanGoesToItsFirstLoadedDay) {
  LoadSampleRange();
  model.ChooseSpan(4);
  model.JumpRight();
  model.ChooseSpan(0);
  EXPECT_DOUBLE_EQ(StartMinute(kJune1), 0.0);
  EXPECT_NEAR(EndMinute(kJune1), 60.0, 1e-6);
  EXPECT_EQ(Upper().BottomAxis().DateTimeFormat(), "hh:mm");
  ExpectLowerFollowsUpper();
  EXPECT_EQ(Title(), FormatDate(kLongDate, kJune1));
}

// Reading a grown day file again keeps what the window showed, and the
// curves take the new records.
TEST_F(ModelTest, ReloadKeepsSpanPositionZoomAndTickedChannels) {
  TempFolder folder;
  std::vector<std::string> records;
  for (int minute = 0; minute < 600; ++minute) {
    char time[8];
    std::snprintf(time, sizeof time, "%02d:%02d", minute / 60, minute % 60);
    records.push_back(std::string(time) + ";20,0;30,0;;;;;;1,0;2,0;0;0;0;0");
  }
  const auto file = folder.Write("20240531.csv", DayFileText("2024-05-31", records));
  model.LoadFile(file);
  model.ChooseSpan(static_cast<int>(Span::EightHours));
  model.JumpRight();
  Check(Channel::T2);
  Check(Channel::T1);
  const chart::ValueRange hours = model.TimeWindow();
  const SliderState slider = Slider();
  const std::size_t points = Upper().Series().front()->Count();
  const auto reload = [&](const std::string& record) {
    records.push_back(record);
    folder.Write("20240531.csv", DayFileText("2024-05-31", records));
    const HeldView held = model.Hold();
    model.LoadFile(file);
    model.Restore(held);
  };

  reload("10:00;21,0;31,0;;;;;;1,0;2,0;0;0;0;0");
  EXPECT_EQ(model.View().span, Span::EightHours);
  EXPECT_EQ(Slider(), slider);
  EXPECT_EQ(model.TimeWindow().min, hours.min);
  EXPECT_EQ(model.TimeWindow().max, hours.max);
  ExpectLowerFollowsUpper();
  EXPECT_TRUE(Checked(Channel::T1));
  EXPECT_TRUE(Checked(Channel::T2));
  EXPECT_FALSE(Checked(Channel::Flow));
  ASSERT_EQ(Upper().SeriesCount(), 2u);
  EXPECT_EQ(Upper().Series().front()->Count(), points + 1);

  // The zoom of the day span comes back too.
  model.ChooseSpan(static_cast<int>(Span::Day));
  Upper().UserZoom({{kMay31 + 9.0 / 24, kMay31 + 11.0 / 24}, {0, 50}, {0, 50}});
  const chart::ValueRange zoomed = model.TimeWindow();
  reload("10:01;22,0;32,0;;;;;;1,0;2,0;0;0;0;0");
  EXPECT_EQ(model.View().span, Span::Day);
  EXPECT_TRUE(Upper().IsZoomed());
  EXPECT_EQ(model.TimeWindow().min, zoomed.min);
  EXPECT_EQ(model.TimeWindow().max, zoomed.max);
  ExpectLowerFollowsUpper();
  EXPECT_EQ(Upper().Series().front()->Count(), points + 2);
}

// A held channel whose column is now empty stays unticked, silently; a
// held day the evaluation no longer has leaves the span on the first day.
TEST_F(ModelTest, ReloadLeavesOutWhatTheFilesNoLongerHold) {
  LoadSampleRange();
  model.ChooseSpan(static_cast<int>(Span::Day));
  model.JumpRight();
  model.JumpRight();
  Check(Channel::T1);
  const HeldView held = model.Hold();
  LoadRange(SampleFile("2024/05/20240530.csv"), SampleFile("2024/05/20240531.csv"));
  model.Restore(held);
  EXPECT_EQ(model.View().span, Span::Day);
  EXPECT_EQ(*model.ShownDay(), kMay30);
  EXPECT_TRUE(Checked(Channel::T1));

  TempFolder folder;
  const auto file = folder.Write("20240531.csv", DayFileText("2024-05-31", GapRecords()));
  model.LoadFile(file);
  Check(Channel::T1);
  const HeldView before = model.Hold();
  folder.Write("20240531.csv",
               DayFileText("2024-05-31", {"00:00;;20,0;;;;;;1,5;2,0;0;0;0;0", "00:01;;21,0;;;;;;1,5;2,0;0;0;0;0"}));
  model.LoadFile(file);
  EXPECT_NO_THROW(model.Restore(before));
  EXPECT_FALSE(Checked(Channel::T1));
  EXPECT_TRUE(model.TakeMessages().empty());
}

TEST_F(ModelTest, DecemberRunsIntoJanuary) {
  TempFolder folder;
  const std::vector<std::string> records = {"00:00;10,0;20,0;30,0;40,0;50,0;60,0;70,0;1,0;2,0;100;0;0;0",
                                            "00:01;10,0;20,0;30,0;40,0;50,0;60,0;70,0;1,0;2,0;100;0;0;0"};
  LoadRange(folder.Write("20101230.csv", DayFileText("2010-12-30", records)),
            folder.Write("20110102.csv", DayFileText("2011-01-02", records)));
  model.ChooseSpan(4);
  EXPECT_EQ(model.TimeWindow().min, *TryEncodeDate(2010, 12, 1));
  EXPECT_EQ(model.TimeWindow().max, *TryEncodeDate(2011, 1, 1));
}

// Jumps and scrolling ---------------------------------------------------------

TEST_F(ModelTest, ScrollingTheDaySpanFollowsTheNearestDay) {
  LoadSampleRange();
  Check(Channel::T1);
  double previousStart = StartMinute(kMay30);
  bool followed = false;
  for (int step = 1; step <= 30 && !followed; ++step) {
    model.ScrollStep(+1);
    const double start = StartMinute(kMay30);
    EXPECT_NEAR(start - previousStart, 36.0, 1e-6) << step;
    EXPECT_NEAR(EndMinute(kMay30) - start, 1440.0, 1e-6) << step;
    previousStart = start;
    EXPECT_EQ(Slider().position, start > 720.0 ? 1 : 0) << step;
    followed = Slider().position == 1;
    EXPECT_EQ(Title(), FormatDate(kShortDate, kMay30) + " + " + FormatDate(kShortDate, kMay31)) << step;
  }
  EXPECT_TRUE(followed);
  // Twenty steps make half a day, give or take the rounding of the sums.
  EXPECT_NEAR(StartMinute(kMay30), 20 * 36.0, 1e-3);
  // The curves follow the window across midnight: both days of T1 are shown.
  EXPECT_EQ(Upper().SeriesCount(), 2u);
}

TEST_F(ModelTest, ScrollingBackFromTheSecondDayReturnsToTheFirst) {
  LoadSampleRange();
  model.MoveSlider(1);
  for (int i = 0; i < 21; ++i) model.ScrollStep(-1);
  EXPECT_EQ(Slider().position, 0);
  EXPECT_EQ(Title(), FormatDate(kShortDate, kMay30) + " + " + FormatDate(kShortDate, kMay31));
}

TEST_F(ModelTest, HourSpanScrollFollowsTheStartHourAcrossMidnight) {
  LoadSampleRange();
  model.ChooseSpan(1);
  model.MoveSlider(21);
  // Three hours a step of 4.5 minutes: 40 steps move three hours.
  for (int i = 0; i < 40; ++i) model.ScrollStep(+1);
  EXPECT_NEAR(StartMinute(kMay30), 24 * 60.0, 1e-6);
  EXPECT_EQ(Slider().position, 0);
  EXPECT_EQ(Title(), FormatDate(kShortDate, kMay31));
}

TEST_F(ModelTest, JumpLeftOnTheFirstDayShowsTheFirstDayAgain) {
  LoadSampleRange();
  for (int i = 0; i < 3; ++i) model.ScrollStep(+1);
  model.JumpLeft();
  EXPECT_EQ(Slider().position, 0);
  EXPECT_DOUBLE_EQ(StartMinute(kMay30), 0.0);
  EXPECT_DOUBLE_EQ(EndMinute(kMay30), 1440.0);
  EXPECT_EQ(Title(), FormatDate(kLongDate, kMay30));
}

TEST_F(ModelTest, JumpButtonsMoveDayByDayAndStopAtTheLast) {
  LoadSampleRange();
  for (int i = 0; i < 5; ++i) model.JumpRight();
  EXPECT_EQ(Slider().position, 3);
  EXPECT_DOUBLE_EQ(model.TimeWindow().min, kJune2);
  EXPECT_EQ(Title(), FormatDate(kLongDate, kJune2));
  model.JumpLeft();
  EXPECT_DOUBLE_EQ(model.TimeWindow().min, kJune1);
}

TEST_F(ModelTest, JumpInAnHourSpanKeepsTheHours) {
  LoadSampleRange();
  model.ChooseSpan(2);
  model.MoveSlider(10);
  model.JumpRight();
  EXPECT_NEAR(StartMinute(kMay31), 10 * 60.0, 1e-6);
  EXPECT_EQ(Slider().position, 10);
  model.JumpLeft();
  model.JumpLeft();
  EXPECT_NEAR(StartMinute(kMay30), 10 * 60.0, 1e-6);
}

// Zoom and panning --------------------------------------------------------------

TEST_F(ModelTest, ZoomNarrowerThanAnHourIsWidenedAroundItsCentreOnBothCharts) {
  LoadDay();
  const double noon = kMay31 + 0.5;
  Upper().UserZoom({{noon - 10.0 / 1440, noon + 10.0 / 1440}, {0, 100}, {0, 100}});
  EXPECT_NEAR(StartMinute(kMay31), 690.0, 1e-6);
  EXPECT_NEAR(EndMinute(kMay31), 750.0, 1e-6);
  ExpectLowerFollowsUpper();
  Upper().UserUndoZoom();
  EXPECT_DOUBLE_EQ(StartMinute(kMay31), 0.0);
  ExpectLowerFollowsUpper();
}

TEST_F(ModelTest, PanningRebuildsTheCurvesOnlyWhenTheDaysChange) {
  LoadSampleRange();
  Check(Channel::T2);
  model.ChooseSpan(1);
  model.MoveSlider(18);
  ASSERT_EQ(Upper().SeriesCount(), 1u);
  const chart::ChartSeries* before = Upper().Series().front();
  Upper().UserScroll(2.0 / 24);  // 20:00 to 23:00: the same day
  ASSERT_EQ(Upper().SeriesCount(), 1u);
  EXPECT_EQ(Upper().Series().front(), before);
  Upper().UserScroll(2.0 / 24);  // across midnight: both days
  EXPECT_EQ(Upper().SeriesCount(), 2u);
  ExpectLowerFollowsUpper();
  EXPECT_EQ(Slider().position, 18);
}

}  // namespace
}  // namespace calorix::evaluation
