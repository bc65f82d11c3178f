#pragma once

#include <QColor>
#include <QSize>

namespace calorix::ui {

// The colour of the panels around the charts and of the main window's
// background.
inline const QColor kPanelColor(219, 224, 227);

// The size an evaluation window opens with.
inline constexpr QSize kEvaluationWindowSize(860, 602);

}  // namespace calorix::ui
