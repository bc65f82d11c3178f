#include "ui/child_form.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDate>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QSlider>
#include <QToolButton>
#include <array>
#include <cmath>

#include "chartview/chart_view.h"
#include "chartview/render_options.h"
#include "core/scope_guard.h"
#include "core/utf8_path.h"
#include "dialogs/dialogs.h"
#include "evaluation/finding_text.h"
#include "evaluation/window_caption.h"
#include "findings/finding_thresholds.h"
#include "i18n/text_table.h"
#include "logdata/series_style.h"
#include "settings/channel_keys.h"
#include "settings/ini_settings.h"
#include "ui/channel_boxes.h"
#include "ui/child_widgets.h"
#include "ui/command_guard.h"
#include "ui/event_hook.h"
#include "ui/findings_list.h"
#include "ui/locale_month_names.h"
#include "ui/qt_text.h"
#include "ui/settings_dialog.h"
#include "ui/spreadsheet_opener.h"
#include "ui/summary_panel.h"
#include "ui/window_look.h"
#include "ui/window_output.h"
#include "workbook/workbooks.h"

namespace calorix::ui {

using evaluation::EvaluationView;
using logdata::Channel;

namespace {

constexpr int kScrollInterval = 25;  // ms between steps while a scroll button is held
// Between two looks at a followed file whose folder sends no change notices
// (network folders): a write shows within a second or two.
constexpr int kFollowInterval = 1000;  // ms
// Each wheel notch towards the user widens the time window by this factor;
// away from the user narrows it.
constexpr double kWheelZoomFactor = 1.25;

// Today as the day files name it, the last day whose file may join.
DateTime Today() {
  const QDate today = QDate::currentDate();
  return TryEncodeDate(today.year(), today.month(), today.day()).value_or(0.0);
}

QString PathText(const std::filesystem::path& path) {
  return QString::fromStdString(Utf8Of(path));
}

// The colours a window shows before any settings are applied.
TChildSettings InitialSettings() {
  TChildSettings settings;
  for (const ChannelKey& key : kChannelKeys) settings.Colors[static_cast<std::size_t>(key.slot)] = key.defaultColor;
  return settings;
}

}  // namespace

TChildform::TChildform(Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), model_(MonthNamesOf(QLocale()), InitialSettings()) {
  setAttribute(Qt::WA_DeleteOnClose);
  widgets_ = std::make_unique<ChildWidgets>(*this, model_.Upper(), model_.Lower());
  resize(kEvaluationWindowSize);
  const auto showError = [this](const std::string& message) { dialogs_.ShowError(this, message); };
  widgets_->upperView->SetErrorHandler(showError);
  widgets_->lowerView->SetErrorHandler(showError);
  actionOpenSettings_ = new QAction(this);
  actionOpenSettings_->setObjectName("ActionOpenSettings");
  model_.SetDisplayListener([this] { emit DisplayChanged(); });
  model_.SetTimeWindowListener([this] { ShowSummary(); });
  ConnectControls();
  ShowSettings();
  ApplyLanguage();
  ShowView();
}

TChildform::~TChildform() {
  // The chart views refer to the model's panels, which go before the
  // child widgets would; the widgets go first, quietly.
  scrollTimer_.stop();
  followTimer_.stop();
  model_.SetDisplayListener({});
  model_.SetTimeWindowListener({});
  for (QWidget* w : {widgets_->panelLeft, widgets_->panelGraph}) {
    w->blockSignals(true);
    delete w;
  }
}

void TChildform::ConnectControls() {
  ChildWidgets& w = *widgets_;
  for (const ChannelBox& row : kChannelBoxes) {
    const Channel channel = row.channel;
    connect(w.Box(channel), &QCheckBox::toggled, this,
            [this, channel](bool checked) { Command([&] { model_.SetChannelChecked(channel, checked); }); });
  }
  // activated, not currentIndexChanged: choosing the span in force again
  // shows its whole window again.
  connect(w.spanTime, &QComboBox::activated, this, [this](int item) { Command([&] { model_.ChooseSpan(item); }); });
  connect(w.sliderTime, &QSlider::valueChanged, this,
          [this](int position) { Command([&] { model_.MoveSlider(position); }); });
  connect(w.buttonJumpLeft, &QToolButton::clicked, this, [this] { Command([&] { model_.JumpLeft(); }); });
  connect(w.buttonJumpRight, &QToolButton::clicked, this, [this] { Command([&] { model_.JumpRight(); }); });
  connect(w.perMonth, &QCheckBox::toggled, this,
          [this](bool checked) { Command([&] { model_.SetPerMonth(checked); }); });
  actionOpenExcel_ = new QAction(this);
  actionOpenExcel_->setObjectName("ActionOpenExcel");
  addAction(actionOpenExcel_);
  connect(actionOpenExcel_, &QAction::triggered, this, [this] { Command([&] { OpenInSpreadsheet(); }); });
  connect(w.buttonOpenExcel, &QPushButton::clicked, actionOpenExcel_, &QAction::trigger);
  ConnectScrollButton(w.buttonScrollLeft, -1);
  ConnectScrollButton(w.buttonScrollRight, +1);
  // The lower chart's margins are a share of its width.
  new EventHook(w.lowerView, [this](QObject*, QEvent* e) {
    if (e->type() == QEvent::Resize) model_.SetLowerChartWidth(widgets_->lowerView->width());
    return false;
  });
  connect(w.buttonSettings, &QPushButton::clicked, actionOpenSettings_, &QAction::trigger);
  connect(actionOpenSettings_, &QAction::triggered, this, [this] { Command([&] { ActionOpenSettingsExecute(); }); });
  ConnectCursor();
  // The findings' tab widens the panel to show its rows whole, as the
  // summary does for its values, until the user sets the width.
  connect(w.summaryTabs, &QTabWidget::currentChanged, this, [this](int tab) {
    ChildWidgets& c = *widgets_;
    if (tab == 1 && !c.summaryWidthChosen) WidenSummaryPanel(*c.summarySplitter, c.findingsList->NeededWidth());
  });
  connect(w.findingsList, &FindingsList::FindingActivated, this,
          [this](const findings::Finding& finding) { Command([&] { model_.ShowFinding(finding); }); });
  connect(w.compareWith, &QComboBox::activated, this, [this](int item) { Command([&] { model_.CompareWith(item); }); });
  scrollTimer_.setInterval(kScrollInterval);
  connect(&scrollTimer_, &QTimer::timeout, this, [this] { ScrollTick(); });
  followWatcher_ = new QFileSystemWatcher(this);
  connect(followWatcher_, &QFileSystemWatcher::fileChanged, this, [this] { LookAtFollowedFiles(); });
  connect(followWatcher_, &QFileSystemWatcher::directoryChanged, this, [this] { LookAtFollowedFiles(); });
  followTimer_.setInterval(kFollowInterval);
  connect(&followTimer_, &QTimer::timeout, this, [this] { LookAtFollowedFiles(); });
}

// Both charts report the mouse and the wheel; the cursor line stands at
// the same time in both, the readout box on the upper chart.
void TChildform::ConnectCursor() {
  for (chartview::ChartView* view : {widgets_->upperView, widgets_->lowerView}) {
    connect(view, &chartview::ChartView::CursorMoved, this, [this](double t) { ShowCursor(t); });
    connect(view, &chartview::ChartView::CursorLeft, this, [this] { HideCursor(); });
    connect(view, &chartview::ChartView::CursorStepped, this, [this](int direction) { StepCursor(direction); });
    connect(view, &chartview::ChartView::WheelZoomed, this, [this](double t, int notches) {
      Command([&] { model_.WheelZoom(t, std::pow(kWheelZoomFactor, notches)); });
    });
    connect(view, &chartview::ChartView::WheelScrolled, this,
            [this](int notches) { Command([&] { model_.WheelScroll(notches); }); });
  }
}

void TChildform::ShowCursor(DateTime t) {
  if (!model_.HasEvaluation()) {
    HideCursor();
    return;
  }
  cursor_ = t;
  QStringList lines;
  for (const std::string& line : ReadoutText(model_.Snapshot(), t)) lines << Q(line);
  QList<QColor> marks{QColor()};  // none before the time
  for (const evaluation::ReadoutRow& row : ReadoutAt(model_.Snapshot(), t).rows) {
    marks << chartview::ToQColor(RowColor(model_.Settings(), row));
  }
  widgets_->upperView->SetReadout(lines, marks);
  widgets_->upperView->SetCursorLine(t);
  widgets_->lowerView->SetCursorLine(t);
}

void TChildform::HideCursor() {
  cursor_.reset();
  for (chartview::ChartView* view : {widgets_->upperView, widgets_->lowerView}) {
    view->SetCursorLine(std::nullopt);
    view->SetReadout({});
  }
}

// From the cursor, or from the window's start when there is none, to the
// next record of a shown channel that is still in the window.
void TChildform::StepCursor(int direction) {
  const chart::ValueRange window = model_.TimeWindow();
  const DateTime from = cursor_ ? *cursor_ : (direction > 0 ? window.min : window.max);
  const auto next = NextRecordTime(model_.Snapshot(), from, direction);
  if (next && *next >= window.min && *next <= window.max) ShowCursor(*next);
}

// A click moves a month in the month span; holding the button (or pressing
// space on it) scrolls in the other spans.
void TChildform::ConnectScrollButton(QToolButton* button, int direction) {
  connect(button, &QToolButton::clicked, this, [this, direction] { Command([&] { model_.ScrollClick(direction); }); });
  new EventHook(button, [this, direction](QObject*, QEvent* event) {
    const bool repeat = model_.View().scrollRepeat;
    switch (event->type()) {
      case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && repeat) StartScrolling(direction);
        break;
      case QEvent::MouseButtonRelease: StopScrolling(); break;
      case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space && repeat) {
          StopScrolling();
          Command([&] { model_.ScrollStep(direction); });
        }
        break;
      default: break;
    }
    // The button still sees everything, so it looks pressed and clicks.
    return false;
  });
}

