#include "ui/child_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QPushButton>
#include <QSlider>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <initializer_list>
#include <vector>

#include "chartview/chart_view.h"
#include "dialogs/screen_placement.h"
#include "ui/findings_list.h"
#include "ui/summary_panel.h"
#include "ui/window_look.h"

namespace calorix::ui {
namespace {

// The summary panel's starting width, a quarter of the charts' room in a
// window of the default size.
constexpr int kSummaryWidth = 170;

void PaintPanel(QWidget& widget) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Window, kPanelColor);
  widget.setPalette(palette);
  widget.setAutoFillBackground(true);
}

QFrame* MakeColorPatch(QWidget* parent) {
  auto* patch = new QFrame(parent);
  patch->setFixedSize(16, 16);
  patch->setFrameShape(QFrame::Box);
  patch->setAutoFillBackground(true);
  return patch;
}

QToolButton* MakeNavigationButton(QWidget* parent, const char* name) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setMinimumSize(25, 25);
  // Reached with Tab like every other control (a tool button is not by default).
  button->setFocusPolicy(Qt::StrongFocus);
  return button;
}

QToolButton* MakeJumpButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon) {
  QToolButton* button = MakeNavigationButton(parent, name);
  button->setIcon(parent->style()->standardIcon(icon));
  return button;
}

QToolButton* MakeScrollButton(QWidget* parent, const char* name, Qt::ArrowType arrow) {
  QToolButton* button = MakeNavigationButton(parent, name);
  button->setArrowType(arrow);
  return button;
}

}  // namespace

ChildWidgets::ChildWidgets(QWidget& window, chart::ChartPanel& upper, chart::ChartPanel& lower) {
  auto* layout = new QHBoxLayout(&window);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  BuildLeftPanel(window);
  // The selection panel scrolls when the window is lower than the panel, so
  // that windows tiled one above the other keep their charts and navigation.
  scrollLeft = new QScrollArea(&window);
  scrollLeft->setObjectName("ScrollLeft");
  scrollLeft->setFrameShape(QFrame::NoFrame);
  scrollLeft->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scrollLeft->setWidgetResizable(true);
  // Its controls take the focus, the area itself is no stop of its own.
  scrollLeft->setFocusPolicy(Qt::NoFocus);
  scrollLeft->setWidget(panelLeft);
  scrollLeft->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  PaintPanel(*scrollLeft->viewport());
  layout->addWidget(scrollLeft);
  layout->addWidget(BuildGraphPanel(window, upper, lower), 1);
  ChooseMinimumSizes();
  SetTabOrder();
}

