#include "app/main_form.h"

#include "app/application.h"
#include "app/builtin_settings.h"
#include "app/drop_rules.h"
#include "core/error.h"
#include "dialogs/dialogs.h"
#include "i18n/text_table.h"
#include "settings/ini_settings.h"
#include "ui/child_form.h"
#include "ui/window_look.h"
#include "ui/command_guard.h"
#include "ui/dialog_multi_day.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string_view>

namespace calorix::app {
namespace {

namespace fs = std::filesystem;

constexpr int kTextOneDayOnly = 93;

constexpr QSize kRestoredSize(934, 648);
constexpr QSize kMinimumSize(494, 371);
constexpr int kPanelTopHeight = 44;
constexpr QSize kLogoSize(150, 37);

fs::path PathFromUtf8(std::string_view text) {
  return fs::path(std::u8string(text.begin(), text.end()));
}

bool IsExistingFolder(const std::string& folder) {
  if (folder.empty()) return false;
  std::error_code error;
  return fs::is_directory(PathFromUtf8(folder), error);
}

ui::TChildform* ChildOf(const QMdiSubWindow* sub) {
  return sub ? qobject_cast<ui::TChildform*>(sub->widget()) : nullptr;
}

// The sun of the logo and the window icon; unit is the size of one of the
// 37 steps across the logo's height.
void DrawSun(QPainter& painter, QPointF centre, qreal unit) {
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(232, 140, 30), 2.0 * unit, Qt::SolidLine, Qt::RoundCap));
  for (int ray = 0; ray < 8; ++ray) {
    painter.save();
    painter.translate(centre);
    painter.rotate(ray * 45.0);
    painter.drawLine(QPointF(0, -11 * unit), QPointF(0, -16 * unit));
    painter.restore();
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(245, 175, 40));
  painter.drawEllipse(centre, 8.0 * unit, 8.0 * unit);
}

// Drawn rather than shipped as images so that they stay sharp at any
// screen scale.
QPixmap LogoPixmap(qreal scale) {
  QPixmap pixmap(kLogoSize * scale);
  pixmap.setDevicePixelRatio(scale);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  DrawSun(painter, QPointF(18.5, 18.5), 1.0);
  QFont font = painter.font();
  font.setBold(true);
  font.setPixelSize(20);
  painter.setFont(font);
  painter.setPen(QColor(30, 70, 120));
  painter.drawText(QRectF(40, 0, kLogoSize.width() - 40, kLogoSize.height()),
                   Qt::AlignVCenter | Qt::AlignLeft, "Calorix");
  return pixmap;
}

// An icon in the usual sizes, each drawn by draw(painter, size).
QIcon DrawnIcon(const std::function<void(QPainter&, int)>& draw) {
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, size);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

QIcon ProgramIcon() {
  return DrawnIcon([](QPainter& painter, int size) {
    DrawSun(painter, QPointF(size / 2.0, size / 2.0), size / 34.0);
  });
}

// A calendar sheet with a band of days across it: the multi-day analysis.
QIcon RangeIcon() {
  return DrawnIcon([](QPainter& painter, int size) {
    const qreal unit = size / 16.0;
    const QColor blue(30, 70, 120);
    const QRectF sheet(1.5 * unit, 2.5 * unit, 13 * unit, 12 * unit);
    painter.setPen(QPen(blue, unit));
    painter.setBrush(Qt::white);
    painter.drawRect(sheet);
    painter.fillRect(QRectF(sheet.left(), sheet.top(), sheet.width(), 3 * unit), blue);
    painter.fillRect(QRectF(3.5 * unit, 8 * unit, 9 * unit, 3 * unit), QColor(232, 140, 30));
  });
}

}  // namespace

std::unique_ptr<TIniSettings> CreateSettingsStore() { return std::make_unique<TIniSettings>(); }