bool TChildform::Command(const std::function<void()>& command) {
  const bool done = RunCommand(dialogs_, this, [&] {
    // The widgets show the model's state before any message about it.
    const ScopeGuard sync([this] { ShowView(); });
    command();
  });
  ShowMessages();
  return done;
}

void TChildform::Forward(const std::function<void()>& command) {
  {
    const ScopeGuard sync([this] { ShowView(); });
    command();
  }
  ShowMessages();
}

void TChildform::ShowMessages() {
  for (const std::string& message : model_.TakeMessages()) {
    if (fileFailureHandler_) {
      fileFailureHandler_(message);
    } else {
      dialogs_.ShowError(this, message);
    }
  }
  for (const std::string& warning : model_.TakeWarnings()) {
    if (warningHandler_) {
      warningHandler_(warning);
    } else {
      dialogs_.ShowMessage(this, MessageKind::Warning, MessageButtons::Ok, MessageCaption(MessageKind::Warning),
                           warning);
    }
  }
}

void TChildform::ShowView() {
  const EvaluationView& view = model_.View();
  ChildWidgets& w = *widgets_;
  if (w.spanTime->count() != view.spanCount) ShowSpanItems();
  {
    const QSignalBlocker blocker(w.spanTime);
    w.spanTime->setCurrentIndex(static_cast<int>(view.span));
  }
  {
    const QSignalBlocker blocker(w.sliderTime);
    w.sliderTime->setRange(0, view.slider.maximum);
    w.sliderTime->setValue(view.slider.position);
    w.sliderTime->setEnabled(view.slider.enabled);
  }
  for (const ChannelBox& row : kChannelBoxes) {
    const auto i = static_cast<std::size_t>(logdata::IndexOf(row.channel));
    QCheckBox* box = w.Box(row.channel);
    const QSignalBlocker blocker(box);
    box->setChecked(view.checked[i]);
    box->setEnabled(view.enabled[i]);
  }
  {
    const QSignalBlocker blocker(w.perMonth);
    w.perMonth->setChecked(view.perMonth);
    w.perMonth->setVisible(view.perMonthVisible);
  }
  UpdateCaption();
  actionOpenExcel_->setEnabled(view.spreadsheetAvailable);
  w.buttonOpenExcel->setEnabled(view.spreadsheetAvailable);
  ShowComparisonChoice();
  // An evaluation without a ticked channel shows empty charts: say what to do.
  const bool nothingShown = model_.HasEvaluation() && !model_.HasGraphs();
  w.upperView->SetHint(nothingShown ? Q(i18n::Text(i18n::kTextTickToShow)) : QString());
  // The readout follows the channels and the evaluation shown; a cursor
  // that the new time window has left (a span chosen with the keyboard)
  // goes with its readout.
  if (cursor_) {
    const chart::ValueRange window = model_.TimeWindow();
    if (*cursor_ >= window.min && *cursor_ <= window.max) {
      ShowCursor(*cursor_);
    } else {
      HideCursor();
    }
  }
  ShowSummary();
  ShowFindings();
  DescribeCharts();
  WatchFollowedFiles();
}