void ChildWidgets::SetTabOrder() {
  // Reading order: the selection panel top to bottom, the charts, the
  // summary, then the navigation bar row by row.
  std::vector<QWidget*> order;
  for (const ChannelBox& row : kChannelBoxes) order.push_back(Box(row.channel));
  for (QWidget* widget : std::initializer_list<QWidget*>{buttonSettings, buttonOpenExcel, upperView, lowerView,
                                                         summaryTabs, summaryTabs->tabBar(), textSummary, findingsList,
                                                         spanTime, perMonth, compareWith, sliderTime, buttonJumpLeft,
                                                         buttonScrollLeft, buttonScrollRight, buttonJumpRight}) {
    order.push_back(widget);
  }
  for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

QWidget* ChildWidgets::BuildLeftPanel(QWidget& window) {
  panelLeft = new QWidget(&window);
  panelLeft->setObjectName("PanelLeft");
  panelLeft->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  PaintPanel(*panelLeft);
  auto* column = new QVBoxLayout(panelLeft);
  column->setContentsMargins(4, 8, 6, 4);
  column->setSpacing(4);

  labelHeadline = new QLabel(panelLeft);
  labelHeadline->setObjectName("LabelHeadline");
  QFont headlineFont = labelHeadline->font();
  headlineFont.setBold(true);
  headlineFont.setUnderline(true);
  headlineFont.setPointSizeF(headlineFont.pointSizeF() * 12.0 / 11.0);
  labelHeadline->setFont(headlineFont);
  column->addWidget(labelHeadline);

  static constexpr std::array<const char*, kChannelGroupCount> kGroupNames = {"GroupBoxInputs", "GroupBoxOthers",
                                                                              "GroupBoxOutputs"};
  std::array<QGridLayout*, kChannelGroupCount> grids{};
  for (std::size_t g = 0; g < groups.size(); ++g) {
    groups[g] = new QGroupBox(panelLeft);
    groups[g]->setObjectName(kGroupNames[g]);
    grids[g] = new QGridLayout(groups[g]);
    grids[g]->setContentsMargins(4, 2, 4, 4);
    grids[g]->setVerticalSpacing(0);
    grids[g]->setColumnStretch(0, 1);
    column->addWidget(groups[g]);
  }
  for (const ChannelBox& row : kChannelBoxes) {
    const auto group = static_cast<std::size_t>(row.group);
    const auto index = static_cast<std::size_t>(logdata::IndexOf(row.channel));
    QWidget* parent = groups[group];
    auto* box = new QCheckBox(parent);
    box->setObjectName(QStringLiteral("CB_%1").arg(row.name));
    box->setProperty("channel", static_cast<int>(index));
    box->setMinimumSize(170, 17);
    boxes[index] = box;
    patches[index] = MakeColorPatch(parent);
    patches[index]->setObjectName(QStringLiteral("Color_%1").arg(row.name));
    grids[group]->addWidget(box, row.row, 0);
    grids[group]->addWidget(patches[index], row.row, 1, Qt::AlignVCenter);
  }
  // The window's own commands, below the groups.
  buttonSettings = new QPushButton(panelLeft);
  buttonSettings->setObjectName("ButtonSettings");
  buttonSettings->setMinimumSize(113, 25);
  column->addWidget(buttonSettings, 0, Qt::AlignLeft);
  buttonOpenExcel = new QPushButton(panelLeft);
  buttonOpenExcel->setObjectName("ButtonOpenExcel");
  buttonOpenExcel->setMinimumSize(113, 25);
  column->addWidget(buttonOpenExcel, 0, Qt::AlignLeft);
  column->addStretch(1);
  return panelLeft;
}

QWidget* ChildWidgets::BuildGraphPanel(QWidget& window, chart::ChartPanel& upper, chart::ChartPanel& lower) {
  panelGraph = new QWidget(&window);
  panelGraph->setObjectName("PanelGraph");
  auto* column = new QVBoxLayout(panelGraph);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);

  summarySplitter = new QSplitter(Qt::Horizontal, panelGraph);
  summarySplitter->setObjectName("SummarySplitter");
  summarySplitter->setHandleWidth(3);
  chartSplitter = new QSplitter(Qt::Vertical, summarySplitter);
  chartSplitter->setObjectName("ChartSplitter");
  chartSplitter->setHandleWidth(3);
  chartSplitter->setChildrenCollapsible(false);
  upperView = new chartview::ChartView(upper, chartSplitter);
  upperView->setObjectName("Chart");
  lowerView = new chartview::ChartView(lower, chartSplitter);
  lowerView->setObjectName("Chart2");
  // Lower than the form's 95 pixels, so that three tiled windows fit.
  lowerView->setMinimumHeight(60);
  // Both charts show one time axis: their plot areas share their edges.
  upperView->AlignPlotWith(lowerView);
  chartSplitter->addWidget(upperView);
  chartSplitter->addWidget(lowerView);
  chartSplitter->setStretchFactor(0, 1);
  chartSplitter->setStretchFactor(1, 0);
  chartSplitter->setSizes({480, 119});
  PaintPanel(*chartSplitter);
  summarySplitter->addWidget(chartSplitter);
  summarySplitter->addWidget(BuildSummaryPanel(summarySplitter));
  // What the window gains goes to the charts: the summary takes the width
  // its values need when an evaluation loads and when the channels change.
  // The summary may be pushed away whole, the charts never.
  summarySplitter->setStretchFactor(0, 1);
  summarySplitter->setStretchFactor(1, 0);
  summarySplitter->setCollapsible(0, false);
  summarySplitter->setSizes({kSummaryWidth * 3, kSummaryWidth});
  QObject::connect(summarySplitter, &QSplitter::splitterMoved, summarySplitter, [this] { summaryWidthChosen = true; });
  column->addWidget(summarySplitter, 1);
  column->addWidget(BuildNavigationBar());
  return panelGraph;
}

QWidget* ChildWidgets::BuildSummaryPanel(QWidget* parent) {
  panelSummary = new QWidget(parent);
  panelSummary->setObjectName("PanelSummary");
  PaintPanel(*panelSummary);
  auto* column = new QVBoxLayout(panelSummary);
  column->setContentsMargins(4, 4, 2, 0);
  column->setSpacing(2);
  // The summary and the findings share the panel as two tabs.
  summaryTabs = new QTabWidget(panelSummary);
  summaryTabs->setObjectName("SummaryTabs");
  summaryTabs->setDocumentMode(true);
  // A narrow panel shortens the tab names rather than scrolling them.
  summaryTabs->setUsesScrollButtons(false);
  summaryTabs->setElideMode(Qt::ElideRight);
  for (QWidget* button : summaryTabs->tabBar()->findChildren<QWidget*>()) button->setFocusPolicy(Qt::NoFocus);
  column->addWidget(summaryTabs, 1);
  // Read-only text that the mouse and the keyboard select and copy (Ctrl+A,
  // Ctrl+C, the context menu); long lines scroll rather than wrap, so each
  // line stays one row of the table it pastes as.
  textSummary = new SummaryTextEdit(summaryTabs);
  textSummary->setObjectName("TextSummary");
  textSummary->setReadOnly(true);
  textSummary->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  textSummary->setLineWrapMode(QPlainTextEdit::NoWrap);
  textSummary->setMinimumWidth(80);
  summaryTabs->addTab(textSummary, QString());
  findingsList = new FindingsList(summaryTabs);
  summaryTabs->addTab(findingsList, QString());
  return panelSummary;
}

