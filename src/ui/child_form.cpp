#include "ui/child_form.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QSplitter>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "chartview/chart_view.h"
#include "chartview/panel_setup.h"
#include "chartview/render_options.h"
#include "dialogs/dialogs.h"
#include "dialogs/screen_placement.h"
#include "i18n/text_table.h"
#include "settings/channel_keys.h"
#include "ui/channel_boxes.h"
#include "ui/child_form_parts.h"
#include "ui/command_guard.h"

namespace calorix::ui {

using logdata::Channel;

namespace {

const QColor kPanelColor(219, 224, 227);

QString Q(const std::string& text) { return QString::fromStdString(text); }

void PaintPanel(QWidget& widget, const QColor& color) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Window, color);
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

TChildform::Parts::Parts(TChildform& window, Dialogs& d) : self(window), dialogs(d) {}

bool TChildform::Parts::Run(const std::function<void()>& command) { return RunCommand(dialogs, &self, command); }

void TChildform::Parts::BuildLayout() {
  auto* layout = new QHBoxLayout(&self);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(BuildLeftPanel());
  layout->addWidget(BuildGraphPanel(), 1);
}

QWidget* TChildform::Parts::BuildLeftPanel() {
  panelLeft = new QWidget(&self);
  panelLeft->setObjectName("PanelLeft");
  panelLeft->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  PaintPanel(*panelLeft, kPanelColor);
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
  column->addStretch(1);
  return panelLeft;
}

QWidget* TChildform::Parts::BuildGraphPanel() {
  panelGraph = new QWidget(&self);
  panelGraph->setObjectName("PanelGraph");
  auto* column = new QVBoxLayout(panelGraph);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);

  chartSplitter = new QSplitter(Qt::Vertical, panelGraph);
  chartSplitter->setObjectName("ChartSplitter");
  chartSplitter->setHandleWidth(3);
  chartSplitter->setChildrenCollapsible(false);
  upperView = new chartview::ChartView(upper, chartSplitter);
  upperView->setObjectName("Chart");
  lowerView = new chartview::ChartView(lower, chartSplitter);
  lowerView->setObjectName("Chart2");
  lowerView->setMinimumHeight(95);
  chartSplitter->addWidget(upperView);
  chartSplitter->addWidget(lowerView);
  chartSplitter->setStretchFactor(0, 1);
  chartSplitter->setStretchFactor(1, 0);
  chartSplitter->setSizes({480, 119});
  PaintPanel(*chartSplitter, kPanelColor);
  column->addWidget(chartSplitter, 1);
  column->addWidget(BuildNavigationBar());
  return panelGraph;
}

QWidget* TChildform::Parts::BuildNavigationBar() {
  panelZoomX = new QWidget(panelGraph);
  panelZoomX->setObjectName("PanelZoomX");
  PaintPanel(*panelZoomX, kPanelColor);
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
  return panelZoomX;
}

void TChildform::Parts::SetUpCharts() {
  chartview::SetUpUpperPanel(upper);
  chartview::SetUpLowerPanel(lower);
  upper.LeftAxis().SetMinMax(-40.0, 250.0);
  upper.BottomAxis().SetDateTimeFormat("hh:mm");
  lower.CopyBottomAxisFrom(upper);
  upper.ClearTitle();
  const auto showError = [this](const std::string& message) { dialogs.ShowError(&self, message); };
  upperView->SetErrorHandler(showError);
  lowerView->SetErrorHandler(showError);
}

void TChildform::Parts::ApplyMinimumSizes() {
  // Larger fonts at 120 dpi and more need the larger form.
  if (GetScreenDpi() >= 120) {
    designMinimum = {875, 568};
    leftMinimum = {208, 518};
    navigationMinimum = {605, 63};
  } else {
    designMinimum = {700, 455};
    leftMinimum = {208, 415};
    navigationMinimum = {484, 63};
  }
  UpdateMinimumSize();
}

void TChildform::Parts::UpdateMinimumSize() {
  // The design's sizes are minimums: a font or a language that needs more
  // room gets it. An explicit minimum hides a widget's own hints from the
  // layout, so the larger of the two is set. Texts have just changed, so
  // the nested layouts are brought up to date first.
  for (QGroupBox* group : groups) group->layout()->activate();
  for (QWidget* panel : {panelLeft, panelZoomX}) panel->layout()->activate();
  const int leftWidth = panelLeft->layout()->sizeHint().width();
  panelLeft->setMinimumSize(leftMinimum.expandedTo({leftWidth, panelLeft->layout()->minimumSize().height()}));
  panelZoomX->setMinimumSize(navigationMinimum.expandedTo(panelZoomX->layout()->minimumSize()));
  panelGraph->layout()->activate();
  self.layout()->activate();
  self.setMinimumSize(designMinimum.expandedTo(self.layout()->minimumSize()));
}

void TChildform::Parts::ShowColorPatches() {
  for (const ChannelBox& row : kChannelBoxes) {
    QFrame* patch = patches[static_cast<std::size_t>(logdata::IndexOf(row.channel))];
    QPalette palette = patch->palette();
    palette.setColor(QPalette::Window,
                     chartview::ToQColor(settings.Colors[static_cast<std::size_t>(logdata::SlotOf(row.channel))]));
    patch->setPalette(palette);
  }
}