void TChildform::Follow(const std::filesystem::path& file) {
  Forward([&] { model_.Follow(file, Today()); });
}

void TChildform::LookAtFollowedFiles() {
  if (looking_ || !model_.IsFollowing()) return;
  looking_ = true;
  const ScopeGuard done([this] { looking_ = false; });
  RunCommand(dialogs_, this, [this] {
    const auto look = model_.LookAtFollowed(Today());
    // Most looks find nothing new: the widgets stay as they are.
    if (look != evaluation::EvaluationModel::FollowLook::Nothing || !model_.IsFollowing()) ShowView();
  });
  ShowMessages();
  WatchFollowedFiles();
}

void TChildform::WatchFollowedFiles() {
  const std::vector<std::filesystem::path> files = model_.FollowedFiles();
  const QStringList wanted = files.empty() ? QStringList{} : QStringList{PathText(files.back())};
  const QStringList folders = files.empty() ? QStringList{} : QStringList{PathText(files.back().parent_path())};
  // A replaced file leaves the watcher; it is watched again once it is back.
  if (followWatcher_->files() != wanted) {
    if (!followWatcher_->files().isEmpty()) followWatcher_->removePaths(followWatcher_->files());
    for (const QString& path : wanted) {
      if (QFileInfo::exists(path)) followWatcher_->addPath(path);
    }
  }
  if (followWatcher_->directories() != folders) {
    if (!followWatcher_->directories().isEmpty()) followWatcher_->removePaths(followWatcher_->directories());
    for (const QString& path : folders) {
      if (QFileInfo::exists(path)) followWatcher_->addPath(path);
    }
  }
  if (files.empty()) {
    followTimer_.stop();
  } else if (!followTimer_.isActive()) {
    followTimer_.start();
  }
}

