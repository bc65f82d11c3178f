#include "app/main_form.h"

#include "app/application.h"
#include "app/builtin_settings.h"
#include "app/drop_rules.h"
#include "core/error.h"
#include "dialogs/dialogs.h"
#include "i18n/text_table.h"
#include "settings/ini_settings.h"
#include "settings/settings_location.h"
#include "ui/about_dialog.h"
#include "ui/artwork.h"
#include "ui/child_form.h"
#include "ui/command_guard.h"
#include "ui/dialog_multi_day.h"
#include "ui/locale_month_names.h"
#include "ui/settings_dialog.h"
#include "ui/window_look.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QLabel>
#include <QLibraryInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QTranslator>
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

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The folder file dialogs start in while nothing is stored, with a
// trailing separator as the remembered folders have.
std::string HomeFolder() { return QDir::homePath().toStdString() + "/"; }

}  // namespace

std::unique_ptr<TIniSettings> CreateSettingsStore() {
  return std::make_unique<TIniSettings>(LocateSettingsFile(), HomeFolder());
}

TMainform::TMainform(Dialogs& dialogs, const SettingsStoreFactory& createStore, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), defaultsWithoutStore_(BuiltInChildSettings()) {
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
  ApplyQtLanguage(language_);
  setWindowTitle(kProgramTitle);
  // The evaluation windows show it too, in their title bars.
  setWindowIcon(ui::ProgramIcon());
  BuildActions();
  BuildSettingsActions();
  BuildLanguageActions();
  BuildMenus();
  BuildToolBar();

  CreateStore(createStore);
  CreateDialogs();
  LoadRecentFiles();

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
  } catch (const std::exception& e) {
    // The stored language is not known yet, so the message says it in both.
    std::string message = i18n::TextOf(i18n::LanguageBlock::English, i18n::kTextIniAccessFailed) + "\n\n" +
                          i18n::TextOf(i18n::LanguageBlock::German, i18n::kTextIniAccessFailed);
    // A folder in the way is named, so that the user can clear it.
    if (const auto* folderError = dynamic_cast<const SettingsFolderError*>(&e)) {
      const std::u8string folder = folderError->Folder().u8string();
      message += "\n\n" + std::string(folder.begin(), folder.end());
    }
    dialogs_.ShowError(this, message);
  }
}

void TMainform::BuildActions() {
  // The built-in German captions; "&" marks the access letters.
  // The platform's standard keys; each belongs to this one action only.
  actions_.open = new QAction(QString::fromUtf8("&Öffnen"), this);
  actions_.open->setShortcuts(QKeySequence::Open);
  actions_.open->setIcon(ui::ResourceIcon("open"));
  actions_.multiDayAnalysis = new QAction(QString::fromUtf8("&Mehrtägige Auswertung"), this);
  actions_.multiDayAnalysis->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  actions_.multiDayAnalysis->setIcon(ui::ResourceIcon("range"));
  // Until the first refresh of the commands' states.
  actions_.multiDayAnalysis->setEnabled(false);
  actions_.close = new QAction(QString::fromUtf8("S&chließen"), this);
  actions_.close->setShortcuts(QKeySequence::Close);
  actions_.save = new QAction(QString::fromUtf8("&Speichern"), this);
  actions_.save->setShortcuts(QKeySequence::Save);
  actions_.save->setIcon(ui::ResourceIcon("save"));
  actions_.print = new QAction(QString::fromUtf8("&Drucken"), this);
  actions_.print->setShortcuts(QKeySequence::Print);
  actions_.print->setIcon(ui::ResourceIcon("print"));
  actions_.exportDailyTotals = new QAction(QString::fromUtf8("&Tagessummen exportieren..."), this);
  actions_.exportMonthlyTotals = new QAction(QString::fromUtf8("Mo&natssummen exportieren..."), this);
  actions_.exit = new QAction(QString::fromUtf8("&Beenden"), this);
  actions_.exit->setShortcuts(QKeySequence::Quit);
  actions_.cascade = new QAction(QString::fromUtf8("Über&lappend"), this);
  actions_.cascade->setIcon(ui::ResourceIcon("cascade"));
  actions_.tileHorizontal = new QAction(QString::fromUtf8("Ü&bereinander"), this);
  actions_.tileHorizontal->setIcon(ui::ResourceIcon("tile"));
  actions_.minimizeAll = new QAction(QString::fromUtf8("Alle mi&nimieren"), this);

  Connect(actions_.open, &TMainform::ActionOpenExecute);
  Connect(actions_.multiDayAnalysis, &TMainform::ActionMultiDayAnalysisExecute);
  Connect(actions_.close, &TMainform::ActionCloseExecute);
  Connect(actions_.save, &TMainform::ActionSaveExecute);
  Connect(actions_.print, &TMainform::ActionPrintExecute);
  connect(actions_.exportDailyTotals, &QAction::triggered, this,
          [this] { Run([this] { ExportTotals(evaluation::TotalsPer::Day); }); });
  connect(actions_.exportMonthlyTotals, &QAction::triggered, this,
          [this] { Run([this] { ExportTotals(evaluation::TotalsPer::Month); }); });
  Connect(actions_.exit, &TMainform::ActionExitExecute);
  Connect(actions_.cascade, &TMainform::ActionCascadeExecute);
  Connect(actions_.tileHorizontal, &TMainform::ActionTileHorizontalExecute);
  Connect(actions_.minimizeAll, &TMainform::ActionMinimizeAllExecute);
}

