#include "app/main_commands.h"

#include "app/main_form.h"
#include "i18n/text_table.h"
#include "ui/about_dialog.h"
#include "ui/artwork.h"
#include "ui/child_form.h"
#include "ui/qt_text.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <algorithm>

namespace calorix::app {
namespace {

using Key = QKeySequence;
constexpr QKeyCombination kNoKey{};
constexpr int kPanelTopHeight = 44;

void OnActive(TMainform& form, void (ui::TChildform::*command)()) {
  if (ui::TChildform* child = form.ActiveChild()) (child->*command)();
}

// The multi-day analysis has no standard key on any platform.
constexpr QKeyCombination kMultiDayKey = Qt::CTRL | Qt::Key_N;
// Ctrl+F4 closes a document window everywhere, also where the platform's
// Close key is only Ctrl+W.
constexpr QKeyCombination kCloseKey = Qt::CTRL | Qt::Key_F4;

// The platform's standard keys of a command, then its own key if they lack it.
QList<QKeySequence> KeysOf(const CommandEntry& command) {
  QList<QKeySequence> keys;
  if (command.standardKey != Key::UnknownKey) keys = QKeySequence::keyBindings(command.standardKey);
  if (command.ownKey != kNoKey && !keys.contains(QKeySequence(command.ownKey)))
    keys.append(QKeySequence(command.ownKey));
  return keys;
}

}  // namespace

// The built-in captions are the German ones with their access letters; the
// platform's standard keys belong to one action each.
const std::array<CommandEntry, kCommandCount> kCommands = {{
    {CommandId::Open, "&Öffnen", 1, Key::Open, kNoKey, "open", MenuId::File, false, ToolGroup::Files,
     EnabledWhen::Always, [](TMainform& f) { f.Opener().OpenWithDialog(); }},
    {CommandId::MultiDayAnalysis, "&Mehrtägige Auswertung", 2, Key::UnknownKey, kMultiDayKey, "range", MenuId::File,
     false, ToolGroup::Files, EnabledWhen::Always, [](TMainform& f) { f.Opener().ChooseRange({}); }},
    {CommandId::FollowLog, "Heutige Log-Datei &verfolgen", i18n::kTextFollowTodaysLog, Key::UnknownKey, kNoKey, nullptr,
     MenuId::File, false, ToolGroup::None, EnabledWhen::Always, [](TMainform& f) { f.Opener().FollowWithDialog(); }},
    {CommandId::Reload, "Neu &laden", i18n::kTextReload, Key::Refresh, kNoKey, nullptr, MenuId::File, false,
     ToolGroup::None, EnabledWhen::ActiveHasEvaluation, [](TMainform& f) { f.Opener().ReloadActive(); }},
    {CommandId::Close, "S&chließen", 3, Key::Close, kCloseKey, nullptr, MenuId::File, false, ToolGroup::None,
     EnabledWhen::WindowActive, [](TMainform& f) { f.Windows().CloseActive(); }},
    {CommandId::Save, "&Speichern", 4, Key::Save, kNoKey, "save", MenuId::File, true, ToolGroup::Files,
     EnabledWhen::ActiveHasGraphs, [](TMainform& f) { OnActive(f, &ui::TChildform::SaveChartAsBitmap); }},
    {CommandId::Print, "&Drucken", 5, Key::Print, kNoKey, "print", MenuId::File, false, ToolGroup::Print,
     EnabledWhen::ActiveHasGraphs, [](TMainform& f) { OnActive(f, &ui::TChildform::PrintCharts); }},
    {CommandId::ExportDailyTotals, "&Tagessummen exportieren...", i18n::kTextExportDailyTotals, Key::UnknownKey, kNoKey,
     nullptr, MenuId::File, false, ToolGroup::None, EnabledWhen::ActiveHasEvaluation,
     [](TMainform& f) { f.ExportTotals(evaluation::TotalsPer::Day); }},
    {CommandId::ExportMonthlyTotals, "Mo&natssummen exportieren...", i18n::kTextExportMonthlyTotals, Key::UnknownKey,
     kNoKey, nullptr, MenuId::File, false, ToolGroup::None, EnabledWhen::ActiveHasEvaluation,
     [](TMainform& f) { f.ExportTotals(evaluation::TotalsPer::Month); }},
    // The recent files go between the separator and Exit.
    {CommandId::Exit, "&Beenden", 6, Key::Quit, kNoKey, nullptr, MenuId::File, true, ToolGroup::None,
     EnabledWhen::Always, [](TMainform& f) { f.close(); }},
    {CommandId::DefaultSettings, "&Neue Fenster", i18n::kTextNewWindows, Key::UnknownKey, kNoKey, nullptr,
     MenuId::Settings, false, ToolGroup::None, EnabledWhen::Always, [](TMainform& f) { f.EditDefaults(); }},
    {CommandId::WindowSettings, "&Aktuelles Fenster", i18n::kTextCurrentWindow, Key::UnknownKey, kNoKey, nullptr,
     MenuId::Settings, false, ToolGroup::None, EnabledWhen::WindowActive,
     [](TMainform& f) { OnActive(f, &ui::TChildform::ActionOpenSettingsExecute); }},
    {CommandId::Cascade, "Über&lappend", 12, Key::UnknownKey, kNoKey, "cascade", MenuId::Window, false, ToolGroup::None,
     EnabledWhen::AnyWindow, [](TMainform& f) { f.Windows().Cascade(); }},
    {CommandId::TileHorizontal, "Ü&bereinander", 13, Key::UnknownKey, kNoKey, "tile", MenuId::Window, false,
     ToolGroup::None, EnabledWhen::AnyWindow, [](TMainform& f) { f.Windows().TileHorizontal(); }},
    {CommandId::MinimizeAll, "Alle mi&nimieren", 14, Key::UnknownKey, kNoKey, nullptr, MenuId::Window, false,
     ToolGroup::None, EnabledWhen::AnyWindow, [](TMainform& f) { f.Windows().MinimizeAll(); }},
    {CommandId::About, "&Info", i18n::kTextInfo, Key::UnknownKey, kNoKey, "about", MenuId::Help, false, ToolGroup::Help,
     EnabledWhen::Always, [](TMainform& f) { f.AboutDialog().exec(); }},
}};

namespace {

struct MenuEntry {
  const char* builtInTitle;
  int text;  // negative: the title stays in every language
};
constexpr std::array<MenuEntry, kMenuCount> kMenus = {{
    {"&Datei", i18n::kTextFile},
    {"&Einstellungen", i18n::kTextSettings},
    {"&Sprachauswahl", i18n::kTextLanguageSelection},
    {"&Fenster", i18n::kTextWindow},
    {"&?", -1},
}};

}  // namespace

const CommandEntry& CommandOf(CommandId id) { return kCommands[static_cast<std::size_t>(id)]; }

bool IsCommandEnabled(CommandId id, const WindowsState& state) {
  switch (CommandOf(id).enabledWhen) {
    case EnabledWhen::Always: return true;
    case EnabledWhen::WindowActive: return state.windowActive;
    case EnabledWhen::ActiveHasGraphs: return state.windowActive && state.hasGraphs;
    case EnabledWhen::ActiveHasEvaluation: return state.windowActive && state.hasEvaluation;
    case EnabledWhen::AnyWindow: return state.windowCount > 0;
  }
  return false;
}

void MainCommands::Build(QMainWindow& window, const std::vector<QAction*>& languages,
                         const std::function<void(const CommandEntry&)>& trigger) {
  for (const CommandEntry& command : kCommands) {
    auto* action = new QAction(QString::fromUtf8(command.builtInCaption), &window);
    action->setShortcuts(KeysOf(command));
    if (command.icon) action->setIcon(ui::ResourceIcon(QString::fromUtf8(command.icon)));
    QObject::connect(action, &QAction::triggered, &window, [trigger, &command] { trigger(command); });
    actions_[static_cast<std::size_t>(command.id)] = action;
  }
  BuildMenus(window, languages);
  BuildToolBar(window, languages);
}

void MainCommands::BuildMenus(QMainWindow& window, const std::vector<QAction*>& languages) {
  for (std::size_t i = 0; i < kMenuCount; ++i) {
    menus_[i] = window.menuBar()->addMenu(QString::fromUtf8(kMenus[i].builtInTitle));
  }
  for (const CommandEntry& command : kCommands) {
    QMenu* menu = Menu(command.menu);
    if (command.separatorBefore) menu->addSeparator();
    menu->addAction(Action(command.id));
  }
  for (QAction* action : languages) Menu(MenuId::Language)->addAction(action);
}

void MainCommands::BuildToolBar(QMainWindow& window, const std::vector<QAction*>& languages) {
  // The strip across the top: the tool bar on the left, the logo on the right.
  QToolBar* bar = window.addToolBar("PanelTop");
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->toggleViewAction()->setVisible(false);
  bar->setMinimumHeight(kPanelTopHeight);
  bar->setIconSize(QSize(24, 24));
  bar->setAutoFillBackground(true);
  const auto addGroup = [this, bar](ToolGroup group) {
    if (!bar->actions().isEmpty()) bar->addSeparator();
    for (const CommandEntry& command : kCommands) {
      if (command.toolGroup == group) bar->addAction(Action(command.id));
    }
  };
  addGroup(ToolGroup::Files);
  addGroup(ToolGroup::Print);
  bar->addSeparator();
  for (QAction* action : languages) bar->addAction(action);
  addGroup(ToolGroup::Help);
  auto* spacer = new QWidget(bar);
  spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  bar->addWidget(spacer);
  auto* logo = new QLabel(bar);
  logo->setObjectName("HelvoLogo");
  logo->setPixmap(ui::LogoPixmap(window.devicePixelRatioF()));
  logo->setFixedSize(ui::kLogoSize);
  bar->addWidget(logo);
}

void MainCommands::Enable(const WindowsState& state) {
  for (const CommandEntry& command : kCommands) Action(command.id)->setEnabled(IsCommandEnabled(command.id, state));
}

void MainCommands::Retext() {
  for (std::size_t i = 0; i < kMenuCount; ++i) {
    if (kMenus[i].text >= 0) menus_[i]->setTitle(ui::Q(i18n::Text(kMenus[i].text)));
  }
  for (const CommandEntry& command : kCommands) Action(command.id)->setText(ui::Q(i18n::Text(command.text)));
}

}  // namespace calorix::app
