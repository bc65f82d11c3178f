#pragma once

#include <QColor>
#include <QSize>

namespace calorix::ui {

// The program's title, shown as the main window's caption and in the about
// box, and its version.
inline constexpr const char* kProgramTitle = "Marlo Calorix 1";
inline constexpr const char* kProgramVersion = "1.04";

// The colour of the panels around the charts and of the main window's
// background.
inline const QColor kPanelColor(219, 224, 227);

// The size an evaluation window opens with.
inline constexpr QSize kEvaluationWindowSize(860, 602);

}  // namespace calorix::ui