// Settings, language and help commands.
void TMainform::BuildSettingsActions() {
  actions_.defaultSettings = new QAction(QString::fromUtf8("&Neue Fenster"), this);
  actions_.windowSettings = new QAction(QString::fromUtf8("&Aktuelles Fenster"), this);
  actions_.about = new QAction(QString::fromUtf8("&Info"), this);
  actions_.about->setIcon(ui::ResourceIcon("about"));
  Connect(actions_.defaultSettings, &TMainform::ActionDefaultSettingsExecute);
  Connect(actions_.windowSettings, &TMainform::ActionWindowSettingsExecute);
  Connect(actions_.about, &TMainform::ActionAboutExecute);
}

void TMainform::BuildLanguageActions() {
  for (std::size_t i = 0; i < kLanguageChoices.size(); ++i) {
    const LanguageChoice& choice = kLanguageChoices[i];
    auto* action = new QAction(QString::fromUtf8(choice.name), this);
    action->setCheckable(true);
    action->setIcon(ui::ResourceIcon(QStringLiteral("language-%1").arg(choice.icon)));
    action->setToolTip(action->text());
    const int language = static_cast<int>(i);
    connect(action, &QAction::triggered, this, [this, language] {
      Run([this, language] { ActionLanguageSelection(language); });
    });
    actions_.languages[i] = action;
  }
  CheckLanguage(language_);
}

void TMainform::BuildMenus() {
  menus_.file = menuBar()->addMenu(QString::fromUtf8("&Datei"));
  menus_.file->addAction(actions_.open);
  menus_.file->addAction(actions_.multiDayAnalysis);
  menus_.file->addAction(actions_.close);
  menus_.file->addSeparator();
  menus_.file->addAction(actions_.save);
  menus_.file->addAction(actions_.print);
  menus_.file->addAction(actions_.exportDailyTotals);
  menus_.file->addAction(actions_.exportMonthlyTotals);
  menus_.file->addSeparator();
  AddRecentItems(menus_.file);
  menus_.file->addAction(actions_.exit);
  menus_.settings = menuBar()->addMenu(QString::fromUtf8("&Einstellungen"));
  menus_.settings->addAction(actions_.defaultSettings);
  menus_.settings->addAction(actions_.windowSettings);
  menus_.language = menuBar()->addMenu(QString::fromUtf8("&Sprachauswahl"));
  for (QAction* action : actions_.languages) menus_.language->addAction(action);
  menus_.window = menuBar()->addMenu(QString::fromUtf8("&Fenster"));
  menus_.window->addAction(actions_.cascade);
  menus_.window->addAction(actions_.tileHorizontal);
  menus_.window->addAction(actions_.minimizeAll);
  connect(menus_.window, &QMenu::aboutToShow, this, &TMainform::UpdateWindowMenu);
  menus_.help = menuBar()->addMenu(QStringLiteral("&?"));
  menus_.help->addAction(actions_.about);
}