TMainform::TMainform(Dialogs& dialogs, const SettingsStoreFactory& createStore, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs) {
  setMinimumSize(kMinimumSize);
  resize(kRestoredSize);
  if (const QScreen* screen = this->screen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, ui::kPanelColor);
  setPalette(palette);

  mdi_ = new QMdiArea(this);
  mdi_->setBackground(ui::kPanelColor);
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(mdi_);
  // Day files and folders dropped anywhere on the window (OpenDropped).
  setAcceptDrops(true);

  i18n::SetCurrentBlock(i18n::LanguageBlock::German);
  setWindowTitle(kProgramTitle);
  // The evaluation windows show it too, in their title bars.
  setWindowIcon(ProgramIcon());
  BuildActions();
  BuildMenus();
  BuildToolBar();

  CreateStore(createStore);
  LoadRecentFiles();
  // Created once, hidden, and reused for every analysis.
  multiDay_ = new ui::TDialogMultiDayAnalysis(dialogs_, this);

  connect(qApp, &QApplication::focusChanged, this, &TMainform::RefreshActions);
  connect(mdi_, &QMdiArea::subWindowActivated, this, &TMainform::RefreshActions);
  RefreshActions();
}

TMainform::~TMainform() {
  // Closing the children moves the focus and activates windows; none of
  // that may reach a half-destroyed main window.
  disconnect(qApp, nullptr, this, nullptr);
  mdi_->disconnect(this);
  CloseAllChildren();
}

void TMainform::CreateStore(const SettingsStoreFactory& createStore) {
  try {
    store_ = createStore();
  } catch (const std::exception&) {
    // The stored language is not known yet, so the message says it in both.
    const std::string message = i18n::TextOf(i18n::LanguageBlock::English, i18n::kTextIniAccessFailed) +
                                "\n\n" +
                                i18n::TextOf(i18n::LanguageBlock::German, i18n::kTextIniAccessFailed);
    dialogs_.ShowError(this, message);
  }
}

void TMainform::BuildActions() {
  // The German design captions; "&" marks the access letters.
  actions_.open = new QAction(QString::fromUtf8("&Öffnen"), this);
  actions_.open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  actions_.open->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
  actions_.multiDayAnalysis = new QAction(QString::fromUtf8("&Mehrtägige Auswertung"), this);
  actions_.multiDayAnalysis->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  actions_.multiDayAnalysis->setIcon(RangeIcon());
  // Until the first refresh of the commands' states.
  actions_.multiDayAnalysis->setEnabled(false);
  actions_.close = new QAction(QString::fromUtf8("S&chließen"), this);
  actions_.close->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
  actions_.save = new QAction(QString::fromUtf8("&Speichern"), this);
  actions_.save->setShortcut(QKeySequence::Save);
  actions_.save->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
  actions_.print = new QAction(QString::fromUtf8("&Drucken"), this);
  actions_.print->setShortcut(QKeySequence::Print);
  actions_.print->setIcon(QIcon::fromTheme("document-print", style()->standardIcon(QStyle::SP_FileDialogContentsView)));
  actions_.exit = new QAction(QString::fromUtf8("&Beenden"), this);
  actions_.cascade = new QAction(QString::fromUtf8("Über&lappend"), this);
  actions_.tileHorizontal = new QAction(QString::fromUtf8("Ü&bereinander"), this);
  actions_.minimizeAll = new QAction(QString::fromUtf8("Alle mi&nimieren"), this);

  Connect(actions_.open, &TMainform::ActionOpenExecute);
  Connect(actions_.multiDayAnalysis, &TMainform::ActionMultiDayAnalysisExecute);
  Connect(actions_.close, &TMainform::ActionCloseExecute);
  Connect(actions_.save, &TMainform::ActionSaveExecute);
  Connect(actions_.print, &TMainform::ActionPrintExecute);
  Connect(actions_.exit, &TMainform::ActionExitExecute);
  Connect(actions_.cascade, &TMainform::ActionCascadeExecute);
  Connect(actions_.tileHorizontal, &TMainform::ActionTileHorizontalExecute);
  Connect(actions_.minimizeAll, &TMainform::ActionMinimizeAllExecute);
}

void TMainform::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QString::fromUtf8("&Datei"));
  file->addAction(actions_.open);
  file->addAction(actions_.multiDayAnalysis);
  file->addAction(actions_.close);
  file->addSeparator();
  file->addAction(actions_.save);
  file->addAction(actions_.print);
  file->addSeparator();
  AddRecentItems(file);
  file->addAction(actions_.exit);
  QMenu* window = menuBar()->addMenu(QString::fromUtf8("&Fenster"));
  window->addAction(actions_.cascade);
  window->addAction(actions_.tileHorizontal);
  window->addAction(actions_.minimizeAll);
}

