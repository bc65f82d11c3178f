#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace calorix::testing {

// Closes every dialog still open, so that a test that lost its way fails
// instead of waiting for a person.
inline void RejectOpenDialogs() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible()) {
      dialog->reject();
    }
  }
}

// Runs the action on the first visible window of type T as soon as it is
// shown: the way to drive a modal exec() from inside its event loop.
template <class T>
void WhenShown(std::function<void(T&)> action, int attemptsLeft = 500) {
  QTimer::singleShot(10, [action = std::move(action), attemptsLeft] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* window = qobject_cast<T*>(widget); window && window->isVisible()) {
        action(*window);
        return;
      }
    }
    if (attemptsLeft > 0) {
      WhenShown<T>(action, attemptsLeft - 1);
    } else {
      ADD_FAILURE() << "the expected window was not shown";
      RejectOpenDialogs();
    }
  });
}

}  // namespace calorix::testing
