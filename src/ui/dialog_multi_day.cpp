#include "ui/dialog_multi_day.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>

#include "core/error.h"
#include "core/scope_guard.h"
#include "dialogs/dialogs.h"
#include "i18n/text_table.h"
#include "ui/child_form.h"
#include "ui/command_guard.h"
#include "ui/multi_day_rules.h"
#include "ui/qt_text.h"
#include "ui/range_load.h"

namespace calorix::ui {
namespace {

constexpr int kTextCaption = 2;
constexpr int kTextFromDate = 75;
constexpr int kTextToDate = 76;
constexpr int kTextSearch = 77;
constexpr int kTextAnalyse = 78;
constexpr int kTextPressEsc = 79;
constexpr int kTextAborted = 80;
constexpr int kTextOneDayOnly = 93;
constexpr int kTextWindowNotCreated = 97;

constexpr QSize kClientSize(585, 243);
constexpr qint64 kFrameMilliseconds = 16;
constexpr int kPathWidth = 433;
constexpr QSize kBrowseSize(97, 25);
constexpr QSize kButtonSize(75, 25);

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, QSize minimum) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(name);
  button->setMinimumSize(minimum);
  return button;
}

}  // namespace

TDialogMultiDayAnalysis::TDialogMultiDayAnalysis(Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
  setObjectName("DialogMultiDayAnalysis");
  setModal(true);
  BuildLayout();
  // No exception crosses the event loop: a command's error is shown.
  const auto guarded = [this](void (TDialogMultiDayAnalysis::*command)()) {
    return GuardedSlot(dialogs_, this, command);
  };
  connect(selectFrom_, &QPushButton::clicked, this, guarded(&TDialogMultiDayAnalysis::SelectFromClick));
  connect(selectTo_, &QPushButton::clicked, this, guarded(&TDialogMultiDayAnalysis::SelectToClick));
  connect(executeBtn_, &QPushButton::clicked, this, guarded(&TDialogMultiDayAnalysis::ExecuteBtnClick));
  connect(cancelBtn_, &QPushButton::clicked, this, guarded(&TDialogMultiDayAnalysis::CancelBtnClick));
  connect(okBtn_, &QPushButton::clicked, this, &QDialog::accept);
  FormShow();
}

TDialogMultiDayAnalysis::~TDialogMultiDayAnalysis() = default;

void TDialogMultiDayAnalysis::BuildLayout() {
  bevel_ = new QFrame(this);
  bevel_->setObjectName("Bevel1");
  bevel_->setFrameShape(QFrame::StyledPanel);
  bevel_->setFrameShadow(QFrame::Sunken);

  labelFrom_ = new QLabel(QString::fromUtf8("Von Datum:"), bevel_);
  labelFrom_->setObjectName("LabelFrom");
  pathFrom_ = new QLineEdit(bevel_);
  pathFrom_->setObjectName("PathFrom");
  pathFrom_->setMinimumWidth(kPathWidth);
  selectFrom_ = MakeButton(bevel_, "SelectFrom", "&Durchsuchen...", kBrowseSize);
  labelTo_ = new QLabel(QString::fromUtf8("Bis Datum:"), bevel_);
  labelTo_->setObjectName("LabelTo");
  pathTo_ = new QLineEdit(bevel_);
  pathTo_->setObjectName("PathTo");
  pathTo_->setMinimumWidth(kPathWidth);
  selectTo_ = MakeButton(bevel_, "SelectTo", "D&urchsuchen...", kBrowseSize);
  labelFrom_->setBuddy(pathFrom_);
  labelTo_->setBuddy(pathTo_);
  progressBar_ = new QProgressBar(bevel_);
  progressBar_->setObjectName("ProgressBar");
  progressBar_->setTextVisible(false);
  progressBar_->setMinimumHeight(25);

  auto* grid = new QGridLayout(bevel_);
  grid->setContentsMargins(16, 14, 16, 16);
  grid->setHorizontalSpacing(7);
  grid->setVerticalSpacing(2);
  grid->addWidget(labelFrom_, 0, 0, 1, 2);
  grid->addWidget(pathFrom_, 1, 0);
  grid->addWidget(selectFrom_, 1, 1);
  grid->setRowMinimumHeight(2, 20);
  grid->addWidget(labelTo_, 3, 0, 1, 2);
  grid->addWidget(pathTo_, 4, 0);
  grid->addWidget(selectTo_, 4, 1);
  grid->setRowMinimumHeight(5, 28);
  grid->addWidget(progressBar_, 6, 0, 1, 2);
  grid->setColumnStretch(0, 1);

  labelAbort_ = new QLabel(QString::fromUtf8("Drücken Sie die Esc-Taste zum Abbrechen"), this);
  labelAbort_->setObjectName("LabelAbort");
  executeBtn_ = MakeButton(this, "ExecuteBtn", "&Auswerten", kButtonSize);
  // OK takes Cancel's place: only one of them is ever shown.
  okBtn_ = MakeButton(this, "OkBtn", "&OK", kButtonSize);
  cancelBtn_ = MakeButton(this, "CancelBtn", "A&bbrechen", kButtonSize);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(5);
  buttons->addWidget(labelAbort_);
  buttons->addStretch(1);
  buttons->addWidget(executeBtn_);
  buttons->addWidget(okBtn_);
  buttons->addWidget(cancelBtn_);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(8, 8, 7, 6);
  column->setSpacing(11);
  column->addWidget(bevel_);
  column->addLayout(buttons);
  column->addStretch(1);
  setMinimumSize(kClientSize.expandedTo(column->minimumSize()));
  resize(minimumSize());
}