void TChildform::ShowFindings() {
  const logdata::TLogAnalysis* analysis = model_.Snapshot().load.Data();
  widgets_->findingsList->Show(
      model_.Findings(),
      [&](const findings::Finding& finding) {
        return evaluation::FindingCellsOf(finding, *analysis, model_.Settings());
      },
      model_.HasEvaluation());
}

void TChildform::ShowSummary() {
  const QString text = Q(model_.SummaryText());
  ShowSummaryText(*widgets_->textSummary, text);
  // The panel shows its values whole until the user sets its width; there
  // is nothing to fit to before an evaluation has loaded.
  ChildWidgets& w = *widgets_;
  if (text.isEmpty()) return;
  const auto span = static_cast<int>(model_.View().span);
  const void* evaluation = model_.Snapshot().load.Data();
  if (w.summaryWidthChosen || (w.summaryFittedChannels == model_.View().checked && w.summaryFittedSpan == span &&
                               w.summaryFittedEvaluation == evaluation)) {
    return;
  }
  w.summaryFittedChannels = model_.View().checked;
  w.summaryFittedSpan = span;
  w.summaryFittedEvaluation = evaluation;
  FitSummaryPanel(*w.summarySplitter, *w.textSummary);
}

void TChildform::UpdateCaption() {
  setWindowIconText(Q(evaluation::ComposeIconCaption(model_.View().caption)));
  setWindowTitle(Q(evaluation::ComposeCaption(model_.View().caption)));
}