void TMainform::BuildToolBar() {
  // The strip across the top: the tool bar on the left, the logo on the right.
  QToolBar* bar = addToolBar("PanelTop");
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->toggleViewAction()->setVisible(false);
  bar->setMinimumHeight(kPanelTopHeight);
  bar->setIconSize(QSize(24, 24));
  bar->setAutoFillBackground(true);
  bar->addAction(actions_.open);
  bar->addAction(actions_.multiDayAnalysis);
  bar->addAction(actions_.save);
  bar->addSeparator();
  bar->addAction(actions_.print);
  auto* spacer = new QWidget(bar);
  spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  bar->addWidget(spacer);
  auto* logo = new QLabel(bar);
  logo->setObjectName("HelvoLogo");
  logo->setPixmap(LogoPixmap(devicePixelRatioF()));
  logo->setFixedSize(kLogoSize);
  bar->addWidget(logo);
}

void TMainform::Connect(QAction* action, void (TMainform::*command)()) {
  connect(action, &QAction::triggered, this, [this, command] { Run([this, command] { (this->*command)(); }); });
}

void TMainform::Run(const std::function<void()>& command) {
  ui::RunCommand(dialogs_, this, command);
  // Whatever the command changed, the commands' states follow it.
  RefreshActions();
}

void TMainform::RefreshActions() {
  ui::RunCommand(dialogs_, this, [this] { UpdateActions(); });
}

void TMainform::ActionOpenExecute() {
  TMainSettings main;
  std::string initialFolder;
  if (store_) {
    main = store_->GetMainSettings();
    if (IsExistingFolder(main.LastUsedDir)) initialFolder = main.LastUsedDir;
  }
  std::string fileName;
  if (!dialogs_.ExecuteFileDialog(fileName, this, LogFileFilter(), true, "CSV", initialFolder)) return;
  OpenChosenFile(fileName, main.Language);
}

void TMainform::OpenFile(const std::string& path) {
  OpenChosenFile(path, store_ ? store_->GetMainSettings().Language : std::int8_t{0});
}

void TMainform::OpenFiles(const std::vector<std::string>& paths) {
  HandleFirstActivation();
  for (const std::string& path : paths) Run([this, &path] { OpenFile(path); });
}

void TMainform::ActionMultiDayAnalysisExecute() { RunMultiDayDialog({}); }

void TMainform::RunMultiDayDialog(const std::vector<std::string>& proposed) {
  TMainSettings main;
  std::string folder;
  if (store_) {
    main = store_->GetMainSettings();
    folder = main.LastUsedDir;
  }
  ui::TChildform* target = FindTargetWindow();
  if (!target) return;
  const QPointer<ui::TChildform> chosen(target);
  multiDay_->PrepareAnalysis(target, folder);
  if (proposed.size() == 2) multiDay_->ProposeRange(proposed[0], proposed[1]);
  if (multiDay_->exec() == QDialog::Rejected) {
    if (chosen && !chosen->HasEvaluation()) CloseWindow(chosen);
    return;
  }
  if (store_) store_->SetMainSettings(main.Language, multiDay_->GetLastDir());
  if (chosen && chosen->HasEvaluation()) {
    const auto [first, last] = multiDay_->ChosenRange();
    RememberRecent(first == last ? RecentEntry{first, ""} : RecentEntry{first, last});
  }
}

void TMainform::OpenRange(const std::string& first, const std::string& last) {
  HandleFirstActivation();
  Run([this, &first, &last] { OpenRangeFiles(first, last); });
}

void TMainform::OpenRangeFiles(const std::string& first, const std::string& last) {
  // Checked before a window is chosen, so that a wrong range leaves none
  // behind.
  const logdata::MultiDayRequest request = logdata::ResolveMultiDayRequest(first, last);
  ui::TChildform* target = FindTargetWindow();
  if (!target) return;
  if (request.kind == logdata::MultiDayRequest::Kind::SingleDay) {
    target->LoadFile(request.files.front());
    dialogs_.ShowInformation(this, i18n::Text(kTextOneDayOnly));
  } else {
    const ui::RangeLoadResult result = ui::LoadRange(*target, request.files, request.start, request.end);
    if (!result.failureMessage.empty()) dialogs_.ShowError(this, result.failureMessage);
    if (result.nothingLoaded) return;
  }
  RememberRecent(request.kind == logdata::MultiDayRequest::Kind::SingleDay ? RecentEntry{first, ""}
                                                                            : RecentEntry{first, last});
  if (store_) store_->SetMainSettings(store_->GetMainSettings().Language, FolderOfChosenFile(first));
}

