#pragma once

// The inside of TChildform, shared by its source files.

#include <QSize>
#include <QTimer>
#include <array>
#include <memory>
#include <string>

#include "chart/chart_panel.h"
#include "core/child_settings.h"
#include "core/date_time.h"
#include "logdata/channel.h"
#include "logdata/log_analysis.h"
#include "ui/child_form.h"
#include "ui/time_navigation.h"
#include "ui/window_caption.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QSlider;
class QSplitter;
class QToolButton;

namespace calorix::chartview {
class ChartView;
}

namespace calorix::ui {

struct TChildform::Parts {
  Parts(TChildform& window, Dialogs& dialogs);

  // Construction (child_form.cpp).
  void BuildLayout();
  QWidget* BuildLeftPanel();
  QWidget* BuildGraphPanel();
  QWidget* BuildNavigationBar();
  void ConnectControls();
  void SetUpCharts();
  void ApplyMinimumSizes();
  void UpdateMinimumSize();

  // Texts and captions.
  void ApplyLanguage();
  void SetChannelCaption(QCheckBox* box, const std::string& label, int defaultText);
  void SetCaptionDates(std::string from, std::string to, unsigned fileCount);
  void UpdateCaption();
  void UpdateSpanTexts();
  void FillSpanItems(int count);
  void ShowColorPatches();

  // Evaluation and curves (child_graphs.cpp).
  void ApplySettings(const TChildSettings& record);
  void LoadFile(const std::filesystem::path& path);
  void BeginMultiDay(unsigned fileCount, const std::filesystem::path& firstPath, DateTime start, DateTime end);
  void EndMultiDay();
  void ResetEvaluation();
  void StartAtFirstDay();
  bool HasEvaluation() const;
  bool HasGraphs() const;
  void GraphCheckboxClicked(QCheckBox* box, logdata::Channel channel);
  logdata::ChannelState ShowGraph(logdata::Channel channel);
  void HideGraph(logdata::Channel channel);
  void HideAllGraphs();
  void ShowAllGraphs();
  void UpdateAxes();
  void UpdateLowerMargins(bool bothGroups);
  void ScaleDynamically(chart::AxisPosition position);
  void SetTimeWindow(DateTime from, DateTime to);
  void UpdateWindowActions();
  void SetTitle(const std::string& line);
  void NotifyDisplayChanged();

  // Navigation (child_navigation.cpp).
  Span CurrentSpan() const;
  void SpanTimeChange(int item);
  void SliderTimeChange(int position);
  void SetSlider(int maximum, int position);
  void SetSliderPosition(int position);
  void SetBottomFormat(const char* format);
  // Volume and Energy, which only the month span offers.
  void EnableTotals(bool enable);
  void ShowDayHours();
  void JumpLeft();
  void JumpRight();
  void ScrollClick(int direction);
  void StartScrolling(int direction);
  void StopScrolling();
  void ScrollTick();
  void ScrollStep(int direction);
  void FollowTimeWindow();
  void ChartZoom();
  void ChartUndoZoom();
  void ChartScroll();
  bool FilterScrollButtonEvent(QToolButton* button, QEvent* event);

  class NotifyBatch;

  // Runs a user command, showing what it throws.
  bool Run(const std::function<void()>& command);
  QCheckBox* BoxOf(logdata::Channel channel) const {
    return boxes[static_cast<std::size_t>(logdata::IndexOf(channel))];
  }

  TChildform& self;
  Dialogs& dialogs;
  TIniSettings* store = nullptr;
  TChildSettings settings;
  chart::ChartPanel upper;
  chart::ChartPanel lower;
  // Declared after the panels: its series leave them before they go.
  std::unique_ptr<logdata::TLogAnalysis> evaluation;

  QWidget* panelLeft = nullptr;
  QLabel* labelHeadline = nullptr;
  std::array<QGroupBox*, 3> groups{};
  std::array<QCheckBox*, logdata::kChannelCount> boxes{};    // by channel index
  std::array<QFrame*, logdata::kChannelCount> patches{};     // by channel index
  QWidget* panelGraph = nullptr;
  QSplitter* chartSplitter = nullptr;
  chartview::ChartView* upperView = nullptr;
  chartview::ChartView* lowerView = nullptr;
  QWidget* panelZoomX = nullptr;
  QLabel* labelDisplayedTimeSpan = nullptr;
  QLabel* labelSelectTimeSpan = nullptr;
  QComboBox* spanTime = nullptr;
  QSlider* sliderTime = nullptr;
  QToolButton* buttonJumpLeft = nullptr;
  QToolButton* buttonScrollLeft = nullptr;
  QToolButton* buttonScrollRight = nullptr;
  QToolButton* buttonJumpRight = nullptr;
  QTimer scrollTimer;
  int scrollDirection = 0;  // -1 left, +1 right, 0 the timer only stops

  // Navigation state.
  bool monthMode = false;
  DateTime dayStart = 0.0;
  int dayIndex = 0;
  int monthIndex = 0;
  int hourStart = 0;
  int hourEnd = 24;

  QSize designMinimum;  // of the window
  QSize leftMinimum;
  QSize navigationMinimum;
  bool bothGroups = false;  // as the axes were last set up
  CaptionParts caption;
  bool spreadsheetAvailable = false;
  // While above 0, DisplayChanged waits until the batch ends.
  int notifyHold = 0;
  bool notifyPending = false;
};

}  // namespace calorix::ui
