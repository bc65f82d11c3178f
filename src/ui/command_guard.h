#pragma once

#include <functional>

class QWidget;

namespace calorix {
class Dialogs;
}

namespace calorix::ui {

// Runs one user command. An error it raises ends the command and is shown
// the way the application shows every unhandled error (caption text 51,
// error icon, OK), so that no exception crosses the Qt event loop. Returns
// whether the command completed.
bool RunCommand(Dialogs& dialogs, QWidget* owner, const std::function<void()>& command);

// A slot for a signal: runs owner's command through RunCommand.
template <typename Owner>
std::function<void()> GuardedSlot(Dialogs& dialogs, Owner* owner, void (Owner::*command)()) {
  return [&dialogs, owner, command] { RunCommand(dialogs, owner, [owner, command] { (owner->*command)(); }); };
}

}  // namespace calorix::ui