bool TMainform::IsLoading() const { return multiDay_ && multiDay_->IsLoading(); }

void TMainform::CloseWindow(ui::TChildform* child) {
  if (auto* sub = qobject_cast<QMdiSubWindow*>(child->parentWidget())) {
    sub->close();
  } else {
    child->close();
  }
}

void TMainform::OpenChosenFile(const std::string& path, std::int8_t language) {
  // A failed write ends the command here, before any window is touched.
  if (store_) store_->SetMainSettings(language, FolderOfChosenFile(path));
  ui::TChildform* target = FindTargetWindow();
  if (!target) return;
  target->LoadFile(PathFromUtf8(path));
  RememberRecent({path, ""});
}

ui::TChildform* TMainform::FindTargetWindow() {
  QMdiSubWindow* active = ActiveSubWindow();
  const bool activeHoldsEvaluation = active && ChildOf(active) && ChildOf(active)->HasEvaluation();
  switch (ChooseTargetWindow(WindowCount(), activeHoldsEvaluation)) {
    case TargetChoice::ActiveWindow:
      if (active->isMinimized()) active->showNormal();
      return ChildOf(active);
    case TargetChoice::NewWindow:
      try {
        return CreateEvaluationWindow(false);
      } catch (const std::exception&) {
        throw Error(i18n::Text(i18n::kTextWindowNotCreated));
      }
    case TargetChoice::ActiveIfConfirmed:
      if (active->isMinimized()) active->showNormal();
      mdi_->setActiveSubWindow(active);
      active->raise();
      if (!dialogs_.AskWarning(this, i18n::Text(i18n::kTextMaximumReached))) return nullptr;
      return ChildOf(active);
  }
  return nullptr;
}

void TMainform::HandleFirstActivation() {
  if (!firstActivation_) return;
  firstActivation_ = false;
  try {
    CreateEvaluationWindow(true);
  } catch (const std::exception&) {
    // The program is usable without the start-up window: nothing to report.
  }
}

void TMainform::ActionCloseExecute() {
  if (QMdiSubWindow* active = ActiveSubWindow()) {
    active->close();
  } else {
    UpdateActions();
  }
}

void TMainform::ActionSaveExecute() {
  if (ui::TChildform* child = ActiveChild()) {
    child->SaveChartAsBitmap();
  } else {
    UpdateActions();
  }
}

void TMainform::ActionPrintExecute() {
  if (ui::TChildform* child = ActiveChild()) {
    child->PrintCharts();
  } else {
    UpdateActions();
  }
}

void TMainform::ActionExitExecute() { close(); }

void TMainform::ActionCascadeExecute() { mdi_->cascadeSubWindows(); }

void TMainform::ActionTileHorizontalExecute() {
  // The front window goes on top; minimised windows stay where they lie.
  std::vector<QMdiSubWindow*> tiled;
  int iconHeight = 0;
  const auto stack = mdi_->subWindowList(QMdiArea::StackingOrder);
  for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
    if ((*it)->isMinimized()) {
      iconHeight = std::max(iconHeight, (*it)->height());
    } else {
      tiled.push_back(*it);
    }
  }
  const QRect area = mdi_->viewport()->rect().adjusted(0, 0, 0, -iconHeight);
  const std::vector<Band> bands = StackedBands(area.height(), static_cast<int>(tiled.size()));
  for (std::size_t i = 0; i < tiled.size(); ++i) {
    tiled[i]->showNormal();
    tiled[i]->setGeometry(area.left(), area.top() + bands[i].start, area.width(), bands[i].length);
  }
}

void TMainform::ActionMinimizeAllExecute() {
  // Minimising the active window activates another one, which the frame
  // would maximise again if the windows were maximised.
  mdi_->setOption(QMdiArea::DontMaximizeSubWindowOnActivation, true);
  for (QMdiSubWindow* sub : mdi_->subWindowList()) sub->showMinimized();
  mdi_->setOption(QMdiArea::DontMaximizeSubWindowOnActivation, false);
}

