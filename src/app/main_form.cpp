#include "app/main_form.h"

#include "app/application.h"
#include "app/language_choices.h"
#include "app/window_rules.h"
#include "core/utf8_path.h"
#include "dialogs/dialogs.h"
#include "i18n/text_table.h"
#include "settings/settings_location.h"
#include "ui/about_dialog.h"
#include "ui/artwork.h"
#include "ui/child_form.h"
#include "ui/command_guard.h"
#include "ui/dialog_multi_day.h"
#include "ui/locale_month_names.h"
#include "ui/qt_text.h"
#include "ui/settings_dialog.h"
#include "ui/window_look.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QTimer>
#include <QUrl>

#include <new>

namespace calorix::app {
namespace {

constexpr QSize kRestoredSize(934, 648);
constexpr QSize kMinimumSize(494, 371);

std::vector<std::string> LocalFiles(const QMimeData* data) {
  std::vector<std::string> paths;
  if (!data) return paths;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
  }
  return paths;
}

}  // namespace

std::unique_ptr<TIniSettings> CreateSettingsStore() {
  return std::make_unique<TIniSettings>(LocateSettingsFile(), HomeDialogFolder());
}

TMainform::TMainform(Dialogs& dialogs, const SettingsStoreFactory& createStore, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(dialogs),
      languages_(this),
      windows_(*this, dialogs, *this, [this] { RefreshActions(); }),
      defaults_(dialogs, this),
      recent_(dialogs, this),
      opener_(dialogs, windows_, recent_,
              OpenerHost{this, [this] { return store_.get(); }, [this](const auto& command) { Run(command); },
                         [this] { HandleFirstActivation(); }}) {
  setMinimumSize(kMinimumSize);
  resize(kRestoredSize);
  if (const QScreen* screen = this->screen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, ui::kPanelColor);
  setPalette(palette);
  // Day files and folders dropped anywhere on the window (OpenDropped).
  setAcceptDrops(true);
  setWindowTitle(kProgramTitle);
  // The evaluation windows show it too, in their title bars.
  setWindowIcon(ui::ProgramIcon());

  commands_.Build(*this, languages_.Actions(),
                  [this](const CommandEntry& command) { Run([this, &command] { command.run(*this); }); });
  for (std::size_t i = 0; i < languages_.Actions().size(); ++i) {
    const int language = static_cast<int>(i);
    connect(languages_.Actions()[i], &QAction::triggered, this,
            [this, language] { Run([this, language] { ChooseLanguage(language); }); });
  }
  recent_.AddTo(Menu(MenuId::File), Action(CommandId::Exit), [this](int index) { opener_.OpenRecent(index); });
  connect(Menu(MenuId::Window), &QMenu::aboutToShow, this, &TMainform::UpdateWindowMenu);

  CreateStore(createStore);
  CreateDialogs();
  windows_.SetNewWindowSetup([this](ui::TChildform& child) { SetUpNewWindow(child); });
  recent_.Load(store_.get());

  connect(qApp, &QApplication::focusChanged, this, &TMainform::RefreshActions);
  connect(MdiArea(), &QMdiArea::subWindowActivated, this, &TMainform::RefreshActions);
  RefreshActions();
}

TMainform::~TMainform() {
  // Closing the children moves the focus and activates windows; none of
  // that may reach a half-destroyed main window.
  disconnect(qApp, nullptr, this, nullptr);
  MdiArea()->disconnect(this);
  windows_.CloseAll();
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
      message += "\n\n" + Utf8Of(folderError->Folder());
    }
    dialogs_.ShowError(this, message);
  }
}

void TMainform::CreateDialogs() {
  // Created once, hidden, and reused for every showing: settings, multi-day
  // analysis, about.
  settingsDialog_ = new ui::TDialogSettings(dialogs_, this);
  multiDay_ = new ui::TDialogMultiDayAnalysis(dialogs_, this);
  aboutDialog_ = new ui::TDialogAbout(this);
  opener_.SetMultiDayDialog(multiDay_);
}

void TMainform::SetUpNewWindow(ui::TChildform& child) {
  child.SetSettingsStore(store_.get());
  child.SetSettingsDialog(settingsDialog_);
  child.ApplySettings(defaults_.ForNewWindows(store_.get()));
}

void TMainform::Run(const std::function<void()>& command) {
  ui::RunCommand(dialogs_, this, command);
  // Whatever the command changed, the commands' states follow it.
  RefreshActions();
}

void TMainform::RefreshActions() {
  ui::RunCommand(dialogs_, this, [this] { UpdateActions(); });
}

bool TMainform::IsLoading() const { return multiDay_ && multiDay_->IsLoading(); }

void TMainform::ExportTotals(evaluation::TotalsPer per) {
  if (ui::TChildform* child = ActiveChild()) child->SaveTotals(per);
}

void TMainform::EditDefaults() { defaults_.Edit(SettingsDialog(), store_.get(), Children()); }

void TMainform::UpdateActions() {
  // A window whose evaluation is half built is not asked anything.
  if (windows_.IsClosingAll() || IsLoading()) return;
  WindowsState state;
  state.windowCount = WindowCount();
  if (const ui::TChildform* child = ActiveChild()) {
    state.hasGraphs = child->HasGraphs();
    state.hasEvaluation = child->HasEvaluation();
  }
  state.windowActive = windows_.ActiveSubWindow() != nullptr;
  commands_.Enable(state);
}

void TMainform::HandleFirstActivation() {
  if (!firstActivation_) return;
  firstActivation_ = false;
  try {
    windows_.Create(true);
  } catch (const std::bad_alloc&) {
    // The program is usable without the start-up window: nothing to report.
  }
  // Without a store German stays with its built-in captions. With one,
  // a first start (no language stored) speaks the system's language.
  if (store_) {
    languages_.Select(StartLanguageChoice(store_->GetMainSettings().Language, systemLanguages_));
    ApplyLanguage();
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
    windows_.CloseAll();
    // Every setting was written when it changed: nothing to save here.
    store_.reset();
  });
  event->accept();
}

void TMainform::dragEnterEvent(QDragEnterEvent* event) {
  if (!IsLoading() && !LocalFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

// The files open after the drop has ended, so that the program that
// dragged them is not kept waiting by a message or the dialog.
void TMainform::dropEvent(QDropEvent* event) {
  const std::vector<std::string> paths = LocalFiles(event->mimeData());
  if (IsLoading() || paths.empty()) return;
  event->acceptProposedAction();
  QTimer::singleShot(0, this, [this, paths] { opener_.OpenDropped(paths); });
}

// Language switching.

void TMainform::ChooseLanguage(int language) {
  TMainSettings main;
  if (store_) main = store_->GetMainSettings();
  if (language == languages_.Current()) {
    // The action toggled its own check; the language in force stays checked.
    languages_.CheckCurrent();
    return;
  }
  languages_.Select(language);
  ApplyLanguage();
  if (store_) store_->SetMainSettings(kLanguageChoices[static_cast<std::size_t>(language)].code, main.LastUsedDir);
}

void TMainform::ApplyLanguage() {
  commands_.Retext();
  languages_.Retext();
  // The frame of the evaluation windows takes the focus between them.
  MdiArea()->setAccessibleName(ui::Q(i18n::Text(i18n::kTextWindow)));
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
    for (std::size_t i = 0; i < items.size(); ++i) items[i]->setText(ui::Q(marked[i]));
  };
  assign(menuBar()->actions());
  for (std::size_t i = 0; i < kMenuCount; ++i) assign(Menu(static_cast<MenuId>(i))->actions());
}

}  // namespace calorix::app