QWidget* ChildWidgets::BuildNavigationBar() {
  panelZoomX = new QWidget(panelGraph);
  panelZoomX->setObjectName("PanelZoomX");
  PaintPanel(*panelZoomX);
  auto* grid = new QGridLayout(panelZoomX);
  grid->setContentsMargins(5, 6, 5, 6);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(4);

  labelDisplayedTimeSpan = new QLabel(panelZoomX);
  labelDisplayedTimeSpan->setObjectName("LabelDisplayedTimeSpan");
  labelSelectTimeSpan = new QLabel(panelZoomX);
  labelSelectTimeSpan->setObjectName("LabelSelectTimeSpan");
  spanTime = new QComboBox(panelZoomX);
  spanTime->setObjectName("SpanTime");
  spanTime->setMinimumWidth(213);
  sliderTime = new QSlider(Qt::Horizontal, panelZoomX);
  sliderTime->setObjectName("SliderTime");
  sliderTime->setMinimumSize(229, 25);
  sliderTime->setTickPosition(QSlider::TicksBelow);
  sliderTime->setPageStep(1);
  sliderTime->setFocusPolicy(Qt::StrongFocus);

  buttonJumpLeft = MakeJumpButton(panelZoomX, "ButtonJumpLeft", QStyle::SP_MediaSkipBackward);
  buttonScrollLeft = MakeScrollButton(panelZoomX, "ButtonScrollLeft", Qt::LeftArrow);
  buttonScrollRight = MakeScrollButton(panelZoomX, "ButtonScrollRight", Qt::RightArrow);
  buttonJumpRight = MakeJumpButton(panelZoomX, "ButtonJumpRight", QStyle::SP_MediaSkipForward);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(0);
  for (QToolButton* b : {buttonJumpLeft, buttonScrollLeft, buttonScrollRight, buttonJumpRight}) buttons->addWidget(b);

  grid->addWidget(labelDisplayedTimeSpan, 0, 0);
  grid->addWidget(spanTime, 0, 1, Qt::AlignLeft);
  grid->addWidget(labelSelectTimeSpan, 1, 0);
  grid->addWidget(sliderTime, 1, 1);
  grid->addLayout(buttons, 1, 2);
  grid->setColumnStretch(3, 1);

  // The year span's "Per month" box and the comparison of two days follow
  // the span choice, above the buttons and the free room after them, so
  // that the bar is no wider than its two rows need.
  perMonth = new QCheckBox(panelZoomX);
  perMonth->setObjectName("CheckPerMonth");
  perMonth->setVisible(false);
  labelCompareWith = new QLabel(panelZoomX);
  labelCompareWith->setObjectName("LabelCompareWith");
  compareWith = new QComboBox(panelZoomX);
  compareWith->setObjectName("CompareWith");
  compareWith->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  auto* afterSpan = new QHBoxLayout;
  afterSpan->setSpacing(8);
  afterSpan->addWidget(perMonth);
  afterSpan->addWidget(labelCompareWith);
  afterSpan->addWidget(compareWith);
  grid->addLayout(afterSpan, 0, 2, 1, 2, Qt::AlignLeft);
  return panelZoomX;
}

void ChildWidgets::ChooseMinimumSizes() {
  // Larger fonts at 120 dpi and more need the larger form.
  if (GetScreenDpi() >= 120) {
    designMinimum_ = {875, 568};
    leftMinimum_ = {208, 518};
    navigationMinimum_ = {605, 63};
  } else {
    designMinimum_ = {700, 455};
    leftMinimum_ = {208, 415};
    navigationMinimum_ = {484, 63};
  }
}

void ChildWidgets::UpdateMinimumSize(QWidget& window) {
  // The form's sizes are minimums: a font or a language that needs more
  // room gets it. An explicit minimum hides a widget's own hints from the
  // layout, so the larger of the two is set. Texts have just changed, so
  // the nested layouts are brought up to date first.
  for (QGroupBox* group : groups) group->layout()->activate();
  for (QWidget* panel : {panelLeft, panelZoomX}) panel->layout()->activate();
  const int leftWidth = panelLeft->layout()->sizeHint().width();
  panelLeft->setMinimumSize(leftMinimum_.expandedTo({leftWidth, panelLeft->layout()->minimumSize().height()}));
  // Room for the scroll bar, which appears only when the window is low.
  scrollLeft->setFixedWidth(panelLeft->minimumWidth() + scrollLeft->verticalScrollBar()->sizeHint().width());
  panelZoomX->setMinimumSize(navigationMinimum_.expandedTo(panelZoomX->layout()->minimumSize()));
  panelGraph->layout()->activate();
  window.layout()->activate();
  // The form's height is no minimum: the selection panel scrolls instead.
  window.setMinimumSize(QSize(designMinimum_.width(), 0).expandedTo(window.layout()->minimumSize()));
}

}  // namespace calorix::ui