void TMainform::UpdateActions() {
  // A window whose evaluation is half built is not asked anything.
  if (closingChildren_ || IsLoading()) return;
  QMdiSubWindow* active = ActiveSubWindow();
  bool hasGraphs = false;
  if (const ui::TChildform* child = ChildOf(active)) hasGraphs = child->HasGraphs();
  ApplyStates(ActionStatesFor(active != nullptr, hasGraphs, WindowCount()));
}

void TMainform::ApplyStates(const ActionStates& states) {
  actions_.open->setEnabled(states.open);
  actions_.multiDayAnalysis->setEnabled(states.multiDayAnalysis);
  actions_.close->setEnabled(states.close);
  actions_.save->setEnabled(states.save);
  actions_.print->setEnabled(states.print);
  actions_.exit->setEnabled(states.exit);
  actions_.cascade->setEnabled(states.cascade);
  actions_.tileHorizontal->setEnabled(states.tileHorizontal);
  actions_.minimizeAll->setEnabled(states.minimizeAll);
}

QMdiSubWindow* TMainform::ActiveSubWindow() const {
  // The frame keeps a current window also while the application is in the
  // background; failing that, the one last activated.
  if (QMdiSubWindow* current = mdi_->currentSubWindow()) return current;
  const auto history = mdi_->subWindowList(QMdiArea::ActivationHistoryOrder);
  return history.isEmpty() ? nullptr : history.last();
}

ui::TChildform* TMainform::ActiveChild() const { return ChildOf(ActiveSubWindow()); }

std::vector<ui::TChildform*> TMainform::Children() const {
  std::vector<ui::TChildform*> children;
  for (const QMdiSubWindow* sub : mdi_->subWindowList()) {
    if (ui::TChildform* child = ChildOf(sub)) children.push_back(child);
  }
  return children;
}

int TMainform::WindowCount() const { return static_cast<int>(mdi_->subWindowList().size()); }

TChildSettings TMainform::NewWindowSettings() const {
  return store_ ? store_->GetChildSettings() : BuiltInChildSettings();
}

ui::TChildform* TMainform::CreateEvaluationWindow(bool maximized) {
  QMdiSubWindow* sub = nullptr;
  try {
    auto child = std::make_unique<ui::TChildform>(dialogs_);
    child->SetSettingsStore(store_.get());
    child->ApplySettings(NewWindowSettings());
    sub = mdi_->addSubWindow(child.get());
    ui::TChildform* created = child.release();
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->installEventFilter(this);
    connect(created, &ui::TChildform::DisplayChanged, this, &TMainform::RefreshActions);
    // The frame has forgotten the window only once it is gone.
    connect(sub, &QObject::destroyed, this, &TMainform::RefreshActions, Qt::QueuedConnection);
    if (maximized) {
      sub->showMaximized();
    } else {
      sub->resize(ui::kEvaluationWindowSize);
      sub->show();
    }
    mdi_->setActiveSubWindow(sub);
    return created;
  } catch (...) {
    delete sub;
    throw;
  }
}

bool TMainform::event(QEvent* event) {
  const bool handled = QMainWindow::event(event);
  if (event->type() == QEvent::WindowActivate && firstActivation_) {
    Run([this] { HandleFirstActivation(); });
  }
  return handled;
}