void TChildform::UpdateSpanTexts() {
  // Item by item, so the choice in force stays chosen.
  QComboBox* span = widgets_->spanTime;
  const QSignalBlocker blocker(span);
  for (int i = 0; i < span->count(); ++i) span->setItemText(i, Q(i18n::Text(evaluation::SpanTextRow(i))));
}

void TChildform::SetMonthNames(evaluation::MonthNames names) { model_.SetMonthNames(std::move(names)); }

void TChildform::ShowSpanItems() {
  QComboBox* span = widgets_->spanTime;
  const QSignalBlocker blocker(span);
  const int current = span->currentIndex();
  span->clear();
  for (int i = 0; i < model_.View().spanCount; ++i) span->addItem(Q(i18n::Text(evaluation::SpanTextRow(i))));
  span->setCurrentIndex(current);
}

// Colour patches and check box captions from the settings in force.
void TChildform::ShowSettings() {
  const TChildSettings& settings = model_.Settings();
  for (const ChannelBox& row : kChannelBoxes) {
    const logdata::ChannelInfo& info = logdata::InfoOf(row.channel);
    const auto slot = static_cast<std::size_t>(info.slot);
    QFrame* patch = widgets_->Patch(row.channel);
    QPalette palette = patch->palette();
    palette.setColor(QPalette::Window, chartview::ToQColor(settings.Colors[slot]));
    patch->setPalette(palette);
    widgets_->Box(row.channel)->setText(Q(logdata::ChannelLabel(settings, row.channel)));
  }
  widgets_->findingsList->Rewrite();
  widgets_->UpdateMinimumSize(*this);
}

void TChildform::ApplyLanguage() {
  using i18n::Text;
  ChildWidgets& w = *widgets_;
  w.labelHeadline->setText(Q(Text(i18n::kTextHeadline) + ":"));
  for (std::size_t g = 0; g < w.groups.size(); ++g) w.groups[g]->setTitle(Q(Text(kGroupTexts[g]) + " "));
  w.labelDisplayedTimeSpan->setText(Q(Text(i18n::kTextDisplayedTimeSpan) + ":"));
  w.labelSelectTimeSpan->setText(Q(Text(i18n::kTextSelectTimeSpan) + ":"));
  w.labelCompareWith->setText(Q(Text(i18n::kTextCompareWith) + ":"));
  w.perMonth->setText(Q(Text(i18n::kTextPerMonth)));
  actionOpenSettings_->setText(Q(Text(i18n::kTextSettings)));
  w.buttonSettings->setText(actionOpenSettings_->text());
  actionOpenExcel_->setText(Q(Text(i18n::kTextOpenInSpreadsheet)));
  w.buttonOpenExcel->setText(Q(Text(i18n::kTextOpenInSpreadsheet)));
  w.summaryTabs->setTabText(0, Q(Text(i18n::kTextSummary)));
  w.summaryTabs->setTabText(1, Q(Text(i18n::kTextFindings)));
  w.findingsList->ApplyLanguage();
  ApplyAccessibleNames();
  // Series named by default take the new language's names.
  model_.ApplyLanguage();
  ShowSettings();
  ShowView();
  UpdateCaption();
  UpdateSpanTexts();
}