void TChildform::Parts::ApplyLanguage() {
  using i18n::Text;
  labelHeadline->setText(Q(Text(46) + ":"));
  for (std::size_t g = 0; g < groups.size(); ++g) groups[g]->setTitle(Q(Text(kGroupTexts[g]) + " "));
  labelDisplayedTimeSpan->setText(Q(Text(22) + ":"));
  labelSelectTimeSpan->setText(Q(Text(23) + ":"));
  for (const ChannelBox& row : kChannelBoxes) {
    const logdata::ChannelInfo& info = logdata::InfoOf(row.channel);
    SetChannelCaption(BoxOf(row.channel), settings.Labels[static_cast<std::size_t>(info.slot)], info.defaultNameText);
  }
  UpdateCaption();
  UpdateSpanTexts();
  UpdateMinimumSize();
}

void TChildform::Parts::SetChannelCaption(QCheckBox* box, const std::string& label, int defaultText) {
  if (!box) throw Error("Illegal State(20)");
  box->setText(Q(label == kDefaultLabel ? i18n::Text(defaultText) : label));
}

void TChildform::Parts::SetCaptionDates(std::string from, std::string to, unsigned fileCount) {
  caption = {std::move(from), std::move(to), fileCount};
  UpdateCaption();
}

void TChildform::Parts::UpdateCaption() { self.setWindowTitle(Q(ComposeCaption(caption))); }

void TChildform::Parts::UpdateSpanTexts() {
  const QSignalBlocker blocker(spanTime);
  for (int i = 0; i < spanTime->count(); ++i) spanTime->setItemText(i, Q(i18n::Text(kFirstSpanText + i)));
}

void TChildform::Parts::FillSpanItems(int count) {
  const QSignalBlocker blocker(spanTime);
  spanTime->clear();
  for (int i = 0; i < count; ++i) spanTime->addItem(Q(i18n::Text(kFirstSpanText + i)));
  spanTime->setCurrentIndex(static_cast<int>(Span::Day));
}

// ---------------------------------------------------------------------------

TChildform::TChildform(Dialogs& dialogs, QWidget* parent) : QWidget(parent), parts_(std::make_unique<Parts>(*this, dialogs)) {
  setAttribute(Qt::WA_DeleteOnClose);
  Parts& p = *parts_;
  p.BuildLayout();
  p.ApplyMinimumSizes();
  resize(860, 602);
  p.SetUpCharts();
  p.FillSpanItems(kSingleDaySpanCount);
  p.SetSlider(0, 0);
  p.sliderTime->setEnabled(false);
  p.EnableTotals(false);
  for (const ChannelKey& key : kChannelKeys) p.settings.Colors[static_cast<std::size_t>(key.slot)] = key.defaultColor;
  p.ShowColorPatches();
  p.ConnectControls();
  p.ApplyLanguage();
}

TChildform::~TChildform() {
  // The child widgets (chart views among them) refer to the panels and to
  // the parts; they go first, quietly.
  parts_->scrollTimer.stop();
  for (QWidget* w : {parts_->panelLeft, parts_->panelGraph}) {
    w->blockSignals(true);
    delete w;
  }
  parts_->evaluation.reset();
}

void TChildform::SetSettingsStore(TIniSettings* store) { parts_->store = store; }
void TChildform::ApplySettings(const TChildSettings& settings) { parts_->ApplySettings(settings); }
const TChildSettings& TChildform::Settings() const { return parts_->settings; }
void TChildform::LoadFile(const std::filesystem::path& path) { parts_->LoadFile(path); }

void TChildform::BeginMultiDayEvaluation(unsigned fileCount, const std::filesystem::path& firstPath, DateTime start,
                                         DateTime end) {
  parts_->BeginMultiDay(fileCount, firstPath, start, end);
}

void TChildform::AddMultiDayFile(const std::filesystem::path& path) {
  if (!parts_->evaluation) throw Error("Illegal State (7).");
  parts_->evaluation->AddDayFile(path);
}

void TChildform::EndMultiDayEvaluation() { parts_->EndMultiDay(); }

void TChildform::CancelMultiDayEvaluation() { parts_->ResetEvaluation(); }

bool TChildform::HasEvaluation() const { return parts_->HasEvaluation(); }
bool TChildform::HasGraphs() const { return parts_->HasGraphs(); }
void TChildform::ApplyLanguage() { parts_->ApplyLanguage(); }
void TChildform::SetTimeWindow(DateTime from, DateTime to) { parts_->SetTimeWindow(from, to); }
void TChildform::HideAllGraphs() { parts_->HideAllGraphs(); }
void TChildform::ShowAllGraphs() { parts_->ShowAllGraphs(); }
void TChildform::UpdateWindowActions() { parts_->UpdateWindowActions(); }

void TChildform::Begin(unsigned fileCount, const std::filesystem::path& firstPath, DateTime start, DateTime end) {
  BeginMultiDayEvaluation(fileCount, firstPath, start, end);
}
void TChildform::Add(const std::filesystem::path& path) { AddMultiDayFile(path); }

logdata::PreparationPanels TChildform::PanelsForPreparation() const { return {&parts_->upper, &parts_->lower}; }

void TChildform::AddPrepared(logdata::PreparedDayFile&& prepared) {
  if (!parts_->evaluation) throw Error("Illegal State (7).");
  parts_->evaluation->AddPreparedDay(std::move(prepared));
}

void TChildform::End() { EndMultiDayEvaluation(); }
void TChildform::Cancel() { CancelMultiDayEvaluation(); }

void TChildform::closeEvent(QCloseEvent* event) {
  parts_->StopScrolling();
  {
    const QSignalBlocker blocker(parts_->sliderTime);
    parts_->ResetEvaluation();
  }
  event->accept();
}

// ---------------------------------------------------------------------------

void TChildform::SetFileFailureHandler(logdata::FileFailureHandler handler) {
  fileFailureHandler_ = std::move(handler);
}

}  // namespace calorix::ui