void TDialogMultiDayAnalysis::PrepareAnalysis(TChildform* target, const std::string& folder) {
  target_ = target;
  lastFolder_ = folder;
  SetEditText(pathFrom_, folder);
  SetEditText(pathTo_, folder);
}

void TDialogMultiDayAnalysis::ProposeRange(const std::string& first, const std::string& last) {
  SetEditText(pathFrom_, first);
  SetEditText(pathTo_, last);
}

std::pair<std::string, std::string> TDialogMultiDayAnalysis::ChosenRange() const {
  return {EditText(pathFrom_), EditText(pathTo_)};
}

std::string TDialogMultiDayAnalysis::GetLastDir() const { return RememberedFolder(lastFolder_); }

void TDialogMultiDayAnalysis::showEvent(QShowEvent* event) {
  // Showing again after a minimised main window is no new analysis.
  if (!event->spontaneous()) FormShow();
  QDialog::showEvent(event);
}

void TDialogMultiDayAnalysis::FormShow() {
  progressBar_->setRange(0, 1);
  progressBar_->setValue(0);
  okBtn_->hide();
  for (QPushButton* button : {cancelBtn_, executeBtn_}) {
    button->setEnabled(true);
    button->show();
  }
  executeBtn_->setDefault(true);
  setWindowTitle(Q(i18n::Text(kTextCaption) + ":"));
  labelFrom_->setText(Q(i18n::Text(kTextFromDate) + ":"));
  labelTo_->setText(Q(i18n::Text(kTextToDate) + ":"));
  selectFrom_->setText(Q(i18n::Text(kTextSearch)));
  selectTo_->setText(Q(i18n::Text(kTextSearch)));
  labelAbort_->setText(Q(i18n::Text(kTextPressEsc)));
  labelAbort_->hide();
  executeBtn_->setText(Q(i18n::Text(kTextAnalyse)));
  for (QWidget* control : std::initializer_list<QWidget*>{pathFrom_, pathTo_, selectFrom_, selectTo_}) {
    control->setEnabled(true);
  }
  toChosen_ = false;
  finished_ = false;
}

std::string TDialogMultiDayAnalysis::EditText(const QLineEdit* edit) const { return edit->text().toStdString(); }

void TDialogMultiDayAnalysis::SetEditText(QLineEdit* edit, const std::string& text) { edit->setText(Q(text)); }

std::optional<std::string> TDialogMultiDayAnalysis::Browse(QLineEdit* edit) {
  const std::string filter =
      i18n::Text(i18n::kTextLogFiles) + " (*.csv)|*.csv|" + i18n::Text(i18n::kTextAllFiles) + " (*.*)|*";
  return dialogs_.ExecuteFileDialog("", this, filter, true, "CSV", BrowseStartFolder(EditText(edit)));
}

void TDialogMultiDayAnalysis::SelectFromClick() {
  const auto chosen = Browse(pathFrom_);
  if (!chosen) return;
  SetEditText(pathFrom_, *chosen);
  lastFolder_ = logdata::FolderPartOf(*chosen);
  if (!toChosen_) SetEditText(pathTo_, lastFolder_);
}

void TDialogMultiDayAnalysis::SelectToClick() {
  const auto chosen = Browse(pathTo_);
  if (!chosen) return;
  SetEditText(pathTo_, *chosen);
  toChosen_ = true;
}

void TDialogMultiDayAnalysis::CancelBtnClick() {
  if (loading_) return;
  target_ = nullptr;
  QDialog::reject();
}