bool TMainform::eventFilter(QObject* watched, QEvent* event) {
  // The multi-day dialog is modal, but a close request from elsewhere (the
  // window system, a test) must not pull a window from under its load.
  if (event->type() == QEvent::Close && IsLoading() && qobject_cast<QMdiSubWindow*>(watched)) {
    event->ignore();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TMainform::closeEvent(QCloseEvent* event) {
  if (IsLoading()) {
    event->ignore();
    return;
  }
  ui::RunCommand(dialogs_, this, [this] {
    CloseAllChildren();
    // Every setting was written when it changed: nothing to save here.
    store_.reset();
  });
  event->accept();
}

void TMainform::CloseAllChildren() {
  closingChildren_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{closingChildren_};
  for (auto list = mdi_->subWindowList(); !list.isEmpty(); list = mdi_->subWindowList()) {
    QMdiSubWindow* sub = list.first();
    sub->disconnect(this);
    if (ui::TChildform* child = ChildOf(sub)) child->disconnect(this);
    sub->close();
    delete sub;
  }
}

// ---------------------------------------------------------------------------
// Dropped files

namespace {

std::vector<std::string> LocalFiles(const QMimeData* data) {
  std::vector<std::string> paths;
  if (!data) return paths;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
  }
  return paths;
}

}  // namespace

void TMainform::dragEnterEvent(QDragEnterEvent* event) {
  if (!IsLoading() && !LocalFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

// The files open after the drop has ended, so that the program that
// dragged them is not kept waiting by a message or the dialog.
void TMainform::dropEvent(QDropEvent* event) {
  const std::vector<std::string> paths = LocalFiles(event->mimeData());
  if (IsLoading() || paths.empty()) return;
  event->acceptProposedAction();
  QTimer::singleShot(0, this, [this, paths] { OpenDropped(paths); });
}

void TMainform::OpenDropped(const std::vector<std::string>& paths) {
  const DropPlan plan = PlanDrop({paths.begin(), paths.end()});
  std::vector<std::string> files;
  for (const std::filesystem::path& file : plan.files) files.push_back(file.string());
  switch (plan.kind) {
    case DropPlan::Kind::OpenFiles:
      OpenFiles(files);
      break;
    case DropPlan::Kind::OpenRange:
      OpenRange(files[0], files[1]);
      break;
    case DropPlan::Kind::OfferRange:
      HandleFirstActivation();
      Run([this, &files] { RunMultiDayDialog(files); });
      break;
    case DropPlan::Kind::NoDayFiles:
      dialogs_.ShowError(this, i18n::Text(i18n::kTextNoFilesFound) + "\n\n" + files[0]);
      break;
    case DropPlan::Kind::Nothing:
      break;
  }
}

// ---------------------------------------------------------------------------
// Recent files

void TMainform::AddRecentItems(QMenu* file) {
  for (int i = 0; i < kRecentCount; ++i) {
    QAction* item = file->addAction(QString());
    item->setObjectName(QStringLiteral("MenuRecent%1").arg(i + 1));
    item->setVisible(false);
    connect(item, &QAction::triggered, this, [this, i] { OpenRecent(i); });
    recentActions_[static_cast<std::size_t>(i)] = item;
  }
  recentSeparator_ = file->addSeparator();
  recentSeparator_->setObjectName("MenuFileSepRecent");
  recentSeparator_->setVisible(false);
}

void TMainform::LoadRecentFiles() {
  recent_.clear();
  if (store_) {
    if (const auto profile = OpenProfileFile(store_->IniPath())) recent_ = ReadRecentFiles(*profile);
  }
  ShowRecentFiles();
}

void TMainform::ShowRecentFiles() {
  for (int i = 0; i < kRecentCount; ++i) {
    QAction* item = recentActions_[static_cast<std::size_t>(i)];
    const bool used = static_cast<std::size_t>(i) < recent_.size();
    item->setVisible(used);
    if (used) item->setText(QString::fromStdString(RecentMenuText(recent_[static_cast<std::size_t>(i)], i)));
  }
  recentSeparator_->setVisible(!recent_.empty());
}

void TMainform::RememberRecent(const RecentEntry& entry) {
  recent_ = WithRecent(recent_, entry);
  ShowRecentFiles();
  StoreRecentFiles();
}

// Written only while the settings store can write; a failure says so as
// the store's own writes do.
void TMainform::StoreRecentFiles() {
  if (!store_ || !store_->IsWritable()) return;
  const auto profile = OpenProfileFile(store_->IniPath());
  if (!profile || !WriteRecentFiles(*profile, recent_)) throw Error(i18n::Text(i18n::kTextIniAccessFailed));
}

void TMainform::OpenRecent(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= recent_.size()) return;
  const RecentEntry entry = recent_[static_cast<std::size_t>(index)];
  const RecentCheck check = WithoutMissing({entry}, [](const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(PathFromUtf8(path), ec);
  });
  if (!check.missing.empty()) {
    recent_.erase(recent_.begin() + index);
    ShowRecentFiles();
    std::string message = i18n::Text(i18n::kTextRecentFileMissing) + "\n";
    for (const std::string& path : check.missing) message += "\n" + path;
    Run([this] { StoreRecentFiles(); });
    dialogs_.ShowError(this, message);
    return;
  }
  HandleFirstActivation();
  if (entry.IsRange()) {
    OpenRange(entry.first, entry.last);
  } else {
    OpenFiles({entry.first});
  }
}

}  // namespace calorix::app
