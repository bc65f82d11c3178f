#pragma once

#include <QSize>
#include <array>

#include "logdata/channel.h"
#include "ui/channel_boxes.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QScrollArea;
class QPushButton;
class QSlider;
class QSplitter;
class QTabWidget;
class QToolButton;
class QWidget;

namespace calorix::chart {
class ChartPanel;
}
namespace calorix::chartview {
class ChartView;
}

namespace calorix::ui {

class FindingsList;

// The controls of an evaluation window, laid out with Qt layouts in the
// arrangement of the form: the selection panel on the left, the two charts
// over the navigation bar on the right. Building them wires nothing.
struct ChildWidgets {
  // Builds every control inside `window` for the two panels, which must
  // outlive the widgets.
  ChildWidgets(QWidget& window, chart::ChartPanel& upper, chart::ChartPanel& lower);

  QCheckBox* Box(logdata::Channel channel) const { return boxes[static_cast<std::size_t>(logdata::IndexOf(channel))]; }
  QFrame* Patch(logdata::Channel channel) const { return patches[static_cast<std::size_t>(logdata::IndexOf(channel))]; }
  // The larger of the form's minimum sizes and what the texts need now.
  void UpdateMinimumSize(QWidget& window);

  QScrollArea* scrollLeft = nullptr;  // holds panelLeft
  QWidget* panelLeft = nullptr;
  QLabel* labelHeadline = nullptr;
  std::array<QGroupBox*, kChannelGroupCount> groups{};
  std::array<QCheckBox*, logdata::kChannelCount> boxes{};  // by channel index
  std::array<QFrame*, logdata::kChannelCount> patches{};   // by channel index
  QPushButton* buttonSettings = nullptr;
  QPushButton* buttonOpenExcel = nullptr;
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
  // Right of the span choice, in the year span only.
  QCheckBox* perMonth = nullptr;
  // The summary of the shown range, right of the charts; the splitter
  // between them lets the user narrow it or push it away.
  QSplitter* summarySplitter = nullptr;
  bool summaryWidthChosen = false;  // the user dragged the summary's splitter
  // The evaluation, channels and span the summary's width was fitted to:
  // steps, zooms and pans keep the width, so that the charts stay under
  // the mouse.
  std::array<bool, logdata::kChannelCount> summaryFittedChannels{};
  int summaryFittedSpan = -1;
  const void* summaryFittedEvaluation = nullptr;
  QWidget* panelSummary = nullptr;
  QTabWidget* summaryTabs = nullptr;  // the summary's tab, then the findings' tab
  QPlainTextEdit* textSummary = nullptr;
  FindingsList* findingsList = nullptr;
  // "Compare with": a loaded day laid over the shown one.
  QLabel* labelCompareWith = nullptr;
  QComboBox* compareWith = nullptr;

 private:
  QWidget* BuildLeftPanel(QWidget& window);
  QWidget* BuildGraphPanel(QWidget& window, chart::ChartPanel& upper, chart::ChartPanel& lower);
  QWidget* BuildNavigationBar();
  QWidget* BuildSummaryPanel(QWidget* parent);
  void ChooseMinimumSizes();
  void SetTabOrder();

  QSize designMinimum_;  // of the window
  QSize leftMinimum_;
  QSize navigationMinimum_;
};

}  // namespace calorix::ui