void TDialogMultiDayAnalysis::reject() {
  if (loading_) {
    abortRequested_ = true;
  } else if (finished_) {
    accept();
  } else {
    CancelBtnClick();
  }
}

void TDialogMultiDayAnalysis::ExecuteBtnClick() {
  if (loading_) return;
  RunCommand(dialogs_, this, [this] { Execute(); });
}

void TDialogMultiDayAnalysis::Execute() {
  if (!target_) throw Error(i18n::Text(kTextWindowNotCreated));
  logdata::MultiDayRequest request;
  try {
    request = logdata::ResolveMultiDayRequest(EditText(pathFrom_), EditText(pathTo_));
  } catch (const logdata::MultiDayPathError& error) {
    QLineEdit* edit = error.Field() == logdata::RequestField::Start ? pathFrom_ : pathTo_;
    edit->setFocus();
    edit->selectAll();
    throw;
  }
  if (request.kind == logdata::MultiDayRequest::Kind::SingleDay) {
    // A failure here is shown and the dialog stays open.
    target_->LoadFile(request.files.front());
    dialogs_.ShowInformation(this, i18n::Text(kTextOneDayOnly));
    accept();
    return;
  }
  RunAnalysis(request.files, request.start, request.end);
}

void TDialogMultiDayAnalysis::RunAnalysis(const std::vector<std::filesystem::path>& files, DateTime start,
                                          DateTime end) {
  // Checked before anything is disabled, so that the dialog stays usable.
  if (files.empty()) {
    dialogs_.ShowError(this, i18n::Text(i18n::kTextNoFilesFound));
    return;
  }
  TChildform& window = *target_;
  RangeLoadResult result;
  {
    ShowLoading(true);
    // Every way out of the load, an error included, leaves the dialog usable.
    const ScopeGuard endLoading([this] { ShowLoading(false); });
    RangeLoadCallbacks callbacks;
    callbacks.progress = [this](int position, int maximum) {
      progressBar_->setMaximum(maximum);
      progressBar_->setValue(position);
    };
    callbacks.shouldAbort = [this] { return PumpEvents(); };
    result = LoadRange(window, files, start, end, callbacks);
  }
  switch (result.outcome) {
    case logdata::MultiDayLoadOutcome::Aborted: dialogs_.ShowInformation(this, i18n::Text(kTextAborted)); return;
    case logdata::MultiDayLoadOutcome::Finished:
      if (result.nothingLoaded) {
        // The window is empty again; the user may pick other files.
        progressBar_->setValue(0);
      } else {
        ShowFinished();
      }
      if (!result.failureMessage.empty()) dialogs_.ShowError(this, result.failureMessage);
      ShowRangeWarnings(dialogs_, this, result);
      return;
    case logdata::MultiDayLoadOutcome::NoFiles: return;
  }
}

void TDialogMultiDayAnalysis::ShowLoading(bool loading) {
  loading_ = loading;
  abortRequested_ = false;
  for (QPushButton* button : {selectFrom_, selectTo_, cancelBtn_, executeBtn_}) button->setEnabled(!loading);
  labelAbort_->setVisible(loading);
  if (target_) {
    // Nothing reaches the window while its evaluation is half built: no
    // input, no scroll timer (disabling releases a held button), no painting.
    target_->setEnabled(!loading);
    target_->setUpdatesEnabled(!loading);
  }
  // While loading, PumpEvents lets the bar paint.
  progressBar_->setUpdatesEnabled(!loading);
  barPainted_.invalidate();
  if (loading) labelAbort_->repaint();
}

void TDialogMultiDayAnalysis::ShowFinished() {
  finished_ = true;
  for (QWidget* control : std::initializer_list<QWidget*>{pathFrom_, pathTo_, selectFrom_, selectTo_}) {
    control->setEnabled(false);
  }
  executeBtn_->hide();
  cancelBtn_->hide();
  okBtn_->show();
  okBtn_->setDefault(true);
  okBtn_->setFocus();
}

bool TDialogMultiDayAnalysis::PumpEvents() {
  // Between two files Esc or the close box reach reject(), which asks for
  // the abort. The bar follows every file but paints at most once a frame:
  // painting it after each of a year's files costs the load several per
  // cent.
  if (!barPainted_.isValid() || barPainted_.elapsed() >= kFrameMilliseconds) {
    progressBar_->setUpdatesEnabled(true);
    barPainted_.restart();
  }
  QCoreApplication::processEvents();
  progressBar_->setUpdatesEnabled(false);
  return abortRequested_;
}

}  // namespace calorix::ui