void TMainform::CreateDialogs() {
  // Created once, hidden, and reused for every showing: settings, multi-day
  // analysis, about.
  settingsDialog_ = new ui::TDialogSettings(dialogs_, this);
  multiDay_ = new ui::TDialogMultiDayAnalysis(dialogs_, this);
  aboutDialog_ = new ui::TDialogAbout(this);
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
  bar->addSeparator();
  for (QAction* action : actions_.languages) bar->addAction(action);
  bar->addSeparator();
  bar->addAction(actions_.about);
  auto* spacer = new QWidget(bar);
  spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  bar->addWidget(spacer);
  auto* logo = new QLabel(bar);
  logo->setObjectName("HelvoLogo");
  logo->setPixmap(ui::LogoPixmap(devicePixelRatioF()));
  logo->setFixedSize(ui::kLogoSize);
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
  std::string initialFolder = HomeFolder();
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
    ui::ShowRangeWarnings(dialogs_, this, result);
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
  // The folder not being remembered is no reason not to open the file: the
  // failure is reported once, after the opening.
  std::string storeFailure;
  if (store_) {
    try {
      store_->SetMainSettings(language, FolderOfChosenFile(path));
    } catch (const std::exception& error) {
      storeFailure = error.what();
    }
  }
  const auto reportStoreFailure = [&] {
    if (!storeFailure.empty()) dialogs_.ShowError(this, storeFailure);
  };
  try {
    if (ui::TChildform* target = FindTargetWindow()) {
      target->LoadFile(PathFromUtf8(path));
      RememberRecent({path, ""});
    }
  } catch (...) {
    reportStoreFailure();
    throw;
  }
  reportStoreFailure();
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
  LoadLanguage();
}

void TMainform::ActionCloseExecute() {
  if (QMdiSubWindow* active = ActiveSubWindow()) {
    active->close();
  } else {
    UpdateActions();
  }
}

void TMainform::ActionSaveExecute() {
  OnActiveChild([](ui::TChildform& child) { child.SaveChartAsBitmap(); });
}

void TMainform::ExportTotals(evaluation::TotalsPer per) {
  OnActiveChild([per](ui::TChildform& child) { child.SaveTotals(per); });
}

void TMainform::ActionPrintExecute() {
  OnActiveChild([](ui::TChildform& child) { child.PrintCharts(); });
}