// What screen readers say of the controls whose caption does not name
// them, and the tooltips of the navigation buttons, which show only arrows.
void TChildform::ApplyAccessibleNames() {
  using i18n::Text;
  ChildWidgets& w = *widgets_;
  const std::array<QToolButton*, 4> buttons = {w.buttonJumpLeft, w.buttonScrollLeft, w.buttonScrollRight,
                                               w.buttonJumpRight};
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const QString name = Q(Text(i18n::kTextJumpBack + static_cast<int>(i)));
    buttons[i]->setAccessibleName(name);
    buttons[i]->setToolTip(name);
  }
  w.spanTime->setAccessibleName(Q(Text(i18n::kTextDisplayedTimeSpan)));
  w.sliderTime->setAccessibleName(Q(Text(i18n::kTextSelectTimeSpan)));
  w.compareWith->setAccessibleName(Q(Text(i18n::kTextCompareWith)));
  w.textSummary->setAccessibleName(Q(Text(i18n::kTextSummary)));
  w.summaryTabs->setAccessibleName(Q(Text(i18n::kTextSummary) + ", " + Text(i18n::kTextFindings)));
  w.upperView->setAccessibleName(Q(Text(i18n::kTextMeasuredChart)));
  w.lowerView->setAccessibleName(Q(Text(i18n::kTextOutputChart)));
}

// The charts' description names what they show: the title, the channels
// and the time range; the summary beside them is their text alternative.
void TChildform::DescribeCharts() {
  ChildWidgets& w = *widgets_;
  const chart::ValueRange window = model_.TimeWindow();
  const QString range = model_.HasEvaluation() ? Q(FormatDateTime("dd.mm.yyyy hh:nn", window.min) + " \u2013 " +
                                                   FormatDateTime("dd.mm.yyyy hh:nn", window.max))
                                               : QString();
  for (chartview::ChartView* view : {w.upperView, w.lowerView}) {
    QStringList parts;
    for (const std::string& line : view->Panel().TitleLines()) parts << Q(line);
    QStringList channels;
    for (const chart::ChartSeries* series : view->Panel().Series()) {
      if (series->ShowInLegend() && !series->Title().empty() && !channels.contains(Q(series->Title()))) {
        channels << Q(series->Title());
      }
    }
    if (!channels.isEmpty()) parts << channels.join(", ");
    if (!range.isEmpty()) parts << range;
    view->setAccessibleDescription(parts.join("; "));
  }
}

void TChildform::SetSettingsDialog(TDialogSettings* dialog) { settingsDialog_ = dialog; }

TDialogSettings& TChildform::SettingsDialog() {
  if (settingsDialog_) return *settingsDialog_;
  if (!ownSettingsDialog_) ownSettingsDialog_ = std::make_unique<TDialogSettings>(dialogs_, this);
  return *ownSettingsDialog_;
}

void TChildform::ActionOpenSettingsExecute() {
  TDialogSettings& dialog = SettingsDialog();
  dialog.SetValues(model_.Settings());
  if (dialog.exec() != QDialog::Accepted) return;
  ApplySettings(dialog.GetValues());
  if (!store_ || !store_->IsWritable()) return;
  if (dialogs_.AskQuestion(this, i18n::Text(i18n::kTextSettingsAdopted), CaptionStyle::Colon)) {
    store_->SetChildSettings(model_.Settings());
  }
}

void TChildform::SetSettingsStore(TIniSettings* store) {
  store_ = store;
  if (!store_) return;
  // The findings' thresholds as the settings file sets them; a file that
  // cannot be read, or a value that is no number, keeps the defaults.
  try {
    if (const auto profile = store_->OpenProfile()) {
      Forward([&] { model_.SetFindingThresholds(findings::ReadFindingThresholds(*profile).thresholds); });
    }
  } catch (const std::exception&) {
  }
}

void TChildform::PrintCharts() { ui::PrintCharts(dialogs_, this, model_, *widgets_); }

void TChildform::SaveChartAsBitmap() { SaveChartAsImage(dialogs_, this, model_, *widgets_, OutputFolder()); }

void TChildform::SaveTotals(evaluation::TotalsPer per) { ui::SaveTotals(dialogs_, this, model_, per, OutputFolder()); }

std::string TChildform::OutputFolder() const {
  return OutputDialogFolder(store_ ? store_->GetMainSettings().LastUsedDir : std::string(), model_);
}

