#pragma once

#include <QKeySequence>

#include <array>
#include <cstddef>
#include <functional>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace calorix::app {

class TMainform;

// The main window's commands, in the order of their menus.
enum class CommandId {
  Open,
  MultiDayAnalysis,
  FollowLog,
  Reload,
  Close,
  Save,
  Print,
  ExportDailyTotals,
  ExportMonthlyTotals,
  Exit,
  DefaultSettings,
  WindowSettings,
  Cascade,
  TileHorizontal,
  MinimizeAll,
  About,
};
inline constexpr std::size_t kCommandCount = 16;

// The menus in the order of the menu bar.
enum class MenuId { File, Settings, Language, Window, Help };
inline constexpr std::size_t kMenuCount = 5;

// The groups of the tool bar, separated by lines; the language buttons are
// a group of their own between Print and Help.
enum class ToolGroup { None, Files, Print, Help };

// When a command can be used.
enum class EnabledWhen {
  Always,
  WindowActive,         // an evaluation window is active
  ActiveHasGraphs,      // its charts show at least one series
  ActiveHasEvaluation,  // it holds an evaluation (series shown or not)
  AnyWindow,            // any evaluation window is open
};

// What the commands' states depend on.
struct WindowsState {
  bool windowActive = false;
  bool hasGraphs = false;
  int windowCount = 0;
  bool hasEvaluation = false;
};

struct CommandEntry {
  CommandId id;
  const char* builtInCaption;  // German with its access key, until a language is applied
  int text;                    // the caption's row in the text table
  QKeySequence::StandardKey standardKey;
  QKeyCombination ownKey;  // a key of this command alone, added to the platform's standard ones
  const char* icon;        // a resource icon's name, or null
  MenuId menu;
  bool separatorBefore;  // in its menu
  ToolGroup toolGroup;
  EnabledWhen enabledWhen;
  void (*run)(TMainform&);
};

// Every command once; actions, menus, tool bar, captions and states are
// built from it.
extern const std::array<CommandEntry, kCommandCount> kCommands;

const CommandEntry& CommandOf(CommandId id);

bool IsCommandEnabled(CommandId id, const WindowsState& state);

// The actions, menus and tool bar of the main window, made from kCommands.
class MainCommands {
 public:
  // Creates the actions, menus and tool bar on window; trigger runs a
  // command. The language actions get their own menu and tool bar group.
  void Build(QMainWindow& window, const std::vector<QAction*>& languages,
             const std::function<void(const CommandEntry&)>& trigger);

  QAction* Action(CommandId id) const { return actions_[static_cast<std::size_t>(id)]; }
  QMenu* Menu(MenuId id) const { return menus_[static_cast<std::size_t>(id)]; }

  // Enables the commands that apply to state.
  void Enable(const WindowsState& state);
  // Menu titles and command captions in the current language, without
  // access keys.
  void Retext();

 private:
  void BuildMenus(QMainWindow& window, const std::vector<QAction*>& languages);
  void BuildToolBar(QMainWindow& window, const std::vector<QAction*>& languages);

  std::array<QAction*, kCommandCount> actions_{};
  std::array<QMenu*, kMenuCount> menus_{};
};

}  // namespace calorix::app