// A command for the active window; without one, the commands' states were
// stale and are brought up to date.
void TMainform::OnActiveChild(const std::function<void(ui::TChildform&)>& command) {
  if (ui::TChildform* child = ActiveChild()) {
    command(*child);
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
  QSize minimum;
  for (QMdiSubWindow* sub : tiled) minimum = minimum.expandedTo(sub->minimumSizeHint().expandedTo(sub->minimumSize()));
  // Bands too low for a window would cut off its navigation row.
  const std::vector<Tile> tiles = TileWindows(area.width(), area.height(), static_cast<int>(tiled.size()),
                                              minimum.width(), minimum.height());
  for (std::size_t i = 0; i < tiled.size(); ++i) {
    tiled[i]->showNormal();
    tiled[i]->setGeometry(area.left() + tiles[i].x, area.top() + tiles[i].y, tiles[i].width, tiles[i].height);
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
  bool hasEvaluation = false;
  if (const ui::TChildform* child = ChildOf(active)) {
    hasGraphs = child->HasGraphs();
    hasEvaluation = child->HasEvaluation();
  }
  ApplyStates(ActionStatesFor(active != nullptr, hasGraphs, WindowCount(), hasEvaluation));
}

void TMainform::ApplyStates(const ActionStates& states) {
  actions_.open->setEnabled(states.open);
  actions_.multiDayAnalysis->setEnabled(states.multiDayAnalysis);
  actions_.close->setEnabled(states.close);
  actions_.save->setEnabled(states.save);
  actions_.print->setEnabled(states.print);
  actions_.exportDailyTotals->setEnabled(states.exportTotals);
  actions_.exportMonthlyTotals->setEnabled(states.exportTotals);
  actions_.exit->setEnabled(states.exit);
  actions_.cascade->setEnabled(states.cascade);
  actions_.tileHorizontal->setEnabled(states.tileHorizontal);
  actions_.minimizeAll->setEnabled(states.minimizeAll);
  actions_.defaultSettings->setEnabled(states.defaultSettings);
  actions_.windowSettings->setEnabled(states.windowSettings);
  actions_.about->setEnabled(states.about);
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
  return store_ ? store_->GetChildSettings() : defaultsWithoutStore_;
}

ui::TChildform* TMainform::CreateEvaluationWindow(bool maximized) {
  QMdiSubWindow* sub = nullptr;
  try {
    auto child = std::make_unique<ui::TChildform>(dialogs_);
    child->SetSettingsStore(store_.get());
    child->SetSettingsDialog(settingsDialog_);
    child->ApplySettings(NewWindowSettings());
    sub = mdi_->addSubWindow(child.get());
    ui::TChildform* created = child.release();
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // The window's system menu would claim Ctrl+W (and more) as well, and a
    // key with two owners does nothing: the main window's commands own them.
    if (QMenu* menu = sub->systemMenu()) {
      for (QAction* action : menu->actions()) action->setShortcuts({});
    }
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

// Settings commands.

void TMainform::ActionDefaultSettingsExecute() {
  ui::TDialogSettings& dialog = SettingsDialog();
  dialog.SetValues(NewWindowSettings());
  if (dialog.exec() != QDialog::Accepted) return;
  const TChildSettings settings = dialog.GetValues();
  const bool saved = KeepDefaults(settings);
  if (WindowCount() == 0) return;
  // Say "saved" only when they were.
  const int question = saved ? i18n::kTextSettingsSaved : i18n::kTextSettingsNotSaved;
  if (!dialogs_.AskQuestion(this, i18n::Text(question))) return;
  for (ui::TChildform* child : Children()) child->ApplySettings(settings);
}

bool TMainform::KeepDefaults(const TChildSettings& settings) {
  if (!store_) {
    defaultsWithoutStore_ = settings;
    return false;
  }
  // The store keeps them in memory also when it cannot write them.
  const bool writable = store_->IsWritable();
  try {
    store_->SetChildSettings(settings);
  } catch (const std::exception& error) {
    dialogs_.ShowError(this, error.what());
    return false;
  }
  return writable;
}

void TMainform::ActionWindowSettingsExecute() {
  if (ui::TChildform* child = ActiveChild()) {
    child->ActionOpenSettingsExecute();
  } else {
    UpdateActions();
  }
}

void TMainform::ActionAboutExecute() { AboutDialog().exec(); }

// Language switching.

void TMainform::LoadLanguage() {
  if (!store_) return;
  SelectLanguage(LanguageChoiceOfCode(store_->GetMainSettings().Language));
}

void TMainform::ActionLanguageSelection(int language) {
  TMainSettings main;
  if (store_) main = store_->GetMainSettings();
  if (language == language_) {
    // The action toggled its own check; the language in force stays checked.
    CheckLanguage(language_);
    return;
  }
  SelectLanguage(language);
  if (store_) store_->SetMainSettings(kLanguageChoices[static_cast<std::size_t>(language)].code, main.LastUsedDir);
}

void TMainform::SelectLanguage(int language) {
  language_ = language;
  CheckLanguage(language);
  i18n::SetCurrentBlock(i18n::BlockOfLanguage(kLanguageChoices[static_cast<std::size_t>(language)].code));
  ApplyQtLanguage(language);
  ApplyLanguage();
}

void TMainform::CheckLanguage(int language) {
  for (std::size_t i = 0; i < actions_.languages.size(); ++i) {
    actions_.languages[i]->setChecked(static_cast<int>(i) == language);
  }
}

void TMainform::ApplyQtLanguage(int language) {
  const QLocale locale(QString::fromUtf8(kLanguageChoices[static_cast<std::size_t>(language)].locale));
  QLocale::setDefault(locale);
  if (qtTranslator_) QCoreApplication::removeTranslator(qtTranslator_.get());
  auto translator = std::make_unique<QTranslator>();
  // English needs none: Qt's own texts are English.
  if (translator->load(locale, "qt", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator.get());
    qtTranslator_ = std::move(translator);
  } else {
    qtTranslator_.reset();
  }
}

void TMainform::ApplyLanguage() {
  using i18n::Text;
  menus_.file->setTitle(Q(Text(i18n::kTextFile)));
  actions_.open->setText(Q(Text(1)));
  actions_.multiDayAnalysis->setText(Q(Text(2)));
  actions_.close->setText(Q(Text(3)));
  actions_.save->setText(Q(Text(4)));
  actions_.print->setText(Q(Text(5)));
  actions_.exportDailyTotals->setText(Q(Text(i18n::kTextExportDailyTotals)));
  actions_.exportMonthlyTotals->setText(Q(Text(i18n::kTextExportMonthlyTotals)));
  actions_.exit->setText(Q(Text(6)));
  menus_.settings->setTitle(Q(Text(i18n::kTextSettings)));
  actions_.defaultSettings->setText(Q(Text(i18n::kTextNewWindows)));
  actions_.windowSettings->setText(Q(Text(i18n::kTextCurrentWindow)));
  menus_.language->setTitle(Q(Text(i18n::kTextLanguageSelection)));
  for (std::size_t i = 0; i < kLanguageChoices.size(); ++i) {
    actions_.languages[i]->setText(QString::fromUtf8(kLanguageChoices[i].name));
  }
  menus_.window->setTitle(Q(Text(i18n::kTextWindow)));
  actions_.cascade->setText(Q(Text(12)));
  actions_.tileHorizontal->setText(Q(Text(13)));
  actions_.minimizeAll->setText(Q(Text(14)));
  actions_.about->setText(Q(Text(i18n::kTextInfo)));
  ApplyAccessKeys();
  const evaluation::MonthNames monthNames = ui::MonthNamesOf(QLocale());
  for (ui::TChildform* child : Children()) {
    child->SetMonthNames(monthNames);
    child->ApplyLanguage();
  }
}

void TMainform::ApplyAccessKeys() {
  // The texts carry no access keys: each menu gets its own from what it
  // shows. A text that still has one keeps it ("&?", the window list).
  const auto assign = [](const QList<QAction*>& actions) {
    std::vector<QAction*> items;
    std::vector<std::string> texts;
    for (QAction* action : actions) {
      if (action->isSeparator()) continue;
      items.push_back(action);
      texts.push_back(action->text().toStdString());
    }
    const std::vector<std::string> marked = WithAccessKeys(texts);
    for (std::size_t i = 0; i < items.size(); ++i) items[i]->setText(Q(marked[i]));
  };
  assign(menuBar()->actions());
  for (QMenu* menu : {menus_.file, menus_.settings, menus_.language, menus_.window, menus_.help}) {
    assign(menu->actions());
  }
}

void TMainform::UpdateWindowMenu() {
  for (QAction* action : menus_.window->actions()) {
    if (action->property("windowEntry").toBool()) delete action;
  }
  const QList<QMdiSubWindow*> windows = mdi_->subWindowList();
  if (windows.isEmpty()) return;
  menus_.window->addSeparator()->setProperty("windowEntry", true);
  QMdiSubWindow* active = ActiveSubWindow();
  for (qsizetype i = 0; i < windows.size(); ++i) {
    QMdiSubWindow* sub = windows[i];
    QString title = sub->windowTitle();
    title.replace(u'&', QStringLiteral("&&"));
    QAction* entry = menus_.window->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(title));
    entry->setProperty("windowEntry", true);
    entry->setCheckable(true);
    entry->setChecked(sub == active);
    connect(entry, &QAction::triggered, this, [this, sub] {
      if (sub->isMinimized()) sub->showNormal();
      mdi_->setActiveSubWindow(sub);
    });
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