void TChildform::OpenInSpreadsheet() {
  // Another program gets a workbook of the day, never the log file itself.
  if (const auto workbook = workbook::WriteShownDayCopy(model_, std::filesystem::temp_directory_path())) {
    ui::OpenInSpreadsheet(*workbook, dialogs_, *launcher_, store_, this);
  }
}

void TChildform::ApplySettings(const TChildSettings& settings) {
  Forward([&] { model_.ApplySettings(settings); });
  ShowSettings();
}

const TChildSettings& TChildform::Settings() const { return model_.Settings(); }

void TChildform::RestoreView(const evaluation::HeldView& held) {
  Forward([&] { model_.Restore(held); });
}

void TChildform::LoadFile(const std::filesystem::path& path) {
  Forward([&] { model_.LoadFile(path); });
}

void TChildform::BeginMultiDayEvaluation(unsigned fileCount, const std::filesystem::path& firstPath, DateTime start,
                                         DateTime end) {
  Forward([&] { model_.Begin(fileCount, firstPath, start, end); });
}

void TChildform::AddMultiDayFile(const std::filesystem::path& path) {
  Forward([&] { model_.Add(path); });
}

void TChildform::EndMultiDayEvaluation() {
  Forward([&] { model_.End(); });
}

void TChildform::CancelMultiDayEvaluation() {
  Forward([&] { model_.Cancel(); });
}

bool TChildform::HasEvaluation() const { return model_.HasEvaluation(); }
bool TChildform::HasGraphs() const { return model_.HasGraphs(); }

int TChildform::UpperChartHeight() const { return widgets_->upperView->height(); }

void TChildform::Begin(unsigned fileCount, const std::filesystem::path& firstPath, DateTime start, DateTime end) {
  BeginMultiDayEvaluation(fileCount, firstPath, start, end);
}
void TChildform::Add(const std::filesystem::path& path) { AddMultiDayFile(path); }
void TChildform::End() { EndMultiDayEvaluation(); }
void TChildform::Cancel() { CancelMultiDayEvaluation(); }

logdata::PreparationPanels TChildform::PanelsForPreparation() const { return model_.PanelsForPreparation(); }

void TChildform::AddPrepared(logdata::PreparedDayFile&& prepared) {
  Forward([&] { model_.AddPrepared(std::move(prepared)); });
}

void TChildform::StartScrolling(int direction) {
  scrollTimer_.stop();
  scrollDirection_ = direction;
  scrollTimer_.start();
}

void TChildform::StopScrolling() {
  scrollTimer_.stop();
  scrollDirection_ = 0;
}

void TChildform::ScrollTick() {
  // The next 25 ms count from the end of this step, so slow steps never
  // queue up behind each other.
  scrollTimer_.stop();
  if (scrollDirection_ == 0) return;
  const int direction = scrollDirection_;
  if (!Command([&] { model_.ScrollStep(direction); })) {
    scrollDirection_ = 0;
    return;
  }
  if (scrollDirection_ != 0) scrollTimer_.start();
}

void TChildform::closeEvent(QCloseEvent* event) {
  StopScrolling();
  followTimer_.stop();
  Command([&] { model_.Reset(); });
  event->accept();
}

// ---------------------------------------------------------------------------

void TChildform::ShowComparisonChoice() {
  const EvaluationView& view = model_.View();
  QComboBox* choice = widgets_->compareWith;
  const QSignalBlocker blocker(choice);
  // A year of dates is refilled only when the dates or the language change.
  if (shownComparisonItems_ != view.comparisonItems) {
    shownComparisonItems_ = view.comparisonItems;
    choice->clear();
    for (const std::string& item : shownComparisonItems_) choice->addItem(Q(item));
  }
  choice->setCurrentIndex(view.comparisonItem);
  choice->setEnabled(view.comparisonEnabled);
  widgets_->labelCompareWith->setEnabled(view.comparisonEnabled);
}

void TChildform::SetFileFailureHandler(logdata::FileFailureHandler handler) {
  fileFailureHandler_ = std::move(handler);
}

}  // namespace calorix::ui
