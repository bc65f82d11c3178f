#include "ui/child_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "chartview/chart_view.h"
#include "core/error.h"
#include "i18n/text_table.h"
#include "evaluation/axis_rules.h"
#include "evaluation/date_text.h"
#include "ui/channel_boxes.h"
#include "support/day_file_text.h"
#include "ui_test_support.h"

namespace calorix::ui {
namespace {

using namespace evaluation;  // NOLINT: the window's rules and texts

using calorix::testing::DayFileText;
using testing::SampleFile;
using testing::TempFolder;

constexpr double kMay31 = 45443.0;  // 2024-05-31

class ChildFormTest : public ::testing::Test, public testing::EnglishTexts, public testing::WindowTest {};

// Tab walks every control once, in reading order: the selection panel,
// the charts and the summary, then the navigation bar row by row (the
// slider and the four buttons were left out).
TEST_F(ChildFormTest, TabReachesEveryControlInReadingOrder) {
  std::vector<std::string> chain;
  QWidget* widget = &Window();
  do {
    widget = widget->nextInFocusChain();
    if ((widget->focusPolicy() & Qt::TabFocus) && Window().isAncestorOf(widget) && !widget->objectName().isEmpty()) {
      chain.push_back(widget->objectName().toStdString());
    }
  } while (widget != &Window());
  std::vector<std::string> expected;
  for (const ChannelBox& row : kChannelBoxes) expected.push_back(std::string("CB_") + row.name);
  for (const char* name : {"ButtonSettings", "ButtonOpenExcel", "Chart", "Chart2", "SummaryTabs", "qt_tabwidget_tabbar",
                           "TextSummary", "FindingsList", "SpanTime", "CheckPerMonth", "CompareWith", "SliderTime",
                           "ButtonJumpLeft", "ButtonScrollLeft", "ButtonScrollRight", "ButtonJumpRight"}) {
    expected.push_back(name);
  }
  // The chain starts anywhere: read it from the first check box on.
  const auto first = std::find(chain.begin(), chain.end(), expected.front());
  ASSERT_NE(first, chain.end());
  std::rotate(chain.begin(), first, chain.end());
  EXPECT_EQ(chain, expected);
}

TEST_F(ChildFormTest, NewWindowIsEmpty) {
  EXPECT_EQ(Window().windowTitle().toStdString(), "New");
  EXPECT_FALSE(Window().HasEvaluation());
  EXPECT_FALSE(Window().HasGraphs());
  EXPECT_FALSE(Slider().isEnabled());
  EXPECT_EQ(SpanChoice().currentIndex(), 3);
  EXPECT_FALSE(Box("CB_Volume").isEnabled());
  EXPECT_FALSE(Box("CB_Energy").isEnabled());
  EXPECT_EQ(Box("CB_T1").text().toStdString(), "Temperature sensor 1");
}

TEST_F(ChildFormTest, LoadingADayCaptionsTheWindowAndShowsTheWholeDay) {
  Window().LoadFile(SampleFile("2024/05/20240531.csv"));
  const std::string date = FormatDate(kLongDate, kMay31);
  EXPECT_EQ(Window().windowTitle().toStdString(), "Analysis from " + date + ".");
  EXPECT_TRUE(Window().HasEvaluation());
  EXPECT_EQ(Upper().TitleLines(), std::vector<std::string>{date});
  EXPECT_DOUBLE_EQ(Upper().BottomAxis().Minimum(), kMay31);
  EXPECT_DOUBLE_EQ(Upper().BottomAxis().Maximum(), kMay31 + 1);
  EXPECT_DOUBLE_EQ(Lower().BottomAxis().Minimum(), kMay31);
  EXPECT_DOUBLE_EQ(Lower().BottomAxis().Maximum(), kMay31 + 1);
  ASSERT_EQ(SpanChoice().count(), 4);
  EXPECT_EQ(SpanChoice().itemText(0).toStdString(), "1 hour");
  EXPECT_EQ(SpanChoice().itemText(3).toStdString(), "1 day");
  EXPECT_EQ(SpanChoice().currentIndex(), 3);
  EXPECT_EQ(Slider().maximum(), 0);
  EXPECT_EQ(Slider().value(), 0);
  EXPECT_FALSE(Slider().isEnabled());
}

TEST_F(ChildFormTest, CheckingAChannelPutsItsCurveOnTheChart) {
  Window().LoadFile(SampleFile("2024/05/20240531.csv"));
  Box("CB_T1").setChecked(true);
  EXPECT_TRUE(Box("CB_T1").isChecked());
  EXPECT_EQ(Upper().SeriesCount(), 1u);
  EXPECT_TRUE(Window().HasGraphs());
  Box("CB_T1").setChecked(false);
  EXPECT_EQ(Upper().SeriesCount(), 0u);
  EXPECT_TRUE(Dialogs().Messages().empty());
}

TEST_F(ChildFormTest, EmptyChartsAfterOpeningSayWhatToDo) {
  auto& upperView = *Window().findChild<chartview::ChartView*>("Chart");
  auto& lowerView = *Window().findChild<chartview::ChartView*>("Chart2");
  EXPECT_TRUE(upperView.Hint().isEmpty()) << "a new window has nothing to tick";
  Window().LoadFile(SampleFile("2024/05/20240531.csv"));
  EXPECT_EQ(upperView.Hint().toStdString(), i18n::Text(i18n::kTextTickToShow));
  EXPECT_TRUE(lowerView.Hint().isEmpty());
  Box("CB_R1").setChecked(true);
  EXPECT_TRUE(upperView.Hint().isEmpty());
  Box("CB_R1").setChecked(false);
  EXPECT_FALSE(upperView.Hint().isEmpty());
}

// T3 empty, T4 "Err" throughout; the rest has values.
std::vector<std::string> GapRecords() {
  return {"00:00;10,0;20,0;;Err;50,0;60,0;70,0;1,5;2,0;100;0;0;0",
          "00:01;11,0;21,0;;Err;50,0;60,0;70,0;1,5;2,0;100;0;0;0",
          "00:02;12,0;22,0;;Err;50,0;60,0;70,0;1,5;2,0;0;0;0;0"};
}

TEST_F(ChildFormTest, ChannelWithOnlyEmptyFieldsSaysNoDataAndUnchecksItself) {
  TempFolder folder;
  Window().LoadFile(folder.Write("20240501.csv", DayFileText("2024-05-01", GapRecords())));
  Box("CB_T3").setChecked(true);
  EXPECT_FALSE(Box("CB_T3").isChecked());
  EXPECT_EQ(Upper().SeriesCount(), 0u);
  ASSERT_EQ(MessageTexts(), std::vector<std::string>{"No data available."});
  EXPECT_EQ(Dialogs().Messages().front().kind, MessageKind::Error);
  EXPECT_EQ(Dialogs().Messages().front().caption, "Error");
}

TEST_F(ChildFormTest, ADayReadOnlyInPartIsShownWithAWarningNamingTheLine) {
  TempFolder folder;
  std::vector<std::string> records = GapRecords();
  records.push_back("00:03;1.5");
  const auto file = folder.Write("20240501.csv", DayFileText("2024-05-01", records));
  Window().LoadFile(file);
  EXPECT_TRUE(Window().HasEvaluation());
  ASSERT_EQ(Dialogs().Messages().size(), 1u);
  EXPECT_EQ(Dialogs().Messages()[0].kind, MessageKind::Warning);
  EXPECT_EQ(
      Dialogs().Messages()[0].text,
      "Reading stopped at line 5, which holds no valid record; the values before it are shown.\n\n" + file.string());
}

TEST_F(ChildFormTest, AFileThatIsNoLogFileLeavesTheWindowNew) {
  TempFolder folder;
  Window().LoadFile(SampleFile("2024/05/20240531.csv"));
  Box("CB_T1").setChecked(true);
  const auto bad = folder.Write("20240501.csv", "just some text\r\nand more\r\n");
  try {
    Window().LoadFile(bad);
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "The file you specified is not a valid log file.\n\n" + bad.string());
  }
  EXPECT_EQ(Window().windowTitle().toStdString(), "New");
  EXPECT_FALSE(Window().HasEvaluation());
  EXPECT_FALSE(Window().HasGraphs());
  EXPECT_FALSE(Box("CB_T1").isChecked());
  EXPECT_TRUE(Upper().TitleLines().empty());
  i18n::SetCurrentBlock(i18n::LanguageBlock::French);
  Window().ApplyLanguage();
  EXPECT_EQ(Window().windowTitle().toStdString(), "Nouveau");
}

TEST_F(ChildFormTest, AMissingFileReportsAnErrorOpeningIt) {
  try {
    Window().LoadFile("/nonexistent/20240501.csv");
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Error occurred while opening file\n\n/nonexistent/20240501.csv");
  }
  EXPECT_EQ(Window().windowTitle().toStdString(), "New");
}

TEST_F(ChildFormTest, MultiDayCaptionNamesTheRangeAndTheFileCount) {
  LoadRange(SampleFile("2024/05/20240530.csv"), SampleFile("2024/06/20240602.csv"));
  EXPECT_EQ(Window().windowTitle().toStdString(), "Analysis from 30.05.2024 to 02.06.2024. (4 files found)");
  EXPECT_TRUE(Slider().isEnabled());
  EXPECT_EQ(Slider().maximum(), 3);
  i18n::SetCurrentBlock(i18n::LanguageBlock::Italian);
  Window().ApplyLanguage();
  EXPECT_EQ(Window().windowTitle().toStdString(), "Analisi dal 30.05.2024 al 02.06.2024. (Trovati 4 file)");
}

// A range longer than a month offers "1 year"; its "Per month" box shows
// in the year span only and switches the model's monthly bars.
TEST_F(ChildFormTest, TheYearSpanShowsThePerMonthBox) {
  LoadRange(SampleFile("2024/05/20240501.csv"), SampleFile("2024/06/20240602.csv"));
  ASSERT_EQ(SpanChoice().count(), 6);
  EXPECT_EQ(SpanChoice().itemText(5).toStdString(), "1 year");
  QCheckBox& perMonth = *Window().findChild<QCheckBox*>("CheckPerMonth");
  EXPECT_TRUE(perMonth.isHidden());
  ChooseSpan(5);
  EXPECT_FALSE(perMonth.isHidden());
  EXPECT_EQ(perMonth.text().toStdString(), "Per month");
  perMonth.click();
  EXPECT_TRUE(Window().Model().View().perMonth);
  ChooseSpan(4);
  EXPECT_TRUE(perMonth.isHidden());
}

// The margins of the lower chart follow its width on screen.
TEST_F(ChildFormTest, LowerChartMarginsFollowItsWidth) {
  Window().LoadFile(SampleFile("2024/05/20240531.csv"));
  Box("CB_T1").setChecked(true);
  Box("CB_Flow").setChecked(true);
  Window().show();
  for (const int windowWidth : {800, 1600}) {
    Window().resize(windowWidth, 700);
    QApplication::processEvents();
    const int width = Window().findChild<QWidget*>("Chart2")->width();
    EXPECT_EQ(Lower().Margins().right, LowerChartMargin(ChartSide::Right, Upper().RightAxis().Maximum(), width));
  }
}

TEST_F(ChildFormTest, DefaultLabelsFollowTheLanguageTypedLabelsStay) {
  TChildSettings settings = testing::DefaultSettings();
  settings.Labels[static_cast<std::size_t>(SettingSlot::T2)] = "Collector";
  Window().ApplySettings(settings);
  EXPECT_EQ(Box("CB_T1").text().toStdString(), "Temperature sensor 1");
  EXPECT_EQ(Box("CB_T2").text().toStdString(), "Collector");
  i18n::SetCurrentBlock(i18n::LanguageBlock::German);
  Window().ApplyLanguage();
  EXPECT_EQ(Box("CB_T1").text().toStdString(), "Temperatur Sensor 1");
  EXPECT_EQ(Box("CB_T2").text().toStdString(), "Collector");
  EXPECT_EQ(Window().findChild<QLabel*>("LabelHeadline")->text().toStdString(), "Ausw\u00E4hlbare Messwerte:");
}

TEST_F(ChildFormTest, SpanChoiceKeepsItsPositionAcrossALanguageChange) {
  Window().LoadFile(SampleFile("2024/05/20240531.csv"));
  ChooseSpan(1);
  i18n::SetCurrentBlock(i18n::LanguageBlock::German);
  Window().ApplyLanguage();
  EXPECT_EQ(SpanChoice().currentIndex(), 1);
  EXPECT_EQ(SpanChoice().currentText().toStdString(), "3 Stunden");
}

TEST_F(ChildFormTest, SettingsColourThePatchesAndTheCurves) {
  TChildSettings settings = testing::DefaultSettings();
  settings.Colors[static_cast<std::size_t>(SettingSlot::T1)] = MakeColor(10, 20, 30);
  Window().ApplySettings(settings);
  Window().LoadFile(SampleFile("2024/05/20240531.csv"));
  Box("CB_T1").setChecked(true);
  EXPECT_EQ(Upper().Series().front()->SeriesColor(), MakeColor(10, 20, 30));
  const QColor patch = Window().findChild<QFrame*>("Color_T1")->palette().color(QPalette::Window);
  EXPECT_EQ(patch, QColor(10, 20, 30));
}

TEST_F(ChildFormTest, DisplayChangedFollowsEveryChangeOfTheCurves) {
  int changes = 0;
  QObject::connect(&Window(), &TChildform::DisplayChanged, [&] { ++changes; });
  Window().LoadFile(SampleFile("2024/05/20240531.csv"));
  const int afterLoad = changes;
  EXPECT_GE(afterLoad, 1);
  Box("CB_T1").setChecked(true);
  EXPECT_EQ(changes, afterLoad + 1);
  Box("CB_T1").setChecked(false);
  EXPECT_EQ(changes, afterLoad + 2);
}

TEST_F(ChildFormTest, ClosingDropsTheEvaluation) {
  Window().LoadFile(SampleFile("2024/05/20240531.csv"));
  Box("CB_T1").setChecked(true);
  Window().close();
  EXPECT_FALSE(Window().HasEvaluation());
  EXPECT_FALSE(Window().HasGraphs());
  EXPECT_FALSE(Box("CB_T1").isChecked());
}

TEST_F(ChildFormTest, TheWindowDeletesItselfWhenClosed) {
  ScriptedDialogs dialogs;
  QPointer<TChildform> window = new TChildform(dialogs);
  window->LoadFile(SampleFile("2024/05/20240531.csv"));
  window->show();
  window->close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
}

}  // namespace
}  // namespace calorix::ui
